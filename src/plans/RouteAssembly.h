#pragma once
// Route assembly: up to four airway searches between the nodes nearest the
// trip's airports, then the point-to-point planner.

#include <cstdint>

#include "common/Clock.h"
#include "navdata/NavigationData.h"
#include "plans/SearchState.h"

namespace tarnwell {

// The nearest node of HighNodes; 0 when `mode` is not airway routing or the
// network is empty. Answers are remembered in the state.
std::int32_t NearestNode(const NavigationData& nav, SearchState& state, float Lat, float Lon, RouteMode mode);
// The same, skipping nodes at the current target's (origin's) latitude or longitude.
std::int32_t NearestNodeExceptTarget(const NavigationData& nav, SearchState& state, float Lat, float Lon);
std::int32_t NearestNodeExceptOrigin(const NavigationData& nav, SearchState& state, float Lat, float Lon);

// Up to four airway searches from the origin node (`Start`) to the target
// set in the state (the second and fourth with another target, the third
// and fourth from another origin), then the point-to-point planner. Errors of
// the nearest-node searches reach the caller.
void AssembleRoute(const NavigationData& nav, SearchState& state, Clock& clock, std::int32_t Start);

}  // namespace tarnwell
