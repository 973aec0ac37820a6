// Reading window definitions: what a good one builds, and that every unknown
// or malformed name is refused with its line instead of being skipped.

#include <QtTest>

#include "platform/gui/button.h"
#include "platform/gui/definition_reader.h"
#include "platform/gui/edit.h"
#include "platform/gui/form.h"
#include "platform/gui/label.h"
#include "platform/gui/shape.h"

namespace gui = bilan::gui;

namespace {

const char kWindow[] =
    "[window]\n"
    "Caption = \"Essai \\\"un\\\" \\\\ deux\"\n"
    "Left = 10\n"
    "Top = 20\n"
    "ClientWidth = 300\n"
    "ClientHeight = 200\n"
    "Color = clYellow\n"
    "PixelsPerInch = 96\n"
    "TextHeight = 13\n";

const char kControls[] =
    "\n"
    "# two drawn elements, then a field and a button\n"
    "[TLabel Caption1]\n"
    "Left = 5\n"
    "Top = 6\n"
    "Caption = \"Champ à renseigner \"\n"
    "Font.Name = \"DejaVu Sans\"\n"
    "Font.Height = -11\n"
    "Font.Color = clRed\n"
    "Font.Charset = ANSI_CHARSET\n"
    "\n"
    "[TShape Bar]\n"
    "Left = 1\n"
    "Top = 2\n"
    "Width = 30\n"
    "Height = 4\n"
    "Brush.Color = clBlack\n"
    "\n"
    "[TEdit Field]\n"
    "Left = 40\n"
    "Top = 50\n"
    "Width = 98\n"
    "Height = 44\n"
    "Anchors = (akLeft, akTop, akRight, akBottom)\n"
    "BiDiMode = bdRightToLeftNoAlign\n"
    "Color = clAqua\n"
    "MaxLength = 10\n"
    "TabOrder = 1\n"
    "Text = \"0,0\"\n"
    "\n"
    "[TButton Go]\n"
    "Left = 150\n"
    "Top = 50\n"
    "Width = 73\n"
    "Height = 49\n"
    "Caption = \"=\"\n"
    "TabOrder = 0\n"
    "OnClick = GoClick\n";

gui::PictureSource NoPictures() {
  return [](const std::string&) { return QByteArray(); };
}

}  // namespace

class DefinitionReaderTest : public QObject {
  Q_OBJECT

 private slots:
  void buildsTheWindowAndItsControlsInOrder();
  void bindsClicksByHandlerName();
  void refusesWhatItDoesNotKnow_data();
  void refusesWhatItDoesNotKnow();
};

void DefinitionReaderTest::buildsTheWindowAndItsControlsInOrder() {
  gui::TForm form;
  gui::ReadDefinitionText(form, std::string(kWindow) + kControls, {{"GoClick", {}}}, NoPictures());
  QCOMPARE(form.Caption(), QStringLiteral("Essai \"un\" \\ deux"));
  QCOMPARE(form.size(), QSize(300, 200));
  QCOMPARE(form.pos(), QPoint(10, 20));
  QVERIFY(form.Color() == gui::TColor::Fixed(qRgb(255, 255, 0)));

  std::vector<std::string> names;
  for (const auto* control : form.Controls()) names.push_back(control->Name());
  QCOMPARE(names, (std::vector<std::string>{"Caption1", "Bar", "Field", "Go"}));

  auto* label = dynamic_cast<gui::TLabel*>(form.FindControl("Caption1"));
  QVERIFY(label != nullptr);
  QCOMPARE(label->Caption(), QStringLiteral("Champ \u00e0 renseigner "));
  QCOMPARE(label->Font().Charset, gui::kAnsiCharset);
  QVERIFY(label->Font().Color == gui::TColor::Fixed(qRgb(255, 0, 0)));
  QCOMPARE(label->BoundsRect().topLeft(), QPoint(5, 6));

  auto* shape = dynamic_cast<gui::TShape*>(form.FindControl("Bar"));
  QVERIFY(shape != nullptr);
  QCOMPARE(shape->BoundsRect(), QRect(1, 2, 30, 4));

  auto* field = dynamic_cast<gui::TEdit*>(form.FindControl("Field"));
  QVERIFY(field != nullptr);
  QCOMPARE(field->Text(), std::string("0,0"));
  QCOMPARE(field->MaxLength(), 10);
  QCOMPARE(field->TabOrder(), 1);
  QCOMPARE(field->BiDiMode(), gui::ReadingMode::RightToLeftNoAlign);
  QCOMPARE(field->GetAnchors(), unsigned(gui::akLeft | gui::akTop | gui::akRight | gui::akBottom));
  QCOMPARE(field->geometry().topLeft(), QPoint(40, 50));

  // The tab order, not the creation order, ranks the focusable controls.
  const auto ring = form.TabOrderedControls();
  QCOMPARE(ring.size(), size_t(2));
  QCOMPARE(ring[0]->Name(), std::string("Go"));
  QCOMPARE(ring[1]->Name(), std::string("Field"));
}

