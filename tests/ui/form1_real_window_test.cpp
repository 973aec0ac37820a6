// The main window on a real X server (Xvfb, started by the script beside this
// file): its place on the screen and its pixels as the server holds them,
// saved as a PNG file for people to look at.

#include <QScreen>
#include <QtTest>

#include "platform/gui/screen.h"
#include "ui/form1.h"
#include "window_probe.h"

using namespace window_probe;

class Form1RealWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheWindowAsDrawnAndSavesAScreenshot();
};

void Form1RealWindowTest::showsTheWindowAsDrawnAndSavesAScreenshot() {
  QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
  qInfo("screen: %d dpi", bilan::gui::ScreenPixelsPerInch());
  TForm1 form;
  Form1 = &form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QTest::qWait(300);  // let the server finish drawing

  // Without a window manager there is no frame: the inside starts at the
  // stored outer corner.
  QCOMPARE(form.frameGeometry().topLeft(), QPoint(244, 172));
  QCOMPARE(form.size(), QSize(914, 449));

  QScreen* screen = form.screen();
  const QImage on_screen =
      screen->grabWindow(0, 244, 172, 914, 449).toImage().convertToFormat(QImage::Format_RGB32);
  QCOMPARE(on_screen.size(), QSize(914, 449));

  const QString path = qEnvironmentVariable("BILAN_SCREENSHOT");
  QVERIFY2(!path.isEmpty(), "BILAN_SCREENSHOT names the file to write");
  QVERIFY(QDir().mkpath(QFileInfo(path).path()));
  QVERIFY(on_screen.save(path, "PNG"));
  qInfo("screenshot: %s", qPrintable(path));

  // What the server shows is what the window draws.
  const QImage drawn = Render(form);
  const QString mismatch =
      FirstMismatch(on_screen, on_screen.rect(), [&](int x, int y) { return drawn.pixel(x, y); });
  QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
  Form1 = nullptr;
}

QTEST_MAIN(Form1RealWindowTest)
#include "form1_real_window_test.moc"
