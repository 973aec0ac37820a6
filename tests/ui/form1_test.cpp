// The main window on the offscreen platform at 96 dpi, where the base face
// measures 13 pixels: its bounds, its pixels, its bindings and its stretch.

#include <QAccessible>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>
#include <optional>

#include "platform/gui/embedded_faces.h"
#include "platform/gui/error_display.h"
#include "platform/gui/screen.h"
#include "ui/form1.h"
#include "window_probe.h"

using namespace window_probe;
namespace gui = bilan::gui;
using bilan::gui::SystemColor;
using bilan::gui::TColor;

namespace {
QRgb WindowColour() { return Rgb(TColor::System(SystemColor::Highlight)); }
}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase() { form_.reset(); }

  void windowSettings();
  void controlsInCreationOrderWithTheirBounds_data();
  void controlsInCreationOrderWithTheirBounds();
  void shapesShowSolidBlack();
  void picturesClippedToTheirBoxes_data();
  void picturesClippedToTheirBoxes();
  void asterisksLieUnderTheInputFields();
  void button2LiesWholeOverTheBottomBand();
  void fieldColoursAndInitialTexts_data();
  void fieldColoursAndInitialTexts();
  void captionsInTheirColours();
  void fontsAsStored_data();
  void fontsAsStored();
  void tabOrderAndReadingDirectionsAsStored();
  void picturesAreDecodedOnce();
  void fieldsAndButtonsAreNamedForAssistiveTools();
  void buttonsRunTheirOperations();
  void anErrorOfAClickGoesToTheErrorDisplay();
  void maximisedEdit1StretchesAndRestoredItShrinksBack();

 private:
  std::unique_ptr<TForm1> form_;
  QImage shot_;
};

void Form1Test::initTestCase() {
  QCOMPARE(bilan::gui::ScreenPixelsPerInch(), 96);
  form_ = std::make_unique<TForm1>();
  QVERIFY(!form_->isVisible());  // the shell shows it
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  shot_ = Render(*form_);
  qInfo("caption face: %s (embedded faces: %d)",
        qPrintable(QFontInfo(form_->Label1->Font().ToQFont()).family()),
        bilan::gui::EmbeddedFaceCount());
  qInfo("base face %s measures %d", qPrintable(QFontInfo(form_->Font().ToQFont()).family()),
        bilan::gui::MeasureBaseFont(form_->Font().ToQFont()));
}

void Form1Test::windowSettings() {
  QCOMPARE(form_->windowTitle(), QStringLiteral("Calcul"));
  QCOMPARE(form_->size(), QSize(914, 449));
  QCOMPARE(shot_.size(), QSize(914, 449));
  QCOMPARE(form_->pos(), QPoint(244, 172));
  // A fixed frame: no maximise button, and a size the user cannot change.
  const Qt::WindowFlags flags = form_->windowFlags();
  QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
  QVERIFY(flags & Qt::WindowMinimizeButtonHint);
  QVERIFY(flags & Qt::WindowCloseButtonHint);
  QCOMPARE(form_->minimumSize(), QSize(914, 449));
  QCOMPARE(form_->maximumSize(), QSize(914, 449));
  // The base face measures 13, so nothing was scaled.
  QCOMPARE(bilan::gui::MeasureBaseFont(form_->Font().ToQFont()), 13);
}

