#include "platform/gui/label.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/gui/form.h"
#include "platform/gui/screen.h"

namespace bilan::gui {

namespace {
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;
}

void TLabel::SetCaption(const QString& caption) {
  caption_ = caption;
  AdjustSize();
  Invalidate();
}

void TLabel::SetFont(const TFont& font) {
  font_ = font;
  qfont_ = font_.ToQFont();
  AdjustSize();
  Invalidate();
}

TColor TLabel::Color() const { return parent_color_ ? Owner().Color() : color_; }

void TLabel::SetColor(const TColor& color) {
  color_ = color;
  parent_color_ = false;
  Invalidate();
}

void TLabel::SetParentColor(bool on) {
  parent_color_ = on;
  Invalidate();
}

void TLabel::SetAutoSize(bool on) {
  auto_size_ = on;
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!auto_size_) return;
  // The advance, not the ink: a trailing blank widens the label. Tabs are
  // measured expanded, as they are drawn.
  const QFontMetrics metrics(qfont_);
  const int width = caption_.contains(QLatin1Char('\t'))
                        ? metrics.size(kTextFlags, caption_).width()
                        : metrics.horizontalAdvance(caption_);
  const QRect bounds = BoundsRect();
  SetBounds(QRect(bounds.left(), bounds.top(), width, MeasureTextHeight(qfont_)));
}

void TLabel::Paint(QPainter& painter) {
  const QRect bounds = BoundsRect();
  painter.fillRect(bounds, Color().Resolve());
  painter.setFont(qfont_);
  painter.setPen(font_.Color.Resolve());
  painter.drawText(QRect(bounds.topLeft(), QSize(QWIDGETSIZE_MAX / 2, QWIDGETSIZE_MAX / 2)),
                   kTextFlags, caption_);
}

void TLabel::ScaleFont(int m, int d, int ppi) { SetFont(font_.Scaled(m, d, ppi)); }

}  // namespace bilan::gui
