// Text to number: the accepted syntax, the exact values, the rejections and
// their message, and texts of any length and any byte.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/decimal_text.h"
#include "extended_test_util.h"
#include "platform/runtime/errors.h"
#include "scoped_decimal_mark.h"

namespace bilan {
namespace {

using testing::BitsText;
using testing::ScopedDecimalMark;

struct ReadCase {
  std::string text;
  Extended value;
};

void ExpectReads(const std::vector<ReadCase>& cases) {
  for (const auto& c : cases) {
    Extended value = 42;
    ASSERT_TRUE(TryReadDecimal(c.text, value)) << '"' << c.text << '"';
    EXPECT_EQ(BitsText(value), BitsText(c.value)) << '"' << c.text << '"';
  }
}

void ExpectRejects(const std::vector<std::string>& texts) {
  for (const auto& text : texts) {
    Extended value = 42;
    EXPECT_FALSE(TryReadDecimal(text, value)) << '"' << text << '"';
    EXPECT_EQ(BitsText(value), BitsText(42)) << '"' << text << "\": value changed on rejection";
  }
}

// Accepted, and within a relative tolerance of expected (by default a few
// units in the last place of the 64-bit significand).
void ExpectNear(const std::string& text, Extended expected, Extended tolerance = 2e-19L) {
  Extended value = 0;
  ASSERT_TRUE(TryReadDecimal(text, value)) << '"' << text << '"';
  EXPECT_LE(std::fabs(value / expected - 1), tolerance) << '"' << text << '"';
}

TEST(ReadDecimalSyntax, AcceptedWithComma) {
  ScopedDecimalMark mark(',');
  ExpectReads({
      {"12", 12},          {" 12 ", 12},      {"+12", 12},        {"0012", 12},
      {"   12", 12},       {"12   ", 12},     {"-1,5", -1.5L},    {",5", 0.5L},
      {"+,5", 0.5L},       {"-,5", -0.5L},    {"5,", 5},          {",", 0.0L},
      {"+,", 0.0L},        {" , ", 0.0L},     {"0", 0.0L},        {"-0", -0.0L},
      {"-,", -0.0L},       {"-0,000", -0.0L}, {"0,1", 0.1L},      {"1e3", 1000},
      {"1E3", 1000},       {"1E+3", 1000},    {"1E+0003", 1000},  {"1e-3", 1.0L / 1000},
      {"5E", 5},           {"5E+", 5},        {"5E-", 5},         {"5e", 5},
      {",E5", 0.0L},       {"-,E5", -0.0L},   {"2,5E-1 ", 0.25L}, {"1E27", 1e27L},
      {"-1E-1", -0.1L},    {"0,5E1", 5},      {"12,50", 12.5L},   {"1E-4999", 0.0L},
      {"-1E-4999", -0.0L},
  });
}

TEST(ReadDecimalSyntax, AcceptedWithFullStop) {
  ScopedDecimalMark mark('.');
  ExpectReads({{"1.5", 1.5L}, {".5", 0.5L}, {"-.", -0.0L}, {"5.", 5}, {" -2.25E1 ", -22.5L}});
  ExpectRejects({"1,5", ",5", "1.5.3", "1,000.5"});
}

TEST(ReadDecimalSyntax, Rejected) {
  ScopedDecimalMark mark(',');
  ExpectRejects({
      "",
      " ",
      "   ",
      "+",
      "-",
      "E5",
      "e",
      "+E5",
      "--5",
      "+-5",
      "-+5",
      "- 5",
      "5-",
      "5+",
      "1.5",
      "1 000",
      "1,5,3",
      "1,,5",
      "1E 5",
      "1 E5",
      "1E+ 5",
      "1E--5",
      "1E+-5",
      "12abc",
      "0x10",
      "INF",
      "NAN",
      "\t12",
      "12\t",
      "12\n",
      "1E5E5",
      "1E5,5",
      "1e1.5",
      "1 ,5",
      "1, 5",
      "++1",
      ",,",
      "E",
      "1EE5",
      "1e5 x",
      "\xC2\xA0"
      "12",
      "12\xC2\xA0",
      std::string("1\0", 2),
      std::string("\0", 1),
      "\xE9",
      "1\xE9",
  });
}

// The exponent reading stops right after the digit that brings it to 500 or
// more; a digit left unread then rejects the text.
TEST(ReadDecimalExponent, StopsAtFiveHundred) {
  ScopedDecimalMark mark(',');
  ExpectNear("1E500", 1e500L);
  ExpectNear("1E0500", 1e500L);
  ExpectNear("1E1000", 1e1000L);
  ExpectNear("1E-1000", 1e-1000L);
  // A denormal: its grid is coarser, so only about 35 bits of it are significant.
  Extended tiny = 0;
  ASSERT_TRUE(TryReadDecimal("1E-4940", tiny));
  EXPECT_EQ(BitsOf(tiny).sign_and_exponent, 0);
  EXPECT_LE(std::fabs(tiny / 1e-4940L - 1), 1e-10L);
  ExpectNear("1E499", 1e499L);
  ExpectRejects(
      {"1E4999", "1E10000", "1E05000", "1E-5000", "1E5000", "1E50000", "1E1000 0", "1E000005000"});
  ExpectNear("1E00000500", 1e500L);
  // Leading zeros keep n at 0, so they may be as many as wanted.
  ExpectReads({{"1E" + std::string(1000, '0') + "3", 1000}});
}

TEST(ReadDecimalRange, OverflowRejects) {
  ScopedDecimalMark mark(',');
  ExpectNear("1E4932", 1e4932L);
  ExpectNear("1,1E4932", 1.1e4932L);
  ExpectNear("1" + std::string(4932, '0'), 1e4932L);
  ExpectNear("-1" + std::string(4932, '0'), -1e4932L);
  ExpectRejects({"1E4933", "9E4932", "-9E4932", "1" + std::string(4933, '0'),
                 // The accumulation overflows; dividing afterwards does not save it.
                 "1" + std::string(4933, '0') + "E-4999", "1" + std::string(4933, '0') + ",5E-4999",
                 "0," + std::string(4940, '9') + "E-4999"});
}

// Scaling by 10^-5120 or less gives zero outright, although the exact value
// may be well inside the range.
TEST(ReadDecimalRange, BelowThePowerTablesIsZero) {
  ScopedDecimalMark mark(',');
  const std::string big = "1" + std::string(180, '0');
  ExpectReads({{big + "," + std::string(121, '0') + "E-4999", 0.0L},
               {"-" + big + "," + std::string(121, '0') + "E-4999", -0.0L},
               {"0," + std::string(121, '0') + "1E-4999", 0.0L}});
  // One fraction digit fewer and the same digits scale to about 10^-4819
  // (the accumulation of 301 digits rounds at most steps).
  ExpectNear(big + "," + std::string(120, '0') + "E-4999", 1e-4819L, 1e-16L);
}

TEST(ReadDecimalValue, DivisionIsOneRounding) {
  ScopedDecimalMark mark(',');
  // 0,1 is 1 divided by 10; 0,3 is 3 divided by 10; each one rounded operation.
  ExpectReads({{"0,1", 1.0L / 10},
               {"0,3", 3.0L / 10},
               {"0,0001", 1.0L / 10000},
               {"123,45", 12345.0L / 100}});
}

// Up to 19 significant digits the accumulator is exact; beyond that each digit
// step rounds, and the result is not always the nearest Extended.
TEST(ReadDecimalValue, LongMantissasRoundAtEachStep) {
  ScopedDecimalMark mark(',');
  ExpectReads({
      {"9999999999999999999", 9999999999999999999.0L},
      {"18446744073709551615", 18446744073709551615.0L},  // 2^64 - 1, still exact
      // 2^64 + 1: halfway between 2^64 and 2^64 + 2, ties to even.
      {"18446744073709551617", 18446744073709551616.0L},
      // 2^65 + 3: the unit there is 4; the nearest is 2^65 + 4.
      {"36893488147419103235", 36893488147419103236.0L},
      // 2^64 + 3: halfway between 2^64 + 2 and 2^64 + 4; to even is 2^64 + 4.
      {"18446744073709551619", 18446744073709551620.0L},
  });
}

TEST(ReadDecimalErrors, MessageQuotesTheWholeTextUnchanged) {
  ScopedDecimalMark mark(',');
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "'' n'est pas une valeur en virgule flottante correcte"},
      {" 1.5", "' 1.5' n'est pas une valeur en virgule flottante correcte"},
      {"  ", "'  ' n'est pas une valeur en virgule flottante correcte"},
      {"1\xC3\xA9", "'1\xC3\xA9' n'est pas une valeur en virgule flottante correcte"},
      {std::string("1\0"
                   "2",
                   3),
       std::string("'1\0"
                   "2' n'est pas une valeur en virgule flottante correcte",
                   56)},
      {"'x'", "''x'' n'est pas une valeur en virgule flottante correcte"},
  };
  for (const auto& [text, message] : cases) {
    try {
      ReadDecimal(text);
      ADD_FAILURE() << "accepted \"" << text << '"';
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), message);
      EXPECT_STREQ(error.ClassName(), "EConvertError");
    }
  }
}

