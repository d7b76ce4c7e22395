#include "map/MapView.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarnwell {

namespace {

constexpr double MaxScale = 100000.0;  // pixels per degree: about a metre a pixel
constexpr double MinSpan = 0.5;        // degrees: what one point is shown with

}  // namespace

MapView::MapView(int width, int height) : width_(std::max(width, 1)), height_(std::max(height, 1)) { Fit({}); }

void MapView::Resize(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
}

void MapView::Fit(std::span<const GeoPoint> points, double margin) {
    double south = -90, north = 90, west = -180, east = 180;
    if (!points.empty()) {
        south = west = 1e9;
        north = east = -1e9;
        for (const GeoPoint& p : points) {
            south = std::min(south, p.lat), north = std::max(north, p.lat);
            west = std::min(west, p.lon), east = std::max(east, p.lon);
        }
    }
    centre_ = {(south + north) / 2, (west + east) / 2};
    aspect_ = std::max(std::cos(centre_.lat * std::numbers::pi / 180.0), 0.2);
    const double usable = std::clamp(1.0 - 2 * margin, 0.1, 1.0);
    const double latSpan = std::max(north - south, MinSpan);
    const double lonSpan = std::max(east - west, MinSpan);
    scale_ = std::min(width_ * usable / (lonSpan * aspect_), height_ * usable / latSpan);
}

void MapView::Zoom(double factor, ScreenPoint around) {
    if (!(factor > 0)) return;
    const GeoPoint fixed = ToGeo(around);
    const double minScale = std::min(width_ / (360.0 * aspect_), height_ / 180.0) / 2;
    scale_ = std::clamp(scale_ * factor, minScale, MaxScale);
    // Put `fixed` back under `around`.
    const ScreenPoint now = ToScreen(fixed);
    Pan(around.x - now.x, around.y - now.y);
}

void MapView::Pan(double dx, double dy) {
    centre_.lon -= dx / (scale_ * aspect_);
    centre_.lat += dy / scale_;
}

ScreenPoint MapView::ToScreen(GeoPoint p) const {
    return {width_ / 2.0 + (p.lon - centre_.lon) * scale_ * aspect_, height_ / 2.0 - (p.lat - centre_.lat) * scale_};
}

GeoPoint MapView::ToGeo(ScreenPoint p) const {
    return {centre_.lat - (p.y - height_ / 2.0) / scale_, centre_.lon + (p.x - width_ / 2.0) / (scale_ * aspect_)};
}

}  // namespace tarnwell
