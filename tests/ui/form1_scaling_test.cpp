// The main window created under other screens: a base face that measures 16
// instead of 13, a 120 dpi screen, and right-to-left language support on or off.

#include <QFontMetrics>
#include <QtTest>

#include "platform/gui/screen.h"
#include "ui/form1.h"
#include "window_probe.h"

using namespace window_probe;
namespace gui = bilan::gui;

class Form1ScalingTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();
  void baseFaceOf16ScalesEdgesFontsAndInside();
  void labelsAndFieldsTakeTheirSizesFromTheScaledFonts();
  void higherResolutionEnlargesTheBaseFontBeforeMeasuring();
  void readingDirection_data();
  void readingDirection();
};

void Form1ScalingTest::cleanup() {
  gui::SetBaseFontMeasureForTesting(nullptr);
  gui::SetScreenPixelsPerInchForTesting(std::nullopt);
  gui::SetRightToLeftSupportForTesting(std::nullopt);
}

void Form1ScalingTest::baseFaceOf16ScalesEdgesFontsAndInside() {
  gui::SetBaseFontMeasureForTesting([](const QFont&) { return 16; });
  TForm1 form;
  QCOMPARE(form.Shape4->BoundsRect(), QRect(79, 158, 897, 19));
  // Edges are rounded separately: 64 -> 78.8 -> 79 and 793 -> 976, so 897 wide.
  QCOMPARE(form.Shape6->BoundsRect(), QRect(79, 158, 1, 50));
  QCOMPARE(form.Image1->BoundsRect(), QRect(1054, 0, 70, 110));
  QCOMPARE(form.Button1->geometry(), QRect(994, 246, 90, 60));
  QCOMPARE(form.size(), QSize(1125, 553));
  QCOMPARE(form.pos(), QPoint(244, 172));
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(form.pos(), QPoint(244, 172));
  QCOMPARE(form.size(), QSize(1125, 553));

  // Fonts: pixels -> points at 96 dpi, rounded; times 16/13, rounded; back to pixels.
  const std::pair<int, int> fonts[] = {
      {form.Label1->Font().Height, -20},   // 12 pt -> 15 pt
      {form.Label7->Font().Height, -13},   // 8 pt -> 10 pt
      {form.Label9->Font().Height, -23},   // 14 pt -> 17 pt
      {form.Edit1->Font().Height, -40},    // 24 pt -> 30 pt
      {form.Button1->Font().Height, -52},  // 32 pt -> 39 pt
      {form.Button2->Font().Height, -40},  // 24 pt -> 30 pt
  };
  for (const auto& [actual, expected] : fonts) QCOMPARE(actual, expected);
}

void Form1ScalingTest::labelsAndFieldsTakeTheirSizesFromTheScaledFonts() {
  gui::SetBaseFontMeasureForTesting([](const QFont&) { return 16; });
  TForm1 form;
  // Left and top edges are scaled; sizes follow the new fonts.
  const QFontMetrics caption(form.Label2->Font().ToQFont());
  QCOMPARE(form.Label2->BoundsRect(),
           QRect(335, 177, caption.horizontalAdvance(form.Label2->Caption()), caption.height()));
  const QFontMetrics field(form.Edit5->Font().ToQFont());
  // 320 -> 393.8 -> 394 and 505 -> 621.5 -> 622: 228 wide.
  QCOMPARE(form.Edit5->geometry(), QRect(394, 404, 228, field.height() + 8));
  // Edit1 keeps its anchored distances from the scaled inside.
  QCOMPARE(form.Edit1->geometry().left(), 128);
}

void Form1ScalingTest::higherResolutionEnlargesTheBaseFontBeforeMeasuring() {
  gui::SetScreenPixelsPerInchForTesting(120);
  int measured_pixels = 0;
  gui::SetBaseFontMeasureForTesting([&](const QFont& font) {
    measured_pixels = font.pixelSize();
    return 13;  // same measure as the design: nothing scales
  });
  TForm1 form;
  QCOMPARE(measured_pixels, 14);  // -11 * 120 / 96 = -13.75
  QCOMPARE(form.Shape4->BoundsRect(), QRect(64, 128, 729, 16));
  QCOMPARE(form.Edit1->Font().Height, -32);

  // Measuring 17 at 120 dpi: fonts are converted to points at 120 dpi.
  gui::SetBaseFontMeasureForTesting([](const QFont&) { return 17; });
  TForm1 scaled;
  // -16 px at 120 dpi = 9.6 -> 10 pt; * 17/13 = 13.08 -> 13 pt; = -21.67 -> -22 px.
  QCOMPARE(scaled.Label1->Font().Height, -22);
  QCOMPARE(scaled.Shape4->BoundsRect(), QRect(84, 167, 953, 21));
}

void Form1ScalingTest::readingDirection_data() {
  QTest::addColumn<bool>("support");
  QTest::addColumn<QString>("field");
  QTest::addColumn<bool>("right_to_left");
  QTest::addColumn<bool>("aligned_right");
  const std::tuple<const char*, bool, bool> with_support[] = {
      {"Edit1", true, true},   {"Edit2", true, true},  {"Edit3", false, false},
      {"Edit4", false, false}, {"Edit5", true, false}, {"Edit6", true, false},
  };
  for (const auto& [field, rtl, right] : with_support) {
    QTest::addRow("on: %s", field) << true << field << rtl << right;
    QTest::addRow("off: %s", field) << false << field << false << false;
  }
}

void Form1ScalingTest::readingDirection() {
  QFETCH(bool, support);
  QFETCH(QString, field);
  QFETCH(bool, right_to_left);
  QFETCH(bool, aligned_right);
  gui::SetRightToLeftSupportForTesting(support);
  TForm1 form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  auto* edit = dynamic_cast<TEdit*>(form.FindControl(field.toStdString()));
  QVERIFY(edit != nullptr);
  QCOMPARE(edit->layoutDirection(), right_to_left ? Qt::RightToLeft : Qt::LeftToRight);

  // Where the text lands: a short text sits in one half of the field.
  edit->SetText("12");
  const QImage shot = Render(*edit);
  const QRgb ink = Rgb(edit->Font().Color);
  const int half = shot.width() / 2;
  const int left = CountColor(shot, QRect(0, 0, half, shot.height()), ink);
  const int right = CountColor(shot, QRect(half, 0, shot.width() - half, shot.height()), ink);
  QVERIFY2(left + right > 0, "no text drawn");
  QCOMPARE(right > left, aligned_right);

  // Captions and buttons never turn around.
  QCOMPARE(form.Button1->layoutDirection(), Qt::LeftToRight);
  QCOMPARE(form.layoutDirection(), Qt::LeftToRight);
}

QTEST_MAIN(Form1ScalingTest)
#include "form1_scaling_test.moc"
