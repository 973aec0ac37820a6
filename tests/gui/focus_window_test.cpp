// Keyboard, focus and selection on the real main window, read from its
// definition, with the real calculation and clearing behind its buttons.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/error_display.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/decimal_mark.h"
#include "tests/gui/focus_test_util.h"
#include "ui/form1.h"

namespace {

// Closes the next error box from inside its own loop, recording its text.
class ErrorBoxCloser {
 public:
  ErrorBoxCloser() {
    QTimer::singleShot(0, [this] { Close(); });
  }
  QString text;

 private:
  void Close() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      if (++tries_ < 100) QTimer::singleShot(10, [this] { Close(); });
      return;
    }
    text = box->text();
    box->button(QMessageBox::Ok)->click();
  }
  int tries_ = 0;
};

}  // namespace

class FocusWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TForm1> form_;
  char previous_mark_ = '.';
  bilan::ErrorDisplay previous_display_;

  std::vector<QWidget*> Ring() const {
    return {form_->Edit1, form_->Edit2, form_->Edit3,   form_->Edit4,
            form_->Edit5, form_->Edit6, form_->Button1, form_->Button2};
  }

  QString Name(const QWidget* widget) const {
    const char* names[] = {"Edit1", "Edit2", "Edit3",   "Edit4",
                           "Edit5", "Edit6", "Button1", "Button2"};
    const std::vector<QWidget*> ring = Ring();
    for (std::size_t i = 0; i < ring.size(); ++i) {
      if (ring[i] == widget) return names[i];
    }
    return "(none)";
  }

  QString FocusedName() const { return Name(QApplication::focusWidget()); }

  QString FramedButtons() const {
    return QString(form_->Button1->isDefault() ? "Button1" : "") +
           QString(form_->Button2->isDefault() ? "Button2" : "");
  }

  QString Fields() const {
    QStringList texts;
    for (const TEdit* edit :
         {form_->Edit1, form_->Edit2, form_->Edit3, form_->Edit4, form_->Edit5, form_->Edit6}) {
      texts << edit->text();
    }
    return texts.join(" | ");
  }

 private slots:
  void initTestCase() {
    previous_mark_ = bilan::DecimalMark;
    bilan::DecimalMark = ',';
  }
  void cleanupTestCase() { bilan::DecimalMark = previous_mark_; }

  void init() {
    previous_display_ = bilan::SetErrorDisplay(bilan::MessageBoxDisplay("bilan"));
    form_ = std::make_unique<TForm1>();
    QVERIFY(ShowAndActivate(*form_));
  }
  void cleanup() {
    form_.reset();
    bilan::SetErrorDisplay(std::move(previous_display_));
  }

  void startUp() {
    QCOMPARE(FocusedName(), QString("Edit1"));
    QCOMPARE(form_->ActiveControl(), static_cast<bilan::gui::TWinControl*>(form_->Edit1));
    QCOMPARE(CaretAndSelection(*form_->Edit1), QString("|0"));
    QCOMPARE(FramedButtons(), QString());
  }

  void tabRingOfTheDefinition() {
    QStringList forward;
    for (int i = 0; i < 8; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      forward << FocusedName();
    }
    QCOMPARE(forward, QStringList({"Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Button1",
                                   "Button2", "Edit1"}));
    QTest::keyClick(form_->Edit1, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(FocusedName(), QString("Button2"));
    QTest::keyClick(form_->Button2, Qt::Key_Right);
    QCOMPARE(FocusedName(), QString("Edit1"));
    form_->Button1->setFocus();
    QTest::keyClick(form_->Button1, Qt::Key_Down);
    QCOMPARE(FocusedName(), QString("Button2"));
    form_->Button1->setFocus();
    QTest::keyClick(form_->Button1, Qt::Key_Left);
    QCOMPARE(FocusedName(), QString("Edit6"));
    QCOMPARE(CaretAndSelection(*form_->Edit6), QString("0,0|3[0,3)"));
  }

  // Typing, Tab to "=", Enter: the four results; Shift+Enter does nothing,
  // Space runs it again on release.
  void keyboardCalculation() {
    QTest::keyClicks(form_->Edit1, "1000");
    QTest::keyClick(form_->Edit1, Qt::Key_Tab);
    QTest::keyClicks(form_->Edit2, "250,5");
    for (int i = 0; i < 5; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(FocusedName(), QString("Button1"));
    QCOMPARE(FramedButtons(), QString("Button1"));
    QTest::keyClick(form_->Button1, Qt::Key_Return);
    QCOMPARE(Fields(), QString("1000 | 250,5 | 749,5 | 17988 | 6565620 | 6,56562"));
    QCOMPARE(FocusedName(), QString("Button1"));

    form_->Edit1->SetText("2000");
    QTest::keyClick(form_->Button1, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(form_->Edit3->text(), QString("749,5"));
    QTest::keyClick(form_->Button1, Qt::Key_Space);
    QCOMPARE(form_->Edit3->text(), QString("1749,5"));
  }

  // "C" with Enter empties all six and leaves the focus in Edit6 with only the
  // caret; Enter again then lands in the field and changes nothing.
  void clearingWithEnter() {
    form_->Edit1->SetText("1000");
    form_->Button2->setFocus();
    QTest::keyClick(form_->Button2, Qt::Key_Return);
    QCOMPARE(Fields(), QString(" |  |  |  |  | "));
    QCOMPARE(FocusedName(), QString("Edit6"));
    QCOMPARE(CaretAndSelection(*form_->Edit6), QString("|0"));
    QCOMPARE(FramedButtons(), QString());

    form_->Edit2->SetText("5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Fields(), QString(" | 5 |  |  |  | "));
    QCOMPARE(FocusedName(), QString("Edit6"));

    QTest::keyClick(form_->Edit6, Qt::Key_Tab);
    QCOMPARE(FocusedName(), QString("Button1"));
    QTest::keyClick(form_->Button1, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(form_->Edit6, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(FocusedName(), QString("Edit5"));
  }

  void clearingFocusSurvivesReactivation() {
    QTest::mouseClick(form_->Button2, Qt::LeftButton);
    QCOMPARE(FocusedName(), QString("Edit6"));
    QWidget other;
    QVERIFY(ShowAndActivate(other));
    QVERIFY(ShowAndActivate(*form_));
    QCOMPARE(FocusedName(), QString("Edit6"));
    QCOMPARE(CaretAndSelection(*form_->Edit6), QString("|0"));
  }

  // The typed limit of Edit3 never cuts a result: 13 characters are written,
  // shown from the first and read back whole by the next stage.
  void longResultInLimitedField() {
    QTest::keyClicks(form_->Edit1, "123456789");
    QTest::keyClick(form_->Edit1, Qt::Key_Tab);
    QTest::keyClicks(form_->Edit2, "0,125");
    QTest::mouseClick(form_->Button1, Qt::LeftButton);
    QCOMPARE(form_->Edit3->text(), QString("123456788,875"));
    QCOMPARE(form_->Edit3->cursorPosition(), 0);
    QCOMPARE(form_->Edit4->text(), QString("2962962933"));
  }

  void typedLimitsOfTheDefinition() {
    const QString eleven = "12345678901";
    for (TEdit* edit :
         {form_->Edit1, form_->Edit2, form_->Edit3, form_->Edit4, form_->Edit5, form_->Edit6}) {
      edit->SetFocus();
      QTest::keyClicks(edit, eleven);
    }
    QCOMPARE(Fields(), QString("1234567890 | 1234567890 | 1234567890 | 12345678901 | "
                               "12345678901 | 12345678901"));
  }

  // After the error box of a failed "=" pressed with Enter, the window is
  // active again with the focus and the frame on "=", and Enter works again.
  void focusAfterErrorBox() {
    form_->Edit1->SetText("abc");
    QTest::keyClick(form_->Edit1, Qt::Key_Tab, Qt::ShiftModifier);  // Backtab: Button2
    QTest::keyClick(form_->Button2, Qt::Key_Left);
    QCOMPARE(FocusedName(), QString("Button1"));
    {
      ErrorBoxCloser closer;
      QTest::keyClick(form_->Button1, Qt::Key_Return);
      QCOMPARE(closer.text, QString("'abc' n'est pas une valeur en virgule flottante correcte."));
    }
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(form_.get()));
    QCOMPARE(FocusedName(), QString("Button1"));
    QCOMPARE(FramedButtons(), QString("Button1"));

    form_->Edit1->SetText("10");
    form_->Edit2->SetText("4");
    QTest::keyClick(form_->Button1, Qt::Key_Return);
    QCOMPARE(form_->Edit3->text(), QString("6"));
  }

  // A refused focus step ends the clearing there: the fields are already
  // empty, and the error is shown by the error display.
  void refusedStepOfTheClearingIsShown() {
    std::vector<std::string> shown;
    bilan::SetErrorDisplay(
        [&shown](const bilan::Exception& error) { shown.push_back(error.Message()); });
    form_->Edit5->hide();
    QTest::mouseClick(form_->Button2, Qt::LeftButton);
    QCOMPARE(shown,
             std::vector<std::string>{
                 "Impossible de focaliser une fen\u00eatre d\u00e9sactiv\u00e9e ou invisible"});
    QCOMPARE(Fields(), QString(" |  |  |  |  | "));
    QCOMPARE(FocusedName(), QString("Edit4"));
  }
};

QTEST_MAIN(FocusWindowTest)
#include "focus_window_test.moc"
