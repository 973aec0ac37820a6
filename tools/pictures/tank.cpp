#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "drawings.h"

namespace pictures {
namespace {

constexpr int kWidth = 57;
constexpr int kHeight = 90;

const QColor kInk(35, 42, 60);
const QColor kLiquid(168, 214, 246);
const QColor kBolt(255, 214, 0);

// The tank's body: a cylinder seen slightly from above.
constexpr double kLeft = 15.5, kRight = 41.5, kTop = 36.0, kBottom = 82.0, kRim = 3.5;
constexpr double kSurface = 52.0;

void DrawPipe(QPainter& painter, const QPainterPath& route) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kInk, 5.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  painter.drawPath(route);
  painter.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  painter.drawPath(route);
}

void DrawBolt(QPainter& painter, QPointF origin, double scale) {
  const QPolygonF bolt({{4, 0}, {9, 0}, {6, 8}, {10, 8}, {2, 22}, {4, 12}, {0, 12}});
  QPolygonF placed;
  for (const QPointF& p : bolt) placed << origin + p * scale;
  painter.setPen(QPen(QColor(150, 105, 0), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(kBolt);
  painter.drawPolygon(placed);
}

}  // namespace

QImage DrawTank() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  // Two pipes leave the lid and rise, one bending left and one right at the top.
  QPainterPath leftPipe(QPointF(22, kTop));
  leftPipe.lineTo(22, 12);
  leftPipe.quadTo(22, 7, 17, 7);
  leftPipe.lineTo(9, 7);
  QPainterPath rightPipe(QPointF(35, kTop));
  rightPipe.lineTo(35, 19);
  rightPipe.quadTo(35, 14, 40, 14);
  rightPipe.lineTo(49, 14);
  DrawPipe(painter, leftPipe);
  DrawPipe(painter, rightPipe);
  // Flanges where the pipes end.
  painter.setPen(QPen(kInk, 1.2));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(6.5, 3.5, 3, 7));
  painter.drawRect(QRectF(48.5, 10.5, 3, 7));

  // Body and liquid.
  QPainterPath body;
  body.moveTo(kLeft, kTop);
  body.lineTo(kLeft, kBottom);
  body.arcTo(QRectF(kLeft, kBottom - kRim, kRight - kLeft, 2 * kRim), 180, 180);
  body.lineTo(kRight, kTop);
  body.arcTo(QRectF(kLeft, kTop - kRim, kRight - kLeft, 2 * kRim), 0, 180);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawPath(body);

  QPainterPath liquid;
  liquid.moveTo(kLeft, kSurface);
  liquid.cubicTo(kLeft + 7, kSurface - 2.5, kRight - 12, kSurface + 2.5, kRight, kSurface);
  liquid.lineTo(kRight, kBottom);
  liquid.arcTo(QRectF(kLeft, kBottom - kRim, kRight - kLeft, 2 * kRim), 0, -180);
  liquid.closeSubpath();
  painter.setBrush(kLiquid);
  painter.drawPath(liquid);
  painter.setPen(QPen(QColor(70, 140, 200), 0.9));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(QPainterPath(liquid).simplified());

  // Bubbles rising through the liquid, smaller near the surface.
  painter.setPen(QPen(QColor(40, 100, 170), 0.9));
  painter.setBrush(QColor(235, 246, 255));
  const struct {
    double x, y, r;
  } bubbles[] = {{22, 74, 2.6}, {31, 70, 2.2}, {26, 63, 1.8}, {35, 61, 1.5},
                 {21, 58, 1.2}, {30, 56, 1.1}, {36, 77, 1.9}};
  for (const auto& b : bubbles) painter.drawEllipse(QPointF(b.x, b.y), b.r, b.r);

  // Outline of the tank and its lid on top of everything inside.
  painter.setPen(QPen(kInk, 1.3));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(body);
  painter.drawArc(QRectF(kLeft, kTop - kRim, kRight - kLeft, 2 * kRim), 180 * 16, 180 * 16);
  // Feet.
  painter.drawLine(QPointF(kLeft + 3, kBottom + 2.5), QPointF(kLeft + 1, 87.5));
  painter.drawLine(QPointF(kRight - 3, kBottom + 2.5), QPointF(kRight - 1, 87.5));

  DrawBolt(painter, QPointF(2.5, 40), 1.0);
  DrawBolt(painter, QPointF(44.5, 44), 1.0);
  return image;
}

}  // namespace pictures
