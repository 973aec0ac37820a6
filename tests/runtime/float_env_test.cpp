// The process's floating-point environment after start-up.

#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>

#include "platform/runtime/float_env.h"

namespace bilan {
namespace {

TEST(FloatingPointEnvironment, MaskedRoundToNearestSixtyFourBits) {
  std::fenv_t saved;
  std::fegetenv(&saved);
  // Start from something else: 53-bit precision, rounding down, and a flag
  // raised; then overflow, division by zero and invalid operation unmasked.
  const std::uint16_t foreign = 0x067F;
  asm volatile("fldcw %0" : : "m"(foreign) : "memory");
  volatile long double one = 1;
  volatile long double third = one / 3;  // raises inexact
  (void)third;
  const std::uint16_t trapping = 0x0672;
  asm volatile("fldcw %0" : : "m"(trapping) : "memory");

  InitFloatingPointEnvironment();

  std::uint16_t control, status;
  asm volatile("fnstcw %0" : "=m"(control) : : "memory");
  asm volatile("fnstsw %0" : "=m"(status) : : "memory");
  EXPECT_EQ(control & 0x0F3F, 0x033F) << std::hex << control;
  EXPECT_EQ(status & 0x3F, 0) << std::hex << status;
  EXPECT_EQ(std::fegetround(), FE_TONEAREST);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
  // 1/3 rounded to 64 bits, to nearest.
  volatile long double x = one / 3;
  constexpr long double kThird = 1.0L / 3;  // folded by the compiler: 64 bits, to nearest
  EXPECT_EQ(x, kThird);
  EXPECT_EQ(-one / 3, -kThird);
  std::fesetenv(&saved);
}

}  // namespace
}  // namespace bilan
