#pragma once
// The length of every route.

#include <span>

#include "records/IndexAirportRecord.h"
#include "records/RouteRecord.h"

namespace tarnwell {

// "Calculating Orvanta Miles": the Miles of every route, the great-circle
// distance between its two index airports in nautical miles with the
// fraction cut off. An airport missing from the navigation data is measured
// at 0, 0. A route whose OriginIndex or DestIndex names no index airport, or
// whose distance is not a number in the 16-bit range, is an error.
void CalcRouteMiles(std::span<RouteRecord> Routes, std::span<const IndexAirportRecord> IndexAirports);

}  // namespace tarnwell