TEST(ReadDecimalErrors, ReadDecimalReturnsTheAcceptedValue) {
  ScopedDecimalMark mark(',');
  EXPECT_EQ(BitsText(ReadDecimal("-0")), BitsText(-0.0L));
  EXPECT_EQ(BitsText(ReadDecimal(" 250,5 ")), BitsText(250.5L));
}

// A megabyte of digits, in every part of the text, is read in one pass and
// gives the right answer.
TEST(ReadDecimalRobustness, MegabyteTexts) {
  ScopedDecimalMark mark(',');
  const std::string megabyte(1 << 20, '9');
  // The accumulator overflows, wherever the digits stand.
  ExpectRejects({megabyte, "0," + megabyte, "-," + megabyte + "E-4999", "1E" + megabyte,
                 megabyte + " x", std::string(1 << 20, ' ')});
  const std::string zeros(1 << 20, '0');
  ExpectReads({{zeros, 0.0L},
               {"-" + zeros + ",5", -0.5L},
               {"0," + zeros + "1", 0.0L},  // scaled by 10^-(2^20 + 1)
               {std::string(1 << 20, ' ') + "7" + std::string(1 << 20, ' '), 7}});
  EXPECT_THROW(ReadDecimal(megabyte), EConvertError);
  try {
    ReadDecimal(megabyte);
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(),
              "'" + megabyte + "' n'est pas une valeur en virgule flottante correcte");
  }
}

}  // namespace
}  // namespace bilan

namespace bilan {
namespace {

// Both conversions read the mark at every call: a text written with the old
// mark is rejected after a change, and the next text is written with the new.
TEST(DecimalMarkChange, TakesEffectAtTheNextCall) {
  testing::ScopedDecimalMark comma(',');
  const std::string written = WriteDecimal(12.5L);
  EXPECT_EQ(written, "12,5");
  {
    testing::ScopedDecimalMark full_stop('.');
    Extended value = 0;
    EXPECT_FALSE(TryReadDecimal(written, value));
    EXPECT_EQ(WriteDecimal(12.5L), "12.5");
    EXPECT_TRUE(TryReadDecimal("12.5", value));
    EXPECT_EQ(value, 12.5L);
  }
  EXPECT_EQ(ReadDecimal(written), 12.5L);
}

}  // namespace
}  // namespace bilan
