// The program frame on Qt's offscreen platform: its exit statuses, the
// application error box for a failing start, the start show commands and the
// end of the session by signal.

#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <stdexcept>

#include "app/program_entry.h"
#include "box_watch.h"
#include "platform/gui/application.h"
#include "platform/gui/error_display.h"
#include "platform/runtime/errors.h"

namespace {

using bilan::Application;

// A main window that records what the run did with it.
class PlainForm : public QWidget {
 public:
  explicit PlainForm(QWidget* owner) : QWidget(owner) { setWindowTitle("Calcul"); }
  ~PlainForm() override { ++destroyed; }
  static inline int destroyed = 0;
};

class FailingForm : public QWidget {
 public:
  explicit FailingForm(QWidget* owner) : QWidget(owner) {
    throw bilan::EConvertError("'x' n'est pas une valeur en virgule flottante correcte");
  }
};

class ForeignFailingForm : public QWidget {
 public:
  explicit ForeignFailingForm(QWidget* owner) : QWidget(owner) {
    throw std::runtime_error("panne");
  }
};

// Runs the frame as the program does, with the given command line.
int Run(QStringList arguments, const std::function<void()>& steps) {
  arguments.prepend(QCoreApplication::applicationFilePath());
  std::vector<QByteArray> storage;
  std::vector<char*> argv;
  for (const QString& a : arguments) storage.push_back(a.toLocal8Bit());
  for (QByteArray& a : storage) argv.push_back(a.data());
  argv.push_back(nullptr);
  return bilan::RunApplication(static_cast<int>(storage.size()), argv.data(), steps);
}

QString Address(const QString& text) {
  return QRegularExpression(" \u00e0 ([0-9A-F]{8})\\.\n").match(text).captured(1);
}

QString Module() { return QFileInfo(QCoreApplication::applicationFilePath()).fileName(); }

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void normalRunEndsWithZeroWhenTheWindowCloses() {
    PlainForm* form = nullptr;
    bool shown_while_running = false;
    bool was_main = false;
    const int before = PlainForm::destroyed;
    const int status = Run({}, [&] {
      Application->Initialize();
      Application->CreateForm(form);
      QTimer::singleShot(0, [&] {
        shown_while_running = form->isVisible() && form->windowState() == Qt::WindowNoState;
        was_main = Application->MainForm() == form;
        form->close();
      });
      Application->Run();
    });
    QCOMPARE(status, 0);
    QVERIFY(shown_while_running);
    QVERIFY(was_main);
    // The application object owned the window and is gone with it.
    QCOMPARE(PlainForm::destroyed, before + 1);
    QVERIFY(Application == nullptr);
  }

  void titleComesFromTheProgramFile() {
    QString title, name;
    const int status = Run({}, [&] {
      title = Application->Title();
      name = QCoreApplication::applicationName();
    });
    QCOMPARE(status, 0);
    QCOMPARE(title, bilan::TitleFromProgramFile(QCoreApplication::applicationFilePath()));
    QCOMPARE(name, title);
  }

  void showCommands_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("state");
    QTest::newRow("none") << QStringList{} << int(Qt::WindowNoState);
    QTest::newRow("--maximized") << QStringList{"--maximized"} << int(Qt::WindowMaximized);
    QTest::newRow("--minimized") << QStringList{"--minimized"} << int(Qt::WindowMinimized);
    QTest::newRow("unknown arguments")
        << QStringList{"-reverse", "--fullscreen"} << int(Qt::WindowNoState);
  }
  void showCommands() {
    QFETCH(QStringList, arguments);
    QFETCH(int, state);
    PlainForm* form = nullptr;
    int seen = -1;
    const int status = Run(arguments, [&] {
      Application->Initialize();
      Application->CreateForm(form);
      QTimer::singleShot(0, [&] {
        seen = int(form->windowState());
        form->close();
      });
      Application->Run();
    });
    QCOMPARE(status, 0);
    QCOMPARE(seen, state);
  }

  void errorDuringCreationShowsApplicationErrorAndEndsWithOne() {
    BoxWatch watch;
    FailingForm* form = nullptr;
    bool ran = false;
    const int status = Run({}, [&] {
      Application->Initialize();
      Application->CreateForm(form);
      ran = true;
      Application->Run();
    });
    QCOMPARE(status, 1);
    QVERIFY(!ran);
    QVERIFY(form == nullptr);
    QVERIFY(Application == nullptr);
    const SeenBox& box = watch.Seen();
    QVERIFY(box.opened);
    QCOMPARE(box.caption, QString("Erreur d'application"));
    QCOMPARE(box.modality, Qt::ApplicationModal);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY(box.only_ok);
    const QRegularExpression text(
        "^Exception EConvertError dans le module " + QRegularExpression::escape(Module()) +
        " \u00e0 [0-9A-F]{8}\\.\n'x' n'est pas une valeur en virgule flottante correcte\\.$");
    QVERIFY2(text.match(box.text).hasMatch(), qPrintable(box.text));
  }

  void theAddressNamesTheStep() {
    // Two different window classes fail at two different places.
    QString first, second;
    {
      BoxWatch watch;
      FailingForm* form = nullptr;
      Run({}, [&] { Application->CreateForm(form); });
      first = Address(watch.Seen().text);
    }
    {
      BoxWatch watch;
      ForeignFailingForm* form = nullptr;
      Run({}, [&] { Application->CreateForm(form); });
      second = Address(watch.Seen().text);
    }
    QVERIFY2(!first.isEmpty() && !second.isEmpty() && first != second,
             qPrintable(first + " " + second));
  }

  void foreignErrorDuringCreationIsShownToo() {
    BoxWatch watch;
    ForeignFailingForm* form = nullptr;
    const int status = Run({}, [&] { Application->CreateForm(form); });
    QCOMPARE(status, 1);
    QVERIFY(watch.Seen().opened);
    QVERIFY2(watch.Seen().text.startsWith("Exception std::runtime_error dans le module "),
             qPrintable(watch.Seen().text));
    QVERIFY(watch.Seen().text.endsWith("\npanne."));
  }

  void sessionEndSignalsCloseTheWindowAndEndWithZero_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
  }
  void sessionEndSignalsCloseTheWindowAndEndWithZero() {
    QFETCH(int, signal);
    PlainForm* form = nullptr;
    bool closed = false;
    const int status = Run({}, [&] {
      Application->CreateForm(form);
      QTimer::singleShot(0, [&] { std::raise(signal); });
      Application->Run();
      closed = !form->isVisible();
    });
    QCOMPARE(status, 0);
    QVERIFY(closed);
  }

  void sessionEndWhileAnErrorBoxIsOpen() {
    PlainForm* form = nullptr;
    bool box_was_open = false;
    const int status = Run({}, [&] {
      Application->CreateForm(form);
      QTimer::singleShot(0, [&] {
        // The box's own loop must end too, or the program would hang here.
        QTimer::singleShot(0, [&] {
          box_was_open = QApplication::activeModalWidget() != nullptr;
          std::raise(SIGTERM);
        });
        bilan::ShowError(bilan::EOverflow());
      });
      Application->Run();
    });
    QCOMPARE(status, 0);
    QVERIFY(box_was_open);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
