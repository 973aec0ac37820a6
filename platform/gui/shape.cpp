#include "platform/gui/shape.h"

#include <QPainter>

namespace bilan::gui {

void TShape::SetBrushColor(const TColor& color) {
  brush_ = color;
  Invalidate();
}

// Filled pixel by pixel rather than with a stroked rectangle, so that the
// outline lies exactly on the outermost pixels whatever the pen's geometry.
void TShape::Paint(QPainter& painter) {
  const QRect bounds = BoundsRect();
  painter.fillRect(bounds, Qt::black);
  const QRect inside = bounds.adjusted(1, 1, -1, -1);
  if (inside.width() > 0 && inside.height() > 0) painter.fillRect(inside, brush_.Resolve());
}

}  // namespace bilan::gui
