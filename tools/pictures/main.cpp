// Writes the main window's four pictures and the application icon into a
// checkout: generate-pictures <output root> [<source root>]; the source root,
// where the banner's face is looked for, defaults to the output root. The output depends only on
// this code, Qt's rasteriser and the banner's face, so a rerun gives the same files.
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>

#include "drawings.h"
#include "jpeg_file.h"

namespace {

constexpr int kQuality = 92;

// The banner prefers the captions' face, fetched by the setup script, and falls
// back on DejaVu Sans Bold, which every supported system has.
QFont BannerFace(const QString& root) {
  const QStringList candidates = {root + "/third_party/fonts/Orbitron_700Bold.ttf",
                                  "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};
  for (const QString& file : candidates) {
    const int id = QFontDatabase::addApplicationFont(file);
    if (id < 0) continue;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) continue;
    std::printf("banner face: %s (%s)\n", qPrintable(families.first()), qPrintable(file));
    QFont font(families.first());
    font.setBold(true);
    return font;
  }
  std::printf("banner face: system sans serif\n");
  QFont font(QStringLiteral("sans-serif"));
  font.setBold(true);
  return font;
}

void SavePng(const QImage& image, const QString& path) {
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "generate-pictures: cannot write %s\n", qPrintable(path));
    std::exit(1);
  }
  std::printf("wrote %s\n", qPrintable(path));
}

void SaveJpeg(const QImage& image, const QString& path) {
  pictures::WriteBaselineJpeg(image, path, kQuality);
  std::printf("wrote %s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application object, not a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: generate-pictures <output root> [<source root>]\n");
    return 2;
  }
  const QString root = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  const QString sources = argc == 3 ? QDir(QString::fromLocal8Bit(argv[2])).absolutePath() : root;
  for (const char* dir : {"ui/pictures", "app/icon", "packaging/icons"}) QDir(root).mkpath(dir);

  SaveJpeg(pictures::DrawTopBand(), root + "/ui/pictures/top_band.jpg");
  SaveJpeg(pictures::DrawBottomBand(), root + "/ui/pictures/bottom_band.jpg");
  SaveJpeg(pictures::DrawTitleBanner(BannerFace(sources)), root + "/ui/pictures/title_banner.jpg");
  SaveJpeg(pictures::DrawTank(), root + "/ui/pictures/tank.jpg");

  const QImage icon = pictures::DrawFlagIcon();
  SavePng(icon, root + "/app/icon/mainicon.png");
  // The icon theme wants smaller sizes too; they are scaled from the large one so
  // that every size shows the same drawing.
  for (int size : {16, 22, 24, 32, 48, 64}) {
    SavePng(icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation),
            root + QStringLiteral("/packaging/icons/mainicon-%1.png").arg(size));
  }
  return 0;
}
