#pragma once
// A picture held as a complete JPEG (JFIF) file and decoded with libjpeg at full
// size with the accurate settings (integer slow DCT, fancy upsampling, block
// smoothing) into 24-bit RGB, or into an 8-bit palette image when the screen
// shows 256 colours or fewer. Decoding happens once, on first use, and the
// decoded image serves every later painting. A file that does not decode gives
// an empty image (and a message on standard error); it never ends the program.

#include <QByteArray>
#include <QImage>

namespace bilan::gui {

class TJPEGImage {
 public:
  explicit TJPEGImage(QByteArray file) : file_(std::move(file)) {}

  // The decoded picture; decodes it the first time.
  const QImage& Image();
  int DecodeCount() const { return decode_count_; }

  enum class Colors { Full, Palette256 };
  // Decodes a JPEG file; throws std::runtime_error with libjpeg's message when
  // the data is not a decodable JPEG. Everything libjpeg allocated is freed.
  // Palette256 quantises in two passes with dithering, libjpeg's best.
  static QImage Decode(const QByteArray& file, Colors colors = Colors::Full);

 private:
  QByteArray file_;
  QImage image_;
  bool decoded_ = false;
  int decode_count_ = 0;
};

}  // namespace bilan::gui
