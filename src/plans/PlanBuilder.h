#pragma once
// Building the flight plan of one city pair: the airports' positions, the
// nearest airway nodes, the route assembly, and the plan's stored bytes.

#include <cstdint>
#include <string>

#include "common/BinaryIO.h"
#include "common/Clock.h"
#include "navdata/NavigationData.h"
#include "plans/CityPairs.h"
#include "plans/SearchState.h"

namespace tarnwell {

struct PlanBuildResult {
    bool built = false;
    std::int32_t entryCount = 0;  // stored entries, or RouteCount - 1 when the build failed
    Bytes plan;                   // the plan file's bytes when built
    std::string failure;          // why the build failed
};

// Builds the plan of one city pair with `state` and `clock` of the caller's
// own. A failure of the build (a TarnwellError: an airway network without
// nodes, a route longer than a plan holds, an arithmetic fault) is returned,
// not thrown; the plan's number only names it. Anything else is a fault of
// the program and reaches the caller.
PlanBuildResult BuildPlan(const NavigationData& nav, SearchState& state, Clock& clock, const UniqueRoute& route);

}  // namespace tarnwell
