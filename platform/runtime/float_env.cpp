#include "platform/runtime/float_env.h"

#include <cfenv>

namespace bilan {

void InitFloatingPointEnvironment() {
  std::fesetenv(FE_DFL_ENV);
  std::feclearexcept(FE_ALL_EXCEPT);
#if defined(__x86_64__) || defined(__i386__)
  // x87 control word: all exceptions masked (bits 0-5), 64-bit precision
  // control (bits 8-9 = 11), rounding to nearest (bits 10-11 = 00).
  unsigned short control = 0x037F;
  asm volatile("fldcw %0" : : "m"(control));
#endif
}

}  // namespace bilan
