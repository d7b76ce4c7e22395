#pragma once
// The map as a raster in memory (RGBA, 8 bits a channel), written as PNG:
// anti-aliased lines (dashed where the style says so), filled marks and
// labels in a small built-in font with a white halo.

#include <cstdint>
#include <vector>

#include "common/BinaryIO.h"
#include "map/MapCanvas.h"
#include "map/MapStyle.h"

namespace tarnwell {

class PngCanvas : public MapCanvas {
public:
    // A canvas of width x height pixels filled with the sea colour.
    PngCanvas(int width, int height);

    void Polyline(std::span<const ScreenPoint> points, LineStyle style) override;
    void Mark(ScreenPoint at, MarkStyle style) override;
    void Label(ScreenPoint at, std::string_view text, LabelStyle style) override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb Pixel(int x, int y) const;
    const std::vector<std::uint8_t>& Rgba() const { return rgba_; }
    Bytes EncodePng() const;

private:
    // Lays `colour` over pixel (x, y) with coverage 0..1.
    void Blend(int x, int y, Rgb colour, double coverage);
    void Segment(ScreenPoint a, ScreenPoint b, Rgb colour, double width);
    void Text(int left, int top, std::string_view text, Rgb colour);

    int width_, height_;
    std::vector<std::uint8_t> rgba_;
};

}  // namespace tarnwell
