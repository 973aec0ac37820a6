// Properties of text to number that tables cannot reach: every byte value in
// every position class, and exact agreement with a correctly rounded reading
// wherever the procedure has a single rounding (at most 19 significant digits
// and a power of ten up to 10^27, which the table holds exactly).

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "calc/decimal_text.h"
#include "extended_test_util.h"
#include "scoped_decimal_mark.h"

namespace bilan {
namespace {

using testing::BitsText;
using testing::ScopedDecimalMark;

bool IsAsciiDigit(int c) { return c >= '0' && c <= '9'; }

// Each byte between two digit groups, before them and after them: only the
// bytes with a meaning may be accepted there.
TEST(ReadDecimalBytes, EveryByteValueInEveryPlace) {
  for (const char mark : {',', '.'}) {
    ScopedDecimalMark scoped(mark);
    for (int b = 0; b < 256; ++b) {
      const std::string byte(1, static_cast<char>(b));
      Extended value = 42;
      const bool exponent_letter = b == 'E' || b == 'e';
      EXPECT_EQ(TryReadDecimal("12" + byte + "34", value),
                IsAsciiDigit(b) || b == mark || exponent_letter)
          << "byte " << b << " between digits, mark " << mark;
      EXPECT_EQ(TryReadDecimal(byte + "12", value),
                IsAsciiDigit(b) || b == ' ' || b == '+' || b == '-' || b == mark)
          << "byte " << b << " in front, mark " << mark;
      EXPECT_EQ(TryReadDecimal("12" + byte, value),
                IsAsciiDigit(b) || b == ' ' || b == mark || exponent_letter)
          << "byte " << b << " at the end, mark " << mark;
      EXPECT_EQ(TryReadDecimal(byte, value), IsAsciiDigit(b) || b == mark)
          << "byte " << b << " alone, mark " << mark;
    }
  }
}

// The C library's reading is correctly rounded; with at most 19 digits and an
// exact power of ten the procedure rounds once, so the two must agree bit for
// bit.
Extended CorrectlyRounded(const std::string& text_with_full_stop) {
  return std::strtold(text_with_full_stop.c_str(), nullptr);
}

TEST(ReadDecimalExactness, AgreesWithCorrectRoundingForShortTexts) {
  std::mt19937_64 random(20261211);
  for (const char mark : {',', '.'}) {
    ScopedDecimalMark scoped(mark);
    for (int i = 0; i < 50000; ++i) {
      const int digit_count = 1 + static_cast<int>(random() % 19);
      std::string digits;
      for (int d = 0; d < digit_count; ++d) digits += static_cast<char>('0' + random() % 10);
      const int point = static_cast<int>(random() % (digit_count + 1));
      const int fraction = digit_count - point;
      // Any exponent keeping |exponent - fraction| <= 27.
      const int power = static_cast<int>(random() % 55) - 27;
      const int exponent = power + fraction;
      const std::string sign = (random() & 1) ? "-" : "";
      const std::string tail = "E" + std::to_string(exponent);
      const std::string ours = sign + digits.substr(0, point) + mark + digits.substr(point) + tail;
      const std::string c_text = sign + digits.substr(0, point) + "." + digits.substr(point) + tail;
      Extended value = 0;
      ASSERT_TRUE(TryReadDecimal(ours, value)) << ours;
      ASSERT_EQ(BitsText(value), BitsText(CorrectlyRounded(c_text))) << ours;
    }
  }
}

// m * 10^p exactly halfway between two Extended numbers: m * 5^p is odd with
// 65 bits, so the last bit is a tie, resolved to even.
TEST(ReadDecimalExactness, HalfwayProductsRoundToEven) {
  ScopedDecimalMark scoped(',');
  std::mt19937_64 random(65);
  int checked = 0;
  for (int p = 1; p <= 27; ++p) {
    unsigned __int128 five_p = 1;
    for (int i = 0; i < p; ++i) five_p *= 5;
    const unsigned __int128 low = (static_cast<unsigned __int128>(1) << 64) / five_p + 1;
    const unsigned __int128 high = (static_cast<unsigned __int128>(1) << 65) / five_p;
    for (int i = 0; i < 200 && low < high; ++i) {
      auto m = static_cast<std::uint64_t>(low + random() % static_cast<std::uint64_t>(high - low));
      m |= 1;  // odd m and odd 5^p: the product is odd
      if (m >= high || m >= 10000000000000000000ull) continue;
      const std::string text = std::to_string(m) + "E" + std::to_string(p);
      Extended value = 0;
      ASSERT_TRUE(TryReadDecimal(text, value)) << text;
      ASSERT_EQ(BitsText(value), BitsText(CorrectlyRounded(text))) << text;
      // The tie went to an even significand.
      EXPECT_EQ(BitsOf(value).significand & 1, 0u) << text;
      ++checked;
    }
  }
  EXPECT_GT(checked, 1000);
}

// Longer texts round at every accumulation step beyond 19 digits, so they are
// only close to the correctly rounded value: about one rounding per digit.
TEST(ReadDecimalExactness, LongTextsStayClose) {
  ScopedDecimalMark scoped(',');
  std::mt19937_64 random(4932);
  for (int i = 0; i < 5000; ++i) {
    const int digit_count = 20 + static_cast<int>(random() % 200);
    std::string digits(1, static_cast<char>('1' + random() % 9));
    for (int d = 1; d < digit_count; ++d) digits += static_cast<char>('0' + random() % 10);
    const int exponent = static_cast<int>(random() % 9000) - 4500 - digit_count;
    const std::string text = digits + "E" + std::to_string(exponent);
    Extended value = 0;
    ASSERT_TRUE(TryReadDecimal(text, value)) << text;
    const Extended reference = CorrectlyRounded(text);
    EXPECT_LE(std::fabs(value / reference - 1), (digit_count + 4) * 0x1p-64L) << text;
  }
}

}  // namespace
}  // namespace bilan
