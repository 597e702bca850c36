#pragma once
// The model keeps colours as 0x00BBGGRR; Qt wants red first.
#include <QColor>
#include <cstdint>

namespace linklab {

inline QColor toQColor(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// Twips to logical pixels at 100 %.
inline constexpr double kTwipsPerPixel = 15.0;
inline int px(int twips) { return static_cast<int>(twips / kTwipsPerPixel + (twips >= 0 ? 0.5 : -0.5)); }

}  // namespace linklab