void DefinitionReaderTest::bindsClicksByHandlerName() {
  gui::TForm form;
  std::vector<gui::TControl*> senders;
  int other_calls = 0;
  const gui::HandlerTable handlers{
      {"GoClick", [&](gui::TControl* sender) { senders.push_back(sender); }},
      {"OtherClick", [&](gui::TControl*) { ++other_calls; }},
  };
  gui::ReadDefinitionText(form, std::string(kWindow) + kControls, handlers, NoPictures());
  auto* button = dynamic_cast<gui::TButton*>(form.FindControl("Go"));
  QVERIFY(button != nullptr);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(senders, std::vector<gui::TControl*>{button});
  QCOMPARE(other_calls, 0);
}

void DefinitionReaderTest::refusesWhatItDoesNotKnow_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("line");
  QTest::addColumn<QString>("message");
  const QString window = QStringLiteral("[window]\nClientWidth = 100\n");
  QTest::newRow("unknown class") << window + "[TSlider S1]\n" << 3 << "unknown class TSlider";
  QTest::newRow("unknown property") << window + "[TShape S1]\nBrush.Colour = clBlack\n"
                                    << 4 << "unknown property Brush.Colour";
  QTest::newRow("unknown window property") << window + "Opacity = 3\n" << 3 << "unknown property";
  QTest::newRow("unknown handler") << window + "[TButton B1]\nOnClick = NobodyClick\n"
                                   << 4 << "unknown handler NobodyClick";
  QTest::newRow("unknown colour") << window + "[TShape S1]\nBrush.Color = clPurple\n"
                                  << 4 << "unknown colour clPurple";
  QTest::newRow("unknown anchor") << window + "[TEdit E1]\nAnchors = (akLeft, akMiddle)\n"
                                  << 4 << "unknown anchor akMiddle";
  QTest::newRow("unknown reading direction") << window + "[TEdit E1]\nBiDiMode = bdUpsideDown\n"
                                             << 4 << "unknown reading direction";
  QTest::newRow("unknown font style") << window + "[TLabel L1]\nFont.Style = (fsItalic)\n"
                                      << 4 << "unsupported font style";
  QTest::newRow("integer expected") << window + "[TShape S1]\nLeft = \"ten\"\n"
                                    << 4 << "expected an integer";
  QTest::newRow("string expected") << window + "[TLabel L1]\nCaption = Hello\n"
                                   << 4 << "expected a string";
  QTest::newRow("same name twice") << window + "[TShape S1]\n[TLabel S1]\n"
                                   << 4 << "second control named S1";
  QTest::newRow("missing picture") << window + "[TImage I1]\nPicture = \"none.jpg\"\n"
                                   << 4 << "no picture none.jpg";
  QTest::newRow("resizable frame") << window + "BorderStyle = bsSizeable\n"
                                   << 3 << "unsupported value";
  QTest::newRow("no window section") << "[TShape S1]\n" << 1 << "[window] must come first";
  QTest::newRow("second window section") << window + "[window]\n" << 3 << "second [window]";
  QTest::newRow("unclosed string") << window + "[TLabel L1]\nCaption = \"open\n"
                                   << 4 << "malformed string";
  QTest::newRow("unknown escape") << window + "[TLabel L1]\nCaption = \"a\\n\"\n"
                                  << 4 << "unknown escape";
  QTest::newRow("line without equals") << window + "Caption \"x\"\n"
                                       << 3 << "expected Name = value";
  QTest::newRow("section without a name") << window + "[TShape]\n" << 3 << "[Class Name]";
  QTest::newRow("trailing garbage after a number") << window + "ClientHeight = 12px\n"
                                                   << 3 << "bad value";
}

void DefinitionReaderTest::refusesWhatItDoesNotKnow() {
  QFETCH(QString, text);
  QFETCH(int, line);
  QFETCH(QString, message);
  gui::TForm form;
  try {
    gui::ReadDefinitionText(form, text.toStdString(), {}, NoPictures());
    QFAIL("the definition was accepted");
  } catch (const gui::DefinitionError& error) {
    QCOMPARE(error.Line(), line);
    QVERIFY2(QString::fromUtf8(error.what()).contains(message), error.what());
  }
}

QTEST_MAIN(DefinitionReaderTest)
#include "definition_reader_test.moc"
