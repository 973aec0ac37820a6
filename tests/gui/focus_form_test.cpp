// The focus handling of the window layer on a small window built in code: six
// fields and two buttons created in a different order from their tab order,
// as in the main window. Keys and the mouse are driven with QTest.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/gui/button.h"
#include "platform/gui/edit.h"
#include "platform/gui/error_display.h"
#include "platform/gui/form.h"
#include "platform/runtime/errors.h"
#include "tests/gui/focus_test_util.h"

using bilan::gui::TButton;
using bilan::gui::TEdit;
using bilan::gui::TForm;
using bilan::gui::TWinControl;

namespace {

// Counts the key presses that reach the window itself, i.e. that the focused
// control let go. The modifier keys on their own are nobody's concern.
class KeyWitness : public QObject {
 public:
  int presses = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt) ++presses;
    return false;
  }
};

// Edit1..Edit6 and Button1, Button2 with tab orders 0..7, created in the
// main window's order: three fields, the two buttons, three fields.
struct RingWindow {
  std::unique_ptr<TForm> form = std::make_unique<TForm>();
  std::map<QString, TWinControl*> controls;
  std::map<QString, int> clicks;
  KeyWitness witness;

  RingWindow() {
    form->SetClientSize(600, 200);
    AddEdit("Edit1", 0, 10, {10, 10, 100, 30});
    AddEdit("Edit2", 1, 10, {120, 10, 100, 30});
    AddEdit("Edit3", 2, 10, {230, 10, 100, 30});
    AddButton("Button1", 6, {340, 10, 60, 40});
    AddButton("Button2", 7, {410, 110, 60, 40});
    AddEdit("Edit4", 3, 0, {10, 110, 100, 30});
    AddEdit("Edit5", 4, 0, {120, 110, 120, 30});
    AddEdit("Edit6", 5, 0, {250, 110, 120, 30});
    Edit("Edit3").SetText("0,0");
    Edit("Edit4").SetText("0,0");
    Edit("Edit5").SetText("0,0");
    Edit("Edit6").SetText("0,0");
    form->installEventFilter(&witness);
  }

  void AddEdit(const char* name, int order, int limit, QRect bounds) {
    auto* edit = new TEdit(*form);
    edit->SetName(name);
    edit->SetTabOrder(order);
    edit->SetMaxLength(limit);
    edit->SetBounds(bounds);
    controls[name] = edit;
  }

  void AddButton(const char* name, int order, QRect bounds) {
    auto* button = new TButton(*form);
    button->SetName(name);
    button->SetCaption(name[6] == '1' ? "=" : "C");
    button->SetTabOrder(order);
    button->SetBounds(bounds);
    button->SetOnClick([this, name](bilan::gui::TControl*) { ++clicks[name]; });
    controls[name] = button;
  }

  TEdit& Edit(const QString& name) { return *dynamic_cast<TEdit*>(controls.at(name)); }
  TButton& Button(const QString& name) { return *dynamic_cast<TButton*>(controls.at(name)); }
  QWidget& Widget(const QString& name) { return controls.at(name)->Widget(); }

  QString Focused() const {
    for (const auto& [name, control] : controls) {
      if (&control->Widget() == QApplication::focusWidget()) return name;
    }
    return "(none)";
  }
  QString Active() const {
    for (const auto& [name, control] : controls) {
      if (control == form->ActiveControl()) return name;
    }
    return "(none)";
  }
  // The buttons showing the emphasised frame, e.g. "Button1" or "".
  QString FramedButtons() {
    QString framed;
    for (const char* name : {"Button1", "Button2"}) {
      if (Button(name).isDefault()) framed += name;
    }
    return framed;
  }
};

Qt::KeyboardModifiers Modifiers(const QString& names) {
  Qt::KeyboardModifiers modifiers;
  if (names.contains("Shift")) modifiers |= Qt::ShiftModifier;
  if (names.contains("Ctrl")) modifiers |= Qt::ControlModifier;
  if (names.contains("Alt")) modifiers |= Qt::AltModifier;
  return modifiers;
}

}  // namespace

