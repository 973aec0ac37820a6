#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "drawings.h"

namespace pictures {
namespace {

constexpr int kWidth = 610;
constexpr int kHeight = 38;
// The window shows only columns 0 to 600 and rows 0 to 32 of the banner.
const QRectF kVisible(0, 0, 601, 33);

const QString kTitle = QStringLiteral("BILAN ÉNERGÉTIQUE");

}  // namespace

QImage DrawTitleBanner(const QFont& face) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const QColor blue = QColor::fromRgb(kBandBlue);
  image.fill(blue);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  // A slightly deeper blue in the middle of the visible part lifts the lettering.
  QLinearGradient ground(0, 0, 0, kVisible.height());
  ground.setColorAt(0, blue);
  ground.setColorAt(0.5, blue.darker(118));
  ground.setColorAt(1, blue);
  painter.fillRect(kVisible, ground);

  QFont font = face;
  font.setPixelSize(22);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
  const QFontMetricsF metrics(font);
  const double textWidth = metrics.horizontalAdvance(kTitle);
  const double left = (kVisible.width() - textWidth) / 2.0;
  const double baseline =
      (kVisible.height() + metrics.capHeight()) / 2.0;  // capitals centred vertically
  QPainterPath letters;
  letters.addText(QPointF(left, baseline), font, kTitle);

  // Rules on both sides of the title, orange fading into the blue.
  const double ruleY = kVisible.height() / 2.0;
  QLinearGradient leftRule(12, 0, left - 10, 0);
  leftRule.setColorAt(0, QColor(255, 140, 0, 0));
  leftRule.setColorAt(1, QColor(255, 150, 20, 230));
  painter.fillRect(QRectF(12, ruleY - 1, left - 22, 2), leftRule);
  QLinearGradient rightRule(left + textWidth + 10, 0, kVisible.width() - 12, 0);
  rightRule.setColorAt(0, QColor(255, 150, 20, 230));
  rightRule.setColorAt(1, QColor(255, 140, 0, 0));
  painter.fillRect(
      QRectF(left + textWidth + 10, ruleY - 1, kVisible.width() - 22 - left - textWidth, 2),
      rightRule);

  // Shadow, then the lettering: a warm gradient with a dark brown edge.
  painter.fillPath(letters.translated(1.5, 1.5), QColor(5, 20, 60, 170));
  QLinearGradient fill(0, baseline - metrics.capHeight(), 0, baseline);
  fill.setColorAt(0, QColor(255, 214, 90));
  fill.setColorAt(0.55, QColor(255, 150, 20));
  fill.setColorAt(1, QColor(230, 95, 0));
  painter.setPen(QPen(QColor(95, 35, 0), 1.0));
  painter.setBrush(fill);
  painter.drawPath(letters);
  return image;
}

}  // namespace pictures
