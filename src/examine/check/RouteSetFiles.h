#pragma once
// The files of a route set as the check reads them: each file's bytes (none
// when it is missing or cannot be read), the whole records of the record
// files, and what the checks look up in them. Read once, then only read from.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/BinaryIO.h"
#include "examine/check/ProblemText.h"
#include "records/RecordLayouts.h"

namespace tarnwell::routesetcheck {

// Record lengths as signed numbers, for arithmetic on stored positions.
inline constexpr auto RouteLength = static_cast<std::int64_t>(RouteRecordLength);
inline constexpr auto EntryLength = static_cast<std::int64_t>(ArrivalsEntryLength);

struct RouteSetFiles {
    std::optional<Bytes> index, routesFile, arrivals, apt, airlines, plans;

    std::vector<IndexAirportRecord> airports;   // the whole records of index.kr1
    std::vector<RouteRecord> routes;             // of routes.kr1
    std::vector<std::int32_t> arrivalEntries;    // of arrivals.kr1
    // For each airport, how many routes leave it and how many reach it, by
    // the codes of the routes.
    std::vector<std::int64_t> leaving, arriving;
    // n of PLANS.kr1's position table; none when there is no such table.
    std::optional<std::int64_t> planCount;
};

// Reads index.kr1, routes.kr1, arrivals.kr1, APT.kr1, airline.kr1 and
// PLANS.kr1 of `folder`. Adds a problem for each file that is missing or
// cannot be read, for a ragged tail of index.kr1, routes.kr1 or
// arrivals.kr1, for each airport whose code an airport before it has, and
// for a PLANS.kr1 that does not begin with a position table.
RouteSetFiles ReadRouteSetFiles(const std::filesystem::path& folder, ProblemLines& problems);

}  // namespace tarnwell::routesetcheck
