#include "calc/power_of_ten.h"

namespace bilan {

// Derivation of every entry: for 10^n with b = bit length of 10^n, the
// significand is 10^n / 2^(b-64) rounded to nearest, ties to even (or 10^n
// shifted left when b <= 64), and the value is significand * 2^(b-64). Each
// entry below is that significand with its stored exponent, 16383 + b - 1, so
// no compiler or long double format rounds it again. A test recomputes them
// with exact integer arithmetic.

const std::array<Extended, 32> kSmallPowersOfTen = {
    FromBits(0x8000000000000000U, 0x3FFF),  // 10^0
    FromBits(0xA000000000000000U, 0x4002),  // 10^1
    FromBits(0xC800000000000000U, 0x4005),  // 10^2
    FromBits(0xFA00000000000000U, 0x4008),  // 10^3
    FromBits(0x9C40000000000000U, 0x400C),  // 10^4
    FromBits(0xC350000000000000U, 0x400F),  // 10^5
    FromBits(0xF424000000000000U, 0x4012),  // 10^6
    FromBits(0x9896800000000000U, 0x4016),  // 10^7
    FromBits(0xBEBC200000000000U, 0x4019),  // 10^8
    FromBits(0xEE6B280000000000U, 0x401C),  // 10^9
    FromBits(0x9502F90000000000U, 0x4020),  // 10^10
    FromBits(0xBA43B74000000000U, 0x4023),  // 10^11
    FromBits(0xE8D4A51000000000U, 0x4026),  // 10^12
    FromBits(0x9184E72A00000000U, 0x402A),  // 10^13
    FromBits(0xB5E620F480000000U, 0x402D),  // 10^14
    FromBits(0xE35FA931A0000000U, 0x4030),  // 10^15
    FromBits(0x8E1BC9BF04000000U, 0x4034),  // 10^16
    FromBits(0xB1A2BC2EC5000000U, 0x4037),  // 10^17
    FromBits(0xDE0B6B3A76400000U, 0x403A),  // 10^18
    FromBits(0x8AC7230489E80000U, 0x403E),  // 10^19
    FromBits(0xAD78EBC5AC620000U, 0x4041),  // 10^20
    FromBits(0xD8D726B7177A8000U, 0x4044),  // 10^21
    FromBits(0x878678326EAC9000U, 0x4048),  // 10^22
    FromBits(0xA968163F0A57B400U, 0x404B),  // 10^23
    FromBits(0xD3C21BCECCEDA100U, 0x404E),  // 10^24
    FromBits(0x84595161401484A0U, 0x4052),  // 10^25
    FromBits(0xA56FA5B99019A5C8U, 0x4055),  // 10^26
    FromBits(0xCECB8F27F4200F3AU, 0x4058),  // 10^27, the last exact one (5^27 < 2^64)
    FromBits(0x813F3978F8940984U, 0x405C),  // 10^28
    FromBits(0xA18F07D736B90BE5U, 0x405F),  // 10^29
    FromBits(0xC9F2C9CD04674EDFU, 0x4062),  // 10^30
    FromBits(0xFC6F7C4045812296U, 0x4065),  // 10^31
};

const std::array<Extended, 15> kMiddlePowersOfTen = {
    FromBits(0x9DC5ADA82B70B59EU, 0x4069),  // 10^32
    FromBits(0xC2781F49FFCFA6D5U, 0x40D3),  // 10^64
    FromBits(0xEFB3AB16C59B14A3U, 0x413D),  // 10^96
    FromBits(0x93BA47C980E98CE0U, 0x41A8),  // 10^128
    FromBits(0xB616A12B7FE617AAU, 0x4212),  // 10^160
    FromBits(0xE070F78D3927556BU, 0x427C),  // 10^192
    FromBits(0x8A5296FFE33CC930U, 0x42E7),  // 10^224
    FromBits(0xAA7EEBFB9DF9DE8EU, 0x4351),  // 10^256
    FromBits(0xD226FC195C6A2F8CU, 0x43BB),  // 10^288
    FromBits(0x81842F29F2CCE376U, 0x4426),  // 10^320
    FromBits(0x9FA42700DB900AD2U, 0x4490),  // 10^352
    FromBits(0xC4C5E310AEF8AA17U, 0x44FA),  // 10^384
    FromBits(0xF28A9C07E9B09C59U, 0x4564),  // 10^416
    FromBits(0x957A4AE1EBF7F3D4U, 0x45CF),  // 10^448
    FromBits(0xB83ED8DC0795A262U, 0x4639),  // 10^480
};

const std::array<Extended, 9> kLargePowersOfTen = {
    FromBits(0xE319A0AEA60E91C7U, 0x46A3),  // 10^512
    FromBits(0xC976758681750C17U, 0x4D48),  // 10^1024
    FromBits(0xB2B8353B3993A7E4U, 0x53ED),  // 10^1536
    FromBits(0x9E8B3B5DC53D5DE5U, 0x5A92),  // 10^2048
    FromBits(0x8CA554C020A1F0A6U, 0x6137),  // 10^2560
    FromBits(0xF9895D25D88B5A8BU, 0x67DB),  // 10^3072
    FromBits(0xDD5DC8A2BF27F3F8U, 0x6E80),  // 10^3584
    FromBits(0xC46052028A20979BU, 0x7525),  // 10^4096
    FromBits(0xAE3511626ED559F0U, 0x7BCA),  // 10^4608
};

Extended ScaleByPowerOfTenInCurrentEnvironment(Extended x, int p) {
  constexpr int kLimit = 5120;  // 10 * 512: one past the large table
  if (p == 0) return x;
  const Extended largest = FromBits(0xFFFFFFFFFFFFFFFFU, 0x7FFE);
  if (p >= kLimit) return Multiply(x < FromInteger(0) ? Negate(largest) : largest, largest);
  if (p <= -kLimit) return FromInteger(0);
  const bool up = p > 0;
  const unsigned q = up ? static_cast<unsigned>(p) : static_cast<unsigned>(-p);
  const auto apply = [up](Extended value, Extended factor) {
    return up ? Multiply(value, factor) : Divide(value, factor);
  };
  x = apply(x, kSmallPowersOfTen[q % 32]);
  if (const unsigned j = (q / 32) % 16; j != 0) x = apply(x, kMiddlePowersOfTen[j - 1]);
  if (const unsigned m = q / 512; m != 0) x = apply(x, kLargePowersOfTen[m - 1]);
  return x;
}

}  // namespace bilan
