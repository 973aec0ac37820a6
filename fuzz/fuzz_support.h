#pragma once
// What both fuzz targets check besides the absence of crashes and sanitizer
// reports. A failed check aborts, which libFuzzer records as a crash with the
// input that caused it.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "calc/decimal_text.h"
#include "platform/runtime/decimal_mark.h"

namespace bilan::fuzz {

[[noreturn]] inline void Fail(const char* what, std::string_view text) {
  std::fprintf(stderr, "fuzz check failed: %s: '%.*s'\n", what, static_cast<int>(text.size()),
               text.data());
  std::abort();
}

// The first input byte chooses the decimal mark, so both are explored.
inline char MarkFor(unsigned char selector) { return (selector & 1) != 0 ? ',' : '.'; }

inline bool IsTextByte(char c, char mark) {
  return (c >= '0' && c <= '9') || c == '-' || c == 'E' || c == mark || c == 'I' || c == 'N' ||
         c == 'F' || c == 'A';
}

// Any text WriteDecimal produces: at most 23 characters of the written
// alphabet; and when it writes a finite number, ReadDecimal accepts it and
// gives back a value within the 15-digit rounding of the original.
inline void CheckWritten(Extended value, bool finite) {
  const std::string text = WriteDecimal(value);
  if (text.empty() || text.size() > 23) Fail("written text has a bad length", text);
  for (char c : text) {
    if (!IsTextByte(c, DecimalMark)) Fail("written text has a foreign character", text);
  }
  if (!finite) return;
  Extended back;
  if (!TryReadDecimal(text, back)) Fail("written text is rejected on reading", text);
  // 15 significant digits are within 5e-15 of the value, relatively; denormals
  // are written "0".
  const Extended error = Magnitude(Subtract(back, value));
  const Extended scaled = Multiply(error, FromInteger(100000000000000));  // 1e14
  const bool denormal = (BitsOf(value).sign_and_exponent & 0x7FFF) == 0;
  if (!denormal && !(scaled <= Magnitude(value))) Fail("written text is too far off", text);
}

}  // namespace bilan::fuzz
