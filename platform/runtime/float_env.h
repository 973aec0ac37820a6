#pragma once
// The process's floating-point environment: rounding to nearest, a 64-bit
// significand for extended arithmetic, every exception masked. Exceptions stay
// masked because Qt and the C library are not written for a trapping unit;
// overflow is detected by the calculation from its rounded results instead.

namespace bilan {

void InitFloatingPointEnvironment();

}  // namespace bilan
