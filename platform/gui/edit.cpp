#include "platform/gui/edit.h"

#include <QEvent>
#include <QFontMetrics>

#include "platform/gui/form.h"
#include "platform/gui/screen.h"

namespace bilan::gui {

// The sunken border and the margins above and below the text, each one pixel
// of the system's border thickness.
constexpr int kBorderAndMargins = 8;

TEdit::TEdit(TForm& owner) : QLineEdit(&owner), owner_(owner) {
  setFocusPolicy(Qt::StrongFocus);
  // A child window is opaque: nothing drawn beneath shows through the
  // style's rounded corners.
  setAutoFillBackground(true);
  setFrame(true);
  setTextMargins(0, 0, 0, 0);
  setAttribute(Qt::WA_MacShowFocusRect, false);
  ApplyColors();
  QLineEdit::setFont(font_.ToQFont());
  ApplyReadingDirection();
  owner.AddControl(*this);
}

std::string TEdit::Text() const { return text().toStdString(); }

void TEdit::SetText(const std::string& text) {
  setText(QString::fromStdString(text));
  setCursorPosition(0);
}

void TEdit::SetFocus() { owner_.FocusControl(*this); }

void TEdit::SetColor(const TColor& color) {
  color_ = color;
  ApplyColors();
}

void TEdit::SetFont(const TFont& font) {
  font_ = font;
  QLineEdit::setFont(font_.ToQFont());
  ApplyColors();
  AdjustSize();
}

void TEdit::SetBiDiMode(ReadingMode mode) {
  bidi_mode_ = mode;
  ApplyReadingDirection();
}

void TEdit::SetAutoSize(bool on) {
  auto_size_ = on;
  AdjustSize();
}

void TEdit::AdjustSize() {
  if (!auto_size_) return;
  const QRect bounds = BoundsRect();
  SetBounds(QRect(bounds.left(), bounds.top(), bounds.width(),
                  MeasureTextHeight(font_.ToQFont()) + kBorderAndMargins));
}

void TEdit::ScaleFont(int m, int d, int ppi) { SetFont(font_.Scaled(m, d, ppi)); }

void TEdit::changeEvent(QEvent* event) {
  // System colours follow a change of the colour scheme.
  if (event->type() == QEvent::ApplicationPaletteChange) ApplyColors();
  QLineEdit::changeEvent(event);
}

void TEdit::ApplyColors() {
  QPalette colors = palette();
  colors.setColor(QPalette::Base, color_.Resolve());
  colors.setColor(QPalette::Text, font_.Color.Resolve());
  // The selection shows only while the field has the focus; while the window
  // is inactive it is kept but drawn as plain text.
  colors.setColor(QPalette::Inactive, QPalette::Highlight, color_.Resolve());
  colors.setColor(QPalette::Inactive, QPalette::HighlightedText, font_.Color.Resolve());
  setPalette(colors);
}

// Right-to-left modes matter only where right-to-left support is on. Reading
// order follows the layout direction; alignment is absolute so that the "no
// align" and "reading only" modes keep their text on the left.
void TEdit::ApplyReadingDirection() {
  const bool rtl = RightToLeftSupport() && bidi_mode_ != ReadingMode::LeftToRight;
  setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
  const bool align_right = rtl && bidi_mode_ == ReadingMode::RightToLeft;
  setAlignment(Qt::AlignAbsolute | Qt::AlignVCenter |
               (align_right ? Qt::AlignRight : Qt::AlignLeft));
}

}  // namespace bilan::gui
