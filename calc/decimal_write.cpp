// Number to text: the 18 leading decimal digits are made in Extended
// arithmetic (or its exact integer equivalent where the scaling is a single
// operation), cut half up to the precision, and laid out in the general format.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "calc/decimal_text.h"
#include "calc/exact_scaling.h"
#include "calc/extended_scope.h"
#include "calc/power_of_ten.h"
#include "platform/runtime/decimal_mark.h"

namespace bilan {
namespace {

constexpr std::int16_t kInfinityExponent = 32767;
constexpr std::int16_t kNaNExponent = -32768;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr int kBias = 16383;
constexpr int kWorkingDigits = 18;
constexpr std::int64_t kTenTo17 = 100000000000000000;
constexpr std::int64_t kTenTo18 = 1000000000000000000;

int ClampPrecision(int precision) { return std::clamp(precision, 2, kWorkingDigits); }

// The 18 digits N (10^17 <= N < 10^18) and the exponent k with
// |x| ~ 0.N * 10^k, for a normal x.
struct LeadingDigits {
  std::int64_t n;
  int k;
};

// floor(e * log10(2)) + 1 with log10(2) ~ 19728 / 2^16: the decimal exponent
// or one below it, except for some tiny numbers where it is one above.
int EstimateDecimalExponent(int binary_exponent) { return ((binary_exponent * 19728) >> 16) + 1; }

// An estimate of the decimal exponent that was one too large leaves 17
// digits, to which a zero is appended. N never reaches 10^18: the scaled
// number stays below 2.4 * 10^18, so 19 digits divided by 10 stay below
// 2.4 * 10^17.
LeadingDigits EighteenDigits(std::int64_t n, int k) {
  if (n < kTenTo17) return {n * 10, k - 1};
  return {n, k};
}

// The general procedure, in Extended arithmetic (inside a scope).
LeadingDigits EighteenDigitsExtended(Extended x, int k) {
  Extended s =
      RoundToInteger(ScaleByPowerOfTenInCurrentEnvironment(Magnitude(x), kWorkingDigits - k));
  bool nineteen_digits = false;
  if (s >= kSmallPowersOfTen[18]) {
    // Divided as an Extended number, then rounded to an integer again.
    s = Divide(s, FromInteger(10));
    nineteen_digits = true;
  }
  return EighteenDigits(IntegerValue(RoundToInteger(s)), nineteen_digits ? k + 1 : k);
}

// The same when the scaling is one operation with an exact power of ten (most
// numbers between 10^-9 and 10^45): integer arithmetic, no floating-point unit.
LeadingDigits EighteenDigitsExact(const ExtendedBits& x, int k) {
  const int power = kWorkingDigits - k;
  // The magnitude straight from the stored fields: no round trip through the
  // unit's registers.
  UnpackedExtended s{x.significand, (x.sign_and_exponent & 0x7FFF) - kBias - 63};
  if (power > 0) s = MultiplyByExactPowerOfTen(s, power);
  if (power < 0) s = DivideByExactPowerOfTen(s, -power);
  // s lies between about 10^16 and 10^19 < 2^64: round it to an integer, ties
  // to even. Its exponent is at most 0 there.
  std::uint64_t integer = s.significand;
  if (s.exponent < 0) {
    const int shift = -s.exponent;
    const std::uint64_t rest = integer & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    integer >>= shift;
    if (rest > half || (rest == half && (integer & 1))) ++integer;
  }
  if (integer >= static_cast<std::uint64_t>(kTenTo18)) {
    // S / 10 = n + remainder / 10 with n < 2^58, so the Extended quotient has
    // at least six bits below the point: it falls on the same side of one
    // half as the exact one, and on it exactly when the remainder is 5. Then
    // rounded to an integer, ties to even.
    std::uint64_t n = integer / 10;
    const std::uint64_t remainder = integer % 10;
    if (remainder > 5 || (remainder == 5 && (n & 1))) ++n;
    return EighteenDigits(static_cast<std::int64_t>(n), k + 1);
  }
  return EighteenDigits(static_cast<std::int64_t>(integer), k);
}

// "00" to "99": two digits per step.
constexpr std::array<char, 200> MakeDigitPairs() {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}
constexpr auto kDigitPairs = MakeDigitPairs();

// Nine digits of n < 10^9, most significant first.
void WriteNineDigits(std::uint32_t n, char* out) {
  for (int i = 7; i >= 1; i -= 2) {
    std::memcpy(out + i, &kDigitPairs[2 * (n % 100)], 2);
    n /= 100;
  }
  out[0] = static_cast<char>('0' + n);
}

// The 18 digits of n < 10^18, as two independent halves.
void WriteEighteenDigits(std::uint64_t n, char* out) {
  WriteNineDigits(static_cast<std::uint32_t>(n / 1000000000), out);
  WriteNineDigits(static_cast<std::uint32_t>(n % 1000000000), out + 9);
}

void MakeForm(Extended value, int precision, DecimalForm& form,
              std::optional<ExtendedArithmeticScope>& scope) {
  form.DecimalExponent = 0;
  form.IsNegative = false;
  std::memset(form.DigitString, 0, sizeof form.DigitString);

  const ExtendedBits bits = BitsOf(value);
  const int stored_exponent = bits.sign_and_exponent & 0x7FFF;
  const bool sign = (bits.sign_and_exponent & 0x8000) != 0;
  if (stored_exponent == 0x7FFF) {
    // Infinity also when the integer bit is clear (the old pseudo-infinity
    // and pseudo-NaN encodings); any other payload is a NaN.
    if (bits.significand == kIntegerBit || (bits.significand & kIntegerBit) == 0) {
      form.DecimalExponent = kInfinityExponent;
      form.IsNegative = sign;
    } else {
      form.DecimalExponent = kNaNExponent;
    }
    return;
  }
  if (stored_exponent == 0) return;  // zero, negative zero, every denormal: "0"
  if ((bits.significand & kIntegerBit) == 0) {
    // An unnormal: the unit refuses it as an operand (invalid operation), so
    // it is written like the NaN that any arithmetic on it gives.
    form.DecimalExponent = kNaNExponent;
    return;
  }

  const int k_estimate = EstimateDecimalExponent(stored_exponent - kBias);
  const int power = kWorkingDigits - k_estimate;
  LeadingDigits leading;
  if (power >= -kLargestExactPowerOfTen && power <= kLargestExactPowerOfTen) {
    leading = EighteenDigitsExact(bits, k_estimate);
  } else {
    if (!scope) scope.emplace();
    leading = EighteenDigitsExtended(value, k_estimate);
  }
  char digits[kWorkingDigits];
  WriteEighteenDigits(static_cast<std::uint64_t>(leading.n), digits);

  // Cut half up on the decimal digits: the second of the two roundings.
  int k = leading.k;
  int count = precision;
  if (precision < kWorkingDigits && digits[precision] >= '5') {
    int i = precision - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits[0] = '1';
      count = 1;
      ++k;
    }
  }
  while (count > 0 && digits[count - 1] == '0') --count;

