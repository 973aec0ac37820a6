#pragma once
// Helpers shared by the focus tests: activating a window and describing what a
// field shows of its caret and selection.

#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

inline bool ShowAndActivate(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// The text, the caret and the selection of a field, e.g. "0,0|3[0,3)" or "12|2".
inline QString CaretAndSelection(const QLineEdit& edit) {
  QString state = edit.text() + "|" + QString::number(edit.cursorPosition());
  if (edit.hasSelectedText()) {
    state += QString("[%1,%2)").arg(edit.selectionStart()).arg(edit.selectionEnd());
  }
  return state;
}
