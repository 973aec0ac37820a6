#pragma once
// The two conversions between field text and Extended numbers, exact to the
// last bit and the last character. Both read the current DecimalMark at every
// call and never write it. Both compute with rounding to nearest, a 64-bit
// significand and every exception masked whatever the caller has set, and give
// the caller its floating-point settings back with no flag raised.
//
// Reading, with DecimalMark ",":
//   "12", " 12 ", "+12", "0012"  -> 12
//   ",5"                         -> 0.5        "-,"     -> -0
//   "1E+0003", "5E"              -> 1000, 5     "1E500"  -> 10^500 (nearest)
//   "1E1000"                     -> 10^1000     "1E05000" -> rejected (a digit is
//                                               left after the exponent reached 500)
//   "0," + 121 zeros + "1E-4999" -> 0 (scaled by 10^-5121: below the tables)
//   "", "1.5", "1 000", "\t12", "1E 5", "INF"    -> rejected
// Writing (general format, 15 significant digits):
//   0, -0, any denormal -> "0"       1/3       -> "0,333333333333333"
//   123.45  -> "123,45"              10^15     -> "1E15"
//   0.0001  -> "0,0001"              0.00001   -> "1E-5"
//   999999999999999.5 -> "1E15"      100000000000000.5 -> "100000000000001"
//   the number nearest to 0.12345678901234549999 -> "0,123456789012346"
//     (digits are rounded to 18 in Extended arithmetic, then half up to 15)
//   +infinity, -infinity, NaN -> "INF", "-INF", "NAN"
//
// Not done here: digit grouping, any notion of locale beyond DecimalMark, and
// recovery from a rejected text (the caller decides what a rejection means).

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/extended.h"

namespace bilan {

// The decimal digits of a number: magnitude 0.d1d2d3... * 10^DecimalExponent.
struct DecimalForm {
  std::int16_t DecimalExponent;  // 32767 for an infinity, -32768 for a NaN
  bool IsNegative;
  char DigitString[21];  // up to 18 digits, NUL-terminated; empty for 0, INF, NAN
};

// Accepts or rejects a text (bytes; only the space, "+", "-", digits, "E", "e"
// and DecimalMark mean anything). Leaves value untouched on rejection.
bool TryReadDecimal(std::string_view text, Extended& value);

// TryReadDecimal that throws EConvertError quoting the whole text unchanged.
Extended ReadDecimal(std::string_view text);

// Digits of value rounded to precision significant digits (clamped to 2..18),
// trailing zeros dropped. Zero, negative zero and denormals give exponent 0,
// not negative, no digits.
DecimalForm MakeDecimalForm(Extended value, int precision);

// General format: fixed notation for magnitudes from 0.0001 to below
// 10^precision (after rounding), scientific ("1,5E-7", "2E20") outside.
std::string FormatDecimal(Extended value, int precision);

// FormatDecimal with 15 significant digits: the text a result field shows.
std::string WriteDecimal(Extended value);

// x * 10^p through the power tables (see power_of_ten.h), computed with
// rounding to nearest and a 64-bit significand.
Extended ScaleByPowerOfTen(Extended x, int p);

}  // namespace bilan