class FocusFormTest : public QObject {
  Q_OBJECT

  std::unique_ptr<RingWindow> w_;
  bilan::ErrorDisplay previous_display_;
  std::vector<std::string> shown_errors_;

 private slots:
  void init() {
    shown_errors_.clear();
    previous_display_ = bilan::SetErrorDisplay(
        [this](const bilan::Exception& error) { shown_errors_.push_back(error.Message()); });
    w_ = std::make_unique<RingWindow>();
  }

  void cleanup() {
    w_.reset();
    bilan::SetErrorDisplay(std::move(previous_display_));
  }

  void firstActivationFocusesFirstOfRing() {
    QCOMPARE(w_->form->ActiveControl(), nullptr);
    QVERIFY(ShowAndActivate(*w_->form));
    QCOMPARE(w_->Focused(), QString("Edit1"));
    QCOMPARE(w_->Active(), QString("Edit1"));
    QCOMPARE(w_->FramedButtons(), QString());
  }

  void firstActivationSelectsAll() {
    w_->Edit("Edit1").SetText("123");
    QVERIFY(ShowAndActivate(*w_->form));
    QCOMPARE(CaretAndSelection(w_->Edit("Edit1")), QString("123|3[0,3)"));
  }

  void firstActivationSkipsControlsThatCannotTakeFocus() {
    w_->Widget("Edit1").hide();
    w_->Edit("Edit2").SetTabStop(false);
    w_->Widget("Edit3").setEnabled(false);
    QVERIFY(ShowAndActivate(*w_->form));
    QCOMPARE(w_->Focused(), QString("Edit4"));
  }

  // Each row: the control that has the focus, a key with modifiers sent to it,
  // and where the focus is afterwards.
  void keysMoveFocus_data() {
    // clang-format off
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("modifiers");
    QTest::addColumn<QString>("to");

    const QString ring[] = {"Edit1", "Edit2", "Edit3",   "Edit4",
                            "Edit5", "Edit6", "Button1", "Button2"};
    for (int i = 0; i < 8; ++i) {
      const QString next = ring[(i + 1) % 8];
      const QString previous = ring[(i + 7) % 8];
      QTest::addRow("Tab %s", qPrintable(ring[i])) << ring[i] << int(Qt::Key_Tab) << "" << next;
      QTest::addRow("Shift+Tab %s", qPrintable(ring[i])) << ring[i] << int(Qt::Key_Backtab) << "Shift" << previous;
    }
    QTest::newRow("Ctrl+Tab in a field") << "Edit1" << int(Qt::Key_Tab) << "Ctrl" << "Edit1";
    QTest::newRow("Ctrl+Shift+Tab in a field") << "Edit1" << int(Qt::Key_Backtab) << "Ctrl+Shift" << "Edit1";
    QTest::newRow("Alt+Tab in a field") << "Edit2" << int(Qt::Key_Tab) << "Alt" << "Edit2";
    QTest::newRow("Ctrl+Tab on a button") << "Button1" << int(Qt::Key_Tab) << "Ctrl" << "Button1";

    QTest::newRow("Down on Button1") << "Button1" << int(Qt::Key_Down) << "" << "Button2";
    QTest::newRow("Right on Button1") << "Button1" << int(Qt::Key_Right) << "" << "Button2";
    QTest::newRow("Right on Button2") << "Button2" << int(Qt::Key_Right) << "" << "Edit1";
    QTest::newRow("Down on Button2") << "Button2" << int(Qt::Key_Down) << "" << "Edit1";
    QTest::newRow("Left on Button1") << "Button1" << int(Qt::Key_Left) << "" << "Edit6";
    QTest::newRow("Up on Button1") << "Button1" << int(Qt::Key_Up) << "" << "Edit6";
    QTest::newRow("Up on Button2") << "Button2" << int(Qt::Key_Up) << "" << "Button1";
    QTest::newRow("Shift+Down on Button1") << "Button1" << int(Qt::Key_Down) << "Shift" << "Button2";
    QTest::newRow("Ctrl+Left on Button2") << "Button2" << int(Qt::Key_Left) << "Ctrl" << "Button1";
    QTest::newRow("Alt+Right on Button1") << "Button1" << int(Qt::Key_Right) << "Alt" << "Button1";
    QTest::newRow("Escape on Button2") << "Button2" << int(Qt::Key_Escape) << "" << "Button2";

    for (int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
      QTest::addRow("arrow %x in Edit1 (empty)", key) << "Edit1" << key << "" << "Edit1";
      QTest::addRow("arrow %x in Edit6", key) << "Edit6" << key << "" << "Edit6";
    }
    QTest::newRow("Enter in a field") << "Edit3" << int(Qt::Key_Return) << "" << "Edit3";
    QTest::newRow("Escape in a field") << "Edit2" << int(Qt::Key_Escape) << "" << "Edit2";
    // clang-format on
  }

