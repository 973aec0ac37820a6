#pragma once
// The x87 unit as the reference for the software arithmetic: each operation
// runs on long double under control word 0x037F with the flags cleared first,
// and reports the result's ten bytes and the status word's exception flags.

#include <cfloat>
#include <cstdint>
#include <cstring>

#include "calc/soft_extended.h"

#if defined(__x86_64__) || defined(__i386__)
#define BILAN_HAVE_X87 1

namespace bilan::x87 {

static_assert(LDBL_MANT_DIG == 64, "long double must be the x87 format here");

enum class Operation { kAdd, kSub, kMul, kDiv, kRoundToInteger };

struct Outcome {
  SoftExtended value;
  SoftFlags flags;
};

inline long double ToHardware(SoftExtended x) {
  long double result = 0;
  const auto bytes = x.ToBytes();
  std::memcpy(&result, bytes.data(), bytes.size());
  return result;
}

inline SoftExtended FromHardware(long double x) {
  std::array<std::uint8_t, 10> bytes;
  std::memcpy(bytes.data(), &x, bytes.size());
  return SoftExtended::FromBytes(bytes);
}

// Sets the control word for the lifetime of the object, restores it after.
class ControlWordScope {
 public:
  ControlWordScope() {
    asm volatile("fnstcw %0" : "=m"(saved_));
    const std::uint16_t wanted = 0x037F;
    asm volatile("fldcw %0" : : "m"(wanted) : "memory");
  }
  ~ControlWordScope() { asm volatile("fnclex\n\tfldcw %0" : : "m"(saved_) : "memory"); }
  ControlWordScope(const ControlWordScope&) = delete;
  ControlWordScope& operator=(const ControlWordScope&) = delete;

 private:
  std::uint16_t saved_ = 0;
};

// The operands are read through volatile objects after the flags are cleared
// and the result stored through one before the status word is read, so the
// compiler can neither fold the operation nor move it out of that window.
template <Operation op>
Outcome Run(SoftExtended a, SoftExtended b) {
  volatile long double x = ToHardware(a);
  volatile long double y = ToHardware(b);
  volatile long double stored;
  asm volatile("fnclex" : : : "memory");
  if constexpr (op == Operation::kAdd) {
    stored = x + y;
  } else if constexpr (op == Operation::kSub) {
    stored = x - y;
  } else if constexpr (op == Operation::kMul) {
    stored = x * y;
  } else if constexpr (op == Operation::kDiv) {
    stored = x / y;
  } else {
    long double value = x;
    asm volatile("frndint" : "+t"(value));
    stored = value;
  }
  std::uint16_t status = 0;
  asm volatile("fnstsw %0" : "=m"(status) : : "memory");
  return {FromHardware(stored), static_cast<SoftFlags>(status & kSoftAllFlags)};
}

}  // namespace bilan::x87

#endif