  form.DecimalExponent = static_cast<std::int16_t>(k);
  form.IsNegative = sign;
  std::memcpy(form.DigitString, digits, static_cast<std::size_t>(count));
}

// Lays the form out in the general format into out (at least 32 bytes) and
// returns the length.
std::size_t Layout(const DecimalForm& form, int precision, char mark, char* out) {
  char* p = out;
  if (form.DecimalExponent == kNaNExponent) {
    std::memcpy(p, "NAN", 3);
    return 3;
  }
  if (form.IsNegative) *p++ = '-';
  if (form.DecimalExponent == kInfinityExponent) {
    std::memcpy(p, "INF", 3);
    return static_cast<std::size_t>(p + 3 - out);
  }
  const char* digits = form.DigitString;
  const int n = static_cast<int>(std::strlen(digits));
  if (n == 0) {
    *p++ = '0';
    return static_cast<std::size_t>(p - out);
  }
  const int k = form.DecimalExponent;
  if (k > precision || k < -3) {
    *p++ = digits[0];
    if (n > 1) {
      *p++ = mark;
      std::memcpy(p, digits + 1, static_cast<std::size_t>(n - 1));
      p += n - 1;
    }
    *p++ = 'E';
    int e = k - 1;
    if (e < 0) {
      *p++ = '-';
      e = -e;
    }
    char reversed[8];
    int len = 0;
    do {
      reversed[len++] = static_cast<char>('0' + e % 10);
      e /= 10;
    } while (e != 0);
    while (len > 0) *p++ = reversed[--len];
  } else if (k >= 1) {
    const int integer_digits = std::min(k, n);
    std::memcpy(p, digits, static_cast<std::size_t>(integer_digits));
    p += integer_digits;
    for (int i = n; i < k; ++i) *p++ = '0';
    if (n > k) {
      *p++ = mark;
      std::memcpy(p, digits + k, static_cast<std::size_t>(n - k));
      p += n - k;
    }
  } else {
    *p++ = '0';
    *p++ = mark;
    for (int i = 0; i < -k; ++i) *p++ = '0';
    std::memcpy(p, digits, static_cast<std::size_t>(n));
    p += n;
  }
  return static_cast<std::size_t>(p - out);
}

}  // namespace

DecimalForm MakeDecimalForm(Extended value, int precision) {
  DecimalForm form;
  std::optional<ExtendedArithmeticScope> scope;  // entered only if needed
  MakeForm(value, ClampPrecision(precision), form, scope);
  return form;
}

std::string FormatDecimal(Extended value, int precision) {
  precision = ClampPrecision(precision);
  DecimalForm form;
  {
    std::optional<ExtendedArithmeticScope> scope;  // entered only if needed
    MakeForm(value, precision, form, scope);
  }
  // The longest text, "-d,dddddddddddddddddE-4932", has 26 characters (denormals are written "0").
  char buffer[64];
  const std::size_t length = Layout(form, precision, DecimalMark, buffer);
  return std::string(buffer, length);
}

std::string WriteDecimal(Extended value) { return FormatDecimal(value, 15); }

Extended ScaleByPowerOfTen(Extended x, int p) {
  ExtendedArithmeticScope scope;
  return ScaleByPowerOfTenInCurrentEnvironment(x, p);
}

}  // namespace bilan