void Form1Test::controlsInCreationOrderWithTheirBounds_data() {
  QTest::addColumn<QRect>("bounds");
  QTest::addColumn<QString>("sizing");
  struct Row {
    const char* name;
    QRect bounds;
    const char* sizing;
  };
  const Row rows[] = {
      {"Image3", {0, 0, 921, 89}, "stored"},     {"Image2", {8, 376, 905, 73}, "stored"},
      {"Label1", {80, 144, 144, 20}, "text"},    {"Label3", {608, 144, 150, 20}, "text"},
      {"Shape6", {64, 128, 1, 41}, "stored"},    {"Shape1", {576, 128, 1, 49}, "stored"},
      {"Shape8", {64, 264, 729, 16}, "stored"},  {"Shape9", {64, 168, 729, 9}, "stored"},
      {"Label2", {272, 144, 290, 20}, "text"},   {"Shape3", {256, 128, 1, 41}, "stored"},
      {"Shape2", {792, 128, 1, 41}, "stored"},   {"Label4", {80, 280, 172, 20}, "text"},
      {"Label5", {336, 280, 160, 20}, "text"},   {"Shape4", {64, 128, 729, 16}, "stored"},
      {"Shape5", {64, 304, 729, 9}, "stored"},   {"Shape7", {64, 272, 1, 41}, "stored"},
      {"Shape10", {264, 272, 1, 41}, "stored"},  {"Shape11", {560, 264, 1, 41}, "stored"},
      {"Shape12", {792, 272, 1, 41}, "stored"},  {"Label6", {568, 280, 223, 20}, "text"},
      {"Label7", {120, 184, 97, 13}, "text"},    {"Label8", {352, 184, 97, 13}, "text"},
      {"Label9", {104, 184, 7, 24}, "text"},     {"Label10", {336, 184, 7, 24}, "text"},
      {"Image4", {128, 80, 601, 33}, "stored"},  {"Image1", {856, 0, 57, 89}, "stored"},
      {"Edit1", {104, 200, 98, 44}, "font"},     {"Edit2", {336, 200, 121, 44}, "font"},
      {"Edit3", {608, 200, 121, 44}, "font"},    {"Button1", {808, 200, 73, 49}, "stored"},
      {"Button2", {832, 368, 73, 49}, "stored"}, {"Edit4", {96, 328, 121, 44}, "font"},
      {"Edit5", {320, 328, 185, 44}, "font"},    {"Edit6", {584, 328, 185, 44}, "font"},
  };
  QCOMPARE(form_->Controls().size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    // Creation order is the order of the table.
    QCOMPARE(form_->Controls()[i]->Name(), std::string(rows[i].name));
    QTest::newRow(rows[i].name) << rows[i].bounds << QString(rows[i].sizing);
  }
}

void Form1Test::controlsInCreationOrderWithTheirBounds() {
  QFETCH(QRect, bounds);
  QFETCH(QString, sizing);
  const auto* control = form_->FindControl(QTest::currentDataTag());
  QVERIFY(control != nullptr);
  QRect expected = bounds;
  if (sizing == "text") {
    // Left and top stay; the size is the caption's in its own font.
    const auto* label = dynamic_cast<const TLabel*>(control);
    QVERIFY(label != nullptr);
    const QFontMetrics metrics(label->Font().ToQFont());
    expected.setSize({metrics.horizontalAdvance(label->Caption()), metrics.height()});
    qInfo("%s: %d x %d (stored %d x %d)", QTest::currentDataTag(), expected.width(),
          expected.height(), bounds.width(), bounds.height());
  } else if (sizing == "font") {
    const auto* edit = dynamic_cast<const TEdit*>(control);
    QVERIFY(edit != nullptr);
    expected.setHeight(QFontMetrics(edit->Font().ToQFont()).height() + 8);
    qInfo("%s: %d x %d (stored %d x %d)", QTest::currentDataTag(), expected.width(),
          expected.height(), bounds.width(), bounds.height());
  }
  QCOMPARE(control->BoundsRect(), expected);
}

void Form1Test::shapesShowSolidBlack() {
  int shapes = 0;
  for (const auto* control : form_->Controls()) {
    if (dynamic_cast<const TShape*>(control) == nullptr) continue;
    ++shapes;
    const QString mismatch =
        FirstMismatch(shot_, control->BoundsRect(), [](int, int) { return qRgb(0, 0, 0); });
    QVERIFY2(mismatch.isEmpty(),
             qPrintable(QString::fromStdString(control->Name()) + " " + mismatch));
  }
  QCOMPARE(shapes, 12);
  // The desktop colour, brush of the thin shapes, shows nowhere outside the
  // pictures (checked pixel by pixel elsewhere) and the fields (whose text
  // colour it is).
  const QRgb desktop = Rgb(TColor::System(SystemColor::Background));
  QCOMPARE(
      CountColor(shot_, QRect(0, 113, 914, 376 - 113), desktop) -
          CountColor(shot_,
                     form_->Edit1->geometry() | form_->Edit2->geometry() | form_->Edit3->geometry(),
                     desktop),
      0);
}

