#pragma once
// Cutting screen polylines to a rectangle, so that a canvas gets only what
// it can show (and nothing far outside it, where numbers grow large).

#include <vector>

#include "map/MapCanvas.h"

namespace tarnwell {

struct ScreenRect {
    double left = 0, top = 0, right = 0, bottom = 0;

    bool Contains(ScreenPoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// The parts of `line` inside `rect`, each a polyline of two or more points
// (a step leaving the rectangle ends a part where it crosses the edge).
std::vector<std::vector<ScreenPoint>> ClipPolyline(const std::vector<ScreenPoint>& line, const ScreenRect& rect);

}  // namespace tarnwell
