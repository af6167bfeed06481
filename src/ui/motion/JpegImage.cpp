#include "ui/motion/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <QFile>

#include <jpeglib.h>

namespace brv3 {
namespace {

// libjpeg reports fatal errors through error_exit; jump back instead of ending the program.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

void ErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void Silent(j_common_ptr) {}

// Pictures larger than this are refused before any pixel memory is taken.
constexpr JDIMENSION kMaxSide = 16384;

}  // namespace

QImage ReadJpegImage(const QString& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(QFile::encodeName(path).constData(), "rb"),
                                             &std::fclose);
  if (!file) return {};
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ErrorExit;
  errors.base.output_message = Silent;
  // Everything below that can be left by longjmp is plain data: no destructor is skipped.
  QImage* image = new QImage;
  if (setjmp(errors.escape) != 0) {
    jpeg_destroy_decompress(&info);
    delete image;
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file.get());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_width > kMaxSide || info.output_height > kMaxSide ||
      info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    delete image;
    return {};
  }
  *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                  QImage::Format_RGB888);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  QImage result = std::move(*image);
  delete image;
  return result;
}

}  // namespace brv3
