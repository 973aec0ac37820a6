#pragma once
// A font as the window definition stores it: face, height, weight, character
// set and colour. The height is -n for an em height of n pixels; the character
// set is kept as data only, since fontconfig does the matching on Linux.

#include <QFont>
#include <string>

#include "platform/gui/colors.h"

namespace bilan::gui {

inline constexpr int kAnsiCharset = 0;
inline constexpr int kDefaultCharset = 1;
inline constexpr int kArabicCharset = 178;

struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  bool Bold = false;
  int Charset = kDefaultCharset;
  TColor Color = TColor::System(SystemColor::WindowText);

  // The Qt font requested by face, pixel size and weight alone.
  QFont ToQFont() const;
  // The height in points at `ppi` pixels per inch, rounded to the nearest point.
  int Size(int ppi) const;
  // Sets the height from a point size at `ppi` pixels per inch.
  void SetSize(int points, int ppi);
  // This font with its point size at `ppi` scaled by m/d: resolution scaling
  // rounds the point size, not the pixel height.
  TFont Scaled(int m, int d, int ppi) const;

  bool operator==(const TFont&) const = default;
};

// x * numerator / denominator rounded to the nearest integer, halves away from
// zero: the rounding of every scaled edge and point size.
int ScaleRounded(int x, int numerator, int denominator);

}  // namespace bilan::gui
