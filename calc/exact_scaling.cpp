#include "calc/exact_scaling.h"

#include <array>

namespace bilan {
namespace {

constexpr int kBias = 16383;

// 10^i as significand * 2^exponent with bit 63 of the significand set; exact
// for i <= 27 since 10^i = 5^i * 2^i and 5^27 < 2^64.
struct ExactPower {
  std::uint64_t significand;
  int exponent;
};

constexpr std::array<ExactPower, kLargestExactPowerOfTen + 1> MakeExactPowers() {
  std::array<ExactPower, kLargestExactPowerOfTen + 1> powers{};
  unsigned __int128 value = 1;
  for (int i = 0; i <= kLargestExactPowerOfTen; ++i, value *= 10) {
    int top = 127;
    while (((value >> top) & 1) == 0) --top;
    // top <= 89, so the value's bits fit in 64 after the shift.
    powers[i].significand = top >= 63 ? static_cast<std::uint64_t>(value >> (top - 63))
                                      : static_cast<std::uint64_t>(value << (63 - top));
    powers[i].exponent = top - 63;
  }
  return powers;
}

constexpr auto kExactPowers = MakeExactPowers();

// Rounds up when the discarded part is above half, or exactly half with an
// odd kept part; a carry out of bit 63 moves to the next binade.
UnpackedExtended RoundedUp(UnpackedExtended x) {
  if (++x.significand == 0) {
    x.significand = std::uint64_t{1} << 63;
    ++x.exponent;
  }
  return x;
}

// (high:low) / divisor with high < divisor: one 128-by-64 division.
inline std::uint64_t Divide128(std::uint64_t high, std::uint64_t low, std::uint64_t divisor,
                               std::uint64_t& remainder) {
#if defined(__x86_64__)
  std::uint64_t quotient;
  asm("divq %4" : "=a"(quotient), "=d"(remainder) : "a"(low), "d"(high), "rm"(divisor));
  return quotient;
#else
  const unsigned __int128 n = (static_cast<unsigned __int128>(high) << 64) | low;
  remainder = static_cast<std::uint64_t>(n % divisor);
  return static_cast<std::uint64_t>(n / divisor);
#endif
}

}  // namespace

UnpackedExtended MultiplyByExactPowerOfTen(UnpackedExtended x, int power) {
  const ExactPower& p = kExactPowers[power];
  const unsigned __int128 product = static_cast<unsigned __int128>(x.significand) * p.significand;
  // Both factors lie in [2^63, 2^64): the product has 127 or 128 bits.
  const int shift = (product >> 127) ? 64 : 63;
  UnpackedExtended result{static_cast<std::uint64_t>(product >> shift),
                          x.exponent + p.exponent + shift};
  const unsigned __int128 rest = product & ((static_cast<unsigned __int128>(1) << shift) - 1);
  const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
  if (rest > half || (rest == half && (result.significand & 1))) result = RoundedUp(result);
  return result;
}

UnpackedExtended DivideByExactPowerOfTen(UnpackedExtended x, int power) {
  const ExactPower& p = kExactPowers[power];
  const std::uint64_t a = x.significand, b = p.significand;
  // Scale the dividend so that the quotient lies in [2^63, 2^64).
  std::uint64_t remainder;
  UnpackedExtended result;
  if (a >= b) {
    result.significand = Divide128(a >> 1, a << 63, b, remainder);
    result.exponent = x.exponent - p.exponent - 63;
  } else {
    result.significand = Divide128(a, 0, b, remainder);
    result.exponent = x.exponent - p.exponent - 64;
  }
  // The discarded part is remainder / b; compare it with one half.
  const std::uint64_t rest_to_one = b - remainder;
  if (remainder > rest_to_one || (remainder == rest_to_one && (result.significand & 1)))
    result = RoundedUp(result);
  return result;
}

UnpackedExtended UnpackInteger(std::uint64_t n) {
  const int leading = __builtin_clzll(n);
  return {n << leading, -leading};
}

UnpackedExtended Unpack(Extended x) {
  const ExtendedBits bits = BitsOf(x);
  return {bits.significand, (bits.sign_and_exponent & 0x7FFF) - kBias - 63};
}

Extended Pack(UnpackedExtended x, bool negative) {
  const auto stored = static_cast<std::uint16_t>(x.exponent + 63 + kBias);
  return FromBits(x.significand, static_cast<std::uint16_t>(stored | (negative ? 0x8000 : 0)));
}

}  // namespace bilan
