#pragma once
// The route set's index, route and airline files.

#include <array>
#include <span>
#include <string_view>

#include "records/AirlineRecord.h"
#include "records/IndexAirportRecord.h"
#include "records/RouteRecord.h"
#include "routeset/RouteSetOutput.h"

namespace tarnwell {

// The route set's airlines: the compiled airline and ten real-world ones.
using AirlineTable = std::array<AirlineRecord, 11>;

// "Writing Data Files": sets the compiled airline (code and name in the ANSI
// code page) as the first entry of AirlineInfo and writes index.kr1,
// routes.kr1 and airline.kr1 into the route set.
void WriteDataFiles(RouteSetOutput& routeSet, std::span<const IndexAirportRecord> IndexAirports,
                    std::span<const RouteRecord> Routes, AirlineTable& AirlineInfo, std::string_view airlineCode,
                    std::string_view airlineName);

}  // namespace tarnwell
