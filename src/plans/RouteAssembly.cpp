#include "plans/RouteAssembly.h"

#include <bit>
#include <optional>

#include "plans/AirwaySearch.h"
#include "plans/PointToPoint.h"

namespace tarnwell {

namespace {

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

std::int32_t Nearest(const NavigationData& nav, SearchState& state, float Lat, float Lon,
                     std::optional<NearestNodeIndex::Exclusion> except) {
    if (state.NearestNodesOf != &nav) {
        state.NearestNodes.clear();
        state.NearestNodesOf = &nav;
    }
    const SearchState::NearestQuery query{Bits(Lat), Bits(Lon), except ? Bits(except->Latitude) : 0,
                                          except ? Bits(except->Longitude) : 0, except.has_value()};
    if (const auto known = state.NearestNodes.find(query); known != state.NearestNodes.end()) return known->second;
    const std::int32_t node = nav.HighNodeIndex.Nearest(nav.HighNodes, Lat, Lon, except);
    state.NearestNodes.emplace(query, node);
    return node;
}

}  // namespace

std::int32_t NearestNode(const NavigationData& nav, SearchState& state, float Lat, float Lon, RouteMode mode) {
    if (mode != RouteMode::Airways) return 0;
    return Nearest(nav, state, Lat, Lon, std::nullopt);
}

std::int32_t NearestNodeExceptTarget(const NavigationData& nav, SearchState& state, float Lat, float Lon) {
    if (state.Mode != RouteMode::Airways) return 0;
    return Nearest(nav, state, Lat, Lon, NearestNodeIndex::Exclusion{state.TargetLat, state.TargetLon});
}

std::int32_t NearestNodeExceptOrigin(const NavigationData& nav, SearchState& state, float Lat, float Lon) {
    if (state.Mode != RouteMode::Airways) return 0;
    return Nearest(nav, state, Lat, Lon, NearestNodeIndex::Exclusion{state.OriginLat, state.OriginLon});
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
