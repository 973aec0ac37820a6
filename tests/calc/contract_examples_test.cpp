// The input -> output examples written in calc/decimal_text.h hold.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "calc/decimal_text.h"
#include "extended_test_util.h"
#include "scoped_decimal_mark.h"

namespace bilan {
namespace {

using testing::BitsText;

TEST(ContractExamples, Reading) {
  testing::ScopedDecimalMark mark(',');
  const struct {
    std::string text;
    Extended value;
  } accepted[] = {
      {"12", 12},        {" 12 ", 12}, {"+12", 12},
      {"0012", 12},      {",5", 0.5L}, {"-,", -0.0L},
      {"1E+0003", 1000}, {"5E", 5},    {"0," + std::string(121, '0') + "1E-4999", 0.0L},
  };
  for (const auto& a : accepted)
    EXPECT_EQ(BitsText(ReadDecimal(a.text)), BitsText(a.value)) << a.text;
  Extended value = 0;
  ASSERT_TRUE(TryReadDecimal("1E500", value));
  EXPECT_LE(std::fabs(value / 1e500L - 1), 2e-19L);
  ASSERT_TRUE(TryReadDecimal("1E1000", value));
  EXPECT_LE(std::fabs(value / 1e1000L - 1), 2e-19L);
  for (const char* rejected : {"1E05000", "", "1.5", "1 000", "\t12", "1E 5", "INF"})
    EXPECT_FALSE(TryReadDecimal(rejected, value)) << rejected;
}

TEST(ContractExamples, Writing) {
  testing::ScopedDecimalMark mark(',');
  constexpr Extended inf = std::numeric_limits<Extended>::infinity();
  const struct {
    Extended value;
    const char* text;
  } written[] = {
      {0.0L, "0"},
      {-0.0L, "0"},
      {1e-4940L, "0"},
      {1.0L / 3, "0,333333333333333"},
      {123.45L, "123,45"},
      {1e15L, "1E15"},
      {0.0001L, "0,0001"},
      {0.00001L, "1E-5"},
      {999999999999999.5L, "1E15"},
      {100000000000000.5L, "100000000000001"},
      {0.12345678901234549999L, "0,123456789012346"},
      {inf, "INF"},
      {-inf, "-INF"},
      {std::numeric_limits<Extended>::quiet_NaN(), "NAN"},
  };
  for (const auto& w : written) EXPECT_EQ(WriteDecimal(w.value), w.text) << BitsText(w.value);
}

}  // namespace
}  // namespace bilan
