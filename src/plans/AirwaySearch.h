#pragma once
// The airway search: a depth-first search with branch-and-bound over the
// high-altitude airway network, from an origin node to the target node set
// in the search state.

#include <cstdint>

#include "common/Clock.h"
#include "navdata/AirwayNetwork.h"
#include "plans/SearchState.h"

namespace tarnwell {

// The budget a search starts with: a quarter more than the distance between
// the trip's two airports.
float InitialBudget(const SearchState& state);

// One complete search from node `Start` towards the target node. Success
// shows as MaxRouteDist below the initial budget; the route entries then hold
// the shortest route found. The clock limits the search to 3 seconds from
// its start or its last route found.
void SearchAirways(const AirwayNetwork& HighNodes, SearchState& state, Clock& clock, std::int32_t Start);

// Visits `Node`, reached `Dist` NM from the start, and what lies beyond it.
void SearchNode(const AirwayNetwork& HighNodes, SearchState& state, Clock& clock, std::int32_t Node, float Dist);

// Copies the chain of legs SearchPath[1 .. PathLen - 1] into the route entries.
void StoreAirwayRoute(SearchState& state);

}  // namespace tarnwell
