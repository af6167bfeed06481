#pragma once

#include <QImage>
#include <string>

namespace brv3 {

// Pictures whose decoded size is beyond this are refused from their header, before any pixel
// memory is taken: 64 megapixels (8192 x 8192), no side over 16384.
constexpr long long kMaxPicturePixels = 8192LL * 8192LL;
constexpr int kMaxPictureSide = 16384;

// The position editor's background: a .bmp file through the toolkit's reader, anything else as a
// JPEG decoded with libjpeg into an RGB image. Like every input it is read only as a regular file
// of bounded size (a FIFO or device is refused, never opened), and a picture too large to hold is
// refused from its header. A null image with the reason in `error` when it cannot be used.
QImage ReadBackgroundPicture(const std::string& path, std::string& error);

}  // namespace brv3
