#pragma once
// An airport's departure block: DeparturePos and DepartureCount name a run
// of routes.kr1 that holds exactly the routes leaving the airport.

#include <cstddef>

#include "examine/check/ProblemText.h"
#include "examine/check/RouteSetFiles.h"

namespace tarnwell::routesetcheck {

// Checks the departure block of airport `airport` of index.kr1; needs routes.kr1.
void CheckDepartureBlock(const RouteSetFiles& files, std::size_t airport, ProblemLines& problems);

}  // namespace tarnwell::routesetcheck
