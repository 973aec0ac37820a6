#include "calc/soft_extended.h"

#include <cstring>
#include <optional>
#include <utility>

namespace bilan {

namespace {

using U128 = unsigned __int128;

constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 62;
constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;

// A finite non-zero value: significand with its top bit set, exponent biased
// like the stored one but unbounded, so that denormals get exponents below 1.
struct Unpacked {
  bool negative;
  std::int32_t exponent;
  std::uint64_t significand;
};

SoftExtended Pack(bool negative, std::uint32_t exponent, std::uint64_t significand) {
  return SoftExtended::FromBits(static_cast<std::uint16_t>((negative ? 0x8000u : 0u) | exponent),
                                significand);
}

SoftExtended Infinity(bool negative) { return Pack(negative, 0x7FFF, SoftExtended::kIntegerBit); }

// What the unit delivers for a masked invalid operation.
SoftExtended DefaultNaN() { return Pack(true, 0x7FFF, 0xC000000000000000u); }

// Denormals and pseudo-denormals share the scale of stored exponent 1.
Unpacked UnpackFinite(SoftExtended x) {
  std::int32_t exponent = x.BiasedExponent() == 0 ? 1 : x.BiasedExponent();
  const int shift = __builtin_clzll(x.Significand());
  return {x.IsNegative(), exponent - shift, x.Significand() << shift};
}

int CountLeadingZeros(U128 v) {
  const auto high = static_cast<std::uint64_t>(v >> 64);
  return high != 0 ? __builtin_clzll(high) : 64 + __builtin_clzll(static_cast<std::uint64_t>(v));
}

// Nearest, ties to even, given the kept bits, the 64 bits below them and
// whether anything non-zero lies further below.
bool RoundsUp(std::uint64_t kept, std::uint64_t below, bool sticky) {
  return below > kHalf || (below == kHalf && (sticky || (kept & 1) != 0));
}

// Rounds sign × m / 2^127 × 2^(exponent - 16383), where m has its top bit set
// and `sticky` says whether the exact value has non-zero bits below m, once.
SoftExtended RoundAndPack(bool negative, std::int32_t exponent, U128 m, bool sticky,
                          SoftFlags& flags) {
  auto kept = static_cast<std::uint64_t>(m >> 64);
  auto below = static_cast<std::uint64_t>(m);
  if (exponent >= 1) {
    const bool inexact = below != 0 || sticky;
    if (RoundsUp(kept, below, sticky)) {
      if (++kept == 0) {  // carry into the next binade
        kept = SoftExtended::kIntegerBit;
        ++exponent;
      }
    }
    if (exponent >= 0x7FFF) {
      flags |= kSoftOverflow | kSoftInexact;
      return Infinity(negative);
    }
    if (inexact) flags |= kSoftInexact;
    return Pack(negative, static_cast<std::uint32_t>(exponent), kept);
  }

  // Below the normal range. The unit calls a result tiny when it would still be
  // below 2^-16382 after rounding to 64 bits with an unbounded exponent.
  const bool tiny = !(exponent == 0 && kept == ~std::uint64_t{0} && RoundsUp(kept, below, sticky));
  // Gradual underflow: round on the grid of the denormals, 2^-16445.
  const int shift = 1 - exponent;
  if (shift >= 128) {
    sticky = sticky || m != 0;
    m = 0;
  } else {
    sticky = sticky || (m & ((U128{1} << shift) - 1)) != 0;
    m >>= shift;
  }
  kept = static_cast<std::uint64_t>(m >> 64);
  below = static_cast<std::uint64_t>(m);
  const bool inexact = below != 0 || sticky;
  if (RoundsUp(kept, below, sticky)) ++kept;  // kept < 2^63 here, so no carry out
  if (inexact) flags |= tiny ? (kSoftUnderflow | kSoftInexact) : kSoftInexact;
  // Rounding up to 2^-16382 gives the smallest normal number, exponent 1.
  return Pack(negative, (kept & SoftExtended::kIntegerBit) != 0 ? 1 : 0, kept);
}

// Re-encodes a finite value canonically (a pseudo-denormal becomes normal).
SoftExtended Canonical(SoftExtended x, SoftFlags& flags) {
  if (x.IsZero()) return x;
  const Unpacked u = UnpackFinite(x);
  return RoundAndPack(u.negative, u.exponent, U128{u.significand} << 64, false, flags);
}

// A normal number: most operands, which skip the special-case checks.
bool IsOrdinary(SoftExtended x) {
  const std::uint16_t e = x.BiasedExponent();
  return e != 0 && e != 0x7FFF && (x.Significand() & SoftExtended::kIntegerBit) != 0;
}

Unpacked UnpackOrdinary(SoftExtended x) {
  return {x.IsNegative(), x.BiasedExponent(), x.Significand()};
}

void NoteDenormalOperands(SoftExtended a, SoftExtended b, SoftFlags& flags) {
  if (a.IsDenormal() || b.IsDenormal()) flags |= kSoftDenormal;
}

SoftExtended Quieted(SoftExtended nan) {
  return SoftExtended::FromBits(nan.SignExponent(), nan.Significand() | kQuietBit);
}

// The operand rules that come before any arithmetic: unsupported encodings are
// invalid; a signalling NaN is invalid and delivered quieted; of two NaNs the
// quiet one wins, then the larger significand.
std::optional<SoftExtended> SpecialOperands(SoftExtended a, SoftExtended b, SoftFlags& flags) {
  if (a.IsUnsupported() || b.IsUnsupported()) {
    flags |= kSoftInvalid;
    return DefaultNaN();
  }
  const bool a_nan = a.IsNaN();
  const bool b_nan = b.IsNaN();
  if (!a_nan && !b_nan) return std::nullopt;
  if (a.IsSignallingNaN() || b.IsSignallingNaN()) flags |= kSoftInvalid;
  if (!a_nan) return Quieted(b);
  if (!b_nan) return Quieted(a);
  if (a.IsSignallingNaN() != b.IsSignallingNaN()) return a.IsSignallingNaN() ? b : a;
  if (a.Significand() != b.Significand()) {
    return Quieted(a.Significand() > b.Significand() ? a : b);
  }
  return Quieted(a.SignExponent() < b.SignExponent() ? a : b);
}

SoftExtended AddUnpacked(Unpacked x, Unpacked y, SoftFlags& flags);

SoftExtended AddSigned(SoftExtended a, SoftExtended b, bool subtract, SoftFlags& flags) {
  if (IsOrdinary(a) && IsOrdinary(b)) {
    Unpacked y = UnpackOrdinary(b);
    y.negative = y.negative != subtract;
    return AddUnpacked(UnpackOrdinary(a), y, flags);
  }
  if (auto special = SpecialOperands(a, b, flags)) return *special;
  const bool b_negative = b.IsNegative() != subtract;
  if (a.IsInfinite() || b.IsInfinite()) {
    if (a.IsInfinite() && b.IsInfinite() && a.IsNegative() != b_negative) {
      flags |= kSoftInvalid;
      return DefaultNaN();
    }
    NoteDenormalOperands(a, b, flags);
    return a.IsInfinite() ? a : Infinity(b_negative);
  }
  NoteDenormalOperands(a, b, flags);
  if (b.IsZero()) {
    // Of two zeros the sum is -0 only when both are negative.
    if (a.IsZero()) return Pack(a.IsNegative() && b_negative, 0, 0);
    return Canonical(a, flags);
  }
  if (a.IsZero()) return Canonical(subtract ? -b : b, flags);

  Unpacked y = UnpackFinite(b);
  y.negative = b_negative;
  return AddUnpacked(UnpackFinite(a), y, flags);
}

SoftExtended AddUnpacked(Unpacked x, Unpacked y, SoftFlags& flags) {
  if (y.exponent > x.exponent || (y.exponent == x.exponent && y.significand > x.significand)) {
    std::swap(x, y);
  }
  // Both significands sit one bit below the top so that the sum cannot carry
  // out; bits shifted off the smaller one are kept as one sticky bit, far
  // below the rounding position.
  const U128 big = U128{x.significand} << 63;
  U128 small = U128{y.significand} << 63;
  const std::uint32_t distance = static_cast<std::uint32_t>(x.exponent - y.exponent);
  if (distance >= 127) {
    small = 1;
  } else if (distance > 0) {
    const bool lost = (small & ((U128{1} << distance) - 1)) != 0;
    small = (small >> distance) | (lost ? 1 : 0);
  }
  if (x.negative == y.negative) {
    const U128 sum = big + small;
    if ((sum >> 127) != 0) return RoundAndPack(x.negative, x.exponent + 1, sum, false, flags);
    return RoundAndPack(x.negative, x.exponent, sum << 1, false, flags);
  }
  const U128 difference = big - small;
  if (difference == 0) return SoftExtended();  // exact cancellation gives +0
  const int shift = CountLeadingZeros(difference);
  return RoundAndPack(x.negative, x.exponent + 1 - shift, difference << shift, false, flags);
}

}  // namespace

#ifdef BILAN_SOFT_EXTENDED_FROM_LONG_DOUBLE
SoftExtended::SoftExtended(long double x) noexcept {
  std::array<std::uint8_t, 10> bytes;
  std::memcpy(bytes.data(), &x, bytes.size());
  *this = FromBytes(bytes);
}

SoftExtended::operator long double() const noexcept {
  long double x = 0;
  const auto bytes = ToBytes();
  std::memcpy(&x, bytes.data(), bytes.size());
  return x;
}
#endif

SoftExtended SoftExtended::FromBytes(const std::array<std::uint8_t, 10>& bytes) noexcept {
  std::uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | bytes[i];
  return FromBits(static_cast<std::uint16_t>(bytes[8] | (bytes[9] << 8)), significand);
}

std::array<std::uint8_t, 10> SoftExtended::ToBytes() const noexcept {
  std::array<std::uint8_t, 10> bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(significand_ >> (8 * i));
  bytes[8] = static_cast<std::uint8_t>(sign_exponent_);
  bytes[9] = static_cast<std::uint8_t>(sign_exponent_ >> 8);
  return bytes;
}

std::uint64_t SoftExtended::TruncateToUnsigned() const noexcept {
  if (!IsFinite() || IsZero() || IsDenormal()) return 0;
  const int e = BiasedExponent() - kExponentBias;
  if (e < 0) return 0;
  if (e > 63) return ~std::uint64_t{0};
  return significand_ >> (63 - e);
}

SoftExtended Add(SoftExtended a, SoftExtended b, SoftFlags& flags) noexcept {
  return AddSigned(a, b, false, flags);
}

SoftExtended Sub(SoftExtended a, SoftExtended b, SoftFlags& flags) noexcept {
  return AddSigned(a, b, true, flags);
}

namespace {

SoftExtended MulUnpacked(Unpacked x, Unpacked y, SoftFlags& flags) {
  const bool negative = x.negative != y.negative;
  const U128 product = U128{x.significand} * y.significand;  // in [2^126, 2^128)
  const std::int32_t exponent = x.exponent + y.exponent - SoftExtended::kExponentBias;
  if ((product >> 127) != 0) return RoundAndPack(negative, exponent + 1, product, false, flags);
  return RoundAndPack(negative, exponent, product << 1, false, flags);
}

// The quotient's 64 bits come from one division; the remainder, compared with
// half the divisor, is all the rounding needs to know about the rest.
SoftExtended DivUnpacked(Unpacked x, Unpacked y, SoftFlags& flags) {
  const bool negative = x.negative != y.negative;
  const bool at_least_one = x.significand >= y.significand;
  const U128 numerator = U128{x.significand} << (at_least_one ? 63 : 64);
  const auto quotient = static_cast<std::uint64_t>(numerator / y.significand);
  const auto remainder = static_cast<std::uint64_t>(numerator % y.significand);
  const U128 twice = U128{remainder} << 1;
  std::uint64_t below = 0;
  if (twice > y.significand) {
    below = kHalf + 1;
  } else if (twice == y.significand) {
    below = kHalf;
  } else if (remainder != 0) {
    below = 1;
  }
  const std::int32_t exponent =
      x.exponent - y.exponent + SoftExtended::kExponentBias - (at_least_one ? 0 : 1);
  return RoundAndPack(negative, exponent, (U128{quotient} << 64) | below, false, flags);
}

}  // namespace

SoftExtended Mul(SoftExtended a, SoftExtended b, SoftFlags& flags) noexcept {
  if (IsOrdinary(a) && IsOrdinary(b))
    return MulUnpacked(UnpackOrdinary(a), UnpackOrdinary(b), flags);
  if (auto special = SpecialOperands(a, b, flags)) return *special;
  const bool negative = a.IsNegative() != b.IsNegative();
  if (a.IsInfinite() || b.IsInfinite()) {
    if (a.IsZero() || b.IsZero()) {
      flags |= kSoftInvalid;
      return DefaultNaN();
    }
    NoteDenormalOperands(a, b, flags);
    return Infinity(negative);
  }
  NoteDenormalOperands(a, b, flags);
  if (a.IsZero() || b.IsZero()) return Pack(negative, 0, 0);

  return MulUnpacked(UnpackFinite(a), UnpackFinite(b), flags);
}

SoftExtended Div(SoftExtended a, SoftExtended b, SoftFlags& flags) noexcept {
  if (IsOrdinary(a) && IsOrdinary(b))
    return DivUnpacked(UnpackOrdinary(a), UnpackOrdinary(b), flags);
  if (auto special = SpecialOperands(a, b, flags)) return *special;
  const bool negative = a.IsNegative() != b.IsNegative();
  if (a.IsInfinite()) {
    if (b.IsInfinite()) {
      flags |= kSoftInvalid;
      return DefaultNaN();
    }
    NoteDenormalOperands(a, b, flags);
    return Infinity(negative);
  }
  if (b.IsInfinite()) {
    NoteDenormalOperands(a, b, flags);
    return Pack(negative, 0, 0);
  }
  if (b.IsZero()) {
    if (a.IsZero()) {
      flags |= kSoftInvalid;
      return DefaultNaN();
    }
    flags |= kSoftDivideByZero;
    return Infinity(negative);
  }
  NoteDenormalOperands(a, b, flags);
  if (a.IsZero()) return Pack(negative, 0, 0);

  return DivUnpacked(UnpackFinite(a), UnpackFinite(b), flags);
}

SoftExtended RoundToInteger(SoftExtended x, SoftFlags& flags) noexcept {
  if (x.IsUnsupported()) {
    flags |= kSoftInvalid;
    return DefaultNaN();
  }
  if (x.IsNaN()) {
    if (x.IsSignallingNaN()) flags |= kSoftInvalid;
    return Quieted(x);
  }
  if (x.IsInfinite() || x.IsZero()) return x;
  if (x.IsDenormal()) flags |= kSoftDenormal;
  const Unpacked u = UnpackFinite(x);
  const std::int32_t fraction_bits = 63 - (u.exponent - SoftExtended::kExponentBias);
  if (fraction_bits <= 0) return x;  // already integral
  if (fraction_bits > 64) {          // below one half
    flags |= kSoftInexact;
    return Pack(u.negative, 0, 0);
  }
  const U128 scaled = (U128{u.significand} << 64) >> fraction_bits;
  auto integer = static_cast<std::uint64_t>(scaled >> 64);
  const auto fraction = static_cast<std::uint64_t>(scaled);
  if (fraction != 0) flags |= kSoftInexact;
  if (RoundsUp(integer, fraction, false)) ++integer;  // at most 2^63, no wrap
  if (integer == 0) return Pack(u.negative, 0, 0);
  const int shift = __builtin_clzll(integer);
  return Pack(u.negative, SoftExtended::kExponentBias + 63 - shift, integer << shift);
}

namespace {

bool Unordered(SoftExtended a, SoftExtended b) {
  return a.IsNaN() || b.IsNaN() || a.IsUnsupported() || b.IsUnsupported();
}

// -1, 0 or 1 for two ordered values.
int Compare(SoftExtended a, SoftExtended b) {
  const int a_sign = a.IsZero() ? 0 : (a.IsNegative() ? -1 : 1);
  const int b_sign = b.IsZero() ? 0 : (b.IsNegative() ? -1 : 1);
  if (a_sign != b_sign || a_sign == 0) return a_sign < b_sign ? -1 : (a_sign > b_sign ? 1 : 0);
  const Unpacked x = UnpackFinite(a);  // infinities unpack as the largest exponent
  const Unpacked y = UnpackFinite(b);
  int magnitude = 0;
  if (x.exponent != y.exponent) {
    magnitude = x.exponent < y.exponent ? -1 : 1;
  } else if (x.significand != y.significand) {
    magnitude = x.significand < y.significand ? -1 : 1;
  }
  return a_sign * magnitude;
}

}  // namespace

bool operator==(SoftExtended a, SoftExtended b) noexcept {
  return !Unordered(a, b) && Compare(a, b) == 0;
}

bool operator<(SoftExtended a, SoftExtended b) noexcept {
  return !Unordered(a, b) && Compare(a, b) < 0;
}

bool operator<=(SoftExtended a, SoftExtended b) noexcept {
  return !Unordered(a, b) && Compare(a, b) <= 0;
}

SoftFlags& SoftFlagsOfThread() noexcept {
  thread_local SoftFlags flags = 0;
  return flags;
}

}  // namespace bilan
