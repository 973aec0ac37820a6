#pragma once
// Sets DecimalMark for one test and puts the previous mark back afterwards.

#include "platform/runtime/decimal_mark.h"

namespace bilan::testing {

class ScopedDecimalMark {
 public:
  explicit ScopedDecimalMark(char mark) : previous_(DecimalMark) { DecimalMark = mark; }
  ~ScopedDecimalMark() { DecimalMark = previous_; }
  ScopedDecimalMark(const ScopedDecimalMark&) = delete;
  ScopedDecimalMark& operator=(const ScopedDecimalMark&) = delete;

 private:
  char previous_;
};

}  // namespace bilan::testing
