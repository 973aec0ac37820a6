#include "platform/gui/font.h"

#include <cstdlib>

namespace bilan::gui {

int ScaleRounded(int x, int numerator, int denominator) {
  const long long product = static_cast<long long>(x) * numerator;
  long long quotient = product / denominator;
  const long long remainder = product % denominator;
  if (2 * std::llabs(remainder) >= std::llabs(static_cast<long long>(denominator))) {
    quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
  }
  return static_cast<int>(quotient);
}

QFont TFont::ToQFont() const {
  QFont font(QString::fromStdString(Name));
  // A negative height is the em height; a positive one would include the
  // internal leading, which no font of this program uses.
  font.setPixelSize(Height < 0 ? -Height : Height);
  font.setWeight(Bold ? QFont::Bold : QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

int TFont::Size(int ppi) const { return -ScaleRounded(Height, 72, ppi); }

void TFont::SetSize(int points, int ppi) { Height = -ScaleRounded(points, ppi, 72); }

TFont TFont::Scaled(int m, int d, int ppi) const {
  TFont scaled = *this;
  scaled.SetSize(ScaleRounded(Size(ppi), m, d), ppi);
  return scaled;
}

}  // namespace bilan::gui
