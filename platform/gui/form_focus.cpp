// The focus handling of TForm: the ActiveControl, the focus request and its
// refusal, the tab-order ring, the first activation and the focused-button look.
// Fields and buttons report each focus they receive through ControlFocused.

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <vector>

#include "platform/gui/focus_ring.h"
#include "platform/gui/form.h"
#include "platform/runtime/errors.h"

namespace bilan::gui {

void TForm::FocusControl(TWinControl& control) {
  QWidget& widget = control.Widget();
  const bool on_this_window = widget.window() == this;
  if (!on_this_window || !widget.isVisibleTo(this) || !widget.isEnabled() ||
      (!isActiveWindow() && (!isVisible() || !isEnabled()))) {
    throw bilan::EFocusError();
  }
  active_control_ = &control;
  if (isActiveWindow()) {
    // Focusing the control that already has the focus is no focus change.
    if (QApplication::focusWidget() != &widget) widget.setFocus(Qt::OtherFocusReason);
  } else {
    pending_entry_ = &control;
    widget.setFocus(Qt::OtherFocusReason);  // remembered until the activation
    activateWindow();
  }
  UpdateButtonLooks();
}

TWinControl* TForm::FindNextControl(const TWinControl* current, bool forward,
                                    bool check_tab_stop) const {
  const std::vector<TWinControl*> ring = TabOrderedControls();
  std::vector<RingSlot> described;
  std::optional<std::size_t> start;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const QWidget& widget = ring[i]->Widget();
    described.push_back({widget.isVisibleTo(this), widget.isEnabled(), ring[i]->TabStop(),
                         widget.parentWidget() == this});
    if (ring[i] == current) start = i;
  }
  const std::optional<std::size_t> next =
      NextInRing(described, start, forward ? RingDirection::Forward : RingDirection::Backward,
                 check_tab_stop ? TabStops::Count : TabStops::Ignore);
  return next ? ring[*next] : nullptr;
}

void TForm::SelectNext(const TWinControl* current, bool forward, bool check_tab_stop) {
  TWinControl* next = FindNextControl(current, forward, check_tab_stop);
  if (!next) return;
  // The walk only takes visible, enabled controls of this window, so the
  // request cannot be refused while the window has the keyboard.
  active_control_ = next;
  QWidget& widget = next->Widget();
  if (QApplication::focusWidget() != &widget)
    widget.setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  UpdateButtonLooks();
}

TForm::FocusArrival TForm::ControlFocused(TWinControl& control, Qt::FocusReason reason) {
  const bool requested = pending_entry_ == &control;
  const bool returning = active_control_ == &control;
  pending_entry_ = nullptr;
  active_control_ = &control;
  UpdateButtonLooks();
  if (requested) return FocusArrival::Entry;
  switch (reason) {
    case Qt::MouseFocusReason:
      // Any other button (a right press opens the context menu) enters as the
      // keyboard does.
      return (QGuiApplication::mouseButtons() & Qt::LeftButton) ? FocusArrival::MouseEntry
                                                                : FocusArrival::Entry;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
    case Qt::NoFocusReason:
      // The window or a popup gives the focus back: no exit took place.
      return returning ? FocusArrival::Return : FocusArrival::Entry;
    default:
      return FocusArrival::Entry;
  }
}

// Tab and Shift+Tab from any control of the window come here through Qt.
bool TForm::focusNextPrevChild(bool next) {
  const TWinControl* current = active_control_;
  for (TWinControl* control : TabOrderedControls()) {
    if (&control->Widget() == QApplication::focusWidget()) current = control;
  }
  SelectNext(current, next, true);
  return true;
}

void TForm::ArrangeFocusChain() {
  const std::vector<TWinControl*> ring = TabOrderedControls();
  for (std::size_t i = 1; i < ring.size(); ++i)
    QWidget::setTabOrder(&ring[i - 1]->Widget(), &ring[i]->Widget());
}

bool TForm::event(QEvent* event) {
  if (event->type() == QEvent::Show) ArrangeFocusChain();
  // Qt sends the activation before it gives the focus back, so at the first
  // activation the ring's first control is focused before Qt would pick one.
  if (event->type() == QEvent::WindowActivate && !active_control_) {
    if (TWinControl* first = FindNextControl(nullptr, true, true)) {
      active_control_ = first;
      pending_entry_ = first;
      first->Widget().setFocus(Qt::ActiveWindowFocusReason);
      UpdateButtonLooks();
    }
  }
  return QWidget::event(event);
}

// A push button shows the emphasised frame of a default button exactly while
// it is the ActiveControl; Qt's own default frame does not follow the focus.
void TForm::UpdateButtonLooks() {
  for (TControl* control : controls_) {
    auto* win = dynamic_cast<TWinControl*>(control);
    if (!win) continue;
    if (auto* button = qobject_cast<QPushButton*>(&win->Widget()))
      button->setDefault(win == active_control_);
  }
}

}  // namespace bilan::gui
