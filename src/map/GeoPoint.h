#pragma once
// A position on the map in decimal degrees (latitude positive north,
// longitude positive east, -180..180), and lines of them.

#include <vector>

namespace tarnwell {

struct GeoPoint {
    double lat = 0.0;
    double lon = 0.0;

    friend bool operator==(const GeoPoint&, const GeoPoint&) = default;
};

using GeoLine = std::vector<GeoPoint>;

}  // namespace tarnwell
