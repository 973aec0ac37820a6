#pragma once
// SoftExtended: the 80-bit extended format computed in software, for machines
// whose long double is something else. The value is stored exactly as the x87
// unit stores it (64-bit significand with an explicit integer bit, then sign and
// a 15-bit exponent biased by 16383), so bit patterns compare directly with a
// hardware long double's ten bytes.
//
// Every operation rounds its exact result once, to nearest with ties to even,
// with gradual underflow, and reports what the x87 unit reports under control
// word 0x037F (all exceptions masked, 64-bit precision, rounding to nearest):
// the result pattern and the status flags below, bit for bit. Encodings the
// unit does not support (unnormals, pseudo-infinities, pseudo-NaNs) are invalid
// operands giving the default NaN; pseudo-denormals are read as denormals.
//
// What it does not do: other rounding modes or precisions, transcendental
// functions, or traps. Comparisons and integer conversions raise no flags.

#include <array>
#include <cfloat>
#include <cstdint>
#include <limits>
#include <type_traits>

// Where long double is this very format, a value converts to and from it
// exactly, by copying its bits: tests state expected values as literals and
// compute references on the unit. Production code must not lean on it: the
// build checks that the core compiles with BILAN_SOFT_EXTENDED_NO_BRIDGE,
// which hides the conversions, as they are absent where long double differs.
#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64 && \
    !defined(BILAN_SOFT_EXTENDED_NO_BRIDGE)
#define BILAN_SOFT_EXTENDED_FROM_LONG_DOUBLE 1
#endif

namespace bilan {

// Status flags with the bit positions of the x87 status word.
using SoftFlags = std::uint16_t;
inline constexpr SoftFlags kSoftInvalid = 0x01;
inline constexpr SoftFlags kSoftDenormal = 0x02;
inline constexpr SoftFlags kSoftDivideByZero = 0x04;
inline constexpr SoftFlags kSoftOverflow = 0x08;
inline constexpr SoftFlags kSoftUnderflow = 0x10;
inline constexpr SoftFlags kSoftInexact = 0x20;
inline constexpr SoftFlags kSoftAllFlags = 0x3F;

class SoftExtended {
 public:
  static constexpr std::uint16_t kExponentBias = 16383;
  static constexpr std::uint16_t kExponentMask = 0x7FFF;
  static constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

  constexpr SoftExtended() noexcept = default;  // +0
#ifdef BILAN_SOFT_EXTENDED_FROM_LONG_DOUBLE
  SoftExtended(long double x) noexcept;   // NOLINT: implicit on purpose, exact
  operator long double() const noexcept;  // NOLINT: likewise
#endif
  static constexpr SoftExtended FromBits(std::uint16_t sign_exponent,
                                         std::uint64_t significand) noexcept {
    SoftExtended x;
    x.significand_ = significand;
    x.sign_exponent_ = sign_exponent;
    return x;
  }
  // Every 64-bit integer is exact in this format.
  static constexpr SoftExtended FromUnsigned(std::uint64_t value) noexcept {
    if (value == 0) return SoftExtended();
    const int shift = __builtin_clzll(value);
    return FromBits(static_cast<std::uint16_t>(kExponentBias + 63 - shift), value << shift);
  }
  static constexpr SoftExtended FromInteger(std::int64_t value) noexcept {
    // The magnitude of the most negative value only fits unsigned.
    const std::uint64_t magnitude =
        value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    const SoftExtended x = FromUnsigned(magnitude);
    return value < 0 ? -x : x;
  }
  // The ten bytes in memory order of a little-endian x87 long double.
  static SoftExtended FromBytes(const std::array<std::uint8_t, 10>& bytes) noexcept;
  std::array<std::uint8_t, 10> ToBytes() const noexcept;

  constexpr std::uint16_t SignExponent() const noexcept { return sign_exponent_; }
  constexpr std::uint64_t Significand() const noexcept { return significand_; }
  constexpr std::uint16_t BiasedExponent() const noexcept { return sign_exponent_ & kExponentMask; }
  constexpr bool IsNegative() const noexcept { return (sign_exponent_ & 0x8000) != 0; }

