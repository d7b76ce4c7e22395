#pragma once
// The links between index airports and routes, both ways: each airport to
// the block of routes that leave it (DeparturePos, DepartureCount, pointing
// into routes.kr1) and each route to its two airports (OriginIndex,
// DestIndex, element numbers of index.kr1).
//
// A code matches when it is the same after blanks are trimmed from both
// sides; the comparison is case-sensitive. The first match counts: the
// lowest route number for DeparturePos, the lowest index number for
// OriginIndex and DestIndex.

#include <span>

#include "common/Progress.h"
#include "records/IndexAirportRecord.h"
#include "records/RouteRecord.h"

namespace tarnwell {

// "Cross matching Index to Routes": DeparturePos = 32 * r + 1 for the first
// route r leaving the airport (left as it was when none leaves), and
// DepartureCount = the number of routes leaving it. Shows "Cross matching
// Index to Routes i of n" for every airport. More than 32767 departing
// routes is an overflow error naming the airport.
void MatchIndexToRoutes(std::span<IndexAirportRecord> IndexAirports, std::span<const RouteRecord> Routes,
                        Progress& progress);

// "Cross Matching Routes to Index": OriginIndex and DestIndex of every route
// (left as they were when no airport matches). Shows "Cross Matching Routes
// to Index r of n" for every route. An index number above 32767 is an
// overflow error naming the route.
void MatchRoutesToIndex(std::span<RouteRecord> Routes, std::span<const IndexAirportRecord> IndexAirports,
                        Progress& progress);

}  // namespace tarnwell
