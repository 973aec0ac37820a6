#pragma once
// Makes the x87 unit round to nearest with a 64-bit significand and every
// exception masked for the lifetime of the object, whatever the caller had set,
// and gives the caller back its own settings afterwards with no exception flag
// raised by the work done inside.
//
// Cheap on purpose: it reads the control and status words and writes the
// control word only when it differs from what we need. Only when the caller
// already had exception flags set does it save and restore the whole
// environment, so that those flags survive.
//
// Does not touch the SSE unit (no Extended arithmetic runs there).

#include <cfenv>
#include <cstdint>

#include "calc/extended.h"

// The software backend brings its own scope (calc/soft_backend.h).
#ifndef BILAN_EXTENDED_IN_SOFTWARE

namespace bilan {

class ExtendedArithmeticScope {
 public:
  ExtendedArithmeticScope() noexcept {
    std::uint16_t status;
    asm volatile("fnstsw %0" : "=m"(status) : : "memory");
    asm volatile("fnstcw %0" : "=m"(caller_control_) : : "memory");
    caller_had_flags_ = (status & kExceptionFlags) != 0;
    if (caller_had_flags_) {
      std::fegetenv(&caller_environment_);
      asm volatile("fnclex" : : : "memory");
    }
    // Keep the caller's reserved and infinity-control bits; set the masks,
    // 64-bit precision control and rounding to nearest.
    wanted_control_ = static_cast<std::uint16_t>((caller_control_ & ~kManagedBits) | kWantedBits);
    if (wanted_control_ != caller_control_)
      asm volatile("fldcw %0" : : "m"(wanted_control_) : "memory");
  }

  ~ExtendedArithmeticScope() {
    if (caller_had_flags_) {
      std::fesetenv(&caller_environment_);
      return;
    }
    asm volatile("fnclex" : : : "memory");
    if (wanted_control_ != caller_control_)
      asm volatile("fldcw %0" : : "m"(caller_control_) : "memory");
  }

  ExtendedArithmeticScope(const ExtendedArithmeticScope&) = delete;
  ExtendedArithmeticScope& operator=(const ExtendedArithmeticScope&) = delete;

 private:
  static constexpr std::uint16_t kExceptionFlags = 0x003F;  // IE DE ZE OE UE PE
  static constexpr std::uint16_t kManagedBits = 0x0F3F;     // masks, precision, rounding
  static constexpr std::uint16_t kWantedBits = 0x033F;      // all masked, 64-bit, nearest

  std::uint16_t caller_control_;
  std::uint16_t wanted_control_;
  bool caller_had_flags_;
  std::fenv_t caller_environment_;
};

}  // namespace bilan

#endif
