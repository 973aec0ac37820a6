#pragma once
// The three tables of powers of ten shared by both decimal conversions, and the
// scaling of a number by a power of ten through them.

#include <array>

#include "calc/extended.h"

namespace bilan {

// Each entry is the Extended number nearest to the exact power (ties to even);
// 10^0 to 10^27 are exact.
extern const std::array<Extended, 32> kSmallPowersOfTen;   // 10^i, i = 0..31
extern const std::array<Extended, 15> kMiddlePowersOfTen;  // 10^(32 j), j = 1..15
extern const std::array<Extended, 9> kLargePowersOfTen;    // 10^(512 m), m = 1..9

// x * 10^p for -5120 < p < 5120, in at most three rounded operations applied
// smallest factor first: a multiplication (p > 0) or division (p < 0) by
// small[|p| mod 32], then by middle[(|p| div 32) mod 16] and large[|p| div 512]
// when those indexes are not 0. p <= -5120 gives +0; p >= 5120 gives an
// infinity of the sign of x. Runs in the caller's floating-point environment.
Extended ScaleByPowerOfTenInCurrentEnvironment(Extended x, int p);

}  // namespace bilan
