#include "platform/gui/control.h"

#include <QWidget>

#include "platform/gui/font.h"
#include "platform/gui/form.h"

namespace bilan::gui {

void TControl::ChangeScale(int m, int d, int ppi) {
  const QRect old = BoundsRect();
  const int left = ScaleRounded(old.left(), m, d);
  const int top = ScaleRounded(old.top(), m, d);
  const int right = ScaleRounded(old.left() + old.width(), m, d);
  const int bottom = ScaleRounded(old.top() + old.height(), m, d);
  SetBounds(QRect(left, top, right - left, bottom - top));
  ScaleFont(m, d, ppi);
  AdjustSize();
}

void TGraphicControl::SetBounds(const QRect& bounds) {
  if (bounds == bounds_) return;
  Invalidate();
  bounds_ = bounds;
  Invalidate();
}

void TGraphicControl::Invalidate() {
  if (!bounds_.isEmpty()) owner_.update(bounds_);
}

QRect TWinControl::BoundsRect() const { return Widget().geometry(); }

void TWinControl::SetBounds(const QRect& bounds) { Widget().setGeometry(bounds); }

bool TWinControl::Visible() const { return !Widget().isHidden(); }

bool TWinControl::Enabled() const { return Widget().isEnabled(); }

}  // namespace bilan::gui
