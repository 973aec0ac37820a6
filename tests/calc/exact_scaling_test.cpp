// The integer scaling by exact powers of ten against the x87 unit, bit for
// bit, and the digits made through it against the same steps done entirely
// in Extended arithmetic.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "calc/decimal_text.h"
#include "calc/exact_scaling.h"
#include "calc/power_of_ten.h"
#include "extended_test_util.h"

namespace bilan {
namespace {

using testing::BitsText;

// A positive normal number with a random significand and a binary exponent
// in [low, high].
Extended RandomPositive(std::mt19937_64& random, int low, int high) {
  const int exponent = low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
  std::uint64_t significand = random() | (std::uint64_t{1} << 63);
  // Short significands too: many trailing zeros make exact and halfway results.
  if (random() % 4 == 0) significand &= ~((std::uint64_t{1} << (random() % 60)) - 1);
  return FromBits(significand, static_cast<std::uint16_t>(exponent + 16383));
}

TEST(ExactScaling, AgreesWithTheUnit) {
  std::mt19937_64 random(27);
  for (int i = 0; i < 200000; ++i) {
    const Extended x = RandomPositive(random, -1000, 1000);
    const int power = static_cast<int>(random() % (kLargestExactPowerOfTen + 1));
    const Extended product = x * kSmallPowersOfTen[power];
    const Extended quotient = x / kSmallPowersOfTen[power];
    ASSERT_EQ(BitsText(Pack(MultiplyByExactPowerOfTen(Unpack(x), power), false)), BitsText(product))
        << BitsText(x) << " * 10^" << power;
    ASSERT_EQ(BitsText(Pack(DivideByExactPowerOfTen(Unpack(x), power), false)), BitsText(quotient))
        << BitsText(x) << " / 10^" << power;
  }
}

// Integers of up to 63 bits, as the reading accumulates them.
TEST(ExactScaling, IntegersAgreeWithTheUnit) {
  std::mt19937_64 random(63);
  for (int i = 0; i < 100000; ++i) {
    const std::uint64_t n = (random() >> (1 + random() % 63)) | 1;
    const int power = static_cast<int>(random() % (kLargestExactPowerOfTen + 1));
    const Extended x = static_cast<Extended>(n);
    EXPECT_EQ(BitsText(Pack(UnpackInteger(n), false)), BitsText(x));
    ASSERT_EQ(BitsText(Pack(MultiplyByExactPowerOfTen(UnpackInteger(n), power), true)),
              BitsText(-(x * kSmallPowersOfTen[power])))
        << n << "E" << power;
    ASSERT_EQ(BitsText(Pack(DivideByExactPowerOfTen(UnpackInteger(n), power), false)),
              BitsText(x / kSmallPowersOfTen[power]))
        << n << "E-" << power;
  }
}

// Number to 18 digits with Extended operations only: the estimated decimal
// exponent, the scaling through the tables, rintl (to nearest, ties to even), the division
// by 10 as an Extended number.
std::string EighteenDigitsByTheUnit(Extended x, int& k) {
  int e;
  std::frexp(x, &e);
  k = (((e - 1) * 19728) >> 16) + 1;
  Extended s = std::rintl(ScaleByPowerOfTen(x, 18 - k));
  if (s >= 1e18L) {
    s = s / 10;
    ++k;
  }
  auto n = static_cast<long long>(std::rintl(s));
  if (n < 100000000000000000LL) {
    n *= 10;
    --k;
  }
  std::string digits = std::to_string(n);
  while (digits.back() == '0') digits.pop_back();
  return digits;
}

TEST(ExactScaling, DigitsAgreeWithTheUnitBetweenTenToMinusNineAndTenToFortyFive) {
  std::mt19937_64 random(18);
  for (int i = 0; i < 200000; ++i) {
    // 2^-33 ~ 1.2e-10 to 2^152 ~ 5.7e45: the exact path and both sides of it.
    const Extended x = RandomPositive(random, -33, 152);
    int k;
    const std::string expected = EighteenDigitsByTheUnit(x, k);
    const DecimalForm form = MakeDecimalForm(x, 18);
    ASSERT_EQ(form.DigitString, expected) << BitsText(x);
    ASSERT_EQ(form.DecimalExponent, k) << BitsText(x);
  }
}

}  // namespace
}  // namespace bilan
