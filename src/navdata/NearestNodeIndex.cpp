#include "navdata/NearestNodeIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geo/GreatCircle.h"

namespace tarnwell {

namespace {

// A position the latitude sweep can reason about.
bool Regular(float lat, float lon) {
    return std::isfinite(lat) && std::isfinite(lon) && std::fabs(lat) <= 90 && std::fabs(lon) <= 180;
}

// The least GetDistance can give between two points `dLat` degrees of
// latitude apart: the arc is at least 60 NM a degree, and GetDistance's
// rounding and its nudging of near-zero differences stay far inside the
// margin (a few millionths of the distance, and under 0.1 NM).
double LeastDistance(double dLat) { return dLat * 60.0 * (1.0 - 1e-4) - 0.5; }

bool Excluded(const AirwayNode& node, const std::optional<NearestNodeIndex::Exclusion>& except) {
    return except && (node.Latitude == except->Latitude || node.Longitude == except->Longitude);
}

// Keeps the nearest node, ties to the lowest number.
struct NearestSoFar {
    float best = 99999.0f;
    std::int32_t node = 0;

    void Offer(const AirwayNetwork& network, std::int32_t i, float Lat, float Lon,
               const std::optional<NearestNodeIndex::Exclusion>& except) {
        const AirwayNode& n = network.Node(i);
        float course = 0.0f;
        const float d = GetDistance(Lat, Lon, n.Latitude, n.Longitude, course);
        if (d < best || (d == best && node != 0 && i < node)) {
            if (Excluded(n, except)) return;
            best = d;
            node = i;
        }
    }
};

}  // namespace

void NearestNodeIndex::Build(const AirwayNetwork& network) {
    byLatitude_.clear();
    irregular_.clear();
    for (std::int32_t i = 1; i <= network.Count(); ++i) {
        const AirwayNode& n = network.Node(i);
        if (Regular(n.Latitude, n.Longitude))
            byLatitude_.push_back({n.Latitude, i});
        else
            irregular_.push_back(i);
    }
    std::stable_sort(byLatitude_.begin(), byLatitude_.end(),
                     [](const Entry& a, const Entry& b) { return a.latitude < b.latitude; });
}

std::int32_t NearestNodeIndex::Nearest(const AirwayNetwork& network, float Lat, float Lon,
                                       std::optional<Exclusion> except) const {
    if (!Regular(Lat, Lon)) return NearestNodeByScan(network, Lat, Lon, except);
    NearestSoFar nearest;
    for (const std::int32_t i : irregular_) nearest.Offer(network, i, Lat, Lon, except);

    // Sweep outwards from the position's latitude, nearer latitudes first,
    // until even the nearer side lies beyond the best distance.
    const double q = Lat;
    auto up = static_cast<std::size_t>(
        std::lower_bound(byLatitude_.begin(), byLatitude_.end(), q,
                         [](const Entry& e, double v) { return e.latitude < v; }) -
        byLatitude_.begin());
    auto down = up;
    constexpr double None = std::numeric_limits<double>::infinity();
    for (;;) {
        const double dUp = up < byLatitude_.size() ? byLatitude_[up].latitude - q : None;
        const double dDown = down > 0 ? q - byLatitude_[down - 1].latitude : None;
        const bool takeUp = dUp <= dDown;
        const double d = takeUp ? dUp : dDown;
        if (d == None || LeastDistance(d) > nearest.best) break;
        nearest.Offer(network, takeUp ? byLatitude_[up++].node : byLatitude_[--down].node, Lat, Lon, except);
    }
    return nearest.node;
}

std::int32_t NearestNodeByScan(const AirwayNetwork& network, float Lat, float Lon,
                               std::optional<NearestNodeIndex::Exclusion> except) {
    float best = 99999.0f;
    std::int32_t found = 0;
    for (std::int32_t i = 1; i <= network.Count(); ++i) {
        const AirwayNode& n = network.Node(i);
        float course = 0.0f;
        const float d = GetDistance(Lat, Lon, n.Latitude, n.Longitude, course);
        if (d < best) {
            if (Excluded(n, except)) continue;
            best = d;
            found = i;
        }
    }
    return found;
}

}  // namespace tarnwell
