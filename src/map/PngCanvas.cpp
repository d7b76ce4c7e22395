#include "map/PngCanvas.h"

#include <algorithm>
#include <cmath>

#include "map/BitmapFont.h"
#include "map/PngFile.h"

namespace tarnwell {

namespace {

// The pieces of a polyline that a dash pattern draws.
std::vector<std::pair<ScreenPoint, ScreenPoint>> Dashes(std::span<const ScreenPoint> points) {
    std::vector<std::pair<ScreenPoint, ScreenPoint>> out;
    double phase = 0.0;  // how far into the current on-off period
    const double period = DashOn + DashOff;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const ScreenPoint a = points[i - 1], b = points[i];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        double done = 0.0;
        while (done < length) {
            const bool on = phase < DashOn;
            const double step = std::min(length - done, (on ? DashOn : period) - phase);
            if (on && length > 0) {
                const double t0 = done / length, t1 = (done + step) / length;
                out.push_back({{a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y)},
                               {a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y)}});
            }
            done += step;
            phase = std::fmod(phase + step, period);
        }
    }
    return out;
}

}  // namespace

PngCanvas::PngCanvas(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), rgba_(static_cast<std::size_t>(width_) * height_ * 4) {
    for (std::size_t i = 0; i < rgba_.size(); i += 4) {
        rgba_[i] = SeaColour.r, rgba_[i + 1] = SeaColour.g, rgba_[i + 2] = SeaColour.b;
        rgba_[i + 3] = 255;
    }
}

Rgb PngCanvas::Pixel(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 4;
    return {rgba_[at], rgba_[at + 1], rgba_[at + 2]};
}

Bytes PngCanvas::EncodePng() const { return tarnwell::EncodePng(width_, height_, rgba_); }

void PngCanvas::Blend(int x, int y, Rgb colour, double coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0) return;
    const double a = std::min(coverage, 1.0);
    const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 4;
    const auto mix = [a](std::uint8_t under, std::uint8_t over) {
        return static_cast<std::uint8_t>(std::lround(under + (over - under) * a));
    };
    rgba_[at] = mix(rgba_[at], colour.r);
    rgba_[at + 1] = mix(rgba_[at + 1], colour.g);
    rgba_[at + 2] = mix(rgba_[at + 2], colour.b);
}

// Every pixel whose centre lies within width/2 of the segment, its edge
// softened over one pixel. Long segments are drawn in short pieces, so that
// only pixels near the line are looked at.
void PngCanvas::Segment(ScreenPoint a, ScreenPoint b, Rgb colour, double width) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const int pieces = std::max(1, static_cast<int>(std::ceil(length / 16.0)));
    const double half = width / 2;
    for (int k = 0; k < pieces; ++k) {
        const ScreenPoint p{a.x + (b.x - a.x) * k / pieces, a.y + (b.y - a.y) * k / pieces};
        const ScreenPoint q{a.x + (b.x - a.x) * (k + 1) / pieces, a.y + (b.y - a.y) * (k + 1) / pieces};
        const double dx = q.x - p.x, dy = q.y - p.y, len2 = dx * dx + dy * dy;
        const int x0 = static_cast<int>(std::floor(std::min(p.x, q.x) - half - 1));
        const int x1 = static_cast<int>(std::ceil(std::max(p.x, q.x) + half + 1));
        const int y0 = static_cast<int>(std::floor(std::min(p.y, q.y) - half - 1));
        const int y1 = static_cast<int>(std::ceil(std::max(p.y, q.y) + half + 1));
        for (int y = std::max(y0, 0); y <= std::min(y1, height_ - 1); ++y)
            for (int x = std::max(x0, 0); x <= std::min(x1, width_ - 1); ++x) {
                const double cx = x + 0.5, cy = y + 0.5;
                double t = len2 > 0 ? ((cx - p.x) * dx + (cy - p.y) * dy) / len2 : 0.0;
                // Each piece owns the pixels nearest its own part of the line,
                // so the joints are not drawn twice.
                if ((k > 0 && t < 0) || (k + 1 < pieces && t >= 1)) continue;
                t = std::clamp(t, 0.0, 1.0);
                const double d = std::hypot(cx - (p.x + t * dx), cy - (p.y + t * dy));
                Blend(x, y, colour, half + 0.5 - d);
            }
    }
}

void PngCanvas::Polyline(std::span<const ScreenPoint> points, LineStyle style) {
    const LineLook look = LookOf(style);
    if (look.dashed) {
        for (const auto& [a, b] : Dashes(points)) Segment(a, b, look.colour, look.width);
        return;
    }
    for (std::size_t i = 1; i < points.size(); ++i) Segment(points[i - 1], points[i], look.colour, look.width);
}

void PngCanvas::Mark(ScreenPoint at, MarkStyle style) {
    const MarkLook look = LookOf(style);
    const double r = look.radius;
    for (int y = static_cast<int>(std::floor(at.y - r - 1)); y <= static_cast<int>(std::ceil(at.y + r + 1)); ++y)
        for (int x = static_cast<int>(std::floor(at.x - r - 1)); x <= static_cast<int>(std::ceil(at.x + r + 1)); ++x) {
            const double dx = x + 0.5 - at.x, dy = y + 0.5 - at.y;
            // A disc for an airport, a square for a plan point.
            const double edge = style == MarkStyle::Airport ? std::hypot(dx, dy) : std::max(std::fabs(dx), std::fabs(dy));
            Blend(x, y, {255, 255, 255}, r + 1.5 - edge);
            Blend(x, y, look.fill, r + 0.5 - edge);
        }
}

void PngCanvas::Text(int left, int top, std::string_view text, Rgb colour) {
    for (std::size_t i = 0; i < text.size(); ++i)
        for (int row = 0; row < GlyphHeight; ++row)
            for (int column = 0; column < GlyphWidth; ++column)
                if (GlyphPixel(text[i], column, row))
                    Blend(left + static_cast<int>(i) * GlyphAdvance + column, top + row, colour, 1.0);
}

void PngCanvas::Label(ScreenPoint at, std::string_view text, LabelStyle style) {
    const int textWidth = static_cast<int>(text.size()) * GlyphAdvance - 1;
    const bool centred = style == LabelStyle::Airway;
    const int left = static_cast<int>(std::lround(centred ? at.x - textWidth / 2.0 : at.x + 5));
    const int top = static_cast<int>(std::lround(centred ? at.y - GlyphHeight / 2.0 : at.y - GlyphHeight - 3));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0) Text(left + dx, top + dy, text, HaloColour);
    Text(left, top, text, ColourOf(style));
}

}  // namespace tarnwell
