#pragma once
// The extended number of the calculation and the few operations the core does
// on it. Every operation rounds its exact result once to the 80-bit format
// (64-bit significand), to nearest with ties to even, provided it runs inside an
// ExtendedArithmeticScope. Keeping the arithmetic here, in a handful of named
// helpers, is what lets the software backend replace the hardware.

#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstring>

// The x87 unit computes the format itself; where long double is something else,
// or when BILAN_SOFTWARE_EXTENDED asks for it (to run everything on it here),
// the software arithmetic of calc/soft_extended.h does, with the same results.
#if defined(BILAN_SOFTWARE_EXTENDED) || !(defined(__x86_64__) || defined(__i386__)) || \
    LDBL_MANT_DIG != 64 || LDBL_MAX_EXP != 16384
#define BILAN_EXTENDED_IN_SOFTWARE 1
#endif

namespace bilan {

// The stored fields of the 80-bit format: the 64-bit significand with its
// explicit integer bit, and the sign bit above the 15-bit biased exponent.
struct ExtendedBits {
  std::uint64_t significand;
  std::uint16_t sign_and_exponent;
};

}  // namespace bilan

#ifdef BILAN_EXTENDED_IN_SOFTWARE
#include "calc/soft_backend.h"
#else

namespace bilan {

using Extended = long double;

inline Extended Add(Extended a, Extended b) { return a + b; }
inline Extended Subtract(Extended a, Extended b) { return a - b; }
inline Extended Multiply(Extended a, Extended b) { return a * b; }
inline Extended Divide(Extended a, Extended b) { return a / b; }
inline Extended Negate(Extended x) { return -x; }
inline Extended Magnitude(Extended x) { return __builtin_fabsl(x); }

// Rounds to an integer under the current rounding mode (to nearest, ties to
// even, inside a scope). frndint is not affected by the precision control.
inline Extended RoundToInteger(Extended x) {
  asm volatile("frndint" : "+t"(x));
  return x;
}

// The value of an Extended that already holds an integer below 2^63. A plain
// cast would make the compiler switch the control word to truncation and back.
inline std::int64_t IntegerValue(Extended integral) {
  std::int64_t result;
  asm volatile("fistpll %0" : "=m"(result) : "t"(integral) : "st");
  return result;
}

// Exact for every value below 2^63.
inline constexpr Extended FromInteger(std::int64_t n) { return static_cast<Extended>(n); }

// True for both infinities. Finite inputs only ever overflow to an infinity.
inline bool IsInfinite(Extended x) { return x > LDBL_MAX || x < -LDBL_MAX; }

inline ExtendedBits BitsOf(Extended x) {
  unsigned char bytes[sizeof(Extended)];
  std::memcpy(bytes, &x, sizeof bytes);
  ExtendedBits bits;
  std::memcpy(&bits.significand, bytes, 8);
  std::memcpy(&bits.sign_and_exponent, bytes + 8, 2);
  return bits;
}

// A constant expression, so that tables of constants need no start-up code.
inline constexpr Extended FromBits(std::uint64_t significand, std::uint16_t sign_and_exponent) {
  struct Layout {
    std::uint64_t significand;
    std::uint16_t sign_and_exponent;
    std::uint16_t padding[(sizeof(Extended) - 10) / 2];
  };
  static_assert(sizeof(Layout) == sizeof(Extended));
  return std::bit_cast<Extended>(Layout{significand, sign_and_exponent, {}});
}

}  // namespace bilan

#endif
