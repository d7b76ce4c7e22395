#include "plans/RouteAssembly.h"

#include <optional>

#include "plans/AirwaySearch.h"
#include "plans/PointToPoint.h"

namespace tarnwell {

namespace {

std::int32_t Nearest(const NavigationData& nav, float Lat, float Lon,
                     std::optional<NearestNodeIndex::Exclusion> except) {
    return nav.HighNodeIndex.Nearest(nav.HighNodes, Lat, Lon, except);
}

}  // namespace

std::int32_t NearestNode(const NavigationData& nav, float Lat, float Lon, RouteMode mode) {
    if (mode != RouteMode::Airways) return 0;
    return Nearest(nav, Lat, Lon, std::nullopt);
}

std::int32_t NearestNodeExceptTarget(const NavigationData& nav, const SearchState& state, float Lat, float Lon) {
    if (state.Mode != RouteMode::Airways) return 0;
    return Nearest(nav, Lat, Lon, NearestNodeIndex::Exclusion{state.TargetLat, state.TargetLon});
}

std::int32_t NearestNodeExceptOrigin(const NavigationData& nav, const SearchState& state, float Lat, float Lon) {
    if (state.Mode != RouteMode::Airways) return 0;
    return Nearest(nav, Lat, Lon, NearestNodeIndex::Exclusion{state.OriginLat, state.OriginLon});
}

void AssembleRoute(const NavigationData& nav, SearchState& f, Clock& clock, std::int32_t Start) {
    std::int32_t origin = Start;
    // One airway search from the current origin; true when it found a route.
    const auto attempt = [&](std::int16_t number) {
        f.AirwaySearches = number;
        SearchAirways(nav.HighNodes, f, clock, origin);
        return InitialBudget(f) > f.MaxRouteDist;
    };

    f.VisitCount = 0;
    if (attempt(1)) return;
    f.SetTarget(nav.HighNodes.Node(NearestNodeExceptTarget(nav, f, f.ArrLatitude, f.ArrLongitude)));
    if (attempt(2)) return;
    origin = NearestNodeExceptOrigin(nav, f, f.DepLatitude, f.DepLongitude);
    f.SetOrigin(nav.HighNodes.Node(origin));
    if (attempt(3)) return;
    f.SetTarget(nav.HighNodes.Node(NearestNodeExceptTarget(nav, f, f.ArrLatitude, f.ArrLongitude)));
    if (attempt(4)) return;

    f.Mode = RouteMode::PointToPoint;
    PlanPointToPoint(nav, f, f.DepLatitude, f.DepLongitude, f.ArrLatitude, f.ArrLongitude);
}

}  // namespace tarnwell
