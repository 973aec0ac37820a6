#include "jpeg_file.h"

#include <jpeglib.h>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace pictures {
namespace {

// libjpeg reports fatal errors through this hook; it must not return. A tool can
// simply stop, which spares the setjmp dance around C++ objects.
[[noreturn]] void StopOnError(j_common_ptr info) {
  char text[JMSG_LENGTH_MAX];
  (*info->err->format_message)(info, text);
  std::fprintf(stderr, "generate-pictures: libjpeg: %s\n", text);
  std::exit(1);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void WriteBaselineJpeg(const QImage& image, const QString& path, int quality) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.toLocal8Bit().constData(), "wb"));
  if (!file) {
    std::fprintf(stderr, "generate-pictures: cannot write %s\n", path.toLocal8Bit().constData());
    std::exit(1);
  }

  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  errors.error_exit = StopOnError;
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file.get());

  info.image_width = static_cast<JDIMENSION>(rgb.width());
  info.image_height = static_cast<JDIMENSION>(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);  // YCbCr, 8-bit, JFIF header, sequential Huffman coding
  jpeg_set_quality(&info, quality, TRUE);
  info.optimize_coding = TRUE;  // smaller tables, still baseline
  // Full-resolution chroma keeps the thin orange and yellow strokes clean.
  for (int c = 0; c < 3; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }

  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
}

}  // namespace pictures
