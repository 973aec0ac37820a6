#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "drawings.h"

namespace pictures {
namespace {

constexpr int kSize = 128;
constexpr int kSamples = 4;  // per axis: 16 samples a pixel smooth the waving edges

// The cloth: fixed to the pole at u = 0, free at u = 1; the wave grows away from
// the pole, as cloth held at one edge does.
constexpr double kClothLeft = 17.0, kClothWidth = 104.0, kClothTop = 20.0, kClothHeight = 70.0;
constexpr double kAmplitude = 7.0;
constexpr double kHem = 1.0;  // pixels

double Lift(double u) { return kAmplitude * u * std::sin(2 * std::numbers::pi * (1.15 * u) - 0.4); }

// The slope of the cloth decides its shading: parts turned towards the light are
// brighter, folds turned away are darker.
double Light(double u) {
  const double slope = kAmplitude * 2 * std::numbers::pi * 1.15 * u *
                           std::cos(2 * std::numbers::pi * (1.15 * u) - 0.4) / kClothWidth +
                       kAmplitude * std::sin(2 * std::numbers::pi * (1.15 * u) - 0.4) / kClothWidth;
  return std::clamp(1.0 - 2.2 * slope, 0.68, 1.12);
}

std::array<double, 3> Stripe(double u) {
  if (u < 1.0 / 3) return {0, 85, 164};     // blue
  if (u < 2.0 / 3) return {250, 250, 250};  // white
  return {239, 65, 53};                     // red
}

void DrawCloth(QImage& image) {
  for (int y = 0; y < kSize; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kSize; ++x) {
      double r = 0, g = 0, b = 0, cover = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = x + (sx + 0.5) / kSamples;
          const double py = y + (sy + 0.5) / kSamples;
          const double u = (px - kClothLeft) / kClothWidth;
          if (u < 0 || u > 1) continue;
          const double v = (py - kClothTop - Lift(u)) / kClothHeight;
          if (v < 0 || v > 1) continue;
          const auto colour = Stripe(u);
          // A thin darker hem keeps the white stripe visible on light panels.
          const bool hem =
              v < kHem / kClothHeight || v > 1 - kHem / kClothHeight || u > 1 - kHem / kClothWidth;
          const double light = Light(u) * (hem ? 0.62 : 1.0);
          r += std::min(255.0, colour[0] * light);
          g += std::min(255.0, colour[1] * light);
          b += std::min(255.0, colour[2] * light);
          cover += 1;
        }
      }
      if (cover == 0) continue;
      const double n = kSamples * kSamples;
      // Premultiplied: the colour sums already carry the coverage.
      row[x] = qRgba(static_cast<int>(r / n + 0.5), static_cast<int>(g / n + 0.5),
                     static_cast<int>(b / n + 0.5), static_cast<int>(255 * cover / n + 0.5));
    }
  }
}

}  // namespace

QImage DrawFlagIcon() {
  QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  DrawCloth(image);

  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  // The pole, a rounded metal rod with a knob, in front of the cloth's fixed edge.
  QLinearGradient metal(10, 0, 18, 0);
  metal.setColorAt(0, QColor(90, 90, 96));
  metal.setColorAt(0.45, QColor(220, 220, 226));
  metal.setColorAt(1, QColor(80, 80, 86));
  painter.setPen(QPen(QColor(50, 50, 56), 1.0));
  painter.setBrush(metal);
  painter.drawRoundedRect(QRectF(11.5, 14, 6, 108), 2.5, 2.5);
  QRadialGradient knob(QPointF(13.2, 10.2), 6);
  knob.setColorAt(0, QColor(255, 240, 170));
  knob.setColorAt(1, QColor(170, 125, 20));
  painter.setBrush(knob);
  painter.drawEllipse(QPointF(14.5, 11.5), 5, 5);
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace pictures
