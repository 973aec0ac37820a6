// The keyboard of TButton. In a plain window QPushButton ignores Enter and
// moves its arrows through Qt's focus chain; here Enter presses the button and
// the arrows walk the window's ring, ignoring tab stops.

#include <QFocusEvent>
#include <QKeyEvent>

#include "platform/gui/button.h"
#include "platform/gui/form.h"

namespace bilan::gui {

void TButton::focusInEvent(QFocusEvent* event) {
  owner_.ControlFocused(*this, event->reason());
  QPushButton::focusInEvent(event);
}

void TButton::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Auto-repeat presses it again for as long as it keeps the focus.
      if (!(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) click();
      event->accept();
      return;
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Up: {
      const bool forward = event->key() == Qt::Key_Right || event->key() == Qt::Key_Down;
      if (!(modifiers & Qt::AltModifier)) owner_.SelectNext(this, forward, false);
      event->accept();
      return;
    }
    case Qt::Key_Escape:
      event->accept();
      return;
    default:
      QPushButton::keyPressEvent(event);
  }
}

}  // namespace bilan::gui
