// Random operations through the software arithmetic and the x87 unit, which
// must agree on every result bit and every exception flag. The operands lean
// towards the places where rounding is delicate: exponents near zero, around
// the denormal boundary and next to the overflow limit, pairs of exponents
// whose sum, difference or distance lands there, significands with long runs
// of trailing zeros (exact results and ties) or of ones (carries), and the odd
// encodings (denormals, pseudo-denormals, unnormals, infinities, NaNs).
//
// BILAN_CROSS_CHECK_OPERATIONS sets the number of operations (default 6000000).

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "calc/soft_extended.h"
#include "tests/soft/x87.h"

#ifdef BILAN_HAVE_X87
namespace bilan {
namespace {

using x87::Operation;
using U128 = unsigned __int128;

class OperandSource {
 public:
  explicit OperandSource(std::uint64_t seed) : random_(seed) {}

  SoftExtended Any() { return FromBits(RandomSign(), Exponent(), Significand()); }

  // A second operand whose exponent relates to the first one's so that the
  // result of `op` lands near zero, the denormal boundary, one, or overflow.
  SoftExtended PartnerFor(Operation op, SoftExtended a) {
    if (Below(4)) return Any();
    const int ea = a.BiasedExponent();
    int eb;
    if (op == Operation::kAdd || op == Operation::kSub) {
      eb = ea - static_cast<int>(Uniform(0, 140)) + 2;  // alignment distances
    } else {
      const int target = Target();
      eb = op == Operation::kMul ? target - ea + SoftExtended::kExponentBias
                                 : ea - target + SoftExtended::kExponentBias;
    }
    eb = std::clamp(eb, 0, 0x7FFF);
    std::uint64_t significand = Significand();
    if (op == Operation::kMul && Below(3)) significand = CarryingFactor(a.Significand());
    SoftExtended b = FromBits(RandomSign(), static_cast<std::uint16_t>(eb), significand);
    // Same significand and exponent give cancellation and exact halving.
    if ((op == Operation::kAdd || op == Operation::kSub) && Below(8)) {
      b = FromBits(RandomSign(), a.BiasedExponent(), a.Significand() ^ (Below(2) ? 0 : 1));
    }
    return b;
  }

 private:
  SoftExtended FromBits(bool negative, std::uint16_t exponent, std::uint64_t significand) {
    // Most patterns with the top exponent are NaNs; make infinities as common.
    if (exponent == 0x7FFF && (significand & SoftExtended::kIntegerBit) != 0 && Below(2)) {
      significand = SoftExtended::kIntegerBit;
    }
    if (Below(40)) significand = 0;  // zeros, and with the top exponent pseudo-infinities
    return SoftExtended::FromBits(static_cast<std::uint16_t>((negative ? 0x8000 : 0) | exponent),
                                  significand);
  }

  std::uint64_t Uniform(std::uint64_t low, std::uint64_t high) {
    return std::uniform_int_distribution<std::uint64_t>(low, high)(random_);
  }
  bool Below(std::uint64_t n) { return Uniform(0, n - 1) == 0; }
  bool RandomSign() { return Below(2); }

  // A significand whose product with `a` lies just below a power of two, so
  // that rounding carries into the next binade: at the top that is overflow,
  // at the bottom a result that is tiny only before rounding.
  std::uint64_t CarryingFactor(std::uint64_t a) {
    if ((a & SoftExtended::kIntegerBit) == 0) return Significand();
    const U128 target = (U128{1} << 127) - (U128{1} << 62);
    const auto b = static_cast<std::uint64_t>((target + a - 1) / a);
    return b + Uniform(0, 2) - 1;  // and its neighbours
  }

  int Target() {
    switch (Uniform(0, 3)) {
      case 0:
        return static_cast<int>(Uniform(0, 140)) - 70;  // around the denormal boundary
      case 1:
        return 0x7FFF - static_cast<int>(Uniform(0, 70)) + 2;  // around overflow
      case 2:
        return SoftExtended::kExponentBias + static_cast<int>(Uniform(0, 140)) - 70;
      default:
        return static_cast<int>(Uniform(0, 0x7FFF));
    }
  }

  std::uint16_t Exponent() {
    switch (Uniform(0, 5)) {
      case 0:
        return static_cast<std::uint16_t>(Uniform(0, 70));
      case 1:
        return static_cast<std::uint16_t>(0x7FFF - Uniform(0, 70));
      case 2:
      case 3:
        return static_cast<std::uint16_t>(SoftExtended::kExponentBias - 70 + Uniform(0, 140));
      default:
        return static_cast<std::uint16_t>(Uniform(0, 0x7FFF));
    }
  }

