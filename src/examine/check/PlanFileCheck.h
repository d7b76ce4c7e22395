#pragma once
// PLANS.kr1 against the navigation files: each plan block lies inside the
// file right after the one before, holds 0 to 200 entries, and each entry is
// an airway node of Data/HighAlt.ab1 ("H") or a record of Data/nav_VOR.bin,
// nav_NDB.bin or nav_ISC.bin ("V", "N", "I", airway name blank).

#include <cstdint>
#include <filesystem>

#include "examine/check/ProblemText.h"
#include "examine/check/RouteSetFiles.h"

namespace tarnwell::routesetcheck {

// The plans by what they hold. A plan whose block cannot be read, or that
// holds an entry of unknown type and no airway node, is none of them.
struct PlanKindCounts {
    std::int64_t airway = 0;        // plans holding airway nodes
    std::int64_t pointToPoint = 0;  // plans of beacons and intersections only
    std::int64_t empty = 0;         // plans of no entry
};

// Needs PLANS.kr1's position table. A navigation file that an entry needs
// and that cannot be read is one problem, after those of the plans.
PlanKindCounts CheckPlanFile(const RouteSetFiles& files, const std::filesystem::path& dataFolder,
                             ProblemLines& problems);

}  // namespace tarnwell::routesetcheck