  // Classification as the arithmetic sees the pattern.
  bool IsZero() const noexcept { return BiasedExponent() == 0 && significand_ == 0; }
  bool IsDenormal() const noexcept { return BiasedExponent() == 0 && significand_ != 0; }
  bool IsInfinite() const noexcept {
    return BiasedExponent() == kExponentMask && significand_ == kIntegerBit;
  }
  bool IsNaN() const noexcept {  // quiet or signalling; unsupported patterns are not NaNs
    return BiasedExponent() == kExponentMask && (significand_ & kIntegerBit) != 0 &&
           significand_ != kIntegerBit;
  }
  bool IsSignallingNaN() const noexcept {
    return IsNaN() && (significand_ & (std::uint64_t{1} << 62)) == 0;
  }
  // Unnormals, pseudo-infinities and pseudo-NaNs: invalid as operands.
  bool IsUnsupported() const noexcept {
    const std::uint16_t e = BiasedExponent();
    return e != 0 && (significand_ & kIntegerBit) == 0;
  }
  bool IsFinite() const noexcept { return BiasedExponent() != kExponentMask && !IsUnsupported(); }

  constexpr SoftExtended operator-() const noexcept {
    return FromBits(sign_exponent_ ^ 0x8000, significand_);
  }
  SoftExtended Abs() const noexcept { return FromBits(sign_exponent_ & 0x7FFF, significand_); }

  // Truncates towards zero, for finite values whose integer part fits; used
  // to take the digits of an already integral value.
  std::uint64_t TruncateToUnsigned() const noexcept;

  friend constexpr bool SameBits(SoftExtended a, SoftExtended b) noexcept {
    return a.significand_ == b.significand_ && a.sign_exponent_ == b.sign_exponent_;
  }

 private:
  std::uint64_t significand_ = 0;
  std::uint16_t sign_exponent_ = 0;
};

// The operations, each adding the flags it raises to `flags`.
SoftExtended Add(SoftExtended a, SoftExtended b, SoftFlags& flags) noexcept;
SoftExtended Sub(SoftExtended a, SoftExtended b, SoftFlags& flags) noexcept;
SoftExtended Mul(SoftExtended a, SoftExtended b, SoftFlags& flags) noexcept;
SoftExtended Div(SoftExtended a, SoftExtended b, SoftFlags& flags) noexcept;
// Rounds to an integral value, to nearest with ties to even; keeps the sign.
SoftExtended RoundToInteger(SoftExtended x, SoftFlags& flags) noexcept;

// IEEE comparisons: NaNs and unsupported patterns are unordered, -0 == +0.
bool operator==(SoftExtended a, SoftExtended b) noexcept;
bool operator<(SoftExtended a, SoftExtended b) noexcept;
bool operator<=(SoftExtended a, SoftExtended b) noexcept;
inline bool operator!=(SoftExtended a, SoftExtended b) noexcept { return !(a == b); }
inline bool operator>(SoftExtended a, SoftExtended b) noexcept { return b < a; }
inline bool operator>=(SoftExtended a, SoftExtended b) noexcept { return b <= a; }

// The flags of the current thread, sticky like the status word of the unit:
// the operators below add to them, and only ClearSoftFlags clears them.
SoftFlags& SoftFlagsOfThread() noexcept;
inline void ClearSoftFlags() noexcept { SoftFlagsOfThread() = 0; }

inline SoftExtended operator+(SoftExtended a, SoftExtended b) noexcept {
  return Add(a, b, SoftFlagsOfThread());
}
inline SoftExtended operator-(SoftExtended a, SoftExtended b) noexcept {
  return Sub(a, b, SoftFlagsOfThread());
}
inline SoftExtended operator*(SoftExtended a, SoftExtended b) noexcept {
  return Mul(a, b, SoftFlagsOfThread());
}
inline SoftExtended operator/(SoftExtended a, SoftExtended b) noexcept {
  return Div(a, b, SoftFlagsOfThread());
}

#ifdef BILAN_SOFT_EXTENDED_FROM_LONG_DOUBLE
// Mixed expressions with a number of a built-in type, such as x / 1e500L or
// x < 0, are computed in software; without these they would be ambiguous
// between this arithmetic and the unit's.
template <typename T>
concept BuiltInNumber = std::is_arithmetic_v<T>;

#define BILAN_SOFT_EXTENDED_MIXED(op, result)               \
  template <BuiltInNumber T>                                \
  inline result operator op(SoftExtended a, T b) noexcept { \
    return a op SoftExtended(static_cast<long double>(b));  \
  }                                                         \
  template <BuiltInNumber T>                                \
  inline result operator op(T a, SoftExtended b) noexcept { \
    return SoftExtended(static_cast<long double>(a)) op b;  \
  }
BILAN_SOFT_EXTENDED_MIXED(+, SoftExtended)
BILAN_SOFT_EXTENDED_MIXED(-, SoftExtended)
BILAN_SOFT_EXTENDED_MIXED(*, SoftExtended)
BILAN_SOFT_EXTENDED_MIXED(/, SoftExtended)
BILAN_SOFT_EXTENDED_MIXED(==, bool)
BILAN_SOFT_EXTENDED_MIXED(!=, bool)
BILAN_SOFT_EXTENDED_MIXED(<, bool)
BILAN_SOFT_EXTENDED_MIXED(<=, bool)
BILAN_SOFT_EXTENDED_MIXED(>, bool)
BILAN_SOFT_EXTENDED_MIXED(>=, bool)
#undef BILAN_SOFT_EXTENDED_MIXED
#endif

}  // namespace bilan

