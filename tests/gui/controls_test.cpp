// The pieces of the window layer on small windows built in code: rounding,
// fonts, colours, shapes, labels, fields and the click dispatch of buttons.

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QtTest>

#include "platform/gui/button.h"
#include "platform/gui/colors.h"
#include "platform/gui/edit.h"
#include "platform/gui/error_display.h"
#include "platform/gui/font.h"
#include "platform/gui/form.h"
#include "platform/gui/label.h"
#include "platform/gui/shape.h"
#include "platform/runtime/errors.h"

namespace gui = bilan::gui;

namespace {

// A shown window of the given inside size, coloured green so that its own
// pixels are told apart from those of its controls.
std::unique_ptr<gui::TForm> GreenForm(int width, int height) {
  auto form = std::make_unique<gui::TForm>();
  form->SetColor(gui::TColor::Fixed(qRgb(0, 128, 0)));
  form->SetClientSize(width, height);
  return form;
}

QImage Render(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void roundingOfScaledValues_data();
  void roundingOfScaledValues();
  void fontHeightsInPoints_data();
  void fontHeightsInPoints();
  void colourNames();
  void systemColoursFollowThePalette();
  void shapeOutlineLiesOnItsOutermostPixels_data();
  void shapeOutlineLiesOnItsOutermostPixels();
  void labelSizeFollowsItsTextTrailingBlankIncluded();
  void labelFillsItsRectangleAndDrawsItsCaption();
  void programWrittenTextIsNeverCut();
  void fieldHeightFollowsItsFont();
  void clickRunsTheHandlerOnceAndHandsErrorsToTheDisplay();
};

void ControlsTest::roundingOfScaledValues_data() {
  QTest::addColumn<int>("x");
  QTest::addColumn<int>("numerator");
  QTest::addColumn<int>("denominator");
  QTest::addColumn<int>("expected");
  QTest::newRow("64 * 16/13 = 78.8") << 64 << 16 << 13 << 79;
  QTest::newRow("128 * 16/13 = 157.5, half up") << 128 << 16 << 13 << 158;
  QTest::newRow("793 * 16/13 = 976 exactly") << 793 << 16 << 13 << 976;
  QTest::newRow("-11 * 120/96 = -13.75") << -11 << 120 << 96 << -14;
  QTest::newRow("-1/2, half away from zero") << -1 << 1 << 2 << -1;
  QTest::newRow("1/2, half away from zero") << 1 << 1 << 2 << 1;
  QTest::newRow("-43 * 72/96 = -32.25") << -43 << 72 << 96 << -32;
  QTest::newRow("0") << 0 << 16 << 13 << 0;
}

void ControlsTest::roundingOfScaledValues() {
  QFETCH(int, x);
  QFETCH(int, numerator);
  QFETCH(int, denominator);
  QFETCH(int, expected);
  QCOMPARE(gui::ScaleRounded(x, numerator, denominator), expected);
}

void ControlsTest::fontHeightsInPoints_data() {
  QTest::addColumn<int>("height");
  QTest::addColumn<int>("ppi");
  QTest::addColumn<int>("points");
  QTest::newRow("-11 at 96: 8 pt") << -11 << 96 << 8;
  QTest::newRow("-16 at 96: 12 pt") << -16 << 96 << 12;
  QTest::newRow("-19 at 96: 14 pt") << -19 << 96 << 14;
  QTest::newRow("-32 at 96: 24 pt") << -32 << 96 << 24;
  QTest::newRow("-43 at 96: 32 pt") << -43 << 96 << 32;
  QTest::newRow("-16 at 120: 10 pt") << -16 << 120 << 10;
}

void ControlsTest::fontHeightsInPoints() {
  QFETCH(int, height);
  QFETCH(int, ppi);
  QFETCH(int, points);
  gui::TFont font;
  font.Height = height;
  QCOMPARE(font.Size(ppi), points);
  // And back: the em height in pixels of a whole point size.
  gui::TFont again;
  again.SetSize(points, ppi);
  QCOMPARE(again.Height, -gui::ScaleRounded(points, ppi, 72));
  QCOMPARE(font.ToQFont().pixelSize(), -height);
}

void ControlsTest::colourNames() {
  const std::pair<const char*, QRgb> fixed[] = {{"clAqua", qRgb(0, 255, 255)},
                                                {"clBlack", qRgb(0, 0, 0)},
                                                {"clYellow", qRgb(255, 255, 0)},
                                                {"clRed", qRgb(255, 0, 0)},
                                                {"clBackground", gui::kDesktopColor}};
  for (const auto& [name, rgb] : fixed) {
    const auto colour = gui::ColorByName(name);
    QVERIFY2(colour.has_value(), name);
    QCOMPARE(colour->Resolve().rgb(), rgb);
  }
  QVERIFY(!gui::ColorByName("clPurple"));
  QVERIFY(!gui::ColorByName("highlight"));
}

void ControlsTest::systemColoursFollowThePalette() {
  const QPalette saved = QApplication::palette();
  QPalette changed = saved;
  changed.setColor(QPalette::Highlight, QColor(1, 2, 3));
  changed.setColor(QPalette::Midlight, QColor(4, 5, 6));
  changed.setColor(QPalette::WindowText, QColor(7, 8, 9));
  changed.setColor(QPalette::Text, QColor(10, 11, 12));
  QApplication::setPalette(changed);
  const std::pair<const char*, QColor> roles[] = {{"clHighlight", QColor(1, 2, 3)},
                                                  {"cl3DLight", QColor(4, 5, 6)},
                                                  {"clMenuText", QColor(7, 8, 9)},
                                                  {"clWindowText", QColor(10, 11, 12)}};
  for (const auto& [name, colour] : roles) {
    QCOMPARE(gui::ColorByName(name)->Resolve(), colour);
  }
  // The desktop colour has no palette role; it stays fixed.
  QCOMPARE(gui::ColorByName("clBackground")->Resolve().rgb(), gui::kDesktopColor);
  QApplication::setPalette(saved);
}

void ControlsTest::shapeOutlineLiesOnItsOutermostPixels_data() {
  QTest::addColumn<QRect>("bounds");
  QTest::newRow("6 x 5 bar") << QRect(2, 3, 6, 5);
  QTest::newRow("1 pixel wide line") << QRect(4, 1, 1, 9);
  QTest::newRow("2 pixels wide, no inside") << QRect(4, 1, 2, 9);
  QTest::newRow("3 x 3, one pixel inside") << QRect(1, 1, 3, 3);
}

void ControlsTest::shapeOutlineLiesOnItsOutermostPixels() {
  QFETCH(QRect, bounds);
  auto form = GreenForm(12, 12);
  auto& shape = static_cast<gui::TShape&>(form->AddControl(std::make_unique<gui::TShape>(*form)));
  shape.SetBounds(bounds);
  shape.SetBrushColor(gui::TColor::Fixed(qRgb(255, 0, 0)));
  const QImage shot = Render(*form);
  QRect inside = bounds.adjusted(1, 1, -1, -1);
  if (inside.width() <= 0 || inside.height() <= 0) inside = QRect();  // outline only
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      QRgb want = qRgb(0, 128, 0);
      if (bounds.contains(x, y)) want = inside.contains(x, y) ? qRgb(255, 0, 0) : qRgb(0, 0, 0);
      QVERIFY2(shot.pixel(x, y) == want, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }
  }
}

