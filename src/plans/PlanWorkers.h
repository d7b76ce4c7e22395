#pragma once
// Building the plans of many city pairs on several threads. Every plan is
// built from a freshly reset search state, so plans can be built in any order;
// the results are still handed on strictly in plan order.

#include <cstdint>
#include <functional>
#include <span>

#include "common/Clock.h"
#include "navdata/NavigationData.h"
#include "plans/CityPairs.h"
#include "plans/PlanBuilder.h"

namespace tarnwell {

// The number of threads to build plans on when none is asked for: the
// machine's hardware threads.
int DefaultPlanJobs();

// Builds the plans of city pairs 1 to UniqueRouteCount(UniqueRoutes) on
// `jobs` threads (0: DefaultPlanJobs()), each with a search state of its own
// and a clock from `clocks`, over the shared read-only navigation data.
// `before(i)` is called as plan i becomes the next one due and `take(i,
// result)` once it is built, both on the calling thread, in plan order; when
// either throws, the workers stop and the exception reaches the caller.
void BuildPlansInOrder(const NavigationData& nav, std::span<const UniqueRoute> UniqueRoutes, int jobs,
                       ClockSource& clocks, const std::function<void(std::int32_t)>& before,
                       const std::function<void(std::int32_t, PlanBuildResult&)>& take);

}  // namespace tarnwell
