#include "plans/SearchState.h"

namespace tarnwell {

SearchState::SearchState() : SearchPath(static_cast<std::size_t>(SearchPathCapacity)) { ClearRouteEntries(); }

void SearchState::SetOrigin(const AirwayNode& node) {
    OriginIdent = node.Ident;
    OriginLat = node.Latitude;
    OriginLon = node.Longitude;
}

void SearchState::SetTarget(const AirwayNode& node) {
    TargetIdent = node.Ident;
    TargetLat = node.Latitude;
    TargetLon = node.Longitude;
}

void SearchState::ClearRouteEntries() { RouteEntries.fill(RouteEntry{}); }

}  // namespace tarnwell
