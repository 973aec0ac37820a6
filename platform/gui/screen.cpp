#include "platform/gui/screen.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <cmath>

namespace bilan::gui {

namespace {
std::optional<int>& ForcedPpi() {
  static std::optional<int> ppi;
  return ppi;
}
std::function<int(const QFont&)>& ForcedMeasure() {
  static std::function<int(const QFont&)> measure;
  return measure;
}
std::optional<bool>& ForcedRightToLeft() {
  static std::optional<bool> on;
  return on;
}
}  // namespace

int ScreenPixelsPerInch() {
  if (ForcedPpi()) return *ForcedPpi();
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 96;
  return static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
}

int MeasureTextHeight(const QFont& font) { return QFontMetrics(font).height(); }

int MeasureBaseFont(const QFont& font) {
  if (ForcedMeasure()) return ForcedMeasure()(font);
  return MeasureTextHeight(font);
}

bool RightToLeftSupport() {
  if (ForcedRightToLeft()) return *ForcedRightToLeft();
  static const bool on = QGuiApplication::layoutDirection() == Qt::RightToLeft ||
                         QLocale::system().textDirection() == Qt::RightToLeft;
  return on;
}

void SetScreenPixelsPerInchForTesting(std::optional<int> ppi) { ForcedPpi() = ppi; }

void SetBaseFontMeasureForTesting(std::function<int(const QFont&)> measure) {
  ForcedMeasure() = std::move(measure);
}

void SetRightToLeftSupportForTesting(std::optional<bool> on) { ForcedRightToLeft() = on; }

}  // namespace bilan::gui