void ControlsTest::labelSizeFollowsItsTextTrailingBlankIncluded() {
  auto form = GreenForm(200, 50);
  auto& label = static_cast<gui::TLabel&>(form->AddControl(std::make_unique<gui::TLabel>(*form)));
  gui::TFont font;
  font.Name = "DejaVu Sans";
  font.Height = -11;
  label.SetFont(font);
  label.SetBounds(QRect(7, 9, 1, 1));
  label.SetCaption(QStringLiteral("Champ"));
  const QFontMetrics metrics(font.ToQFont());
  QCOMPARE(label.BoundsRect(),
           QRect(7, 9, metrics.horizontalAdvance(QStringLiteral("Champ")), metrics.height()));
  const int without_blank = label.Width();
  label.SetCaption(QStringLiteral("Champ "));
  QVERIFY(label.Width() > without_blank);
  // A tab is measured as drawn: expanded to the next tab stop.
  label.SetCaption(QStringLiteral("a\tb"));
  QCOMPARE(label.Width(),
           metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, QStringLiteral("a\tb")).width());
  // A new font is measured again.
  font.Height = -22;
  label.SetFont(font);
  QCOMPARE(label.Height(), QFontMetrics(font.ToQFont()).height());
  QCOMPARE(label.BoundsRect().topLeft(), QPoint(7, 9));
}

