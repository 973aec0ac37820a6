#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>
#include <random>

#include "drawings.h"

namespace pictures {
namespace {

constexpr int kWidth = 909;
constexpr int kHeight = 115;

// A fixed-seed source of numbers in [low, high): mt19937's sequence is fixed by
// the standard, the library's real distributions are not, so map it ourselves.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  double Between(double low, double high) {
    return low + (high - low) * (static_cast<double>(engine_()) / 4294967296.0);
  }

 private:
  std::mt19937 engine_;
};

// One streak: a ribbon that leaves the middle of the band low down as a hair
// line, runs outwards and widens as it curls up past the top edge. `side` is +1
// for the right half, -1 for the left.
QPainterPath Streak(Dice& dice, int side, double width) {
  const double centre = kWidth / 2.0;
  const QPointF p0(centre + side * dice.Between(0, 50), dice.Between(72, 102));
  const double reach = dice.Between(130, 600);
  const double lift = dice.Between(80, 170);
  const QPointF p1(p0.x() + side * reach * 0.4, p0.y() + dice.Between(-4, 10));
  const QPointF p2(p0.x() + side * reach * 0.8, p0.y() - lift * 0.2);
  const QPointF p3(p0.x() + side * reach, p0.y() - lift);

  constexpr int kSteps = 48;
  QPolygonF upper, lower;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = static_cast<double>(i) / kSteps;
    const double s = 1 - t;
    const QPointF point = s * s * s * p0 + 3 * s * s * t * p1 + 3 * s * t * t * p2 + t * t * t * p3;
    const QPointF tangent = 3 * s * s * (p1 - p0) + 6 * s * t * (p2 - p1) + 3 * t * t * (p3 - p2);
    const double length = std::hypot(tangent.x(), tangent.y());
    const QPointF normal(-tangent.y() / length, tangent.x() / length);
    const double half = width * std::pow(t, 0.8) / 2;
    upper << point + normal * half;
    lower.prepend(point - normal * half);
  }
  QPainterPath path;
  path.addPolygon(upper + lower);
  path.closeSubpath();
  return path;
}

void DrawStreaks(QPainter& painter, Dice& dice, int count) {
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const int side = (i % 2 == 0) ? 1 : -1;
    const double width = dice.Between(1.5, 16.0);
    const QPainterPath path = Streak(dice, side, width);
    const bool light = dice.Between(0, 1) < 0.55;
    const int alpha = static_cast<int>(dice.Between(30, 110));
    const QColor colour = light ? QColor(150 + static_cast<int>(dice.Between(0, 80)),
                                         200 + static_cast<int>(dice.Between(0, 40)), 255, alpha)
                                : QColor(8, 30 + static_cast<int>(dice.Between(0, 30)),
                                         95 + static_cast<int>(dice.Between(0, 40)), alpha);
    painter.setBrush(colour);
    painter.drawPath(path);
  }
}

}  // namespace

QImage DrawTopBand() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const QColor blue = QColor::fromRgb(kBandBlue);
  image.fill(blue);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  // A faint glow above the middle, where the streaks come from.
  QRadialGradient glow(QPointF(kWidth / 2.0, 70), 380, QPointF(kWidth / 2.0, 80));
  glow.setColorAt(0, QColor(90, 150, 235, 120));
  glow.setColorAt(1, QColor(90, 150, 235, 0));
  painter.fillRect(image.rect(), glow);

  Dice dice(20240611u);
  DrawStreaks(painter, dice, 90);

  // Everything fades into the plain blue towards the bottom edge.
  QLinearGradient fade(0, 52, 0, 104);
  QColor clear = blue;
  clear.setAlpha(0);
  fade.setColorAt(0, clear);
  fade.setColorAt(1, blue);
  painter.fillRect(image.rect(), fade);
  return image;
}

QImage DrawBottomBand() { return DrawTopBand().mirrored(false, true); }

}  // namespace pictures
