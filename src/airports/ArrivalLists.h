#pragma once
// arrivals.kr1: for each index airport, the positions of the routes that
// arrive there.

#include <span>

#include "common/BinaryIO.h"
#include "records/IndexAirportRecord.h"
#include "records/RouteRecord.h"

namespace tarnwell {

inline constexpr const char* ArrivalsFileName = "arrivals.kr1";

// "Creating Arrivals Pointers": the bytes of arrivals.kr1, the 32-bit 1-based
// positions in routes.kr1 (32 * r + 1) of the routes whose trimmed
// Destination is an airport's trimmed IATA, grouped by index airport in index
// order and ascending within a group; sets each airport's ArrivalsPos (left
// as it was when nothing arrives) and ArrivalsCount. More than 32767 arrivals
// at one airport is an error.
Bytes CreateArrivalsPointers(std::span<IndexAirportRecord> IndexAirports, std::span<const RouteRecord> Routes);

}  // namespace tarnwell
