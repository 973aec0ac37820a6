#pragma once
// The Extended helpers of calc/extended.h on the software arithmetic, chosen
// there where long double is not the x87 format, or on request with
// BILAN_SOFTWARE_EXTENDED. Same names and meanings as the hardware helpers;
// the overflow and other flags go to the calling thread's sticky flags.
//
// Include calc/extended.h, not this file.

#include <cstdint>

#include "calc/soft_extended.h"

namespace bilan {

using Extended = SoftExtended;

inline Extended Add(Extended a, Extended b) { return a + b; }
inline Extended Subtract(Extended a, Extended b) { return a - b; }
inline Extended Multiply(Extended a, Extended b) { return a * b; }
inline Extended Divide(Extended a, Extended b) { return a / b; }
inline Extended Negate(Extended x) { return -x; }
inline Extended Magnitude(Extended x) { return x.Abs(); }

// To nearest, ties to even: the software arithmetic knows no other mode.
inline Extended RoundToInteger(Extended x) { return RoundToInteger(x, SoftFlagsOfThread()); }

// The value of an Extended that already holds an integer below 2^63.
inline std::int64_t IntegerValue(Extended integral) {
  const auto magnitude = static_cast<std::int64_t>(integral.TruncateToUnsigned());
  return integral.IsNegative() ? -magnitude : magnitude;
}

inline constexpr Extended FromInteger(std::int64_t n) { return SoftExtended::FromInteger(n); }

inline bool IsInfinite(Extended x) { return x.IsInfinite(); }

inline ExtendedBits BitsOf(Extended x) { return {x.Significand(), x.SignExponent()}; }

inline constexpr Extended FromBits(std::uint64_t significand, std::uint16_t sign_and_exponent) {
  return SoftExtended::FromBits(sign_and_exponent, significand);
}

// The software arithmetic always rounds to nearest with a 64-bit significand;
// the scope only keeps the flags raised inside from reaching the caller, and
// gives back the ones the caller had.
class ExtendedArithmeticScope {
 public:
  ExtendedArithmeticScope() noexcept : caller_flags_(SoftFlagsOfThread()) { ClearSoftFlags(); }
  ~ExtendedArithmeticScope() { SoftFlagsOfThread() = caller_flags_; }
  ExtendedArithmeticScope(const ExtendedArithmeticScope&) = delete;
  ExtendedArithmeticScope& operator=(const ExtendedArithmeticScope&) = delete;

 private:
  SoftFlags caller_flags_;
};

}  // namespace bilan