  void keysMoveFocus() {
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, modifiers);
    QFETCH(QString, to);
    QVERIFY(ShowAndActivate(*w_->form));
    w_->form->FocusControl(*w_->controls.at(from));
    QCOMPARE(w_->Focused(), from);

    QTest::keyClick(&w_->Widget(from), Qt::Key(key), Modifiers(modifiers));
    QCOMPARE(w_->Focused(), to);
    QCOMPARE(w_->Active(), to);
    QCOMPARE(w_->clicks["Button1"] + w_->clicks["Button2"], 0);
  }

  // Qt's own chain, which accessibility follows, is the ring too.
  void qtFocusChainIsTheRing() {
    QVERIFY(ShowAndActivate(*w_->form));
    QStringList chain;
    QWidget* widget = &w_->Widget("Edit1");
    for (int i = 0; i < 8; ++i) {
      for (const auto& [name, control] : w_->controls) {
        if (&control->Widget() == widget) chain << name;
      }
      do {
        widget = widget->nextInFocusChain();
      } while (widget->focusPolicy() == Qt::NoFocus);
    }
    QCOMPARE(chain, QStringList({"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Button1",
                                 "Button2"}));
  }

  void eightTabsGoRoundTheRing() {
    QVERIFY(ShowAndActivate(*w_->form));
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << w_->Focused();
    }
    QCOMPARE(visited, QStringList({"Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Button1",
                                   "Button2", "Edit1"}));
  }

  void ringSkipsAndArrowsIgnoreTabStops() {
    w_->Edit("Edit1").SetTabStop(false);
    w_->Widget("Edit2").hide();
    QVERIFY(ShowAndActivate(*w_->form));
    QCOMPARE(w_->Focused(), QString("Edit3"));
    w_->form->FocusControl(w_->Button("Button2"));
    QTest::keyClick(&w_->Widget("Button2"), Qt::Key_Tab);
    QCOMPARE(w_->Focused(), QString("Edit3"));  // Edit1 has no tab stop, Edit2 is hidden
    w_->form->FocusControl(w_->Button("Button2"));
    QTest::keyClick(&w_->Widget("Button2"), Qt::Key_Right);
    QCOMPARE(w_->Focused(), QString("Edit1"));  // the arrows ignore tab stops
  }

  // In a field the arrows move the caret and nothing else sees them.
  void arrowsMoveOnlyTheCaret() {
    QVERIFY(ShowAndActivate(*w_->form));
    QTest::keyClick(&w_->Widget("Edit1"), Qt::Key_Tab);
    TEdit& edit = w_->Edit("Edit2");
    QTest::keyClicks(&edit, "123");
    QTest::keyClick(&edit, Qt::Key_Left);
    QCOMPARE(CaretAndSelection(edit), QString("123|2"));
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Left);  // already at the start
    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::keyClick(&edit, Qt::Key_Down);
    QCOMPARE(CaretAndSelection(edit), QString("123|0"));
    QCOMPARE(w_->Focused(), QString("Edit2"));
    QCOMPARE(w_->witness.presses, 0);
  }

  void enterAndEscapeInFieldsDoNothing_data() {
    // clang-format off
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << "";
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "";
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << "Shift";
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << "Ctrl";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << "";
    // clang-format on
  }

  void enterAndEscapeInFieldsDoNothing() {
    QFETCH(int, key);
    QFETCH(QString, modifiers);
    QVERIFY(ShowAndActivate(*w_->form));
    w_->Edit("Edit1").SetText("1000");
    for (const char* name : {"Edit1", "Edit3", "Edit6"}) {
      w_->form->FocusControl(*w_->controls.at(name));
      TEdit& edit = w_->Edit(name);
      edit.setSelection(1, 1);
      const QString before = CaretAndSelection(edit);
      QTest::keyClick(&edit, Qt::Key(key), Modifiers(modifiers));
      QCOMPARE(CaretAndSelection(edit), before);
      QCOMPARE(w_->Focused(), QString(name));
    }
    QCOMPARE(w_->clicks["Button1"] + w_->clicks["Button2"], 0);
    QCOMPARE(w_->witness.presses, 0);  // consumed by the field: nothing else reacted
  }

  // Each row: keys pressed on the focused Button1, and how many clicks ran.
  void keysOnButtons_data() {
    // clang-format off
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("modifiers");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Enter") << int(Qt::Key_Return) << "" << 1;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "" << 1;
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << "Shift" << 0;
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << "Ctrl" << 0;
    QTest::newRow("Alt+Enter") << int(Qt::Key_Return) << "Alt" << 0;
    QTest::newRow("Space") << int(Qt::Key_Space) << "" << 1;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << "" << 0;
    QTest::newRow("a character") << int(Qt::Key_A) << "" << 0;
    QTest::newRow("Alt+letter") << int(Qt::Key_C) << "Alt" << 0;
    // clang-format on
  }

  void keysOnButtons() {
    QFETCH(int, key);
    QFETCH(QString, modifiers);
    QFETCH(int, clicks);
    QVERIFY(ShowAndActivate(*w_->form));
    w_->form->FocusControl(w_->Button("Button1"));
    QTest::keyClick(&w_->Widget("Button1"), Qt::Key(key), Modifiers(modifiers));
    QCOMPARE(w_->clicks["Button1"], clicks);
    QCOMPARE(w_->clicks["Button2"], 0);
    QCOMPARE(w_->Focused(), QString("Button1"));
  }

  void enterPressesAtOnceSpaceOnRelease() {
    QVERIFY(ShowAndActivate(*w_->form));
    w_->form->FocusControl(w_->Button("Button2"));
    QWidget& button = w_->Widget("Button2");
    QTest::keyPress(&button, Qt::Key_Return);
    QCOMPARE(w_->clicks["Button2"], 1);
    QTest::keyRelease(&button, Qt::Key_Return);
    QCOMPARE(w_->clicks["Button2"], 1);
    QTest::keyPress(&button, Qt::Key_Space);
    QCOMPARE(w_->clicks["Button2"], 1);
    QTest::keyRelease(&button, Qt::Key_Space);
    QCOMPARE(w_->clicks["Button2"], 2);
  }

  void heldEnterPressesOnEveryRepeat() {
    QVERIFY(ShowAndActivate(*w_->form));
    w_->form->FocusControl(w_->Button("Button1"));
    for (int i = 0; i < 4; ++i) {
      QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", i > 0);
      QApplication::sendEvent(&w_->Widget("Button1"), &repeat);
    }
    QCOMPARE(w_->clicks["Button1"], 4);
  }

  // A click that moves the focus into a field ends the repeats: Enter then
  // does nothing there.
  void heldEnterStopsWhenTheFocusLeaves() {
    w_->Button("Button2").SetOnClick([this](bilan::gui::TControl*) {
      ++w_->clicks["Button2"];
      w_->Edit("Edit6").SetFocus();
    });
    QVERIFY(ShowAndActivate(*w_->form));
    w_->form->FocusControl(w_->Button("Button2"));
    for (int i = 0; i < 3; ++i) {
      QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", i > 0);
      QApplication::sendEvent(QApplication::focusWidget(), &repeat);
    }
    QCOMPARE(w_->clicks["Button2"], 1);
    QCOMPARE(w_->Focused(), QString("Edit6"));
  }

  // How the field was entered, and its caret and selection afterwards.
  void selectionOnEntry_data() {
    // clang-format off
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Tab into Edit3") << "Tab" << "Edit3" << "0,0|3[0,3)";
    QTest::newRow("Shift+Tab into Edit5") << "Backtab" << "Edit5" << "0,0|3[0,3)";
    QTest::newRow("Right from Button2 into Edit1") << "Arrow" << "Edit1" << "99,5|4[0,4)";
    QTest::newRow("program request into Edit4") << "Program" << "Edit4" << "0,0|3[0,3)";
    QTest::newRow("left press in the middle of Edit5") << "LeftPress" << "Edit5" << "0,0|1";
    QTest::newRow("right press in Edit6") << "RightPress" << "Edit6" << "0,0|3[0,3)";
    // clang-format on
  }

  void selectionOnEntry() {
    QFETCH(QString, how);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    w_->Edit("Edit1").SetText("99,5");
    TEdit& edit = w_->Edit(field);
    edit.setCursorPosition(0);
    QVERIFY(ShowAndActivate(*w_->form));

    if (how == "Tab") {
      w_->form->FocusControl(w_->Edit("Edit2"));
      QTest::keyClick(&w_->Widget("Edit2"), Qt::Key_Tab);
    } else if (how == "Backtab") {
      w_->form->FocusControl(w_->Edit("Edit6"));
      QTest::keyClick(&w_->Widget("Edit6"), Qt::Key_Backtab, Qt::ShiftModifier);
    } else if (how == "Arrow") {
      w_->form->FocusControl(w_->Button("Button2"));
      QTest::keyClick(&w_->Widget("Button2"), Qt::Key_Right);
    } else if (how == "Program") {
      edit.SetFocus();
    } else {
      // Between the first "0" and the ",".
      edit.setCursorPosition(1);
      const QPoint middle = edit.inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
      edit.setCursorPosition(0);
      const Qt::MouseButton button = how == "LeftPress" ? Qt::LeftButton : Qt::RightButton;
      QTest::mouseClick(&edit, button, Qt::NoModifier, middle);
    }
    QCOMPARE(w_->Focused(), field);
    QCOMPARE(CaretAndSelection(edit), expected);
  }

  void typingAfterTabReplacesEverything() {
    QVERIFY(ShowAndActivate(*w_->form));
    QTest::keyClick(&w_->Widget("Edit1"), Qt::Key_Tab);
    QTest::keyClick(&w_->Widget("Edit2"), Qt::Key_Tab);
    QTest::keyClicks(&w_->Widget("Edit3"), "7");
    QCOMPARE(w_->Edit("Edit3").text(), QString("7"));
  }

  // Switching to another window and back returns to the same control, with
  // the caret and selection it had; no entry takes place.
  void reactivationKeepsCaretAndSelection() {
    QVERIFY(ShowAndActivate(*w_->form));
    TEdit& edit = w_->Edit("Edit5");
    edit.SetText("123456");
    edit.SetFocus();
    edit.setSelection(4, -2);  // "34", caret at 2
    const QString before = CaretAndSelection(edit);
    QCOMPARE(before, QString("123456|2[2,4)"));

    QWidget other;
    QVERIFY(ShowAndActivate(other));
    QCOMPARE(w_->Focused(), QString("(none)"));
    QCOMPARE(w_->Active(), QString("Edit5"));
    QVERIFY(ShowAndActivate(*w_->form));
    QCOMPARE(w_->Focused(), QString("Edit5"));
    QCOMPARE(CaretAndSelection(edit), before);
  }

  // The selection is kept while the window is inactive but not shown.
  void selectionHiddenWhileInactive() {
    QVERIFY(ShowAndActivate(*w_->form));
    TEdit& edit = w_->Edit("Edit4");
    edit.SetFocus();
    const QImage selected = edit.grab().toImage();
    QWidget other;
    QVERIFY(ShowAndActivate(other));
    QVERIFY(edit.hasSelectedText());
    const QImage inactive = edit.grab().toImage();
    edit.deselect();
    const QImage plain = edit.grab().toImage();
    QVERIFY(selected != plain);
    QCOMPARE(inactive, plain);
  }

  void reactivationReturnsToButtonWithItsLook() {
    QVERIFY(ShowAndActivate(*w_->form));
    QTest::mouseClick(&w_->Widget("Button1"), Qt::LeftButton);
    QCOMPARE(w_->clicks["Button1"], 1);
    QCOMPARE(w_->Focused(), QString("Button1"));
    QWidget other;
    QVERIFY(ShowAndActivate(other));
    QCOMPARE(w_->FramedButtons(), QString("Button1"));
    QVERIFY(ShowAndActivate(*w_->form));
    QCOMPARE(w_->Focused(), QString("Button1"));
    QTest::keyClick(&w_->Widget("Button1"), Qt::Key_Return);
    QCOMPARE(w_->clicks["Button1"], 2);
  }

  // The emphasised frame follows the focus among the buttons and leaves them
  // both when a field has it.
  void focusedButtonLook() {
    QVERIFY(ShowAndActivate(*w_->form));
    QCOMPARE(w_->FramedButtons(), QString());
    w_->form->FocusControl(w_->Edit("Edit6"));
    QTest::keyClick(&w_->Widget("Edit6"), Qt::Key_Tab);
    QCOMPARE(w_->FramedButtons(), QString("Button1"));
    QTest::keyClick(&w_->Widget("Button1"), Qt::Key_Down);
    QCOMPARE(w_->FramedButtons(), QString("Button2"));
    QTest::keyClick(&w_->Widget("Button2"), Qt::Key_Tab);
    QCOMPARE(w_->FramedButtons(), QString());
    QTest::mouseClick(&w_->Widget("Button2"), Qt::LeftButton);
    QCOMPARE(w_->FramedButtons(), QString("Button2"));
    QTest::mouseClick(&w_->Widget("Edit4"), Qt::LeftButton);
    QCOMPARE(w_->FramedButtons(), QString());
  }

  void pressOnTheWindowLeavesTheFocus() {
    QVERIFY(ShowAndActivate(*w_->form));
    w_->form->FocusControl(w_->Edit("Edit3"));
    QTest::mouseClick(w_->form.get(), Qt::LeftButton, Qt::NoModifier, QPoint(590, 190));
    QCOMPARE(w_->Focused(), QString("Edit3"));
  }

  // A focus request that cannot be met is refused; the focus stays.
  void refusedRequests_data() {
    // clang-format off
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("hidden control") << "hidden";
    QTest::newRow("disabled control") << "disabled";
    QTest::newRow("control of another window") << "foreign";
    // clang-format on
  }

  void refusedRequests() {
    QFETCH(QString, obstacle);
    RingWindow elsewhere;
    QVERIFY(ShowAndActivate(*w_->form));
    TWinControl* target = w_->controls.at("Edit4");
    if (obstacle == "hidden") w_->Widget("Edit4").hide();
    if (obstacle == "disabled") w_->Widget("Edit4").setEnabled(false);
    if (obstacle == "foreign") target = elsewhere.controls.at("Edit4");

    QVERIFY_THROWS_EXCEPTION(bilan::EFocusError, w_->form->FocusControl(*target));
    QCOMPARE(w_->Focused(), QString("Edit1"));
    QCOMPARE(w_->Active(), QString("Edit1"));
  }

  void refusedWhileWindowHiddenAndInactive() {
    QVERIFY_THROWS_EXCEPTION(bilan::EFocusError, w_->Edit("Edit2").SetFocus());
    QCOMPARE(w_->form->ActiveControl(), nullptr);
  }

  // From a click handler, the refusal reaches the error display with its
  // message, and the handler's later steps do not run.
  void refusalFromClickIsShown() {
    bool went_on = false;
    w_->Button("Button1").SetOnClick([&](bilan::gui::TControl*) {
      w_->Edit("Edit5").SetFocus();
      went_on = true;
    });
    QVERIFY(ShowAndActivate(*w_->form));
    w_->Widget("Edit5").hide();
    QTest::mouseClick(&w_->Widget("Button1"), Qt::LeftButton);
    QCOMPARE(shown_errors_.size(), size_t(1));
    QCOMPARE(QString::fromStdString(shown_errors_[0]),
             QString::fromUtf8("Impossible de focaliser une fen\u00eatre d\u00e9sactiv\u00e9e ou "
                               "invisible"));
    QVERIFY(!went_on);
    QCOMPARE(w_->Focused(), QString("Button1"));
  }

  // A request while the window is shown but another is active activates it,
  // and the control is entered.
  void requestWhileInactiveActivatesTheWindow() {
    QVERIFY(ShowAndActivate(*w_->form));
    QWidget other;
    QVERIFY(ShowAndActivate(other));
    w_->Edit("Edit4").SetFocus();
    QCOMPARE(w_->Active(), QString("Edit4"));
    QVERIFY(QTest::qWaitForWindowActive(w_->form.get()));
    QCOMPARE(w_->Focused(), QString("Edit4"));
    QCOMPARE(CaretAndSelection(w_->Edit("Edit4")), QString("0,0|3[0,3)"));
  }

  // The clearing's pattern: six requests in a row, each a full focus change.
  void successiveRequestsEnterEachField() {
    QVERIFY(ShowAndActivate(*w_->form));
    w_->form->FocusControl(w_->Button("Button2"));
    QStringList entered;
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"}) {
      w_->Edit(name).SetFocus();
      entered << w_->Focused() + ":" + CaretAndSelection(w_->Edit(name));
    }
    QCOMPARE(entered, QStringList({"Edit1:|0", "Edit2:|0", "Edit3:0,0|3[0,3)", "Edit4:0,0|3[0,3)",
                                   "Edit5:0,0|3[0,3)", "Edit6:0,0|3[0,3)"}));
    QCOMPARE(w_->FramedButtons(), QString());
  }

  // Each row: the field, its text before, keys typed into it, its text after.
  void typedTextLimit_data() {
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("eleven digits into Edit1 keep ten") << "Edit1" << "" << "12345678901" << "1234567890";
    QTest::newRow("Edit2 limited too") << "Edit2" << "" << "abcdefghijkl" << "abcdefghij";
    QTest::newRow("Edit3 limited too") << "Edit3" << "" << "0,123456789999" << "0,12345678";
    QTest::newRow("Edit4 takes any length") << "Edit4" << "" << "123456789012345678901234567890" << "123456789012345678901234567890";
    QTest::newRow("Edit6 takes any length") << "Edit6" << "" << "0,000000000001" << "0,000000000001";
    QTest::newRow("program text beyond the limit refuses typing") << "Edit3" << "-1234,567890" << "5" << "-1234,567890";
    // clang-format on
  }

  void typedTextLimit() {
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    TEdit& edit = w_->Edit(field);
    edit.SetText(before.toStdString());
    QVERIFY(ShowAndActivate(*w_->form));
    w_->form->FocusControl(edit);
    edit.end(false);
    QTest::keyClicks(&edit, typed);
    QCOMPARE(edit.text(), after);
  }

  void typingOverSelectionAtTheLimit() {
    QVERIFY(ShowAndActivate(*w_->form));
    TEdit& edit = w_->Edit("Edit1");
    QTest::keyClicks(&edit, "1234567890");
    edit.setSelection(2, 3);  // "345"
    QTest::keyClicks(&edit, "ab");
    QCOMPARE(edit.text(), QString("12ab67890"));
    QTest::keyClicks(&edit, "cd");  // one more fits, then refused
    QCOMPARE(edit.text(), QString("12abc67890"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QString("12ab67890"));
  }

  // Each row: the field, its text and selection, the clipboard, the text after
  // Ctrl+V.
  void pasteIsCutToFit_data() {
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::newRow("15 characters into empty Edit2") << "Edit2" << "" << 0 << 0 << "123456789012345" << "1234567890";
    QTest::newRow("in place of the selection") << "Edit1" << "12345678" << 2 << 4 << "abcdefgh" << "12abcdef78";
    QTest::newRow("at the caret of a full field, refused") << "Edit3" << "1234567890" << 10 << 0 << "x" << "1234567890";
    QTest::newRow("fits whole") << "Edit1" << "12" << 2 << 0 << ",5" << "12,5";
    QTest::newRow("Edit5 unlimited") << "Edit5" << "0,0" << 0 << 3 << "123456789012345" << "123456789012345";
    // clang-format on
  }

  void pasteIsCutToFit() {
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    TEdit& edit = w_->Edit(field);
    edit.SetText(before.toStdString());
    QVERIFY(ShowAndActivate(*w_->form));
    w_->form->FocusControl(edit);
    edit.setSelection(selectionStart, selectionLength);
    QGuiApplication::clipboard()->setText(clipboard);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), after);
    QCOMPARE(w_->witness.presses, 0);
  }

  // The standard editing stays: a cut paste is one undo step.
  void cutPasteUndoes() {
    QVERIFY(ShowAndActivate(*w_->form));
    TEdit& edit = w_->Edit("Edit2");
    QTest::keyClicks(&edit, "12");
    QGuiApplication::clipboard()->setText("abcdefghijklmno");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("12abcdefgh"));
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("12"));
  }

  void contextMenuPasteIsCutToFit() {
    QVERIFY(ShowAndActivate(*w_->form));
    TEdit& edit = w_->Edit("Edit2");
    QGuiApplication::clipboard()->setText("123456789012345");
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              edit.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&edit, &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    // The menu's Paste is the one with the standard paste shortcut.
    const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text().endsWith("\t" + shortcut)) paste = action;
    }
    QVERIFY(paste);
    paste->trigger();
    menu->close();
    QCOMPARE(edit.text(), QString("1234567890"));
  }

  void dropIsCutToFit() {
    QVERIFY(ShowAndActivate(*w_->form));
    TEdit& edit = w_->Edit("Edit1");
    QTest::keyClicks(&edit, "1234567");
    QMimeData data;
    data.setText("abcdef");
    const QPoint end(edit.width() - 2, edit.height() / 2);
    QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &enter);
    QDragMoveEvent move(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &move);
    QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &drop);
    QCOMPARE(edit.text(), QString("1234567abc"));
  }

  void composedTextIsCutToFit() {
    QVERIFY(ShowAndActivate(*w_->form));
    TEdit& edit = w_->Edit("Edit3");
    edit.SetText("12345678");
    edit.end(false);
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("\u00e9\u00e8\u00ea"));
    QApplication::sendEvent(&edit, &composed);
    QCOMPARE(edit.text(), QString::fromUtf8("12345678\u00e9\u00e8"));
  }

  // Text that the program writes is never cut, is read back whole and is shown
  // from its first character.
  void programTextIsNeverCut() {
    QVERIFY(ShowAndActivate(*w_->form));
    TEdit& edit = w_->Edit("Edit3");
    const std::string result = "-1234,5678901";
    edit.SetText(result);
    QCOMPARE(edit.Text(), result);
    QCOMPARE(edit.text().size(), 13);
    QCOMPARE(edit.cursorPosition(), 0);
  }
};

QTEST_MAIN(FocusFormTest)
#include "focus_form_test.moc"
