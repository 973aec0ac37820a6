// Arbitrary bytes through TryReadDecimal and ReadDecimal, with either mark.
// Beyond not crashing: a rejection leaves the value alone and makes
// ReadDecimal raise the conversion error quoting the whole text; an accepted
// value is finite, its written text is accepted again, and the conversion
// leaves no floating-point exception flag behind.

#include <cfenv>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/runtime/errors.h"

using namespace bilan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  DecimalMark = fuzz::MarkFor(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  std::feclearexcept(FE_ALL_EXCEPT);
  const Extended untouched = FromBits(0xC000000000000123u, 0x7FFF);  // a NaN nobody produces
  Extended value = untouched;
  const bool accepted = TryReadDecimal(text, value);
  if (std::fetestexcept(FE_ALL_EXCEPT) != 0) fuzz::Fail("a flag was left raised", text);

  if (!accepted) {
    const ExtendedBits after = BitsOf(value);
    if (after.significand != 0xC000000000000123u || after.sign_and_exponent != 0x7FFF) {
      fuzz::Fail("a rejected text changed the value", text);
    }
    try {
      ReadDecimal(text);
      fuzz::Fail("ReadDecimal accepted a text that TryReadDecimal rejected", text);
    } catch (const EConvertError& error) {
      const std::string expected =
          "'" + std::string(text) + "' n'est pas une valeur en virgule flottante correcte";
      if (error.Message() != expected) fuzz::Fail("wrong conversion message", text);
    }
    return 0;
  }
  if (IsInfinite(value) || !(value == value)) fuzz::Fail("accepted value is not finite", text);
  fuzz::CheckWritten(value, true);
  return 0;
}
