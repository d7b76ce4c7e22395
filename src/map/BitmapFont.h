#pragma once
// A small bitmap font for the PNG map's labels: printable ASCII in cells of
// 5 x 7 pixels, 6 pixels apart.

#include <cstdint>

namespace tarnwell {

inline constexpr int GlyphWidth = 5;
inline constexpr int GlyphHeight = 7;
inline constexpr int GlyphAdvance = 6;

// Whether pixel (column, row) of the character is set (row 0 at the top);
// a character outside printable ASCII is drawn as '?'.
bool GlyphPixel(char c, int column, int row);

}  // namespace tarnwell
