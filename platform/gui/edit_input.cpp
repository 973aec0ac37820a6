// The input path of TEdit: what the field does on entry, the keys that it
// consumes, and the typed-text limit on every way that text comes in from the
// user. Text that the program writes (SetText) goes through none of this, so it
// is never cut.

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include "platform/gui/edit.h"
#include "platform/gui/form.h"
#include "platform/gui/input_limit.h"

namespace bilan::gui {

namespace {

// The keys with which QLineEdit inserts the event's text.
bool IsTyping(const QKeyEvent& event) {
  const QString text = event.text();
  const auto shortcuts = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  return !text.isEmpty() && text.at(0).isPrint() && !(event.modifiers() & shortcuts);
}

bool IsArrow(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

}  // namespace

void TEdit::focusInEvent(QFocusEvent* event) {
  // Selecting before Qt's own handling keeps it from choosing differently: it
  // selects on Tab only when nothing is selected, and otherwise leaves the
  // selection alone.
  if (owner_.ControlFocused(*this, event->reason()) == TForm::FocusArrival::Entry) selectAll();
  QLineEdit::focusInEvent(event);
}

void TEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  // Nothing reacts to Enter or Escape in a field, with any modifier.
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    event->accept();
    return;
  }
  if (max_length_ > 0 && !isReadOnly()) {
    if (event->matches(QKeySequence::Paste)) {
      PasteWithinLimit(QClipboard::Clipboard);
      event->accept();
      return;
    }
    if (IsTyping(*event)) {
      const QString fitted = FitInsertion(text(), selectedText(), event->text(), max_length_);
      if (fitted.size() < event->text().size()) {
        if (!fitted.isEmpty()) insert(fitted);
        event->accept();
        return;
      }
    }
  }
  QLineEdit::keyPressEvent(event);
  // QLineEdit lets Up and Down, and Left or Right at an end, go to the window;
  // in a field the arrows only ever move the caret.
  if (IsArrow(key)) event->accept();
}

void TEdit::PasteWithinLimit(QClipboard::Mode mode) {
  const QString clip = QGuiApplication::clipboard()->text(mode);
  const QString fitted = FitInsertion(text(), selectedText(), clip, max_length_);
  if (fitted == clip) {
    // The standard paste, with its own undo step.
    if (mode == QClipboard::Clipboard) {
      paste();
    } else if (!clip.isEmpty()) {
      insert(clip);
    }
    return;
  }
  // Nothing fits: refused like a typed character, the selection stays.
  if (fitted.isEmpty()) return;
  StartUndoStep();
  insert(fitted);
  StartUndoStep();
}

// QLineEdit merges successive insertions into one undo step unless the caret
// moved in between; the standard paste is a step of its own, so a cut one must
// be too. Moving the caret away and back keeps the caret and the selection.
void TEdit::StartUndoStep() {
  if (text().isEmpty()) return;
  const int cursor = cursorPosition();
  const int start = selectionStart();
  const int length = int(selectedText().size());
  setCursorPosition(cursor > 0 ? cursor - 1 : cursor + 1);
  if (length == 0) {
    setCursorPosition(cursor);
  } else if (cursor == start) {
    setSelection(start + length, -length);
  } else {
    setSelection(start, length);
  }
}

void TEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  if (!menu) return;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (max_length_ > 0) {
    // The menu's Paste is the action bound to QLineEdit::paste; it is bound to
    // the paste within the limit instead.
    for (QAction* action : menu->actions()) {
      const bool bound = disconnect(action, &QAction::triggered, this, &QLineEdit::paste) ||
                         disconnect(action, SIGNAL(triggered()), this, SLOT(paste()));
      if (!bound) continue;
      connect(action, &QAction::triggered, this,
              [this] { PasteWithinLimit(QClipboard::Clipboard); });
    }
  }
  menu->popup(event->globalPos());
}

void TEdit::dropEvent(QDropEvent* event) {
  const QMimeData* data = event->mimeData();
  // A move inside the field itself does not lengthen it.
  const bool moved_within = event->source() == this && event->dropAction() == Qt::MoveAction;
  if (max_length_ == 0 || isReadOnly() || !data || !data->hasText() || moved_within) {
    QLineEdit::dropEvent(event);
    return;
  }
  // A drop inserts at the drop point, without replacing the selection.
  const QString dropped = data->text();
  const QString fitted = FitInsertion(text(), QString(), dropped, max_length_);
  if (fitted == dropped) {
    QLineEdit::dropEvent(event);
    return;
  }
  if (fitted.isEmpty()) {
    event->ignore();
    return;
  }
  QMimeData cut;
  cut.setText(fitted);
  QDropEvent within(event->position(), event->possibleActions(), &cut, event->buttons(),
                    event->modifiers(), event->type());
  within.setDropAction(event->dropAction());
  QLineEdit::dropEvent(&within);
  event->setDropAction(within.dropAction());
  event->setAccepted(within.isAccepted());
}

void TEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString committed = event->commitString();
  if (max_length_ == 0 || isReadOnly() || committed.isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  const QString fitted = FitInsertion(text(), selectedText(), committed, max_length_);
  if (fitted == committed) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent within(event->preeditString(), event->attributes());
  within.setCommitString(fitted, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&within);
  event->accept();
}

void TEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the primary selection where the system has one.
  if (event->button() == Qt::MiddleButton && max_length_ > 0 && !isReadOnly() &&
      QGuiApplication::clipboard()->supportsSelection()) {
    deselect();
    PasteWithinLimit(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

}  // namespace bilan::gui
