#include "ui/motion/JpegImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <csetjmp>
#include <optional>

#include "core/util/SafeFile.h"

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

// Why a picture of `width` x `height` is refused, or empty when it may be decoded.
std::string SizeRefusal(long long width, long long height) {
  if (width <= kMaxPictureSide && height <= kMaxPictureSide && width * height <= kMaxPicturePixels)
    return {};
  return QCoreApplication::translate(
             "JpegImage",
             "the picture is too large (%1 x %2 pixels; at most 64 megapixels and 16384 on a "
             "side)")
      .arg(width)
      .arg(height)
      .toStdString();
}

QImage DecodeJpeg(const std::string& bytes, std::string* error) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ErrorExit;
  errors.base.output_message = Silent;
  // Everything below that can be left by longjmp is plain data: no destructor is skipped.
  QImage* image = new QImage;
  std::string* refusal = new std::string;
  if (setjmp(errors.escape) != 0) {
    jpeg_destroy_decompress(&info);
    delete image;
    if (error)
      *error =
          refusal->empty()
              ? QCoreApplication::translate("JpegImage", "it is not a JPEG picture").toStdString()
              : *refusal;
    delete refusal;
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  // The header's size decides before decompression starts (a progressive picture takes memory
  // for all of it at the start).
  *refusal = SizeRefusal(info.image_width, info.image_height);
  if (!refusal->empty()) std::longjmp(errors.escape, 1);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) std::longjmp(errors.escape, 1);
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
  delete refusal;
  return result;
}

QImage DecodeBmp(const std::string& bytes, std::string& error) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "BMP");
  const QSize size = reader.size();
  if (!size.isValid()) {
    error = QCoreApplication::translate("JpegImage", "it is not a BMP picture").toStdString();
    return {};
  }
  error = SizeRefusal(size.width(), size.height());
  if (!error.empty()) return {};
  QImage picture = reader.read();
  if (picture.isNull())
    error = QCoreApplication::translate("JpegImage", "it is not a BMP picture").toStdString();
  return picture;
}

}  // namespace

QImage ReadBackgroundPicture(const std::string& path, std::string& error) {
  error.clear();
  const std::optional<std::string> bytes = ReadWholeFile(path, &error);
  if (!bytes) return {};
  if (QFileInfo(QString::fromStdString(path)).suffix().toLower() == "bmp")
    return DecodeBmp(*bytes, error);
  return DecodeJpeg(*bytes, &error);
}

}  // namespace brv3
