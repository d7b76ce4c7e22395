#pragma once
// The links of each route of routes.kr1: OriginIndex and DestIndex name the
// airport of index.kr1 whose code the route has, and PlanPointer a plan of
// PLANS.kr1.

#include "examine/check/ProblemText.h"
#include "examine/check/RouteSetFiles.h"

namespace tarnwell::routesetcheck {

// The airport links need index.kr1, the plan links PLANS.kr1's position table.
void CheckRouteLinks(const RouteSetFiles& files, ProblemLines& problems);

}  // namespace tarnwell::routesetcheck