  std::uint64_t Significand() {
    std::uint64_t s = random_();
    switch (Uniform(0, 6)) {
      case 0:  // trailing zeros: exact results, ties
        s &= ~std::uint64_t{0} << Uniform(0, 63);
        break;
      case 1:  // trailing ones: carries
        s |= (std::uint64_t{1} << Uniform(0, 63)) - 1;
        break;
      case 2:  // few bits
        s = (std::uint64_t{1} << Uniform(0, 63)) | (std::uint64_t{1} << Uniform(0, 63));
        break;
      case 3:  // a power of two and a little more: ties with sticky bits far below
        s = Uniform(0, 3);
        break;
      default:
        break;
    }
    // The integer bit is set in all normal numbers; clear it now and then
    // for denormals, unnormals and pseudo-infinities.
    if (Below(16)) return s & ~SoftExtended::kIntegerBit;
    return s | SoftExtended::kIntegerBit;
  }

  std::mt19937_64 random_;
};

std::string Describe(SoftExtended x) {
  char text[32];
  std::snprintf(text, sizeof text, "%04X:%016llX", x.SignExponent(),
                static_cast<unsigned long long>(x.Significand()));
  return text;
}

template <Operation op>
SoftExtended RunSoft(SoftExtended a, SoftExtended b, SoftFlags& flags) {
  if constexpr (op == Operation::kAdd) return Add(a, b, flags);
  if constexpr (op == Operation::kSub) return Sub(a, b, flags);
  if constexpr (op == Operation::kMul) return Mul(a, b, flags);
  if constexpr (op == Operation::kDiv) return Div(a, b, flags);
  return RoundToInteger(a, flags);
}

struct Tally {
  std::uint64_t operations = 0;
  std::uint64_t mismatches = 0;
  std::uint64_t flagged[6] = {};  // how often each flag came up, to show the coverage
};

template <Operation op>
void CrossCheck(OperandSource& source, std::uint64_t count, const char* name, Tally& tally) {
  for (std::uint64_t i = 0; i < count; ++i) {
    const SoftExtended a = source.Any();
    const SoftExtended b = source.PartnerFor(op, a);
    SoftFlags soft_flags = 0;
    const SoftExtended soft = RunSoft<op>(a, b, soft_flags);
    const x87::Outcome hardware = x87::Run<op>(a, b);
    ++tally.operations;
    for (int bit = 0; bit < 6; ++bit) tally.flagged[bit] += (hardware.flags >> bit) & 1;
    if (!SameBits(soft, hardware.value) || soft_flags != hardware.flags) {
      if (++tally.mismatches <= 20) {
        ADD_FAILURE() << name << " " << Describe(a) << ", " << Describe(b) << ": software "
                      << Describe(soft) << " flags " << soft_flags << ", x87 "
                      << Describe(hardware.value) << " flags " << hardware.flags;
      }
    }
  }
}

std::uint64_t OperationCount() {
  const char* text = std::getenv("BILAN_CROSS_CHECK_OPERATIONS");
  if (text == nullptr || *text == '\0') return 6000000;
  return std::strtoull(text, nullptr, 10);
}

TEST(SoftExtendedCrossCheck, RandomOperationsMatchTheX87Unit) {
  const std::uint64_t total = OperationCount();
  OperandSource source(0x5EED0B11A4ULL);
  Tally tally;
  const auto start = std::chrono::steady_clock::now();
  {
    x87::ControlWordScope control;
    const std::uint64_t share = total / 9;  // rounding to an integer takes one share
    CrossCheck<Operation::kAdd>(source, 2 * share, "add", tally);
    CrossCheck<Operation::kSub>(source, 2 * share, "sub", tally);
    CrossCheck<Operation::kMul>(source, 2 * share, "mul", tally);
    CrossCheck<Operation::kDiv>(source, 2 * share, "div", tally);
    CrossCheck<Operation::kRoundToInteger>(source, total - 8 * share, "round", tally);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "cross-checked %llu operations in %.2f s, %llu mismatches; results raising "
      "invalid %llu, denormal %llu, zero-divide %llu, overflow %llu, underflow %llu, "
      "inexact %llu\n",
      static_cast<unsigned long long>(tally.operations), seconds,
      static_cast<unsigned long long>(tally.mismatches),
      static_cast<unsigned long long>(tally.flagged[0]),
      static_cast<unsigned long long>(tally.flagged[1]),
      static_cast<unsigned long long>(tally.flagged[2]),
      static_cast<unsigned long long>(tally.flagged[3]),
      static_cast<unsigned long long>(tally.flagged[4]),
      static_cast<unsigned long long>(tally.flagged[5]));
  EXPECT_EQ(tally.operations, total);
  EXPECT_EQ(tally.mismatches, 0u);
  // Each flag must actually have been exercised, or the operands went astray.
  for (int bit = 0; bit < 6; ++bit) EXPECT_GT(tally.flagged[bit], 0u) << "flag bit " << bit;
}

}  // namespace
}  // namespace bilan
#endif
