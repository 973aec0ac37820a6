#pragma once
// Bit-exact comparison of Extended numbers: a one-ulp difference fails, and so
// does +0 against -0.

#include <cinttypes>
#include <cstdio>
#include <string>

#include "calc/extended.h"

namespace bilan::testing {

// "-0x3FFF:8000000000000000": sign, stored exponent, significand.
inline std::string BitsText(Extended x) {
  const ExtendedBits bits = BitsOf(x);
  char text[40];
  std::snprintf(text, sizeof text, "%s0x%04X:%016" PRIX64,
                (bits.sign_and_exponent & 0x8000) ? "-" : "", bits.sign_and_exponent & 0x7FFF,
                bits.significand);
  return text;
}

}  // namespace bilan::testing
