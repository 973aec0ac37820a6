// Number to text against an outside oracle: the exact decimal expansion of the
// number (the C library prints it exactly), rounded as the procedure does,
// with both neighbours allowed only where the scaling's own rounding error
// (at most about a third of a unit of the last kept digit) could tip it.
// Checked on random numbers over the whole range, around every power of ten,
// around every power of two, and around 15-digit rounding boundaries; plus the
// round trip through ReadDecimal.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "calc/decimal_text.h"
#include "extended_test_util.h"
#include "scoped_decimal_mark.h"

namespace bilan {
namespace {

using testing::BitsText;
using testing::ScopedDecimalMark;

using Digits = std::pair<int, std::string>;  // decimal exponent k, digits

// The exact leading digits of |x| (a normal number) and its decimal exponent
// k, with 10^(k-1) <= |x| < 10^k.
struct Expansion {
  std::string digits;  // 60 significant digits
  int k;
};

Expansion Expand(Extended x) {
  char text[128];
  std::snprintf(text, sizeof text, "%.59Le", std::fabs(x));
  Expansion e;
  e.digits = std::string(1, text[0]) + std::string(text + 2, 59);
  e.k = std::atoi(text + 62) + 1;
  return e;
}

std::uint64_t Leading(const std::string& digits, int count) {
  std::uint64_t n = 0;
  for (int i = 0; i < count; ++i) n = n * 10 + (digits[i] - '0');
  return n;
}

// Cut half up to `precision` digits and drop trailing zeros, from 18 digits.
Digits Cut(std::uint64_t n18, int k, int precision) {
  std::string d = std::to_string(n18);
  if (d.size() == 19) {  // 10^18: one digit more
    d.pop_back();
    ++k;
  }
  std::string kept = d.substr(0, precision);
  if (precision < 18 && d[precision] >= '5') {
    int i = precision - 1;
    while (i >= 0 && kept[i] == '9') kept[i--] = '0';
    if (i < 0) {
      kept = "1";
      ++k;
    } else {
      ++kept[i];
    }
  }
  while (!kept.empty() && kept.back() == '0') kept.pop_back();
  return {k, kept};
}

std::set<Digits> Allowed(Extended x, int precision) {
  const Expansion e = Expand(x);
  int binary_exponent;
  std::frexp(x, &binary_exponent);
  const int estimate = (((binary_exponent - 1) * 19728) >> 16) + 1;
  // When the estimate is one too large the procedure keeps only 17 digits and
  // appends a zero.
  const int kept = estimate > e.k ? 17 : 18;
  const std::uint64_t n = Leading(e.digits, kept);
  const int fraction = std::atoi(e.digits.substr(kept, 3).c_str());  // in thousandths
  std::vector<std::uint64_t> candidates;
  if (fraction <= 850) candidates.push_back(n);
  if (fraction >= 150) candidates.push_back(n + 1);
  std::set<Digits> allowed;
  for (std::uint64_t c : candidates) allowed.insert(Cut(kept == 17 ? c * 10 : c, e.k, precision));
  return allowed;
}

void ExpectAllowed(Extended x) {
  for (const int precision : {15, 18}) {
    const DecimalForm form = MakeDecimalForm(x, precision);
    const std::set<Digits> allowed = Allowed(x, precision);
    const Digits actual{form.DecimalExponent, form.DigitString};
    if (allowed.count(actual) == 0) {
      std::string expected;
      for (const auto& [k, d] : allowed) expected += " 0." + d + "E" + std::to_string(k);
      ADD_FAILURE() << BitsText(x) << " P=" << precision << ": 0." << actual.second << "E"
                    << actual.first << ", expected one of" << expected;
      return;
    }
    EXPECT_EQ(form.IsNegative, x < 0);
  }
}

Extended RandomNormal(std::mt19937_64& random) {
  const auto exponent = static_cast<std::uint16_t>(1 + random() % 0x7FFE);
  const std::uint16_t sign = (random() & 1) ? 0x8000 : 0;
  return FromBits(random() | (std::uint64_t{1} << 63), exponent | sign);
}

TEST(WriteDecimalOracle, RandomNumbersOverTheWholeRange) {
  std::mt19937_64 random(15);
  for (int i = 0; i < 50000 && !HasFailure(); ++i) ExpectAllowed(RandomNormal(random));
}

TEST(WriteDecimalOracle, AroundEveryPowerOfTen) {
  for (int k = -4931; k <= 4932 && !HasFailure(); ++k) {
    const Extended power = std::strtold(("1e" + std::to_string(k)).c_str(), nullptr);
    Extended below = power, above = power;
    ExpectAllowed(power);
    for (int step = 0; step < 3; ++step) {
      below = std::nextafter(below, 0.0L);
      above = std::nextafter(above, HUGE_VALL);
      ExpectAllowed(below);
      if (!std::isinf(above)) ExpectAllowed(above);
    }
  }
}

// The estimate of the decimal exponent comes from the binary exponent alone,
// so every binade's two ends are where it can be wrong.
TEST(WriteDecimalOracle, AroundEveryPowerOfTwo) {
  for (int e = -16381; e <= 16383 && !HasFailure(); ++e) {
    const Extended power = std::ldexp(1.0L, e);
    ExpectAllowed(power);
    ExpectAllowed(std::nextafter(power, 0.0L));
    ExpectAllowed(-std::nextafter(power, HUGE_VALL));
  }
}

// Numbers whose 16th and later digits sit on or next to the half: the two
// roundings (to 18 digits, then half up to 15) decide.
TEST(WriteDecimalOracle, AroundFifteenDigitBoundaries) {
  std::mt19937_64 random(1515);
  const char* tails[] = {"5", "49999", "4999", "50001", "49", "51", "4999999", "499999999"};
  for (int i = 0; i < 10000 && !HasFailure(); ++i) {
    std::string text = std::to_string(100000000000000 + random() % 900000000000000);
    text += tails[random() % std::size(tails)];
    text += "e" + std::to_string(static_cast<int>(random() % 9800) - 4900);
    Extended x = std::strtold(text.c_str(), nullptr);
    for (int step = 0; step < 3; ++step) x = std::nextafter(x, 0.0L);
    for (int step = 0; step < 6; ++step, x = std::nextafter(x, HUGE_VALL)) ExpectAllowed(x);
  }
}

// The double rounding: digits 16 to 20 are 49999, and the 18-digit rounding
// carries into the 16th digit before the cut. Here the exponent estimate is
// one too small, so 19 digits are rounded to an integer first and then divided
// by 10 and rounded to even: ...4549949 becomes ...45499|5 and then ...455.
TEST(WriteDecimalOracle, DoubleRoundingExamples) {
  ScopedDecimalMark mark(',');
  EXPECT_EQ(WriteDecimal(0.12345678901234549999L), "0,123456789012346");
  EXPECT_EQ(WriteDecimal(0.12345678901234549949L), "0,123456789012346");
  EXPECT_EQ(WriteDecimal(0.12345678901234549940L), "0,123456789012345");
  EXPECT_STREQ(MakeDecimalForm(0.12345678901234549949L, 18).DigitString, "1234567890123455");
  EXPECT_STREQ(MakeDecimalForm(0.12345678901234549940L, 18).DigitString, "123456789012345499");
}

// Every text written for a finite number is read back; the number read
// writes the same text again and lies within half a unit of the 15th digit.
TEST(WriteDecimalRoundTrip, EveryWrittenTextIsReadBack) {
  std::mt19937_64 random(2);
  for (const char mark_char : {',', '.'}) {
    ScopedDecimalMark mark(mark_char);
    for (int i = 0; i < 100000; ++i) {
      const Extended x = RandomNormal(random);
      const std::string text = WriteDecimal(x);
      Extended y = 0;
      ASSERT_TRUE(TryReadDecimal(text, y)) << BitsText(x) << " wrote \"" << text << '"';
      ASSERT_EQ(WriteDecimal(y), text) << BitsText(x);
      if (std::fabs(x) >= 1e-4930L) {
        ASSERT_LE(std::fabs(y / x - 1), 5.0001e-15L) << BitsText(x) << " \"" << text << '"';
      }
    }
  }
}

}  // namespace
}  // namespace bilan
