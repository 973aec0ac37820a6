#pragma once
// Helpers of the window tests: render a window, read its pixels, decode the
// pictures the window embeds.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

#include "platform/gui/colors.h"
#include "platform/gui/jpeg_image.h"

namespace window_probe {

// The window as the screen would show it, children included, in 32-bit RGB.
inline QImage Render(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A picture embedded in the window's resources, decoded as the window decodes it.
inline QImage Picture(const char* name) {
  QFile file(QStringLiteral(":/ui/pictures/") + QLatin1String(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return bilan::gui::TJPEGImage::Decode(file.readAll()).convertToFormat(QImage::Format_RGB32);
}

inline QRgb Rgb(const bilan::gui::TColor& color) { return color.Resolve().rgb(); }

// The first pixel of `area` in `image` that differs from `expected(x, y)`, as
// "x,y: got #rrggbb, want #rrggbb"; empty when all match.
template <class Expected>
QString FirstMismatch(const QImage& image, const QRect& area, Expected expected) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb got = image.pixel(x, y) | 0xFF000000u;
      const QRgb want = expected(x, y) | 0xFF000000u;
      if (got != want) {
        return QStringLiteral("%1,%2: got %3, want %4")
            .arg(x)
            .arg(y)
            .arg(QColor(got).name(), QColor(want).name());
      }
    }
  }
  return {};
}

inline int CountColor(const QImage& image, const QRect& area, QRgb color) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if ((image.pixel(x, y) | 0xFF000000u) == (color | 0xFF000000u)) ++count;
    }
  }
  return count;
}

}  // namespace window_probe
