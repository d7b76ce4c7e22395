#pragma once
// The plans of a compile: the plan files of the last compile erased, one plan
// built per city pair into its plan file and the plan log, and the plan files
// packed into the route set's PLANS.kr1.

#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "common/BinaryIO.h"
#include "common/Clock.h"
#include "common/Progress.h"
#include "navdata/NavigationData.h"
#include "plans/CityPairs.h"

namespace tarnwell {

inline constexpr const char* PlanLogFileName = "PlanLog.txt";
inline constexpr const char* PackedPlansFileName = "PLANS.kr1";
// The work whose count of built plans the progress figures give.
inline constexpr const char* CreatingPlansWork = "Creating Flight Plans";

// "Erasing Old Flight Plan Data": deletes 2.krp, 3.krp and so on of the plan
// folder up to the first number without a file (plan 1 is rewritten by its
// build). Files numbered up to `replacedUpTo` are left for the new plans to
// overwrite: the folder ends the same, and rewriting a file in place is far
// cheaper than deleting it and creating another.
void EraseOldPlans(const std::filesystem::path& planFolder, std::int32_t replacedUpTo = 0);

// The plan file bytes of every city pair by plan number (entry 0 unused);
// nothing for a plan that could not be built.
using BuiltPlans = std::vector<std::optional<Bytes>>;

// "Creating Flight Plans": builds the plan of every city pair on `jobs`
// threads (0: one per hardware thread) and writes, in plan order, its plan
// file in `planFolder` (created when missing), its line in the plan log at
// `logPath` ("SUCCESS" or "ERROR") and its status text. A plan that cannot be
// built is also reported as a warning. The output is the same for any number
// of threads as long as no airway search reaches its time limit.
BuiltPlans CreateFlightPlans(const NavigationData& nav, std::span<const UniqueRoute> UniqueRoutes,
                             const std::filesystem::path& planFolder, const std::filesystem::path& logPath, int jobs,
                             ClockSource& clocks, Progress& progress);

// Packs the built plans, in plan-number order, into `packedFile` (the route
// set's PLANS.kr1) behind a table of their 1-based positions: the same bytes
// as their plan files. A plan that could not be built stops the compile,
// naming the plan and its missing file in `planFolder`.
void PackPlans(const BuiltPlans& plans, std::span<const UniqueRoute> UniqueRoutes,
               const std::filesystem::path& planFolder, const std::filesystem::path& packedFile, Progress& progress);

}  // namespace tarnwell
