#include "platform/gui/button.h"

#include <QEvent>

#include "platform/gui/error_display.h"
#include "platform/gui/form.h"

namespace bilan::gui {

TButton::TButton(TForm& owner) : QPushButton(&owner), owner_(owner) {
  setFocusPolicy(Qt::StrongFocus);
  // A child window is opaque: nothing drawn beneath shows through the
  // style's rounded corners.
  setAutoFillBackground(true);
  setAutoDefault(false);
  setDefault(false);
  QPushButton::setFont(font_.ToQFont());
  ApplyColors();
  connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
  owner.AddControl(*this);
}

void TButton::SetCaption(const QString& caption) {
  setText(caption);
  setAccessibleName(caption);
}

void TButton::SetFont(const TFont& font) {
  font_ = font;
  QPushButton::setFont(font_.ToQFont());
  ApplyColors();
}

void TButton::Click() {
  if (!on_click_) return;
  try {
    on_click_(this);
  } catch (const bilan::Exception& error) {
    bilan::ShowError(error);
  }
}

void TButton::ScaleFont(int m, int d, int ppi) { SetFont(font_.Scaled(m, d, ppi)); }

void TButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ApplicationPaletteChange) ApplyColors();
  QPushButton::changeEvent(event);
}

void TButton::ApplyColors() {
  QPalette colors = palette();
  colors.setColor(QPalette::ButtonText, font_.Color.Resolve());
  setPalette(colors);
}

}  // namespace bilan::gui
