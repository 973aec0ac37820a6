// The conversions and the calculation compute with rounding to nearest and a
// 64-bit significand whatever the caller has set, and hand the caller's
// floating-point settings back untouched, with no flag of their own left set.

#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <string>

#include "calc/decimal_text.h"
#include "calc/energy_balance.h"
#include "extended_test_util.h"
#include "platform/runtime/errors.h"
#include "recording_fields.h"
#include "scoped_decimal_mark.h"

namespace bilan {
namespace {

using testing::BitsText;
using testing::ScopedDecimalMark;

std::uint16_t ControlWord() {
  std::uint16_t control;
  asm volatile("fnstcw %0" : "=m"(control) : : "memory");
  return control;
}

std::uint16_t StatusFlags() {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status) : : "memory");
  return status & 0x3F;
}

void LoadControlWord(std::uint16_t control) {
  asm volatile("fldcw %0" : : "m"(control) : "memory");
}

// Installs a control word for one test and restores the process's environment.
class ForeignEnvironment : public ::testing::Test {
 protected:
  void SetUp() override { std::fegetenv(&saved_); }
  void TearDown() override { std::fesetenv(&saved_); }

 private:
  std::fenv_t saved_;
};

// 53-bit precision (bits 8-9 = 10) and rounding up (bits 10-11 = 10), all
// exceptions masked: every rounded operation would differ if it ran there.
constexpr std::uint16_t kDoubleRoundingUp = 0x0A7F;
// The control word of the original environment: overflow, division by zero
// and invalid operation unmasked, 64-bit, to nearest.
constexpr std::uint16_t kTrapping = 0x1332;

struct Sample {
  const char* text;
  const char* written;
};

// Texts whose reading and writing round at some step.
const Sample kSamples[] = {
    {"0,1", "0,1"},
    {"0,3333333333333333333", "0,333333333333333"},
    {"2,5E-4940", "0"},
    {"1,18973149535723E4932", "1,18973149535723E4932"},
    {"12345678901234567890123", "1,23456789012346E22"},
    {"9,99999999999999E-5", "9,99999999999999E-5"},
};

TEST_F(ForeignEnvironment, ConversionsIgnoreTheCallersPrecisionAndRounding) {
  ScopedDecimalMark mark(',');
  // Values read in the process's own environment, as references.
  Extended expected[std::size(kSamples)];
  for (std::size_t i = 0; i < std::size(kSamples); ++i) expected[i] = ReadDecimal(kSamples[i].text);
  const Extended third = 1.0L / 3;
  std::feclearexcept(FE_ALL_EXCEPT);

  for (const std::uint16_t control : {kDoubleRoundingUp, kTrapping}) {
    LoadControlWord(control);
    const std::uint16_t installed = ControlWord();  // bit 6 always reads as 1
    for (std::size_t i = 0; i < std::size(kSamples); ++i) {
      const Extended value = ReadDecimal(kSamples[i].text);
      const std::string written = WriteDecimal(value);
      const DecimalForm form = MakeDecimalForm(third, 18);
      const Extended scaled = ScaleByPowerOfTen(3.0L, -1);
      EXPECT_EQ(ControlWord(), installed);
      EXPECT_EQ(StatusFlags(), 0) << kSamples[i].text;
      EXPECT_EQ(BitsText(value), BitsText(expected[i])) << kSamples[i].text;
      EXPECT_EQ(written, kSamples[i].written);
      EXPECT_STREQ(form.DigitString, "333333333333333333");
      EXPECT_EQ(BitsText(scaled), BitsText(0.3L));  // 3 / 10, rounded once to nearest
    }
    // A rejected overflow raises nothing either, and never traps.
    Extended untouched = 5;
    EXPECT_FALSE(TryReadDecimal("9E4932", untouched));
    EXPECT_FALSE(TryReadDecimal("1" + std::string(5000, '0'), untouched));
    EXPECT_EQ(ControlWord(), installed);
    EXPECT_EQ(StatusFlags(), 0);
    LoadControlWord(0x037F);
  }
}

// Flags raised before the call, in the x87 unit or the SSE unit, are still
// raised after it, and the conversions add none.
TEST_F(ForeignEnvironment, FlagsTheCallerHadSurvive) {
  ScopedDecimalMark mark(',');
  const Extended two_thirds = 2.0L / 3;
  std::feclearexcept(FE_ALL_EXCEPT);
  volatile long double zero = 0;
  volatile long double infinite = 1 / zero;  // an x87 division: its own flag
  (void)infinite;
  ASSERT_EQ(StatusFlags(), FE_DIVBYZERO);
  volatile double tiny = 1e-300;
  volatile double underflowed = tiny * tiny;  // an SSE multiplication: underflow, inexact
  (void)underflowed;
  LoadControlWord(kDoubleRoundingUp);
  const std::uint16_t installed = ControlWord();
  EXPECT_EQ(BitsText(ReadDecimal("0,1")), BitsText(0.1L));
  EXPECT_EQ(WriteDecimal(two_thirds), "0,666666666666667");
  Extended untouched = 5;
  EXPECT_FALSE(TryReadDecimal("9E4932", untouched));
  EXPECT_EQ(ControlWord(), installed);
  EXPECT_EQ(StatusFlags(), FE_DIVBYZERO);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_DIVBYZERO | FE_UNDERFLOW | FE_INEXACT);
}

TEST_F(ForeignEnvironment, CalculationIgnoresTheCallersSettings) {
  ScopedDecimalMark mark(',');
  std::feclearexcept(FE_ALL_EXCEPT);
  for (const std::uint16_t control : {kDoubleRoundingUp, kTrapping}) {
    LoadControlWord(control);
    const std::uint16_t installed = ControlWord();
    testing::RecordingFields fields;
    fields.edit[0].Preset("10");
    fields.edit[1].Preset("1E-14");
    EnergyBalance(fields.Set());
    EXPECT_EQ(fields.Written(),
              (std::vector<std::string>{"9,99999999999999", "240", "87600", "0,0876"}));
    // The overflow of a stage is an error, not a trap, and leaves no flag.
    testing::RecordingFields huge;
    huge.edit[0].Preset("1E4931");
    huge.edit[1].Preset("0");
    EXPECT_THROW(EnergyBalance(huge.Set()), EOverflow);
    EXPECT_EQ(ControlWord(), installed);
    EXPECT_EQ(StatusFlags(), 0);
    LoadControlWord(0x037F);
  }
}

}  // namespace
}  // namespace bilan
