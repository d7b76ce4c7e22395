#pragma once
// What a route set holds, as the check's summary counts it: airports,
// routes, named airlines and plans (the plans by kind come from the plan
// check).

#include "examine/RouteSetCheck.h"
#include "examine/check/RouteSetFiles.h"

namespace tarnwell::routesetcheck {

// Every count but the plan kinds; a file that could not be read counts nothing.
RouteSetSummary CountRouteSet(const RouteSetFiles& files);

}  // namespace tarnwell::routesetcheck