void ControlsTest::labelFillsItsRectangleAndDrawsItsCaption() {
  auto form = GreenForm(60, 30);
  // An earlier shape under the label: the label's fill covers it.
  auto& shape = static_cast<gui::TShape&>(form->AddControl(std::make_unique<gui::TShape>(*form)));
  shape.SetBounds(QRect(0, 0, 60, 30));
  shape.SetBrushColor(gui::TColor::Fixed(qRgb(0, 0, 255)));
  auto& label = static_cast<gui::TLabel&>(form->AddControl(std::make_unique<gui::TLabel>(*form)));
  gui::TFont font;
  font.Name = "DejaVu Sans";
  font.Height = -16;
  font.Color = gui::TColor::Fixed(qRgb(255, 0, 0));
  label.SetFont(font);
  label.SetBounds(QRect(5, 5, 0, 0));
  label.SetCaption(QStringLiteral("H"));
  const QImage shot = Render(*form);
  const QRect bounds = label.BoundsRect();
  int red = 0;
  for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
    for (int x = bounds.left(); x <= bounds.right(); ++x) {
      const QColor pixel(shot.pixel(x, y));
      QVERIFY(pixel.blue() == 0);  // the shape beneath never shows
      if (pixel.rgb() == qRgb(255, 0, 0)) ++red;
    }
  }
  QVERIFY(red > 0);
  // The label's fill is its window's colour; outside it the shape remains.
  QCOMPARE(shot.pixel(bounds.right(), bounds.top()), qRgb(0, 128, 0));
  QCOMPARE(shot.pixel(bounds.right() + 1, bounds.top()), qRgb(0, 0, 255));
}

void ControlsTest::programWrittenTextIsNeverCut() {
  auto form = GreenForm(200, 60);
  auto* edit = new gui::TEdit(*form);
  edit->SetMaxLength(10);
  const std::string long_text = "1234567890123";
  edit->SetText(long_text);
  QCOMPARE(edit->Text(), long_text);
  QCOMPARE(edit->cursorPosition(), 0);  // shown from its first character
  // UTF-8 in, the same UTF-8 out; Qt holds it as characters.
  const std::string accented =
      "D\xC3\xA9"
      "bordement \xE2\x82\xAC";
  edit->SetText(accented);
  QCOMPARE(edit->Text(), accented);
  QCOMPARE(edit->text().size(), 13);
}

void ControlsTest::fieldHeightFollowsItsFont() {
  auto form = GreenForm(200, 100);
  auto* edit = new gui::TEdit(*form);
  edit->SetBounds(QRect(3, 4, 98, 44));
  gui::TFont font;
  font.Name = "DejaVu Sans";
  for (int height : {-32, -11, -40}) {
    font.Height = height;
    edit->SetFont(font);
    QCOMPARE(edit->geometry(), QRect(3, 4, 98, QFontMetrics(font.ToQFont()).height() + 8));
  }
}

void ControlsTest::clickRunsTheHandlerOnceAndHandsErrorsToTheDisplay() {
  auto form = GreenForm(100, 60);
  auto* button = new gui::TButton(*form);
  button->SetBounds(QRect(10, 10, 73, 40));
  button->SetCaption(QStringLiteral("="));
  QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
           QStringLiteral("="));
  form->show();
  QVERIFY(QTest::qWaitForWindowExposed(form.get()));

  std::vector<std::string> shown;
  auto previous = bilan::SetErrorDisplay(
      [&](const bilan::Exception& error) { shown.push_back(error.ClassName()); });
  int runs = 0;
  gui::TControl* sender = nullptr;
  button->SetOnClick([&](gui::TControl* from) {
    ++runs;
    sender = from;
    if (runs == 2) throw bilan::EOverflow();
  });
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(runs, 1);
  QCOMPARE(sender, static_cast<gui::TControl*>(button));
  QVERIFY(shown.empty());
  // The error leaves the handler, reaches the display once, and the next click
  // runs normally.
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(runs, 2);
  QCOMPARE(shown, std::vector<std::string>{"EOverflow"});
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(runs, 3);
  QCOMPARE(shown.size(), size_t(1));
  bilan::SetErrorDisplay(std::move(previous));
}

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
