#pragma once
// Multiplication and division of an Extended number by an exact power of ten
// (10^0 to 10^27, the powers whose 64-bit significand holds them exactly), in
// integer arithmetic. The result is the exact product or quotient rounded once
// to a 64-bit significand, to nearest with ties to even: bit for bit what the
// x87 unit gives for that one operation, but without touching the unit, so no
// floating-point state needs saving, switching or clearing around it.
//
// Only for positive normal operands whose result stays normal, which is all
// the conversions use it for (at most 19 digits scaled by at most 10^27, and
// the digits of numbers between about 10^-9 and 10^45). Everything else goes
// through the Extended arithmetic.

#include <cstdint>

#include "calc/extended.h"

namespace bilan {

// A positive value significand * 2^exponent, significand with bit 63 set.
struct UnpackedExtended {
  std::uint64_t significand;
  int exponent;
};

inline constexpr int kLargestExactPowerOfTen = 27;

UnpackedExtended MultiplyByExactPowerOfTen(UnpackedExtended x, int power);
UnpackedExtended DivideByExactPowerOfTen(UnpackedExtended x, int power);

// From a non-zero integer, exactly.
UnpackedExtended UnpackInteger(std::uint64_t n);
// From a positive normal Extended, and back (with a sign).
UnpackedExtended Unpack(Extended x);
Extended Pack(UnpackedExtended x, bool negative);

}  // namespace bilan
