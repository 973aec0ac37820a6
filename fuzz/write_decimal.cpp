// Arbitrary 10-byte patterns through WriteDecimal, every encoding included:
// denormals, pseudo-denormals, unnormals, infinities, NaNs of every kind. An
// 11th byte, when present, chooses the decimal mark.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_support.h"

using namespace bilan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 10) return 0;
  DecimalMark = fuzz::MarkFor(size > 10 ? data[10] : 1);
  std::uint64_t significand;
  std::uint16_t sign_and_exponent;
  std::memcpy(&significand, data, 8);
  std::memcpy(&sign_and_exponent, data + 8, 2);
  const Extended value = FromBits(significand, sign_and_exponent);

  // Finite values: zero, denormals, pseudo-denormals and normal numbers. An
  // unnormal (integer bit clear above exponent 0) is not a number the
  // arithmetic accepts, so only the shape of its text is checked.
  const unsigned exponent = sign_and_exponent & 0x7FFFu;
  const bool integer_bit = (significand >> 63) != 0;
  const bool finite = exponent == 0 || (exponent != 0x7FFF && integer_bit);
  fuzz::CheckWritten(value, finite);
  return 0;
}
