// JPEG decoding through libjpeg: full size, the accurate settings, once, and
// clean failure on data that is not a JPEG.

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtTest>
#include <stdexcept>

#include "platform/gui/jpeg_image.h"

using bilan::gui::TJPEGImage;

namespace {
QByteArray ReadPicture(const QString& name) {
  QFile file(QStringLiteral(BILAN_PICTURES_DIR "/") + name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class JpegImageTest : public QObject {
  Q_OBJECT

 private slots:
  void decodesAtFullSize_data();
  void decodesAtFullSize();
  void decodesIntoAPaletteForScreensOf256Colours();
  void decodesOnceOnFirstUse();
  void rejectsDataThatIsNotAJpeg_data();
  void rejectsDataThatIsNotAJpeg();
  void aBrokenPictureDecodesToNothingAndOnlyOnce();
};

void JpegImageTest::decodesAtFullSize_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QSize>("size");
  QTest::newRow("top band") << "top_band.jpg" << QSize(909, 115);
  QTest::newRow("bottom band") << "bottom_band.jpg" << QSize(909, 115);
  QTest::newRow("title banner") << "title_banner.jpg" << QSize(610, 38);
  QTest::newRow("tank") << "tank.jpg" << QSize(57, 90);
}

void JpegImageTest::decodesAtFullSize() {
  QFETCH(QString, file);
  QFETCH(QSize, size);
  const QByteArray data = ReadPicture(file);
  QVERIFY2(!data.isEmpty(), qPrintable(file));
  const QImage image = TJPEGImage::Decode(data);
  QCOMPARE(image.size(), size);
  QCOMPARE(image.format(), QImage::Format_RGB888);

  // Qt's own JPEG reader, at its default quality, also uses the accurate
  // integer DCT and fancy upsampling: the pixels must agree exactly.
  if (!QImageReader::supportedImageFormats().contains("jpeg")) {
    QSKIP("Qt has no JPEG reader to compare with");
  }
  QImage reference = QImage::fromData(data, "JPEG").convertToFormat(QImage::Format_RGB888);
  QCOMPARE(reference.size(), size);
  QVERIFY(image == reference);
}

void JpegImageTest::decodesIntoAPaletteForScreensOf256Colours() {
  const QByteArray data = ReadPicture("top_band.jpg");
  const QImage full = TJPEGImage::Decode(data);
  const QImage palette = TJPEGImage::Decode(data, TJPEGImage::Colors::Palette256);
  QCOMPARE(palette.format(), QImage::Format_Indexed8);
  QCOMPARE(palette.size(), full.size());
  QVERIFY(palette.colorCount() > 16);
  QVERIFY(palette.colorCount() <= 256);
  // A close likeness of the full-colour picture: the average error per
  // channel stays small although single dithered pixels may stray.
  const QImage rgb = palette.convertToFormat(QImage::Format_RGB888);
  long long error = 0;
  for (int y = 0; y < full.height(); ++y) {
    for (int x = 0; x < full.width(); ++x) {
      const QColor a = full.pixelColor(x, y), b = rgb.pixelColor(x, y);
      error += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue());
    }
  }
  const double per_channel = double(error) / (3.0 * full.width() * full.height());
  qInfo("palette of %d colours, mean error %.2f per channel", palette.colorCount(), per_channel);
  QVERIFY(per_channel < 6.0);
}

void JpegImageTest::decodesOnceOnFirstUse() {
  TJPEGImage picture(ReadPicture("tank.jpg"));
  QCOMPARE(picture.DecodeCount(), 0);
  const QImage first = picture.Image();
  for (int i = 0; i < 5; ++i) QCOMPARE(picture.Image(), first);
  QCOMPARE(picture.DecodeCount(), 1);
  QCOMPARE(first.size(), QSize(57, 90));
}

void JpegImageTest::rejectsDataThatIsNotAJpeg_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::newRow("empty") << QByteArray();
  QTest::newRow("text") << QByteArray("not a picture at all");
  QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
  const QByteArray tank = ReadPicture("tank.jpg");
  QTest::newRow("header cut short") << tank.left(40);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImage(4, 4, QImage::Format_RGB32).save(&buffer, "PNG");
  QTest::newRow("a PNG file") << png;
}

void JpegImageTest::rejectsDataThatIsNotAJpeg() {
  QFETCH(QByteArray, data);
  try {
    TJPEGImage::Decode(data);
    QFAIL("decoded");
  } catch (const std::runtime_error& error) {
    QVERIFY(QByteArray(error.what()).startsWith("JPEG: "));
    QVERIFY(QByteArray(error.what()).size() > 6);  // libjpeg's own message follows
  }
}

void JpegImageTest::aBrokenPictureDecodesToNothingAndOnlyOnce() {
  TJPEGImage picture(QByteArray("garbage"));
  QVERIFY(picture.Image().isNull());
  QVERIFY(picture.Image().isNull());
  QCOMPARE(picture.DecodeCount(), 1);
}

QTEST_MAIN(JpegImageTest)
#include "jpeg_image_test.moc"
