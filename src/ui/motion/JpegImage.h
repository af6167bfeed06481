#pragma once

#include <QImage>
#include <QString>

namespace brv3 {

// Decodes a JPEG file with libjpeg into an RGB image; a null image when the file cannot be read
// or is not a JPEG picture.
QImage ReadJpegImage(const QString& path);

}  // namespace brv3
