#include "platform/gui/jpeg_image.h"

#include <QGuiApplication>
#include <QScreen>
#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <string>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace bilan::gui {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// It jumps back to the frame that set `recovery`; that frame holds no object
// with a destructor, so the jump skips no clean-up.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf recovery;
  char message[JMSG_LENGTH_MAX];
};

void ExitOnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->recovery, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Owns a decompressor for its whole life: destroying it frees every pool that
// libjpeg allocated, also after an error.
class Decompressor {
 public:
  Decompressor() {
    info_.err = jpeg_std_error(&errors_.base);
    errors_.base.error_exit = ExitOnError;
    errors_.base.output_message = IgnoreMessage;
    errors_.message[0] = '\0';
  }
  // Safe also on a structure that creation never reached: it is zeroed.
  ~Decompressor() { jpeg_destroy_decompress(&info_); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  jpeg_decompress_struct& Info() { return info_; }
  ErrorManager& Errors() { return errors_; }

 private:
  jpeg_decompress_struct info_{};
  ErrorManager errors_{};
};

// Decodes into `image`; returns false after a libjpeg error. Only plain data
// lives in this frame, so the long jump is safe.
bool DecodeInto(Decompressor& decompressor, const QByteArray& file, TJPEGImage::Colors colors,
                QImage& image) {
  jpeg_decompress_struct& info = decompressor.Info();
  if (setjmp(decompressor.Errors().recovery) != 0) return false;

  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.constData()),
               static_cast<unsigned long>(file.size()));
  jpeg_read_header(&info, TRUE);

  // Full size and the most accurate path libjpeg offers.
  info.scale_num = 1;
  info.scale_denom = 1;
  info.out_color_space = JCS_RGB;
  info.dct_method = JDCT_ISLOW;
  info.do_fancy_upsampling = TRUE;
  info.do_block_smoothing = TRUE;
  const bool palette = colors == TJPEGImage::Colors::Palette256;
  info.quantize_colors = palette ? TRUE : FALSE;
  if (palette) {
    info.desired_number_of_colors = 256;
    info.two_pass_quantize = TRUE;
    info.dither_mode = JDITHER_FS;
  }

  jpeg_start_decompress(&info);
  image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 palette ? QImage::Format_Indexed8 : QImage::Format_RGB888);
  if (palette) {
    QList<QRgb> table;
    for (int i = 0; i < info.actual_number_of_colors; ++i) {
      table.append(qRgb(info.colormap[0][i], info.colormap[1][i], info.colormap[2][i]));
    }
    image.setColorTable(table);
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

QImage TJPEGImage::Decode(const QByteArray& file, Colors colors) {
  Decompressor decompressor;
  QImage image;
  if (!DecodeInto(decompressor, file, colors, image)) {
    throw std::runtime_error(std::string("JPEG: ") + decompressor.Errors().message);
  }
  return image;
}

const QImage& TJPEGImage::Image() {
  if (!decoded_) {
    decoded_ = true;
    ++decode_count_;
    try {
      const QScreen* screen = QGuiApplication::primaryScreen();
      const bool few_colors = screen != nullptr && screen->depth() <= 8;
      image_ = Decode(file_, few_colors ? Colors::Palette256 : Colors::Full);
    } catch (const std::runtime_error& error) {
      std::fprintf(stderr, "%s\n", error.what());
    }
    file_.clear();
  }
  return image_;
}

}  // namespace bilan::gui