void Form1Test::picturesClippedToTheirBoxes_data() {
  QTest::addColumn<QRect>("area");
  QTest::addColumn<QString>("picture");  // empty: the window colour
  QTest::addColumn<QPoint>("origin");
  const QPoint top(0, 0), tank(856, 0), banner(128, 80), bottom(8, 376);
  QTest::newRow("top band beside the banner") << QRect(0, 0, 856, 80) << "top_band.jpg" << top;
  QTest::newRow("top band left of the banner, rows 80-88")
      << QRect(0, 80, 128, 9) << "top_band.jpg" << top;
  QTest::newRow("top band right of the banner, rows 80-88")
      << QRect(729, 80, 127, 9) << "top_band.jpg" << top;
  QTest::newRow("tank over the band, columns 856-912 with 909-912")
      << QRect(856, 0, 57, 89) << "tank.jpg" << tank;
  QTest::newRow("column 913, rows 0-88") << QRect(913, 0, 1, 89) << "" << QPoint();
  QTest::newRow("tank's bottom row lost") << QRect(856, 89, 58, 1) << "" << QPoint();
  QTest::newRow("banner 601 x 33") << QRect(128, 80, 601, 33) << "title_banner.jpg" << banner;
  QTest::newRow("right of the banner") << QRect(729, 89, 127, 24) << "" << QPoint();
  QTest::newRow("below the banner") << QRect(0, 113, 914, 15) << "" << QPoint();
  QTest::newRow("bottom band left of Button2")
      << QRect(8, 376, 824, 73) << "bottom_band.jpg" << bottom;
  QTest::newRow("bottom band below Button2")
      << QRect(832, 417, 81, 32) << "bottom_band.jpg" << bottom;
  QTest::newRow("bottom band right of Button2")
      << QRect(905, 376, 8, 41) << "bottom_band.jpg" << bottom;
  QTest::newRow("columns 0-7 of the bottom band") << QRect(0, 376, 8, 73) << "" << QPoint();
  QTest::newRow("column 913 of the bottom band") << QRect(913, 376, 1, 73) << "" << QPoint();
}

