#include "navimport/ImportRegion.h"

#include <cmath>
#include <string>

#include "common/Errors.h"

namespace tarnwell {

bool ImportRegion::Contains(double lat, double lon) const {
    if (lat < latMin || lat > latMax) return false;
    if (lonMin <= lonMax) return lon >= lonMin && lon <= lonMax;
    return lon >= lonMin || lon <= lonMax;  // across the 180th meridian
}

std::array<double, 2> ImportRegion::Centre() const {
    const double width = lonMin <= lonMax ? lonMax - lonMin : lonMax + 360.0 - lonMin;
    double lon = lonMin + width / 2.0;
    if (lon > 180.0) lon -= 360.0;
    return {(latMin + latMax) / 2.0, lon};
}

void CheckRegion(const ImportRegion& r) {
    auto bad = [](const std::string& what) { throw TarnwellError(ErrorKind::Usage, "the region " + what); };
    for (double v : {r.latMin, r.latMax, r.lonMin, r.lonMax})
        if (!std::isfinite(v)) bad("bounds must be numbers");
    if (r.latMin < -90 || r.latMax > 90) bad("latitudes must lie between -90 and 90");
    if (r.lonMin < -180 || r.lonMin > 180 || r.lonMax < -180 || r.lonMax > 180)
        bad("longitudes must lie between -180 and 180");
    if (r.latMin > r.latMax) bad("needs LATMIN no greater than LATMAX");
}

}  // namespace tarnwell
