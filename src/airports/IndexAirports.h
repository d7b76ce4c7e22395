#pragma once
// The index airports: every distinct airport of the schedule, in code order.
// An airport's position in the table is its index number everywhere.

#include <cstdint>
#include <span>
#include <vector>

#include "records/IndexAirportRecord.h"
#include "records/ScheduleRecord.h"

namespace tarnwell {

// "Finding Index Airports": each three-letter code of the schedule once, with
// the four-letter code of the first flight (in schedule order, origin before
// destination) that names it, ordered by the three-letter codes' character
// codes.
std::vector<IndexAirportRecord> FindIndexAirports(std::span<const ScheduleRecord> Schedule);

// The index airport a route's OriginIndex or DestIndex (named by `field`)
// designates; a number outside the index is an error naming route `route`.
const IndexAirportRecord& RouteAirport(std::span<const IndexAirportRecord> IndexAirports, std::int32_t route,
                                       std::int16_t index, const char* field);

}  // namespace tarnwell
