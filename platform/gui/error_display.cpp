#include "platform/gui/error_display.h"

#include <cstdio>
#include <utility>

namespace bilan {

namespace {
ErrorDisplay& Installed() {
  static ErrorDisplay display;
  return display;
}
}  // namespace

ErrorDisplay SetErrorDisplay(ErrorDisplay display) {
  return std::exchange(Installed(), std::move(display));
}

void ShowError(const Exception& error) {
  if (Installed()) {
    Installed()(error);
    return;
  }
  std::fprintf(stderr, "%s\n", WithClosingPeriod(error.Message()).c_str());
}

}  // namespace bilan
