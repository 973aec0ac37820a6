#include "platform/runtime/errors.h"

namespace bilan {

std::string WithClosingPeriod(std::string_view message) {
  std::string shown(message);
  // Compared as an unsigned byte: the last byte of an accented UTF-8 letter is
  // above 0x7F and so gets its period, like the letter it ends.
  if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.') shown += '.';
  return shown;
}

}  // namespace bilan
