// The running program's main window with the application object, on Qt's
// offscreen platform: errors that leave "=" are shown in the error box while
// the window takes no input, the window works again afterwards, and a locale
// change announced by the system changes the decimal mark of the next "=".

#include <QTest>
#include <memory>

#include "box_watch.h"
#include "platform/gui/application.h"
#include "platform/runtime/decimal_mark.h"
#include "ui/form1.h"

namespace {

void UseLocale(const char* name) {
  setenv("LC_ALL", name, 1);
  // What Qt delivers when the system announces changed locale settings.
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(qApp, &change);
}

// A click as the window system delivers it, to the window at the control's
// place: unlike a click sent to the widget itself, it meets the modal block.
void Click(QWidget* control) {
  QTest::mouseClick(control->window()->windowHandle(), Qt::LeftButton, {},
                    control->mapTo(control->window(), control->rect().center()));
}

}  // namespace

class ErrorFlowTest : public QObject {
  Q_OBJECT

 private:
  struct Texts {
    QString edit3, edit4, edit5, edit6;
    bool operator==(const Texts&) const = default;
  };

  static Texts Results() {
    return {Form1->Edit3->text(), Form1->Edit4->text(), Form1->Edit5->text(), Form1->Edit6->text()};
  }

  static void Enter(const QString& production, const QString& pumps) {
    Form1->Edit1->SetText(production.toStdString());
    Form1->Edit2->SetText(pumps.toStdString());
  }

  // Clicks "=" and returns the box it opened, if any.
  static SeenBox ClickEquals(std::function<void()> while_open = {}) {
    BoxWatch watch(std::move(while_open));
    Click(Form1->Button1);
    return watch.Seen();
  }

  std::unique_ptr<bilan::TApplication> application_;

 private slots:
  void initTestCase() {
    setenv("LC_ALL", "fr_FR.UTF-8", 1);
    bilan::InstallUserDefaultLocale();
    bilan::LoadDecimalMark();
    application_ = std::make_unique<bilan::TApplication>("bilan", QIcon());
    application_->CreateForm(Form1);
    Form1->show();
    Form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
  }

  void cleanupTestCase() { application_.reset(); }

  void emptyProductionIsShownAndTheWindowWorksAgain() {
    Enter("", "250,5");
    Form1->Edit3->SetText("0,0");
    bool enabled_while_open = false;
    QString edit2_after_blocked_clear;
    const SeenBox box = ClickEquals([&] {
      enabled_while_open = Form1->isEnabled() && Form1->Button2->isEnabled();
      // "C" would empty every field; the open box blocks it.
      Click(Form1->Button2);
      edit2_after_blocked_clear = Form1->Edit2->text();
    });
    QVERIFY(box.opened);
    QCOMPARE(box.caption, QString("bilan"));
    QCOMPARE(box.text, QString("'' n'est pas une valeur en virgule flottante correcte."));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY(box.only_ok);
    QCOMPARE(box.modality, Qt::ApplicationModal);
    // Input is blocked, yet the window is not disabled (it would look grey).
    QVERIFY(enabled_while_open);
    QCOMPARE(edit2_after_blocked_clear, QString("250,5"));
    QCOMPARE(Form1->Edit3->text(), QString("0,0"));
    // The focus is back on the button that was clicked.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form1->Button1));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  void overflowIsShownThenOrdinaryInputsGiveOrdinaryResults() {
    Enter("1E4932", "0");
    Form1->Edit4->SetText("vieux");
    const SeenBox box = ClickEquals();
    QVERIFY(box.opened);
    QCOMPARE(box.caption, QString("bilan"));
    QCOMPARE(box.text, QString("D\u00e9bordement en virgule flottante."));
    // The field written before the failing step keeps its new text.
    QCOMPARE(Form1->Edit3->text(), QString("1E4932"));
    QCOMPARE(Form1->Edit4->text(), QString("vieux"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form1->Button1));

    Enter("1000", "250,5");
    const SeenBox none = ClickEquals();
    QVERIFY(!none.opened);
    QCOMPARE(Results(), (Texts{"749,5", "17988", "6565620", "6,56562"}));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form1->Button1));
  }

  void localeChangeReloadsTheDecimalMark() {
    UseLocale("en_US.UTF-8");
    Enter("12,5", "2");
    const SeenBox rejected = ClickEquals();
    QVERIFY(rejected.opened);
    QCOMPARE(rejected.text, QString("'12,5' n'est pas une valeur en virgule flottante correcte."));

    Enter("12.5", "2.5");
    QVERIFY(!ClickEquals().opened);
    QCOMPARE(Results(), (Texts{"10", "240", "87600", "0.0876"}));
    Enter("1000", "250.5");
    QVERIFY(!ClickEquals().opened);
    QCOMPARE(Results(), (Texts{"749.5", "17988", "6565620", "6.56562"}));

    UseLocale("fr_FR.UTF-8");
    QCOMPARE(bilan::DecimalMark, ',');
    Enter("12,5", "2,5");
    QVERIFY(!ClickEquals().opened);
    QCOMPARE(Results().edit6, QString("0,0876"));
  }
};

QTEST_MAIN(ErrorFlowTest)
#include "error_flow_test.moc"
