#include "navimport/VariationMap.h"

#include "navimport/SphereGeometry.h"

namespace tarnwell {

VariationMap::VariationMap(const std::vector<SourceBeacon>& vors) {
    for (const SourceBeacon& v : vors) {
        points_.push_back(UnitVector(v.lat, v.lon));
        variation_.push_back(v.variation);
    }
}

float VariationMap::At(double lat, double lon) const {
    // The nearest point on the sphere has the largest dot product.
    const auto p = UnitVector(lat, lon);
    float best = 0;
    double bestDot = -2;
    for (std::size_t k = 0; k < points_.size(); ++k) {
        const double dot = p[0] * points_[k][0] + p[1] * points_[k][1] + p[2] * points_[k][2];
        if (dot > bestDot) {
            bestDot = dot;
            best = variation_[k];
        }
    }
    return best;
}

}  // namespace tarnwell