// The properties of the format, as those of long double describe the x87 one.
template <>
class std::numeric_limits<bilan::SoftExtended> {
  using T = bilan::SoftExtended;

 public:
  static constexpr bool is_specialized = true;
  static constexpr bool is_signed = true;
  static constexpr bool is_integer = false;
  static constexpr bool is_exact = false;
  static constexpr bool has_infinity = true;
  static constexpr bool has_quiet_NaN = true;
  static constexpr bool has_signaling_NaN = true;
  static constexpr std::float_denorm_style has_denorm = std::denorm_present;
  static constexpr bool has_denorm_loss = false;
  static constexpr std::float_round_style round_style = std::round_to_nearest;
  static constexpr bool is_iec559 = true;
  static constexpr bool is_bounded = true;
  static constexpr bool is_modulo = false;
  static constexpr int digits = 64;
  static constexpr int digits10 = 18;
  static constexpr int max_digits10 = 21;
  static constexpr int radix = 2;
  static constexpr int min_exponent = -16381;
  static constexpr int min_exponent10 = -4931;
  static constexpr int max_exponent = 16384;
  static constexpr int max_exponent10 = 4932;
  static constexpr bool traps = false;
  static constexpr bool tinyness_before = false;  // tininess is judged after rounding

  static constexpr T min() noexcept { return T::FromBits(0x0001, T::kIntegerBit); }
  static constexpr T max() noexcept { return T::FromBits(0x7FFE, ~std::uint64_t{0}); }
  static constexpr T lowest() noexcept { return -max(); }
  static constexpr T epsilon() noexcept { return T::FromBits(0x3FC0, T::kIntegerBit); }
  static constexpr T round_error() noexcept { return T::FromBits(0x3FFE, T::kIntegerBit); }
  static constexpr T infinity() noexcept { return T::FromBits(0x7FFF, T::kIntegerBit); }
  static constexpr T quiet_NaN() noexcept { return T::FromBits(0x7FFF, 0xC000000000000000u); }
  static constexpr T signaling_NaN() noexcept { return T::FromBits(0x7FFF, 0xA000000000000000u); }
  static constexpr T denorm_min() noexcept { return T::FromBits(0x0000, 1); }
};