void Form1Test::picturesClippedToTheirBoxes() {
  QFETCH(QRect, area);
  QFETCH(QString, picture);
  QFETCH(QPoint, origin);
  const QImage source = picture.isEmpty() ? QImage() : Picture(qPrintable(picture));
  QVERIFY(picture.isEmpty() || !source.isNull());
  // Every pixel of the area comes from the picture at natural size.
  if (!source.isNull()) {
    QVERIFY(area.right() - origin.x() < source.width());
    QVERIFY(area.bottom() - origin.y() < source.height());
  }
  const QRgb window = WindowColour();
  const QString mismatch = FirstMismatch(shot_, area, [&](int x, int y) {
    return source.isNull() ? window : source.pixel(x - origin.x(), y - origin.y());
  });
  QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void Form1Test::asterisksLieUnderTheInputFields() {
  const std::pair<TLabel*, TEdit*> pairs[] = {{form_->Label9, form_->Edit1},
                                              {form_->Label10, form_->Edit2}};
  for (const auto& [asterisk, edit] : pairs) {
    const QRect label = asterisk->BoundsRect();
    QVERIFY(label.bottom() >= 200);
    // Rows 184 to 199: the red asterisk shows.
    QVERIFY(CountColor(shot_, QRect(label.left(), 184, label.width(), 16), qRgb(255, 0, 0)) > 0);
    // Rows 200 to the label's bottom: the field, exactly as it draws itself.
    const QImage field = Render(*edit);
    const QRect hidden(label.left(), 200, label.width(), label.bottom() - 199);
    const QString mismatch = FirstMismatch(
        shot_, hidden, [&](int x, int y) { return field.pixel(x - edit->x(), y - edit->y()); });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
  }
}

void Form1Test::button2LiesWholeOverTheBottomBand() {
  const QImage button = Render(*form_->Button2);
  QCOMPARE(button.size(), QSize(73, 49));
  const QString mismatch = FirstMismatch(shot_, form_->Button2->geometry(), [&](int x, int y) {
    return button.pixel(x - 832, y - 368);
  });
  QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void Form1Test::fieldColoursAndInitialTexts_data() {
  QTest::addColumn<QRgb>("background");
  QTest::addColumn<QRgb>("text_colour");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("max_length");
  const QRgb yellow = qRgb(255, 255, 0);
  const QRgb light = Rgb(TColor::System(SystemColor::ThreeDLight));
  const QRgb desktop = Rgb(TColor::System(SystemColor::Background));
  const QRgb window_text = Rgb(TColor::System(SystemColor::WindowText));
  QTest::newRow("Edit1") << yellow << desktop << "" << 10;
  QTest::newRow("Edit2") << yellow << desktop << "" << 10;
  QTest::newRow("Edit3") << light << desktop << "0,0" << 10;
  QTest::newRow("Edit4") << light << window_text << "0,0" << 0;
  QTest::newRow("Edit5") << light << window_text << "0,0" << 0;
  QTest::newRow("Edit6") << light << window_text << "0,0" << 0;
}

void Form1Test::fieldColoursAndInitialTexts() {
  QFETCH(QRgb, background);
  QFETCH(QRgb, text_colour);
  QFETCH(QString, text);
  QFETCH(int, max_length);
  auto* edit = dynamic_cast<TEdit*>(form_->FindControl(QTest::currentDataTag()));
  QVERIFY(edit != nullptr);
  QCOMPARE(edit->text(), text);
  QCOMPARE(edit->MaxLength(), max_length);
  QCOMPARE(edit->maxLength(), 32767);  // Qt's own limit would cut program-written text
  const QRect inside = edit->geometry().adjusted(4, 4, -4, -4);
  // The right end of the inside holds no text: the background colour.
  QCOMPARE(QColor(shot_.pixel(inside.right(), inside.center().y())).name(),
           QColor(background).name());
  // The text is drawn in the text colour.
  QCOMPARE(CountColor(shot_, inside, text_colour) > 0, !text.isEmpty());
}

void Form1Test::captionsInTheirColours() {
  const QRgb light = Rgb(TColor::System(SystemColor::ThreeDLight));
  const QRgb menu_text = Rgb(TColor::System(SystemColor::MenuText));
  const std::pair<TLabel*, QRgb> labels[] = {
      {form_->Label1, light},     {form_->Label2, light},     {form_->Label3, light},
      {form_->Label4, light},     {form_->Label5, light},     {form_->Label6, light},
      {form_->Label7, menu_text}, {form_->Label8, menu_text},
  };
  for (const auto& [label, colour] : labels) {
    QVERIFY2(CountColor(shot_, label->BoundsRect(), colour) > 0, qPrintable(label->Caption()));
  }
  QCOMPARE(form_->Label7->Caption(), QStringLiteral("Champ \u00e0 renseigner "));
  QCOMPARE(form_->Label2->Caption(), QStringLiteral("Consommation des pompes W/H"));
  QCOMPARE(form_->Label6->Caption(), QStringLiteral("conversion en megawatt"));
}

void Form1Test::fontsAsStored_data() {
  QTest::addColumn<QString>("face");
  QTest::addColumn<int>("height");
  QTest::addColumn<bool>("bold");
  QTest::addColumn<int>("charset");
  for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"}) {
    QTest::newRow(name) << "Orbitron" << -16 << true << gui::kAnsiCharset;
  }
  for (const char* name : {"Label7", "Label8"}) {
    QTest::newRow(name) << "MS Sans Serif" << -11 << false << gui::kDefaultCharset;
  }
  for (const char* name : {"Label9", "Label10"}) {
    QTest::newRow(name) << "MS Sans Serif" << -19 << false << gui::kDefaultCharset;
  }
  for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Button2"}) {
    QTest::newRow(name) << "MS Sans Serif" << -32 << false << gui::kArabicCharset;
  }
  QTest::newRow("Button1") << "MS Sans Serif" << -43 << false << gui::kArabicCharset;
}

