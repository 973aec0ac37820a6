// The main window when the caption face is missing: font matching supplies a
// substitute, each caption keeps its left and top edges and takes the size of
// its text in that face; nothing else moves.

#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>

#include "platform/gui/embedded_faces.h"
#include "ui/form1.h"

class Form1SubstituteFaceTest : public QObject {
  Q_OBJECT

 private slots:
  void captionsKeepTheirLeftEdgesAndTakeTheSubstitutesWidth();
};

void Form1SubstituteFaceTest::captionsKeepTheirLeftEdgesAndTakeTheSubstitutesWidth() {
  bilan::gui::SetEmbeddedFacesEnabled(false);
  TForm1 form;
  QCOMPARE(bilan::gui::EmbeddedFaceCount(), 0);
  struct Caption {
    TLabel* label;
    QPoint top_left;
  };
  const Caption captions[] = {
      {form.Label1, {80, 144}}, {form.Label2, {272, 144}}, {form.Label3, {608, 144}},
      {form.Label4, {80, 280}}, {form.Label5, {336, 280}}, {form.Label6, {568, 280}},
  };
  for (const auto& [label, top_left] : captions) {
    const QFont font = label->Font().ToQFont();
    QVERIFY(QFontInfo(font).family() != QStringLiteral("Orbitron"));
    const QFontMetrics metrics(font);
    const QRect bounds = label->BoundsRect();
    qInfo("%s in %s: %d x %d", label->Name().c_str(), qPrintable(QFontInfo(font).family()),
          bounds.width(), bounds.height());
    QCOMPARE(bounds,
             QRect(top_left, QSize(metrics.horizontalAdvance(label->Caption()), metrics.height())));
  }
  // Nothing else moves.
  QCOMPARE(form.Shape4->BoundsRect(), QRect(64, 128, 729, 16));
  QCOMPARE(form.Edit2->geometry().topLeft(), QPoint(336, 200));
  QCOMPARE(form.size(), QSize(914, 449));
}

QTEST_MAIN(Form1SubstituteFaceTest)
#include "form1_substitute_face_test.moc"
