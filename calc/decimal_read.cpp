// Text to number: one pass over the bytes, digits accumulated as the text is
// read, then one scaling by a power of ten.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "calc/decimal_text.h"
#include "calc/exact_scaling.h"
#include "calc/extended_scope.h"
#include "calc/power_of_ten.h"
#include "platform/runtime/decimal_mark.h"
#include "platform/runtime/errors.h"

namespace bilan {
namespace {

bool IsDigit(unsigned char c) { return static_cast<unsigned>(c - '0') < 10u; }

// The digits read so far, accumulated as acc := acc * 10 + d with each of the
// two operations rounded to Extended. While acc * 10 + 9 stays below 2^63 both
// operations are exact, so an integer holds the same value faster; after that
// the Extended arithmetic takes over, and only then is the floating-point unit
// set up for it.
class DigitAccumulator {
 public:
  explicit DigitAccumulator(std::optional<ExtendedArithmeticScope>& scope) : scope_(scope) {}

  const unsigned char* ReadDigits(const unsigned char* p, const unsigned char* end) {
    for (; p != end && IsDigit(*p); ++p) {
      const unsigned digit = *p - '0';
      if (!in_extended_) {
        if (exact_ <= kExactLimit) {
          exact_ = exact_ * 10 + digit;
          continue;
        }
        if (!scope_) scope_.emplace();
        value_ = FromInteger(static_cast<std::int64_t>(exact_));
        in_extended_ = true;
      }
      // Once infinite the value stays infinite: skip the arithmetic.
      if (!IsInfinite(value_)) value_ = Add(Multiply(value_, FromInteger(10)), FromInteger(digit));
    }
    return p;
  }

  bool Exact() const { return !in_extended_; }
  std::uint64_t ExactValue() const { return exact_; }
  Extended Value() const {
    return in_extended_ ? value_ : FromInteger(static_cast<std::int64_t>(exact_));
  }

 private:
  static constexpr std::uint64_t kExactLimit = (INT64_MAX - 9) / 10;
  std::optional<ExtendedArithmeticScope>& scope_;
  std::uint64_t exact_ = 0;
  Extended value_ = FromInteger(0);
  bool in_extended_ = false;
};

// An exact integer scaled by at most 10^27 is one rounded operation with an
// exact factor: done in integer arithmetic, it needs no floating-point setup.
Extended ScaleExactly(std::uint64_t digits, int power, bool negative) {
  if (digits == 0) return negative ? Negate(FromInteger(0)) : FromInteger(0);
  UnpackedExtended x = UnpackInteger(digits);
  if (power > 0) x = MultiplyByExactPowerOfTen(x, power);
  if (power < 0) x = DivideByExactPowerOfTen(x, -power);
  return Pack(x, negative);
}

// The exponent reading stops right after the digit that makes it reach 500, so
// it never exceeds 4999; any digit left over then rejects the text.
constexpr int kExponentStop = 500;

bool Convert(std::string_view text, char mark, Extended& result,
             std::optional<ExtendedArithmeticScope>& scope) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + text.size();
  const auto mark_byte = static_cast<unsigned char>(mark);

  while (p != end && *p == ' ') ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  const auto* const after_sign = p;

  DigitAccumulator digits(scope);
  p = digits.ReadDigits(p, end);
  std::size_t fraction_digits = 0;
  if (p != end && *p == mark_byte) {
    const auto* const fraction_start = ++p;
    p = digits.ReadDigits(p, end);
    fraction_digits = static_cast<std::size_t>(p - fraction_start);
  }
  if (p == after_sign) return false;

  int exponent = 0;
  if (p != end && (*p == 'E' || *p == 'e')) {
    ++p;
    bool exponent_negative = false;
    if (p != end && (*p == '+' || *p == '-')) exponent_negative = *p++ == '-';
    while (p != end && IsDigit(*p) && exponent < kExponentStop)
      exponent = exponent * 10 + (*p++ - '0');
    if (exponent_negative) exponent = -exponent;
  }

  while (p != end && *p == ' ') ++p;
  if (p != end) return false;

  // fraction_digits may be as large as the text; every power from -5120 down
  // scales to zero, so the power is clamped before it is narrowed to an int.
  constexpr std::int64_t kBelowTables = -10000;
  const std::int64_t power64 = std::int64_t{exponent} - static_cast<std::int64_t>(fraction_digits);
  const int power = static_cast<int>(power64 < kBelowTables ? kBelowTables : power64);

  if (digits.Exact() && power >= -kLargestExactPowerOfTen && power <= kLargestExactPowerOfTen) {
    result = ScaleExactly(digits.ExactValue(), power, negative);
    return true;
  }
  if (!scope) scope.emplace();
  const Extended accumulated = digits.Value();
  if (IsInfinite(accumulated)) return false;
  const Extended scaled = ScaleByPowerOfTenInCurrentEnvironment(accumulated, power);
  if (IsInfinite(scaled)) return false;
  result = negative ? Negate(scaled) : scaled;
  return true;
}

}  // namespace

bool TryReadDecimal(std::string_view text, Extended& value) {
  // Entered by the conversion only if it needs the floating-point unit, and
  // left on return.
  std::optional<ExtendedArithmeticScope> scope;
  return Convert(text, DecimalMark, value, scope);
}

Extended ReadDecimal(std::string_view text) {
  Extended value;
  if (!TryReadDecimal(text, value)) {
    std::string message;
    message.reserve(text.size() + 64);
    message += '\'';
    message += text;
    message += "' n'est pas une valeur en virgule flottante correcte";
    throw EConvertError(std::move(message));
  }
  return value;
}

}  // namespace bilan
