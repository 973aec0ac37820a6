// The committed pictures are read by our own libjpeg decoder and by the icon
// loader at run time; these checks catch a regenerated file that a baseline
// decoder, the window's layout or the icon theme would not accept.
#include <gtest/gtest.h>

#include <jpeglib.h>
#include <QColor>
#include <QImage>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string kRoot = BILAN_SOURCE_DIR;

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The start-of-frame marker tells the coding process: C0 is baseline; C1 and
// up (extended, progressive, lossless, arithmetic) are not.
int FrameMarker(const std::vector<unsigned char>& data) {
  size_t at = 2;  // after SOI
  while (at + 4 <= data.size()) {
    if (data[at] != 0xFF) return -1;
    const int marker = data[at + 1];
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      return marker;
    }
    at += 2 + (data[at + 2] << 8 | data[at + 3]);
  }
  return -1;
}

struct Header {
  bool read = false;
  int width = 0, height = 0, components = 0, precision = 0;
  bool progressive = false, jfif = false, ycbcr = false;
  long warnings = 0;  // corrupt-data warnings while decoding every row
};

// libjpeg's fatal errors must not return; jump back out of the library rather
// than throw through C frames.
struct JumpingErrors {
  jpeg_error_mgr manager;
  std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JumpingErrors*>(info->err)->back, 1);
}

Header Decode(const std::vector<unsigned char>& data) {
  Header header;
  // Allocated before setjmp: nothing between it and a jump needs destroying.
  std::vector<JSAMPLE> row(4096 * 3);
  jpeg_decompress_struct info{};
  JumpingErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JumpBack;
  if (setjmp(errors.back) != 0) {
    jpeg_destroy_decompress(&info);
    return Header{};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK && info.image_width <= 4096) {
    header.read = true;
    header.width = static_cast<int>(info.image_width);
    header.height = static_cast<int>(info.image_height);
    header.components = info.num_components;
    header.precision = info.data_precision;
    header.progressive = info.progressive_mode;
    header.jfif = info.saw_JFIF_marker;
    header.ycbcr = info.jpeg_color_space == JCS_YCbCr;
    jpeg_start_decompress(&info);
    JSAMPROW rows[] = {row.data()};
    while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, rows, 1);
    jpeg_finish_decompress(&info);
    header.warnings = errors.manager.num_warnings;
  }
  jpeg_destroy_decompress(&info);
  return header;
}

struct PictureCase {
  const char* file;
  int width, height;
};

class WindowPicture : public testing::TestWithParam<PictureCase> {};

TEST_P(WindowPicture, IsABaselineJfifFileOfTheWindowsSize) {
  const PictureCase& c = GetParam();
  const std::vector<unsigned char> data = ReadFile(kRoot + "/" + c.file);
  ASSERT_GT(data.size(), 2u) << c.file << " is missing or empty";
  ASSERT_EQ(data[0], 0xFF);
  ASSERT_EQ(data[1], 0xD8) << "no start-of-image marker";
  EXPECT_EQ(FrameMarker(data), 0xC0) << "not a baseline frame";

  const Header header = Decode(data);
  ASSERT_TRUE(header.read) << "libjpeg cannot read " << c.file;
  EXPECT_EQ(header.width, c.width);
  EXPECT_EQ(header.height, c.height);
  EXPECT_EQ(header.components, 3);
  EXPECT_EQ(header.precision, 8);
  EXPECT_FALSE(header.progressive);
  EXPECT_TRUE(header.jfif) << "no JFIF header";
  EXPECT_TRUE(header.ycbcr);
  EXPECT_EQ(header.warnings, 0) << "the entropy-coded data is damaged";
}

INSTANTIATE_TEST_SUITE_P(Committed, WindowPicture,
                         testing::Values(PictureCase{"ui/pictures/top_band.jpg", 909, 115},
                                         PictureCase{"ui/pictures/bottom_band.jpg", 909, 115},
                                         PictureCase{"ui/pictures/title_banner.jpg", 610, 38},
                                         PictureCase{"ui/pictures/tank.jpg", 57, 90}),
                         [](const testing::TestParamInfo<PictureCase>& info) {
                           std::string name = info.param.file;
                           name = name.substr(name.rfind('/') + 1);
                           return name.substr(0, name.find('.'));
                         });

QImage Load(const char* file) { return QImage(QString::fromStdString(kRoot + "/" + file)); }

bool IsOrange(QRgb pixel) {
  return qRed(pixel) > 170 && qGreen(pixel) > 60 && qBlue(pixel) < 110 &&
         qRed(pixel) - qBlue(pixel) > 110;
}

// The window shows only columns 0 to 600 and rows 0 to 32 of the banner, so
// its lettering must lie there entirely, and must be there.
TEST(TitleBanner, LetteringLiesInTheShownPart) {
  const QImage banner = Load("ui/pictures/title_banner.jpg");
  ASSERT_FALSE(banner.isNull());
  int shown = 0, hidden = 0;
  for (int y = 0; y < banner.height(); ++y) {
    for (int x = 0; x < banner.width(); ++x) {
      if (!IsOrange(banner.pixel(x, y))) continue;
      (x <= 600 && y <= 32 ? shown : hidden) += 1;
    }
  }
  EXPECT_GT(shown, 500) << "too little orange lettering";
  EXPECT_EQ(hidden, 0) << "orange pixels outside columns 0-600, rows 0-32";
}

