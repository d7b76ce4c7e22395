#pragma once
// The map as an SVG document: one element per line, mark and label, styled
// by class (coast, route, airway, direct; airport, point; and the labels'
// airport-code, point-ident, airway-name).

#include <string>

#include "map/MapCanvas.h"

namespace tarnwell {

class SvgCanvas : public MapCanvas {
public:
    SvgCanvas(int width, int height);

    void Polyline(std::span<const ScreenPoint> points, LineStyle style) override;
    void Mark(ScreenPoint at, MarkStyle style) override;
    void Label(ScreenPoint at, std::string_view text, LabelStyle style) override;

    // The whole document. Numbers are written with one decimal, so the
    // same map gives the same bytes.
    std::string Finish() const;

private:
    int width_, height_;
    std::string body_;
};

}  // namespace tarnwell