void Form1Test::fontsAsStored() {
  QFETCH(QString, face);
  QFETCH(int, height);
  QFETCH(bool, bold);
  QFETCH(int, charset);
  const auto* control = form_->FindControl(QTest::currentDataTag());
  QVERIFY(control != nullptr);
  gui::TFont font;
  if (const auto* label = dynamic_cast<const TLabel*>(control)) font = label->Font();
  if (const auto* edit = dynamic_cast<const TEdit*>(control)) font = edit->Font();
  if (const auto* button = dynamic_cast<const TButton*>(control)) font = button->Font();
  QCOMPARE(QString::fromStdString(font.Name), face);
  QCOMPARE(font.Height, height);
  QCOMPARE(font.Bold, bold);
  QCOMPARE(font.Charset, charset);
  // The widget draws with the stored em height and weight.
  if (const auto* widget = dynamic_cast<const QWidget*>(control)) {
    QCOMPARE(widget->font().pixelSize(), -height);
    QCOMPARE(widget->font().bold(), bold);
  }
}

void Form1Test::tabOrderAndReadingDirectionsAsStored() {
  std::vector<std::string> ring;
  for (const auto* control : form_->TabOrderedControls()) ring.push_back(control->Name());
  QCOMPARE(ring, (std::vector<std::string>{"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6",
                                           "Button1", "Button2"}));
  using gui::ReadingMode;
  QCOMPARE(form_->Edit1->BiDiMode(), ReadingMode::RightToLeft);
  QCOMPARE(form_->Edit2->BiDiMode(), ReadingMode::RightToLeft);
  QCOMPARE(form_->Edit3->BiDiMode(), ReadingMode::LeftToRight);
  QCOMPARE(form_->Edit4->BiDiMode(), ReadingMode::LeftToRight);
  QCOMPARE(form_->Edit5->BiDiMode(), ReadingMode::RightToLeftNoAlign);
  QCOMPARE(form_->Edit6->BiDiMode(), ReadingMode::RightToLeftReadingOnly);
  QCOMPARE(form_->Button1->Caption(), QStringLiteral("="));
  QCOMPARE(form_->Button2->Caption(), QStringLiteral("C"));
}

void Form1Test::picturesAreDecodedOnce() {
  for (int i = 0; i < 3; ++i) {
    form_->repaint();
    Render(*form_);
  }
  for (TImage* image : {form_->Image1, form_->Image2, form_->Image3, form_->Image4}) {
    QVERIFY(image->Picture() != nullptr);
    QCOMPARE(image->Picture()->DecodeCount(), 1);
  }
}

void Form1Test::fieldsAndButtonsAreNamedForAssistiveTools() {
  const std::pair<QWidget*, QString> named[] = {
      {form_->Edit1, "Production W/H"},
      {form_->Edit2, "Consommation des pompes W/H"},
      {form_->Edit3, "Production nette"},
      {form_->Edit4, "Production par jour"},
      {form_->Edit5, "Production par an"},
      {form_->Edit6, "conversion en megawatt"},
      {form_->Button1, "="},
      {form_->Button2, "C"},
  };
  for (const auto& [widget, name] : named) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), name);
  }
  QAccessibleInterface* edit3 = QAccessible::queryAccessibleInterface(form_->Edit3);
  QCOMPARE(edit3->role(), QAccessible::EditableText);
  QCOMPARE(edit3->text(QAccessible::Value), QStringLiteral("0,0"));
  QCOMPARE(QAccessible::queryAccessibleInterface(form_->Button1)->role(), QAccessible::Button);
}

