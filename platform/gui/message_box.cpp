#include "platform/gui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "platform/gui/application.h"

namespace bilan {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The window the box stands for: the active one, else the main window. Being
// the box's parent keeps the box above it and on its screen.
QWidget* OwnerWindow() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  return Application != nullptr ? Application->MainForm() : nullptr;
}

void ShowErrorBox(const QString& caption, const Exception& error) {
  // A button that holds the mouse would otherwise keep it through the box.
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();

  QPointer<QWidget> was_active = QApplication::activeWindow();
  QMessageBox box(QMessageBox::Critical, caption, FromUtf8(WithClosingPeriod(error.Message())),
                  QMessageBox::Ok, OwnerWindow());
  // Messages quote what the user typed; none of it is markup.
  box.setTextFormat(Qt::PlainText);
  // Blocks input to every window of the program without disabling them.
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();

  // The window that was active gets the activation back; it gives the focus
  // to its remembered control, not to whatever the box's closing left.
  if (was_active != nullptr && was_active->isVisible()) was_active->activateWindow();
}

}  // namespace

ErrorDisplay MessageBoxDisplay(const QString& caption) {
  return [caption](const Exception& error) { ShowErrorBox(caption, error); };
}

QString ApplicationErrorText(std::string_view class_name, const QString& module,
                             unsigned long long address, std::string_view message) {
  QString text =
      QStringLiteral("Exception %1 dans le module %2 à %3.\n")
          .arg(
              FromUtf8(class_name), module,
              QStringLiteral("%1").arg(address & 0xFFFFFFFFull, 8, 16, QLatin1Char('0')).toUpper());
  text += FromUtf8(message);
  if (!message.empty() && message.back() != '.') text += QLatin1Char('.');
  return text;
}

void ShowApplicationError(std::string_view class_name, const QString& module,
                          unsigned long long address, std::string_view message) {
  // No owner: no window of the program is there to stand for.
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationErrorCaption),
                  ApplicationErrorText(class_name, module, address, message), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace bilan
