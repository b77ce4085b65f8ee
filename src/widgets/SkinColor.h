#pragma once

#include <QColor>

#include <cstdint>

namespace quavelo {

// The system writes two kinds of colour: GDI colours 0x00BBGGRR (opaque) and ARGB colours
// 0xAARRGGBB. Both are kept as the integers the pages set and turned into QColor here.
inline QColor FromGdiColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline QColor FromArgb(std::uint32_t argb) { return QColor::fromRgba(argb); }

}  // namespace quavelo