void Form1Test::buttonsRunTheirOperations() {
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  form_->Edit1->SetText("1000");
  form_->Edit2->SetText("250");
  QTest::mouseClick(form_->Button1, Qt::LeftButton);
  QCOMPARE(form_->Edit3->Text(), std::string("750"));
  QCOMPARE(form_->Edit4->Text(), std::string("18000"));
  QCOMPARE(form_->Edit5->Text(), std::string("6570000"));
  QCOMPARE(form_->Edit6->Text().substr(2), std::string("57"));  // "6,57" or "6.57"

  QTest::mouseClick(form_->Button2, Qt::LeftButton);
  for (TEdit* edit :
       {form_->Edit1, form_->Edit2, form_->Edit3, form_->Edit4, form_->Edit5, form_->Edit6}) {
    QCOMPARE(edit->Text(), std::string());
  }
  QCOMPARE(QApplication::focusWidget(), form_->Edit6);
}

void Form1Test::anErrorOfAClickGoesToTheErrorDisplay() {
  std::vector<std::string> shown;
  auto previous = bilan::SetErrorDisplay(
      [&](const bilan::Exception& error) { shown.push_back(error.Message()); });
  form_->Edit1->SetText("");
  form_->Edit2->SetText("1");
  form_->Edit3->SetText("x");
  form_->Button1->click();
  bilan::SetErrorDisplay(std::move(previous));
  QCOMPARE(shown.size(), size_t(1));
  QCOMPARE(shown[0], std::string("'' n'est pas une valeur en virgule flottante correcte"));
  QCOMPARE(form_->Edit3->Text(), std::string("x"));  // the run ended before writing
}

void Form1Test::maximisedEdit1StretchesAndRestoredItShrinksBack() {
  const QRect normal = form_->Edit1->geometry();
  const int bottom_gap = 449 - (normal.top() + normal.height());
  form_->showMaximized();
  QTRY_VERIFY(form_->width() > 914);
  QTRY_VERIFY(form_->height() > 449);
  const QSize inside = form_->size();
  qInfo("maximised inside %d x %d", inside.width(), inside.height());
  QCOMPARE(form_->Edit1->geometry(),
           QRect(104, 200, inside.width() - 816, inside.height() - 200 - bottom_gap));
  // Everything else keeps its place.
  QCOMPARE(form_->Edit2->geometry().topLeft(), QPoint(336, 200));
  QCOMPARE(form_->Shape4->BoundsRect(), QRect(64, 128, 729, 16));
  // The stretched field lies under the later fields and buttons.
  const QImage shot = Render(*form_);
  const QWidget* later_ones[] = {form_->Edit2, form_->Edit3, form_->Button1, form_->Button2,
                                 form_->Edit4, form_->Edit5, form_->Edit6};
  for (const QWidget* later : later_ones) {
    QVERIFY(form_->Edit1->geometry().intersects(later->geometry()));
    const QImage own = Render(*const_cast<QWidget*>(later));
    const QString mismatch = FirstMismatch(shot, later->geometry(), [&](int x, int y) {
      return own.pixel(x - later->x(), y - later->y());
    });
    QVERIFY2(mismatch.isEmpty(), qPrintable(later->objectName() + " " + mismatch));
  }
  // The added part of the inside shows the window colour.
  QCOMPARE(shot.pixel(inside.width() - 1, 0) | 0xFF000000u, WindowColour() | 0xFF000000u);

  form_->showNormal();
  QTRY_COMPARE(form_->size(), QSize(914, 449));
  QCOMPARE(form_->Edit1->geometry(), normal);
  QCOMPARE(normal.size().width(), 98);
  QCOMPARE(form_->maximumSize(), QSize(914, 449));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
