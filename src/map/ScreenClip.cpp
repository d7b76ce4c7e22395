#include "map/ScreenClip.h"

#include <optional>
#include <utility>

namespace tarnwell {

namespace {

// Liang-Barsky: the part of the segment a-b inside the rectangle.
std::optional<std::pair<ScreenPoint, ScreenPoint>> ClipSegment(ScreenPoint a, ScreenPoint b, const ScreenRect& r) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.left, r.right - a.x, a.y - r.top, r.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return std::nullopt;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return std::nullopt;
            if (t < t1) t1 = t;
        }
    }
    const ScreenPoint from = t0 == 0.0 ? a : ScreenPoint{a.x + t0 * dx, a.y + t0 * dy};
    const ScreenPoint to = t1 == 1.0 ? b : ScreenPoint{a.x + t1 * dx, a.y + t1 * dy};
    return std::pair{from, to};
}

}  // namespace

std::vector<std::vector<ScreenPoint>> ClipPolyline(const std::vector<ScreenPoint>& line, const ScreenRect& rect) {
    std::vector<std::vector<ScreenPoint>> parts;
    std::vector<ScreenPoint> current;
    const auto finish = [&] {
        if (current.size() > 1) parts.push_back(std::move(current));
        current.clear();
    };
    for (std::size_t i = 1; i < line.size(); ++i) {
        const auto clipped = ClipSegment(line[i - 1], line[i], rect);
        if (!clipped) {
            finish();
            continue;
        }
        if (current.empty() || !(current.back() == clipped->first)) {
            finish();
            current.push_back(clipped->first);
        }
        current.push_back(clipped->second);
        if (!(clipped->second == line[i])) finish();
    }
    finish();
    return parts;
}

}  // namespace tarnwell
