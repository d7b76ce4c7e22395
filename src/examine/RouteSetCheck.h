#pragma once
// Checking a compiled route set: every file's length and every position,
// index and plan reference that leads from one file into another.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarnwell {

// The folder of the route set `setName`: Data/<setName> below the program
// folder, the folder a compile of that name commits to. Throws
// TarnwellError(ErrorKind::Usage) for a name the compile refuses.
std::filesystem::path RouteSetFolder(const std::filesystem::path& programFolder, const std::string& setName);

struct RouteSetSummary {
    std::int64_t airports = 0;                // records of index.kr1
    std::int64_t airportsWithoutRunways = 0;  // of them, RunwayCount 0 or less
    std::int64_t routes = 0;                  // records of routes.kr1
    std::int64_t airlines = 0;                // airline.kr1 entries whose code is not blank
    std::int64_t plans = 0;                   // entries of PLANS.kr1's position table
    std::int64_t airwayPlans = 0;             // plans holding airway nodes
    std::int64_t pointToPointPlans = 0;       // plans of beacons and intersections only
    std::int64_t emptyPlans = 0;              // plans of no entry
};

struct RouteSetCheckResult {
    RouteSetSummary summary;
    // One line per inconsistency: the file, the record and what is wrong,
    // in the order the files are checked.
    std::vector<std::string> problems;
};

// Reads Data/<setName> and checks:
//   - index.kr1, routes.kr1, arrivals.kr1 and APT.kr1 are whole numbers of
//     records, airline.kr1 exactly 11 records, and PLANS.kr1's position
//     table and plan blocks cover it exactly;
//   - each airport's departure block and arrival list lie inside their files,
//     on record boundaries, and hold exactly the routes that leave or reach
//     it (arrivals in route order, the lists back to back in index order);
//   - each route's OriginIndex and DestIndex name the airport of its code,
//     and its PlanPointer a plan of PLANS.kr1;
//   - each plan block lies inside PLANS.kr1 right after the one before, holds
//     0 to 200 entries, and each entry is an airway node of Data/HighAlt.ab1
//     ("H") or a record of Data/nav_VOR.bin, nav_NDB.bin or nav_ISC.bin
//     ("V", "N", "I", airway name blank);
//   - each airport's RunwayCount and AptPos follow APT.kr1's layout: runway
//     records and a values record for each airport with runways, in index
//     order, from position 1.
// Records are numbered from 0 (as OriginIndex counts airports), plans and
// plan entries from 1. A missing or unreadable file, and a navigation file
// that a plan entry needs and that cannot be read, are problems; the checks
// that need such a file are left out. Runs in time linear in the files' size.
// Throws only for a set name the compile refuses.
RouteSetCheckResult CheckRouteSet(const std::filesystem::path& programFolder, const std::string& setName);

// Only the departure blocks and the arrival lists of the route set files in
// `folder`: each airport's block and list hold exactly its routes, back to
// back. A compile runs it on its staged set before committing it.
std::vector<std::string> CheckDeparturesAndArrivals(const std::filesystem::path& folder);

}  // namespace tarnwell
