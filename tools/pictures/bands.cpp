#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
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

// One streak: it leaves the middle of the band low down, runs outwards, and
// curls up towards the top edge. `side` is +1 for the right half, -1 for the left.
QPainterPath Streak(Dice& dice, int side) {
  const double centre = kWidth / 2.0;
  const double startX = centre + side * dice.Between(0, 40);
  const double startY = dice.Between(70, 100);
  const double reach = dice.Between(180, 520);
  const double lift = dice.Between(60, 150);
  QPainterPath path(QPointF(startX, startY));
  path.cubicTo(QPointF(startX + side * reach * 0.35, startY + dice.Between(-5, 12)),
               QPointF(startX + side * reach * 0.75, startY - lift * 0.25),
               QPointF(startX + side * reach, startY - lift));
  return path;
}

void DrawStreaks(QPainter& painter, Dice& dice, int count) {
  for (int i = 0; i < count; ++i) {
    const int side = (i % 2 == 0) ? 1 : -1;
    const QPainterPath path = Streak(dice, side);
    const bool light = dice.Between(0, 1) < 0.55;
    const double width = dice.Between(1.0, 9.0);
    const int alpha = static_cast<int>(dice.Between(35, 120));
    const QColor colour = light ? QColor(150 + static_cast<int>(dice.Between(0, 80)),
                                         200 + static_cast<int>(dice.Between(0, 40)), 255, alpha)
                                : QColor(8, 30 + static_cast<int>(dice.Between(0, 30)),
                                         95 + static_cast<int>(dice.Between(0, 40)), alpha);
    QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.drawPath(path);
    // A thin bright edge on the wide light streaks reads as a sheen.
    if (light && width > 5) {
      pen.setColor(QColor(235, 245, 255, alpha / 2 + 30));
      pen.setWidthF(1.0);
      painter.setPen(pen);
      painter.drawPath(path.translated(0, -width / 2));
    }
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
  DrawStreaks(painter, dice, 70);

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
