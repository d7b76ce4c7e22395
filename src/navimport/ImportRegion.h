#pragma once
// The part of the world an import keeps.

#include <array>

namespace tarnwell {

// A latitude/longitude box, bounds included. A box whose western bound lies
// east of its eastern one wraps across the 180th meridian.
struct ImportRegion {
    double latMin = -90, latMax = 90, lonMin = -180, lonMax = 180;

    bool Contains(double lat, double lon) const;
    // The point the box is centred on; capped files keep what lies nearest to it.
    std::array<double, 2> Centre() const;
};

// Throws TarnwellError(ErrorKind::Usage) for bounds out of range or reversed latitudes.
void CheckRegion(const ImportRegion& region);

}  // namespace tarnwell
