#pragma once
// The plans of a compile: the plan files of the last compile erased, one plan
// built per city pair into its plan file and the plan log, and the plan files
// packed into the route set's PLANS.kr1.

#include <filesystem>
#include <span>

#include "common/Clock.h"
#include "common/Progress.h"
#include "navdata/NavigationData.h"
#include "plans/CityPairs.h"
#include "plans/SearchState.h"

namespace tarnwell {

inline constexpr const char* PlanLogFileName = "PlanLog.txt";
inline constexpr const char* PackedPlansFileName = "PLANS.kr1";

// "Erasing Old Flight Plan Data": deletes 2.krp, 3.krp and so on of the plan
// folder up to the first number without a file (plan 1 is rewritten by its
// build).
void EraseOldPlans(const std::filesystem::path& planFolder);

// "Creating Flight Plans": builds the plan of every city pair into its plan
// file in `planFolder` (created when missing) and logs each to `logPath`
// ("SUCCESS" or "ERROR"). A plan that cannot be built is also reported as a
// warning.
void CreateFlightPlans(const NavigationData& nav, std::span<const UniqueRoute> UniqueRoutes,
                       const std::filesystem::path& planFolder, const std::filesystem::path& logPath,
                       SearchState& search, Clock& clock, Progress& progress);

// Copies every plan file, in plan-number order, into `packedFile` (the route
// set's PLANS.kr1) behind a table of their 1-based positions. A missing or
// damaged plan file stops the compile, naming the plan.
void PackPlans(const std::filesystem::path& planFolder, std::span<const UniqueRoute> UniqueRoutes,
               const std::filesystem::path& packedFile, Progress& progress);

}  // namespace tarnwell
