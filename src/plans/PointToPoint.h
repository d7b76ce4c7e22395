#pragma once
// Point-to-point planning: where no airway route serves a city pair, the
// route hops from navaid to navaid towards the arrival, about 75 NM a hop.

#include <cstdint>

#include "navdata/NavigationData.h"
#include "plans/SearchState.h"

namespace tarnwell {

// The latitude and longitude extremes of the four corners of a search
// sector: 22.5 degrees either side of the course, from Ring to 2 x Ring NM.
struct SearchBox {
    float NorthLat = 0.0f;
    float SouthLat = 0.0f;
    float EastLon = 0.0f;
    float WestLon = 0.0f;
};

// Throws TarnwellError when a corner cannot be computed (a corner course of
// exactly 0) or 2 x Ring leaves the 16-bit range.
SearchBox FindSearchBox(float Lat, float Lon, float Course, std::int16_t Ring);

// Replaces the route entries with a point-to-point route: entry 0 the
// departure, one entry per navaid ("V", "I" or "N"), then the arrival, with
// RouteCount the arrival's entry. Sets the mode to point-to-point. A fault on the way
// stops the planning with the navaids found so far and no arrival entry.
void PlanPointToPoint(const NavigationData& nav, SearchState& state, float DepLat, float DepLon, float ArrLat,
                      float ArrLon);

}  // namespace tarnwell
