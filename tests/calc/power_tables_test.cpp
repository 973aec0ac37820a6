// Recomputes every entry of the three power-of-ten tables with exact integer
// arithmetic and demands the Extended number nearest to the exact power, ties
// to even.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "calc/decimal_text.h"
#include "calc/power_of_ten.h"
#include "extended_test_util.h"

namespace bilan {
namespace {

using testing::BitsText;

// Just enough of an unsigned big integer: multiply by a small factor, count
// bits, read a bit and the bits below a position.
class BigNumber {
 public:
  explicit BigNumber(std::uint32_t value) : limbs_{value} {}
  static BigNumber PowerOfTen(int n) {
    BigNumber result(1);
    for (int i = 0; i < n; ++i) result.MultiplyBy(10);
    return result;
  }
  void MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }
  int BitLength() const {
    int top = static_cast<int>(limbs_.size()) - 1;
    return top * 32 + (32 - __builtin_clz(limbs_[top]));
  }
  bool Bit(int i) const {
    if (i < 0 || i / 32 >= static_cast<int>(limbs_.size())) return false;
    return (limbs_[i / 32] >> (i % 32)) & 1;
  }
  bool AnyBitBelow(int i) const {
    for (int j = 0; j < i; ++j)
      if (Bit(j)) return true;
    return false;
  }
  // The 64 bits from bit `low` upwards.
  std::uint64_t BitsFrom(int low) const {
    std::uint64_t result = 0;
    for (int j = 63; j >= 0; --j) result = (result << 1) | (Bit(low + j) ? 1 : 0);
    return result;
  }

 private:
  std::vector<std::uint32_t> limbs_;
};

// The nearest Extended to 10^n, built from its fields.
Extended NearestToPowerOfTen(int n) {
  const BigNumber power = BigNumber::PowerOfTen(n);
  int top = power.BitLength() - 1;  // 2^top <= 10^n < 2^(top+1)
  std::uint64_t significand;
  if (top < 64) {
    significand = power.BitsFrom(0) << (63 - top);
  } else {
    const int low = top - 63;
    significand = power.BitsFrom(low);
    const bool above_half = power.Bit(low - 1) && power.AnyBitBelow(low - 1);
    const bool tie = power.Bit(low - 1) && !power.AnyBitBelow(low - 1);
    if (above_half || (tie && (significand & 1))) {
      if (++significand == 0) {  // carried out of 64 bits: the next binade
        significand = std::uint64_t{1} << 63;
        ++top;
      }
    }
  }
  return FromBits(significand, static_cast<std::uint16_t>(top + 16383));
}

TEST(PowerTables, EverySmallEntryIsTheNearestExtended) {
  for (int i = 0; i < 32; ++i)
    EXPECT_EQ(BitsText(kSmallPowersOfTen[i]), BitsText(NearestToPowerOfTen(i))) << "10^" << i;
}

TEST(PowerTables, EveryMiddleEntryIsTheNearestExtended) {
  for (int j = 1; j <= 15; ++j)
    EXPECT_EQ(BitsText(kMiddlePowersOfTen[j - 1]), BitsText(NearestToPowerOfTen(32 * j)))
        << "10^" << 32 * j;
}

TEST(PowerTables, EveryLargeEntryIsTheNearestExtended) {
  for (int m = 1; m <= 9; ++m)
    EXPECT_EQ(BitsText(kLargePowersOfTen[m - 1]), BitsText(NearestToPowerOfTen(512 * m)))
        << "10^" << 512 * m;
}

TEST(PowerTables, KnownEncodings) {
  EXPECT_EQ(BitsText(kSmallPowersOfTen[28]), "0x405C:813F3978F8940984");
  EXPECT_EQ(BitsText(kLargePowersOfTen[8]), "0x7BCA:AE3511626ED559F0");
  // 10^27 is the last exact entry: 5^27 still fits in 64 bits.
  EXPECT_EQ(BitsText(kSmallPowersOfTen[27]), "0x4058:CECB8F27F4200F3A");
  EXPECT_EQ(kSmallPowersOfTen[27] / kSmallPowersOfTen[26], 10.0L);
}

// Factors are applied smallest first, each one rounded.
TEST(ScaleByPowerOfTen, UsesTheTablesInOrder) {
  const Extended x = 3.0L;
  EXPECT_EQ(BitsText(ScaleByPowerOfTen(x, 0)), BitsText(x));
  EXPECT_EQ(BitsText(ScaleByPowerOfTen(x, 5)), BitsText(x * kSmallPowersOfTen[5]));
  EXPECT_EQ(BitsText(ScaleByPowerOfTen(x, 4999)),
            BitsText(x * kSmallPowersOfTen[4999 % 32] * kMiddlePowersOfTen[(4999 / 32) % 16 - 1] *
                     kLargePowersOfTen[4999 / 512 - 1]));
  EXPECT_EQ(BitsText(ScaleByPowerOfTen(x, -4949)),
            BitsText(x / kSmallPowersOfTen[4949 % 32] / kMiddlePowersOfTen[(4949 / 32) % 16 - 1] /
                     kLargePowersOfTen[4949 / 512 - 1]));
  // 512 = 16 * 32: the middle index is 0, so only the large factor applies.
  EXPECT_EQ(BitsText(ScaleByPowerOfTen(x, -512)), BitsText(x / 1.0L / kLargePowersOfTen[0]));
}

TEST(ScaleByPowerOfTen, BeyondTheTables) {
  EXPECT_EQ(BitsText(ScaleByPowerOfTen(7.0L, -5120)), BitsText(0.0L));
  EXPECT_EQ(BitsText(ScaleByPowerOfTen(7.0L, -5119)), BitsText(0.0L));  // underflows on its own
  EXPECT_TRUE(IsInfinite(ScaleByPowerOfTen(7.0L, 5120)));
  EXPECT_TRUE(IsInfinite(ScaleByPowerOfTen(-7.0L, 6000)));
  EXPECT_LT(ScaleByPowerOfTen(-7.0L, 6000), 0);
  // The largest power the format holds is 10^4932.
  EXPECT_FALSE(IsInfinite(ScaleByPowerOfTen(1.0L, 4932)));
  EXPECT_TRUE(IsInfinite(ScaleByPowerOfTen(1.0L, 4933)));
}

}  // namespace
}  // namespace bilan
