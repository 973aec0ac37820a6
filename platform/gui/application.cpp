#include "platform/gui/application.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLocale>
#include <QPixmap>

#include "platform/gui/message_box.h"
#include "platform/runtime/decimal_mark.h"

namespace bilan {

TApplication* Application = nullptr;

QString TitleFromProgramFile(const QString& path) {
  QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  if (name.isEmpty()) return name;
  // The first character keeps its case; a surrogate pair counts as one.
  const qsizetype first = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
  return name.left(first) + QLocale::system().toLower(name.mid(first));
}

QString ProgramFilePath(const char* argv0) {
  const QString real = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
  if (!real.isEmpty()) return real;
  return argv0 != nullptr ? QFile::decodeName(argv0) : QString();
}

ShowCommand ShowCommandFromArguments(const QStringList& arguments) {
  ShowCommand show = ShowCommand::Normal;
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("--maximized")) show = ShowCommand::Maximized;
    if (argument == QLatin1String("--minimized")) show = ShowCommand::Minimized;
  }
  return show;
}

QIcon LoadApplicationIcon(const QString& resource) {
  const QPixmap picture(resource);
  if (!picture.isNull()) return QIcon(picture);
  // An empty icon lets the desktop draw its standard application icon.
  return QIcon::fromTheme(QStringLiteral("application-x-executable"));
}

TApplication::TApplication(QString title, QIcon icon, ShowCommand show)
    : title_(std::move(title)), icon_(std::move(icon)), show_(show) {
  Application = this;
  // On Linux no hidden owner window stands for the program in the taskbar:
  // an X11 desktop groups the program's windows under their WM_CLASS, whose
  // class part Qt takes from the application name, so that carries the title;
  // a Wayland desktop finds the entry through the desktop file name, which
  // therefore names the installed entry (its StartupWMClass is the title of
  // the installed "bilan"). The display name is left alone: Qt would append
  // it to every window title, and the main window's title is exactly its own.
  QCoreApplication::setApplicationName(title_);
  QGuiApplication::setDesktopFileName(QString::fromUtf8(kDesktopEntry));
  if (!icon_.isNull()) QApplication::setWindowIcon(icon_);
  QGuiApplication::setQuitOnLastWindowClosed(true);
  qApp->installEventFilter(this);
  previous_display_ = SetErrorDisplay(MessageBoxDisplay(title_));
}

TApplication::~TApplication() {
  qApp->removeEventFilter(this);
  SetErrorDisplay(std::move(previous_display_));
  // The windows go before the application object, the main window last.
  while (!forms_.empty()) forms_.pop_back();
  if (Application == this) Application = nullptr;
}

void TApplication::Adopt(std::unique_ptr<QWidget> form) {
  if (main_form_ == nullptr) main_form_ = form.get();
  forms_.push_back(std::move(form));
}

void TApplication::Run() {
  step_ = reinterpret_cast<const void*>(&RunStep);
  if (main_form_ == nullptr) return;
  ShowMainForm();
  QApplication::exec();
}

void TApplication::ShowMainForm() {
  switch (show_) {
    case ShowCommand::Maximized:
      main_form_->showMaximized();
      break;
    case ShowCommand::Minimized:
      // Only the taskbar entry shows; the window does not take the activation
      // from whatever the user is doing. Restoring it shows and activates it.
      main_form_->setAttribute(Qt::WA_ShowWithoutActivating);
      main_form_->showMinimized();
      main_form_->setAttribute(Qt::WA_ShowWithoutActivating, false);
      break;
    case ShowCommand::Normal:
      main_form_->show();
      break;
  }
}

void TApplication::Terminate() {
  if (main_form_ != nullptr) main_form_->close();
  // Leaves the main loop and, if an error box is open, its loop as well.
  QCoreApplication::exit(0);
}

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
  // Qt's announcement that the system's locale settings changed.
  if (watched == qApp && event->type() == QEvent::LocaleChange) {
    InstallUserDefaultLocale();
    LoadDecimalMark();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace bilan
