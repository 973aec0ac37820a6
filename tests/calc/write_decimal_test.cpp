// Number to text: the general format with 15 significant digits, the decimal
// form behind it, and the special encodings of the 80-bit format.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "calc/decimal_text.h"
#include "extended_test_util.h"
#include "scoped_decimal_mark.h"

namespace bilan {
namespace {

using testing::ScopedDecimalMark;

struct WriteCase {
  Extended value;  // decimal literals are the nearest Extended to the literal
  const char* text;
};

constexpr Extended kInfinity = std::numeric_limits<Extended>::infinity();

TEST(WriteDecimalFormat, WithComma) {
  ScopedDecimalMark mark(',');
  const std::vector<WriteCase> cases = {
      {0.0L, "0"},
      {-0.0L, "0"},
      {1, "1"},
      {0.5L, "0,5"},
      {-2.5L, "-2,5"},
      {0.1L, "0,1"},
      {1.0L / 3, "0,333333333333333"},
      {2.0L / 3, "0,666666666666667"},
      {100, "100"},
      {123.45L, "123,45"},
      {7008000.0L / 1000000, "7,008"},
      {123456789012345.0L, "123456789012345"},
      {100000000000000.5L, "100000000000001"},  // half up, not to even
      {100000000000002.5L, "100000000000003"},
      {999999999999999.5L, "1E15"},  // the carry makes 16 integer digits
      {999999999999999.0L, "999999999999999"},
      {1234567890123456.0L, "1,23456789012346E15"},
      {1e15L, "1E15"},
      {0.0001L, "0,0001"},
      {0.00001L, "1E-5"},
      {0.00003L, "3E-5"},
      {0.000099999999999999L, "9,9999999999999E-5"},
      {0.00012345L, "0,00012345"},
      {0.12345678901234549999L, "0,123456789012346"},
      {0.1234567890123454L, "0,123456789012345"},
      {1e100L, "1E100"},
      {-1e-100L, "-1E-100"},
      {9.98e-206L, "9,98E-206"},
      {1e4932L, "1E4932"},
      {-1.18973149535723176502e4932L, "-1,18973149535723E4932"},  // the largest finite
      {3.36210314311209350626e-4932L, "3,36210314311209E-4932"},  // the smallest normal
      {1e-4940L, "0"},                                            // a denormal
      {-1e-4945L, "0"},
      {std::numeric_limits<Extended>::denorm_min(), "0"},
      {kInfinity, "INF"},
      {-kInfinity, "-INF"},
      {std::numeric_limits<Extended>::quiet_NaN(), "NAN"},
      {-std::numeric_limits<Extended>::quiet_NaN(), "NAN"},
      {12, "12"},
      {1e14L, "100000000000000"},
      {-1e20L, "-1E20"},
      {2.4e21L, "2,4E21"},
      {87599999.99124L, "87599999,99124"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WriteDecimal(c.value), c.text) << testing::BitsText(c.value);
}

TEST(WriteDecimalFormat, WithFullStop) {
  ScopedDecimalMark mark('.');
  EXPECT_EQ(WriteDecimal(-2.5L), "-2.5");
  EXPECT_EQ(WriteDecimal(1.0L / 3), "0.333333333333333");
  EXPECT_EQ(WriteDecimal(1234567890123456.0L), "1.23456789012346E15");
  EXPECT_EQ(WriteDecimal(0.0001L), "0.0001");
  EXPECT_EQ(WriteDecimal(-kInfinity), "-INF");
}

// The last representable of each magnitude class around the notation
// switches: below 10^15 fixed, at 10^15 scientific; 0.0001 fixed, below it
// scientific, judged after the cut to 15 digits.
TEST(WriteDecimalFormat, NotationSwitches) {
  ScopedDecimalMark mark(',');
  EXPECT_EQ(WriteDecimal(std::nextafter(1e15L, 0.0L)), "1E15");
  EXPECT_EQ(WriteDecimal(999999999999999.4L), "999999999999999");
  EXPECT_EQ(WriteDecimal(std::nextafter(0.0001L, 0.0L)), "0,0001");
  EXPECT_EQ(WriteDecimal(9.999999999999994e-5L), "9,99999999999999E-5");
  EXPECT_EQ(WriteDecimal(9.999999999999995e-5L), "0,0001");
}

struct FormCase {
  Extended value;
  int precision;
  int exponent;
  bool negative;
  const char* digits;
};

TEST(MakeDecimalForm, Fields) {
  const std::vector<FormCase> cases = {
      {123.45L, 15, 3, false, "12345"},
      {-0.5L, 15, 0, true, "5"},
      {0.0L, 15, 0, false, ""},
      {-0.0L, 15, 0, false, ""},
      {1e-4940L, 15, 0, false, ""},
      {1.0L / 3, 18, 0, false, "333333333333333333"},
      {2.0L / 3, 18, 0, false, "666666666666666667"},
      {1.0L / 3, 2, 0, false, "33"},
      {9.96L, 2, 2, false, "1"},  // the carry out of the first digit
      {1.5L, 2, 1, false, "15"},
      {1e15L, 15, 16, false, "1"},
      {-1e-100L, 15, -99, true, "1"},
      {1.0L / 3, 40, 0, false, "333333333333333333"},  // precision clamped to 18
      {1.0L / 3, 1, 0, false, "33"},                   // and to 2
      {kInfinity, 15, 32767, false, ""},
      {-kInfinity, 15, 32767, true, ""},
      {std::numeric_limits<Extended>::quiet_NaN(), 15, -32768, false, ""},
      {-std::numeric_limits<Extended>::quiet_NaN(), 15, -32768, false, ""},
  };
  for (const auto& c : cases) {
    const DecimalForm form = MakeDecimalForm(c.value, c.precision);
    EXPECT_EQ(form.DecimalExponent, c.exponent)
        << testing::BitsText(c.value) << " P=" << c.precision;
    EXPECT_EQ(form.IsNegative, c.negative) << testing::BitsText(c.value);
    EXPECT_STREQ(form.DigitString, c.digits) << testing::BitsText(c.value) << " P=" << c.precision;
  }
}

// Encodings that arithmetic never produces still have a defined text: the
// exponent field all ones is an infinity when the significand is the integer
// bit alone or the integer bit is clear, a NaN otherwise; the exponent field
// zero is "0" whatever the significand.
TEST(MakeDecimalForm, SpecialEncodings) {
  struct Encoding {
    std::uint64_t significand;
    std::uint16_t sign_and_exponent;
    const char* text;
  };
  ScopedDecimalMark mark(',');
  const std::vector<Encoding> encodings = {
      {0x8000000000000000, 0x7FFF, "INF"},
      {0x8000000000000000, 0xFFFF, "-INF"},
      {0x0000000000000000, 0x7FFF, "INF"},   // integer bit clear
      {0x4000000000000001, 0xFFFF, "-INF"},  // integer bit clear, any payload
      {0xC000000000000000, 0x7FFF, "NAN"},
      {0x8000000000000001, 0xFFFF, "NAN"},  // a signalling NaN, negative
      {0x8000000000000000, 0x0000, "0"},    // a pseudo-denormal
      {0x0000000000000001, 0x8000, "0"},    // the smallest negative denormal
      {0xFFFFFFFFFFFFFFFF, 0x0000, "0"},
  };
  for (const auto& e : encodings)
    EXPECT_EQ(WriteDecimal(FromBits(e.significand, e.sign_and_exponent)), e.text)
        << std::hex << e.sign_and_exponent << ':' << e.significand;
}

TEST(FormatDecimal, OtherPrecisions) {
  ScopedDecimalMark mark(',');
  EXPECT_EQ(FormatDecimal(123456.0L, 5), "1,2346E5");
  EXPECT_EQ(FormatDecimal(12345.0L, 5), "12345");
  EXPECT_EQ(FormatDecimal(1.0L / 3, 18), "0,333333333333333333");
  EXPECT_EQ(FormatDecimal(-1.0L / 3 * 1e-4000L, 18), "-3,33333333333333333E-4001");
  EXPECT_EQ(FormatDecimal(100000000000000000.0L, 18), "100000000000000000");
  EXPECT_EQ(FormatDecimal(0.25L, 2), "0,25");
  EXPECT_EQ(FormatDecimal(0.255L, 2), "0,26");
}

}  // namespace
}  // namespace bilan
