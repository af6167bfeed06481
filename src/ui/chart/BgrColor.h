#pragma once

#include <QColor>
#include <cstdint>

namespace brv3 {

// Colours are kept as 0x00BBGGRR words, as the settings and chart files hold them.
inline QColor FromBgr(uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>(bgr >> 8 & 0xFF),
                static_cast<int>(bgr >> 16 & 0xFF));
}

inline uint32_t ToBgr(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
         static_cast<uint32_t>(color.blue()) << 16;
}

}  // namespace brv3
