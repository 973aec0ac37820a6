#pragma once
// The application object: the program's title and icon, its main window, the
// first showing of that window and the event loop, and the following of the
// user's locale settings. One per process, created after QApplication.
//
// It does not decide whether a display exists or catch errors that escape the
// program's start (the program entry does both), and it draws no box itself:
// it installs the error box of message_box.h as the error display.

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/gui/error_display.h"

namespace bilan {

// The title by the program-file rule: everything up to the last "/" removed,
// the name cut at its first ".", every character after the first lower-cased
// by the user's locale (character by character, not byte by byte); the first
// keeps its case. "/usr/bin/BILAN" gives "Bilan", "Mon.Calcul" gives "Mon".
QString TitleFromProgramFile(const QString& path);

// The full path of the running program's file: the real file behind
// /proc/self/exe, so that a copy under another name gets its own title even
// when started through a link; argv[0] when that cannot be read.
QString ProgramFilePath(const char* argv0);

// How the main window is shown first. A launcher asks for a maximised or a
// minimised start with "--maximized" or "--minimized"; nothing else on the
// command line means anything to the program.
enum class ShowCommand { Normal, Maximized, Minimized };
ShowCommand ShowCommandFromArguments(const QStringList& arguments);

// The icon of the taskbar entry and of every window of the program, read from
// the given resource; the desktop's standard application icon when it cannot
// be loaded.
QIcon LoadApplicationIcon(const QString& resource);
inline constexpr const char* kMainIconResource = ":/bilan/mainicon.png";

// The id of the installed desktop entry (without ".desktop").
inline constexpr const char* kDesktopEntry = "fr.bilan.Bilan";

class TApplication : public QObject {
 public:
  // Needs a QApplication. Sets the name under which the desktop groups the
  // program's windows and the icon, installs the error box captioned with the
  // title as the error display, and starts following locale changes; the
  // destructor undoes all of it and destroys the windows it created.
  TApplication(QString title, QIcon icon, ShowCommand show = ShowCommand::Normal);
  ~TApplication() override;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  const QString& Title() const { return title_; }
  const QIcon& Icon() const { return icon_; }
  ShowCommand Show() const { return show_; }

  // The first window created through CreateForm, or nullptr.
  QWidget* MainForm() const { return main_form_; }

  // Nothing to prepare: the program installs no initialisation hook.
  void Initialize() { step_ = reinterpret_cast<const void*>(&InitializeStep); }

  // Creates a window of class Form, owned by the application, and stores it in
  // `reference` before returning. The first one becomes the main window. The
  // window stays hidden until Run. An error from the window's constructor
  // leaves `reference` untouched and propagates.
  template <class Form>
  void CreateForm(Form*& reference) {
    step_ = reinterpret_cast<const void*>(&CreateFormStep<Form>);
    auto form = std::make_unique<Form>(nullptr);
    reference = form.get();
    Adopt(std::move(form));
  }

  // Shows the main window by the show command and runs the event loop until
  // the main window is closed (or the session ends).
  void Run();

  // The code address of the step that runs now (Initialize, the creation of
  // a window of a given class, Run): where an error outside the loop arose.
  const void* CurrentStep() const { return step_; }

  // Ends the run as a session end does: the main window is closed the normal
  // way and the event loop, with any nested loop of an open box, is left.
  void Terminate();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Distinct code addresses that name the step in the application error box.
  static void InitializeStep() {}
  static void RunStep() {}
  template <class Form>
  static void CreateFormStep() {}
  void Adopt(std::unique_ptr<QWidget> form);
  void ShowMainForm();

  QString title_;
  QIcon icon_;
  ShowCommand show_;
  std::vector<std::unique_ptr<QWidget>> forms_;
  QPointer<QWidget> main_form_;
  const void* step_ = nullptr;
  ErrorDisplay previous_display_;
};

// The one application object of the process while it exists.
extern TApplication* Application;

}  // namespace bilan
