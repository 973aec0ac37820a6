// The application shell on Qt's offscreen platform: the title rule, the error
// boxes, the following of locale changes, and the program frame with its
// exit statuses, start show commands and session end.

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QVBoxLayout>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "app/display_probe.h"
#include "app/program_entry.h"
#include "box_watch.h"
#include "calc/energy_balance.h"
#include "calc/fields.h"
#include "platform/gui/application.h"
#include "platform/gui/error_display.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/decimal_mark.h"
#include "platform/runtime/errors.h"

namespace {

using bilan::TApplication;

// Sets an environment variable for one scope; nullptr unsets it.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // The process starts in the French locale, as the program would.
    setenv("LC_ALL", "fr_FR.UTF-8", 1);
    bilan::InstallUserDefaultLocale();
    bilan::LoadDecimalMark();
    QCOMPARE(bilan::DecimalMark, ',');
  }

  void titleFromProgramFile_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("lower-case name") << "/usr/bin/bilan"
                                     << "bilan";
    QTest::newRow("upper-case copy") << "/home/u/BILAN"
                                     << "Bilan";
    QTest::newRow("cut at first dot") << "/tmp/x/Mon.Calcul"
                                      << "Mon";
    QTest::newRow("extension removed") << "/opt/bilan.bin"
                                       << "bilan";
    QTest::newRow("no directory") << "ABC"
                                  << "Abc";
    QTest::newRow("dot in a directory only") << "/a.b/c.d/BILAN"
                                             << "Bilan";
    QTest::newRow("first keeps lower case") << "/x/bILAN"
                                            << "bilan";
    QTest::newRow("accented, by character") << "/x/\u00c9T\u00c9.exe"
                                            << "\u00c9t\u00e9";
    QTest::newRow("leading dot") << "/x/.bilan"
                                 << "";
    QTest::newRow("directory path") << "/x/"
                                    << "";
  }
  void titleFromProgramFile() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(bilan::TitleFromProgramFile(path), title);
  }

  void showCommand_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("show");
    QTest::newRow("none") << QStringList{} << int(bilan::ShowCommand::Normal);
    QTest::newRow("maximised") << QStringList{"--maximized"} << int(bilan::ShowCommand::Maximized);
    QTest::newRow("minimised") << QStringList{"--minimized"} << int(bilan::ShowCommand::Minimized);
    QTest::newRow("others ignored") << QStringList{"-reverse", "x", "--minimized", "--max"}
                                    << int(bilan::ShowCommand::Minimized);
    QTest::newRow("last one counts")
        << QStringList{"--minimized", "--maximized"} << int(bilan::ShowCommand::Maximized);
  }
  void showCommand() {
    QFETCH(QStringList, arguments);
    QFETCH(int, show);
    QCOMPARE(int(bilan::ShowCommandFromArguments(arguments)), show);
  }

  void iconFromResource() {
    const QIcon icon = bilan::LoadApplicationIcon(QString::fromUtf8(bilan::kMainIconResource));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(128, 128)});
    const QImage image = icon.pixmap(128, 128).toImage();
    QVERIFY(image.hasAlphaChannel() || image.depth() == 32);
    // A missing picture gives the desktop's standard application icon: the
    // theme's, or none at all so that the desktop draws its own.
    const QIcon fallback = bilan::LoadApplicationIcon(":/bilan/no-such-icon.png");
    QVERIFY2(fallback.isNull() || fallback.name() == "application-x-executable",
             qPrintable(fallback.name()));
  }

  // Every error that leaves an operation: the message gets its period by the
  // rule on its last character, in a box captioned with the title.
  void errorBox_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Erreur"
                            << "Erreur.";
    QTest::newRow("period") << "Fin."
                            << "Fin.";
    QTest::newRow("parenthesis") << "Erreur (x)"
                                 << "Erreur (x)";
    QTest::newRow("question mark") << "Vraiment ?"
                                   << "Vraiment ?.";
    QTest::newRow("digit") << "Code 42"
                           << "Code 42.";
    QTest::newRow("space") << "Erreur "
                           << "Erreur ";
    QTest::newRow("accented letter") << "D\u00e9bordement \u00e9"
                                     << "D\u00e9bordement \u00e9.";
    QTest::newRow("colon") << "Valeur :"
                           << "Valeur :.";
    QTest::newRow("exclamation") << "Non !"
                                 << "Non !";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("markup is text") << "<b>x</b>"
                                    << "<b>x</b>.";
  }
  void errorBox() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    TApplication application("bilan", QIcon());
    BoxWatch watch;
    bilan::ShowError(bilan::Exception(message.toStdString()));
    const SeenBox& box = watch.Seen();
    QVERIFY(box.opened);
    QCOMPARE(box.caption, QString("bilan"));
    QCOMPARE(box.text, shown);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY2(box.only_ok, qPrintable(box.buttons.join(',')));
    QCOMPARE(box.modality, Qt::ApplicationModal);
    QCOMPARE(box.format, Qt::PlainText);
  }

  void errorDisplayEndsWithApplication() {
    std::optional<std::string> captured;
    const bilan::ErrorDisplay before =
        bilan::SetErrorDisplay([&captured](const bilan::Exception& e) { captured = e.Message(); });
    {
      TApplication application("bilan", QIcon());
      BoxWatch watch;
      bilan::ShowError(bilan::EOverflow());
      QVERIFY(watch.Seen().opened);
      QVERIFY(!captured);
    }
    // The display that was there before the application object is back.
    bilan::ShowError(bilan::EOverflow());
    QCOMPARE(captured.value_or(""), std::string("D\u00e9bordement en virgule flottante"));
    bilan::SetErrorDisplay(before);
  }

  void applicationErrorText_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<qulonglong>("address");
    QTest::addColumn<QString>("text");
    const QString head = "Exception EConvertError dans le module bilan \u00e0 ";
    QTest::newRow("letter") << "Erreur" << 0x4A1B2Cull << head + "004A1B2C.\nErreur.";
    QTest::newRow("period kept") << "Fin." << 0x10ull << head + "00000010.\nFin.";
    QTest::newRow("parenthesis gets one") << "(x)" << 0x10ull << head + "00000010.\n(x).";
    QTest::newRow("space gets one") << "x " << 0x10ull << head + "00000010.\nx .";
    QTest::newRow("empty stays") << "" << 0xABCDEFull << head + "00ABCDEF.\n";
    QTest::newRow("wide address") << "x" << 0x7FFF12345678ull << head + "12345678.\nx.";
  }
  void applicationErrorText() {
    QFETCH(QString, message);
    QFETCH(qulonglong, address);
    QFETCH(QString, text);
    QCOMPARE(bilan::ApplicationErrorText("EConvertError", "bilan", address, message.toStdString()),
             text);
  }

  void missingDisplay_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("reason");
    const QString unset = "<unset>";
    QTest::newRow("no platform, no DISPLAY")
        << unset << unset << unset << "la variable DISPLAY n'est pas d\u00e9finie";
    QTest::newRow("xcb, empty DISPLAY")
        << "xcb"
        << "" << unset << "la variable DISPLAY n'est pas d\u00e9finie";
    QTest::newRow("xcb with arguments")
        << "xcb:nograb" << unset << unset << "la variable DISPLAY n'est pas d\u00e9finie";
    QTest::newRow("nobody on the display")
        << unset << ":987" << unset << "impossible d'ouvrir l'affichage \u00ab :987 \u00bb";
    QTest::newRow("offscreen") << "offscreen" << unset << unset << "";
    QTest::newRow("fallback to offscreen") << "xcb;offscreen" << unset << unset << "";
    QTest::newRow("wayland without a server")
        << "wayland" << unset << unset
        << "aucun serveur Wayland n'\u00e9coute sur \u00ab /nonexistent/bilan-test-socket \u00bb";
    QTest::newRow("wayland session, nothing reachable")
        << unset << unset << "wayland"
        << "aucun serveur Wayland n'\u00e9coute sur \u00ab /nonexistent/bilan-test-socket \u00bb";
  }
  void missingDisplay() {
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, session);
    QFETCH(QString, reason);
    const auto value = [](const QString& v) -> std::optional<std::string> {
      if (v == "<unset>") return std::nullopt;
      return v.toStdString();
    };
    const auto p = value(platform), d = value(display), s = value(session);
    ScopedEnv qpa("QT_QPA_PLATFORM", p ? p->c_str() : nullptr);
    ScopedEnv x("DISPLAY", d ? d->c_str() : nullptr);
    ScopedEnv w("WAYLAND_DISPLAY", "/nonexistent/bilan-test-socket");
    ScopedEnv t("XDG_SESSION_TYPE", s ? s->c_str() : nullptr);
    const std::optional<std::string> missing = bilan::MissingDisplayReason();
    QCOMPARE(QString::fromStdString(missing.value_or("")), reason);
  }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
