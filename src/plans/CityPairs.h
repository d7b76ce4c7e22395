#pragma once
// The distinct city pairs of a compile, each of which gets one flight plan:
// collected from the routes into Data/UniqueRoutes.txt, read back, and
// matched to the routes once the plans are built.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "common/FixedText.h"
#include "common/Progress.h"
#include "records/IndexAirportRecord.h"
#include "records/RouteRecord.h"

namespace tarnwell {

inline constexpr const char* UniqueRoutesFileName = "UniqueRoutes.txt";

// One distinct city pair; its number is also the number of its flight plan.
struct UniqueRoute {
    std::int32_t PlanNumber = 0;
    FixedText<3> Origin;
    FixedText<3> Destination;
    FixedText<4> OriginICAO;
    FixedText<4> DestinationICAO;

    friend bool operator==(const UniqueRoute&, const UniqueRoute&) = default;
};

// Capacity of the city-pair table (plans 1 to 34000).
inline constexpr std::int32_t UniqueRouteCapacity = 34000;

// "Create Flight Plan Unique Routes": one city pair per run of adjacent
// routes with the same origin and destination, numbered from 1, written to
// `file` (Data/UniqueRoutes.txt). A pair and its reverse are two city pairs;
// routes of one pair that are not adjacent give one city pair per run.
void CreateUniqueRoutes(std::span<const RouteRecord> Routes, std::span<const IndexAirportRecord> IndexAirports,
                        const std::filesystem::path& file);

// Reads the city pairs back from `file` (at most 34000). Entry 0 of the
// result is an unused placeholder, so that entry i is plan i.
std::vector<UniqueRoute> LoadUniqueRoutes(const std::filesystem::path& file);

// The number of city pairs of a table made by LoadUniqueRoutes.
inline std::int32_t UniqueRouteCount(std::span<const UniqueRoute> UniqueRoutes) {
    return UniqueRoutes.empty() ? 0 : static_cast<std::int32_t>(UniqueRoutes.size()) - 1;
}

// "Matching Flight Plans to Routes": gives every route the number of the first
// city pair with its (trimmed) origin and destination.
void MatchPlansToRoutes(std::span<RouteRecord> Routes, std::span<const UniqueRoute> UniqueRoutes, Progress& progress);

}  // namespace tarnwell
