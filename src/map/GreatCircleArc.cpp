#include "map/GreatCircleArc.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tarnwell {

namespace {

using Vec = std::array<double, 3>;
constexpr double Radians = std::numbers::pi / 180.0;

Vec ToVector(GeoPoint p) {
    const double lat = p.lat * Radians, lon = p.lon * Radians;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

GeoPoint ToGeo(const Vec& v) {
    const double lat = std::atan2(v[2], std::hypot(v[0], v[1])) / Radians;
    return {lat, std::atan2(v[1], v[0]) / Radians};
}

}  // namespace

std::vector<GeoLine> SplitAtAntimeridian(const GeoLine& line) {
    std::vector<GeoLine> pieces(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i > 0 && std::fabs(line[i].lon - line[i - 1].lon) > 180.0) {
            const GeoPoint a = line[i - 1], b = line[i];
            // Where the step crosses: measure b's longitude on a's side.
            const double side = a.lon > 0 ? 180.0 : -180.0;
            const double bLon = b.lon + 2 * side;
            const double t = (side - a.lon) / (bLon - a.lon);
            const double lat = a.lat + t * (b.lat - a.lat);
            pieces.back().push_back({lat, side});
            pieces.push_back({{lat, -side}});
        }
        pieces.back().push_back(line[i]);
    }
    std::erase_if(pieces, [](const GeoLine& piece) { return piece.size() < 2; });
    return pieces;
}

std::vector<GeoLine> GreatCircleArc(GeoPoint from, GeoPoint to, double stepDegrees) {
    const Vec a = ToVector(from), b = ToVector(to);
    const double dot = std::clamp(a[0] * b[0] + a[1] * b[1] + a[2] * b[2], -1.0, 1.0);
    const double angle = std::acos(dot);
    const int steps = std::max(1, static_cast<int>(std::ceil(angle / Radians / std::max(stepDegrees, 0.01))));
    GeoLine line{from};
    const double s = std::sin(angle);
    for (int k = 1; k < steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        if (s < 1e-12) {
            line.push_back({from.lat + t * (to.lat - from.lat), from.lon + t * (to.lon - from.lon)});
            continue;
        }
        const double wa = std::sin((1 - t) * angle) / s, wb = std::sin(t * angle) / s;
        line.push_back(ToGeo({wa * a[0] + wb * b[0], wa * a[1] + wb * b[1], wa * a[2] + wb * b[2]}));
    }
    line.push_back(to);
    return SplitAtAntimeridian(line);
}

}  // namespace tarnwell