// Blue ground: a plain (near-uniform) blue row, used for the banner's hidden
// edge and the bands' faded ends.
void ExpectPlainBlueRow(const QImage& image, int y) {
  const QRgb first = image.pixel(0, y);
  EXPECT_GT(qBlue(first), qRed(first) + 60) << "row " << y << " is not blue";
  int worst = 0;
  for (int x = 0; x < image.width(); ++x) {
    const QRgb p = image.pixel(x, y);
    worst = std::max({worst, std::abs(qRed(p) - qRed(first)), std::abs(qGreen(p) - qGreen(first)),
                      std::abs(qBlue(p) - qBlue(first))});
  }
  EXPECT_LE(worst, 10) << "row " << y << " is not plain";
}

TEST(Bands, TopBandIsPlainAtTheBottomAndBottomBandAtTheTop) {
  const QImage top = Load("ui/pictures/top_band.jpg");
  const QImage bottom = Load("ui/pictures/bottom_band.jpg");
  ASSERT_FALSE(top.isNull());
  ASSERT_FALSE(bottom.isNull());
  ExpectPlainBlueRow(top, top.height() - 1);
  ExpectPlainBlueRow(bottom, 0);
  // The streaks: the top band's upper rows are far from plain.
  int spread = 0;
  for (int x = 0; x < top.width(); ++x) {
    spread = std::max(spread, std::abs(qBlue(top.pixel(x, 5)) - qBlue(top.pixel(0, 110))) +
                                  std::abs(qRed(top.pixel(x, 5)) - qRed(top.pixel(0, 110))));
  }
  EXPECT_GT(spread, 60) << "no streaks in the top band";
}

// The window never shows the tank's last row; nothing may be drawn there.
TEST(Tank, LastRowIsPlainWhiteAndTheDrawingHasItsColours) {
  const QImage tank = Load("ui/pictures/tank.jpg");
  ASSERT_FALSE(tank.isNull());
  for (int x = 0; x < tank.width(); ++x) {
    EXPECT_GE(qGray(tank.pixel(x, tank.height() - 1)), 245) << "column " << x;
  }
  int yellow = 0, lightBlue = 0;
  for (int y = 0; y < tank.height(); ++y) {
    for (int x = 0; x < tank.width(); ++x) {
      const QColor c = tank.pixelColor(x, y);
      if (c.red() > 220 && c.green() > 180 && c.blue() < 90) ++yellow;
      if (c.blue() > 220 && c.red() > 130 && c.red() < 200) ++lightBlue;
    }
  }
  EXPECT_GT(yellow, 40) << "no lightning bolts";
  EXPECT_GT(lightBlue, 200) << "no light-blue liquid";
}

struct IconCase {
  const char* file;
  int size;
};

class ApplicationIcon : public testing::TestWithParam<IconCase> {};

// The theme wants square 32-bit pictures with a transparent ground, at the size
// that their folder names.
TEST_P(ApplicationIcon, IsASquareArgbPictureOnATransparentGround) {
  const IconCase& c = GetParam();
  const std::vector<unsigned char> data = ReadFile(kRoot + "/" + c.file);
  ASSERT_GE(data.size(), 33u) << c.file << " is missing";
  // IHDR: bit depth 8, colour type 6 (RGBA), straight after the signature.
  EXPECT_EQ(std::string(data.begin() + 12, data.begin() + 16), "IHDR");
  EXPECT_EQ(data[24], 8);
  EXPECT_EQ(data[25], 6) << "not RGBA";

  const QImage icon(QString::fromStdString(kRoot + "/" + c.file));
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.width(), c.size);
  EXPECT_EQ(icon.height(), c.size);
  EXPECT_EQ(qAlpha(icon.pixel(icon.width() - 1, icon.height() - 1)), 0);
  int blue = 0, white = 0, red = 0;
  for (int y = 0; y < icon.height(); ++y) {
    for (int x = 0; x < icon.width(); ++x) {
      const QColor p = icon.pixelColor(x, y);
      if (p.alpha() < 250) continue;
      // By hue, since the folds of the cloth shade each stripe.
      const int r = p.red(), g = p.green(), b = p.blue();
      if (b > 100 && b > r + 60) ++blue;
      if (std::min({r, g, b}) > 160 && std::max({r, g, b}) - std::min({r, g, b}) < 25) ++white;
      if (r > 140 && r > g + 80 && r > b + 80) ++red;
    }
  }
  // Each stripe covers about a ninth of the picture; demand a good part of it.
  const int stripe = c.size * c.size / 20;
  EXPECT_GT(blue, stripe);
  EXPECT_GT(white, stripe);
  EXPECT_GT(red, stripe);
}

INSTANTIATE_TEST_SUITE_P(Committed, ApplicationIcon,
                         testing::Values(IconCase{"app/icon/mainicon.png", 128},
                                         IconCase{"packaging/icons/mainicon-64.png", 64},
                                         IconCase{"packaging/icons/mainicon-48.png", 48},
                                         IconCase{"packaging/icons/mainicon-32.png", 32},
                                         IconCase{"packaging/icons/mainicon-24.png", 24},
                                         IconCase{"packaging/icons/mainicon-22.png", 22},
                                         IconCase{"packaging/icons/mainicon-16.png", 16}),
                         [](const testing::TestParamInfo<IconCase>& info) {
                           return "size" + std::to_string(info.param.size);
                         });

}  // namespace
