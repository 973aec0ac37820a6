// Hand-derived results of the software arithmetic at the places where rounding
// is easy to get wrong; on x86 each row is also run on the x87 unit, which
// confirms the derivation. These rows run on every platform.

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <utility>

#include "calc/soft_extended.h"
#include "tests/soft/x87.h"

namespace bilan {
namespace {

enum class Op { kAdd, kSub, kMul, kDiv, kRound };

SoftExtended X(std::uint16_t sign_exponent, std::uint64_t significand) {
  return SoftExtended::FromBits(sign_exponent, significand);
}

std::string Hex(SoftExtended x) {
  char text[32];
  std::snprintf(text, sizeof text, "%04X:%016llX", x.SignExponent(),
                static_cast<unsigned long long>(x.Significand()));
  return text;
}

constexpr std::uint64_t kOne = 0x8000000000000000u;
constexpr std::uint64_t kOnes = 0xFFFFFFFFFFFFFFFFu;
const SoftExtended kUnit = X(0x3FFF, kOne);  // 1
const SoftExtended kTwo = X(0x4000, kOne);
const SoftExtended kMax = X(0x7FFE, kOnes);
const SoftExtended kMinNormal = X(0x0001, kOne);
const SoftExtended kInf = X(0x7FFF, kOne);
const SoftExtended kDefaultNaN = X(0xFFFF, 0xC000000000000000u);

struct Row {
  const char* name;
  Op op;
  SoftExtended a;
  SoftExtended b;
  SoftExtended expected;
  SoftFlags flags;
};

const Row kRows[] = {
    // Ties and carries at one.
    {"one plus half ulp ties to even", Op::kAdd, kUnit, X(0x3FBF, kOne), kUnit, kSoftInexact},
    {"one plus three quarters ulp rounds up", Op::kAdd, kUnit, X(0x3FBF, 0xC000000000000000u),
     X(0x3FFF, kOne + 1), kSoftInexact},
    {"odd plus half ulp ties up", Op::kAdd, X(0x3FFF, kOne + 1), X(0x3FBF, kOne),
     X(0x3FFF, kOne + 2), kSoftInexact},
    {"one plus just over half an ulp rounds up", Op::kAdd, kUnit, X(0x3FBF, kOne + 1),
     X(0x3FFF, kOne + 1), kSoftInexact},
    {"carry into the next binade", Op::kAdd, X(0x3FFF, kOnes), X(0x3FBF, kOne), kTwo, kSoftInexact},
    {"one minus quarter ulp below the binade", Op::kSub, kUnit, X(0x3FBE, kOne), kUnit,
     kSoftInexact},
    {"one minus three eighths ulp borrows", Op::kSub, kUnit, X(0x3FBE, 0xC000000000000000u),
     X(0x3FFE, kOnes), kSoftInexact},
    {"one third", Op::kDiv, kUnit, X(0x4000, 0xC000000000000000u), X(0x3FFD, 0xAAAAAAAAAAAAAAABu),
     kSoftInexact},
    {"two thirds", Op::kDiv, kTwo, X(0x4000, 0xC000000000000000u), X(0x3FFE, 0xAAAAAAAAAAAAAAABu),
     kSoftInexact},
    {"ten times ten is exact", Op::kMul, X(0x4002, 0xA000000000000000u),
     X(0x4002, 0xA000000000000000u), X(0x4005, 0xC800000000000000u), 0},
    // Zeros and their signs.
    {"x minus x is plus zero", Op::kSub, kTwo, kTwo, X(0x0000, 0), 0},
    {"minus zero plus minus zero", Op::kAdd, X(0x8000, 0), X(0x8000, 0), X(0x8000, 0), 0},
    {"minus zero minus zero", Op::kSub, X(0x8000, 0), X(0x0000, 0), X(0x8000, 0), 0},
    {"zero times minus one", Op::kMul, X(0x0000, 0), -kUnit, X(0x8000, 0), 0},
    // The overflow boundary.
    {"largest plus half its ulp overflows", Op::kAdd, kMax, X(0x7FBE, kOne), kInf,
     kSoftOverflow | kSoftInexact},
    {"largest plus a quarter ulp stays", Op::kAdd, kMax, X(0x7FBD, kOne), kMax, kSoftInexact},
    {"largest times two", Op::kMul, -kMax, kTwo, -kInf, kSoftOverflow | kSoftInexact},
    {"largest reached exactly", Op::kMul, X(0x7FFE, kOne), X(0x3FFF, kOnes), kMax, 0},
    // Gradual underflow.
    {"smallest normal halved is exact", Op::kDiv, kMinNormal, kTwo, X(0x0000, kOne >> 1), 0},
    {"smallest denormal halved ties to zero", Op::kDiv, X(0x0000, 1), kTwo, X(0x0000, 0),
     kSoftDenormal | kSoftUnderflow | kSoftInexact},
    {"three halves of the step tie to two", Op::kDiv, X(0x0000, 3), kTwo, X(0x0000, 2),
     kSoftDenormal | kSoftUnderflow | kSoftInexact},
    {"denormal rounds up to the smallest normal", Op::kDiv, X(0x0001, kOnes), kTwo, kMinNormal,
     kSoftUnderflow | kSoftInexact},
    // (2^65 - 1) * 2^-16447 = 31 * 1190112520884487201 * 2^-16447: rounded to
    // 64 bits it is the smallest normal number, so it does not count as tiny.
    {"just below the smallest normal is not tiny", Op::kMul, X(8000, 0xF800000000000000u),
     X(8383, 0x8421084210842108u), kMinNormal, kSoftInexact},
    {"denormal operand", Op::kAdd, X(0x0000, 5), kUnit, kUnit, kSoftDenormal | kSoftInexact},
    {"pseudo-denormal becomes normal", Op::kAdd, X(0x0000, kOne), X(0x0000, 0), kMinNormal,
     kSoftDenormal},
    // Invalid operations and special operands.
    {"infinity minus infinity", Op::kSub, kInf, kInf, kDefaultNaN, kSoftInvalid},
    {"zero times infinity", Op::kMul, X(0x0000, 0), kInf, kDefaultNaN, kSoftInvalid},
    {"zero over zero", Op::kDiv, X(0x8000, 0), X(0x0000, 0), kDefaultNaN, kSoftInvalid},
    {"denormal over zero only divides by zero", Op::kDiv, X(0x0000, 5), X(0x0000, 0), kInf,
     kSoftDivideByZero},
    {"one over minus zero", Op::kDiv, kUnit, X(0x8000, 0), -kInf, kSoftDivideByZero},
    {"infinity over two", Op::kDiv, kInf, kTwo, kInf, 0},
    {"unnormal operand", Op::kAdd, X(0x4000, 0x4000000000000000u), kUnit, kDefaultNaN,
     kSoftInvalid},
    {"pseudo-infinity operand", Op::kMul, X(0x7FFF, 0), kUnit, kDefaultNaN, kSoftInvalid},
    {"signalling NaN is quieted", Op::kAdd, X(0x7FFF, kOne + 1), kUnit,
     X(0x7FFF, 0xC000000000000001u), kSoftInvalid},
    {"quiet NaN passes silently", Op::kMul, kUnit, X(0xFFFF, 0xC000000000000123u),
     X(0xFFFF, 0xC000000000000123u), 0},
    {"larger NaN significand wins", Op::kAdd, X(0x7FFF, 0xC000000000000001u),
     X(0xFFFF, 0xC000000000000002u), X(0xFFFF, 0xC000000000000002u), 0},
    {"of equal NaNs the positive one wins", Op::kAdd, X(0xFFFF, 0xC000000000000001u),
     X(0x7FFF, 0xC000000000000001u), X(0x7FFF, 0xC000000000000001u), 0},
    {"of equal NaNs the positive one wins either way", Op::kDiv, X(0x7FFF, 0xC000000000000001u),
     X(0xFFFF, 0xC000000000000001u), X(0x7FFF, 0xC000000000000001u), 0},
    {"quiet NaN beats signalling NaN", Op::kSub, X(0x7FFF, 0x8000000000000005u),
     X(0xFFFF, 0xC000000000000001u), X(0xFFFF, 0xC000000000000001u), kSoftInvalid},
    // Rounding to an integer, ties to even, sign kept.
    {"two and a half", Op::kRound, X(0x4000, 0xA000000000000000u), {}, kTwo, kSoftInexact},
    {"three and a half",
     Op::kRound,
     X(0x4000, 0xE000000000000000u),
     {},
     X(0x4001, kOne),
     kSoftInexact},
    {"minus one half", Op::kRound, X(0xBFFE, kOne), {}, X(0x8000, 0), kSoftInexact},
    {"just above one half", Op::kRound, X(0x3FFE, kOne + 1), {}, kUnit, kSoftInexact},
    {"2^62 plus one half", Op::kRound, X(0x403D, kOne + 1), {}, X(0x403D, kOne), kSoftInexact},
    {"2^63 minus one half", Op::kRound, X(0x403D, kOnes), {}, X(0x403E, kOne), kSoftInexact},
    {"large values are integral", Op::kRound, X(0x4050, kOnes), {}, X(0x4050, kOnes), 0},
    {"denormal rounds to zero",
     Op::kRound,
     X(0x8000, 7),
     {},
     X(0x8000, 0),
     kSoftDenormal | kSoftInexact},
};

SoftExtended RunSoft(const Row& row, SoftFlags& flags) {
  switch (row.op) {
    case Op::kAdd:
      return Add(row.a, row.b, flags);
    case Op::kSub:
      return Sub(row.a, row.b, flags);
    case Op::kMul:
      return Mul(row.a, row.b, flags);
    case Op::kDiv:
      return Div(row.a, row.b, flags);
    case Op::kRound:
      return RoundToInteger(row.a, flags);
  }
  return {};
}

TEST(SoftExtendedKnownCases, GiveTheDerivedBitsAndFlags) {
  for (const Row& row : kRows) {
    SoftFlags flags = 0;
    const SoftExtended result = RunSoft(row, flags);
    EXPECT_EQ(Hex(result), Hex(row.expected)) << row.name;
    EXPECT_EQ(flags, row.flags) << row.name;
  }
}

#ifdef BILAN_HAVE_X87
x87::Outcome RunHardware(const Row& row) {
  switch (row.op) {
    case Op::kAdd:
      return x87::Run<x87::Operation::kAdd>(row.a, row.b);
    case Op::kSub:
      return x87::Run<x87::Operation::kSub>(row.a, row.b);
    case Op::kMul:
      return x87::Run<x87::Operation::kMul>(row.a, row.b);
    case Op::kDiv:
      return x87::Run<x87::Operation::kDiv>(row.a, row.b);
    case Op::kRound:
      return x87::Run<x87::Operation::kRoundToInteger>(row.a, row.b);
  }
  return {};
}

TEST(SoftExtendedKnownCases, AgreeWithTheX87Unit) {
  x87::ControlWordScope control;
  for (const Row& row : kRows) {
    const x87::Outcome hardware = RunHardware(row);
    EXPECT_EQ(Hex(hardware.value), Hex(row.expected)) << row.name;
    EXPECT_EQ(hardware.flags, row.flags) << row.name;
  }
}
#endif

TEST(SoftExtendedConversions, IntegersAndBytesRoundTrip) {
  const std::int64_t integers[] = {0,       1,         -1,        24,        365,
                                   1000000, INT64_MAX, INT64_MIN, 1LL << 53, -(1LL << 62) - 1};
  for (std::int64_t n : integers) {
    const SoftExtended x = SoftExtended::FromInteger(n);
    const std::uint64_t magnitude = n < 0 ? ~static_cast<std::uint64_t>(n) + 1 : n;
    EXPECT_EQ(x.IsNegative(), n < 0) << n;
    EXPECT_EQ(x.TruncateToUnsigned(), magnitude) << n;
    EXPECT_TRUE(SameBits(SoftExtended::FromBytes(x.ToBytes()), x)) << n;
#ifdef BILAN_HAVE_X87
    EXPECT_EQ(Hex(x87::FromHardware(static_cast<long double>(n))), Hex(x)) << n;
#endif
  }
  EXPECT_EQ(Hex(SoftExtended::FromInteger(24)), "4003:C000000000000000");
}

#ifdef BILAN_HAVE_X87
TEST(SoftExtendedLimits, DescribeTheSameFormatAsLongDouble) {
  using Soft = std::numeric_limits<SoftExtended>;
  using Hard = std::numeric_limits<long double>;
  const std::pair<SoftExtended, long double> values[] = {
      {Soft::min(), Hard::min()},
      {Soft::max(), Hard::max()},
      {Soft::lowest(), Hard::lowest()},
      {Soft::epsilon(), Hard::epsilon()},
      {Soft::round_error(), Hard::round_error()},
      {Soft::infinity(), Hard::infinity()},
      {Soft::quiet_NaN(), Hard::quiet_NaN()},
      {Soft::signaling_NaN(), Hard::signaling_NaN()},
      {Soft::denorm_min(), Hard::denorm_min()},
  };
  for (const auto& [soft, hard] : values) EXPECT_EQ(Hex(soft), Hex(x87::FromHardware(hard)));
  EXPECT_EQ(Soft::digits, Hard::digits);
  EXPECT_EQ(Soft::min_exponent, Hard::min_exponent);
  EXPECT_EQ(Soft::max_exponent, Hard::max_exponent);
  EXPECT_EQ(Soft::min_exponent10, Hard::min_exponent10);
  EXPECT_EQ(Soft::max_exponent10, Hard::max_exponent10);
  EXPECT_EQ(Soft::digits10, Hard::digits10);
  EXPECT_EQ(Soft::max_digits10, Hard::max_digits10);
}
#endif

TEST(SoftExtendedComparisons, OrderValuesAndLeaveNaNsUnordered) {
  const SoftExtended ordered[] = {-kInf,
                                  -kMax,
                                  -kUnit,
                                  X(0x8000, 1),
                                  {},
                                  X(0x0000, 1),
                                  X(0x0000, kOne),
                                  X(0x0001, kOne + 1),
                                  kUnit,
                                  X(0x3FFF, kOne + 1),
                                  kMax,
                                  kInf};
  for (const SoftExtended& a : ordered) {
    for (const SoftExtended& b : ordered) {
      const auto ia = &a - ordered;
      const auto ib = &b - ordered;
      EXPECT_EQ(a < b, ia < ib) << Hex(a) << " " << Hex(b);
      EXPECT_EQ(a <= b, ia <= ib) << Hex(a) << " " << Hex(b);
      EXPECT_EQ(a == b, ia == ib) << Hex(a) << " " << Hex(b);
    }
  }
  EXPECT_TRUE(X(0x8000, 0) == SoftExtended());
  // A pseudo-denormal has the value of the smallest normal number.
  EXPECT_TRUE(X(0x0000, kOne) == kMinNormal);
  for (const SoftExtended odd : {kDefaultNaN, X(0x7FFF, kOne + 1), X(0x4000, 1)}) {
    EXPECT_FALSE(odd == odd) << Hex(odd);
    EXPECT_FALSE(odd < kUnit || odd <= kUnit || odd > kUnit || odd >= kUnit) << Hex(odd);
  }
}

}  // namespace
}  // namespace bilan
