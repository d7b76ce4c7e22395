#pragma once
// The real-world merge behind "2.  Get Real World Airline Data": the chosen
// real-world airlines' flights that touch an airport of the user's timetable
// are written to the add file Data/Defaults/carrierADD.txt, which the next
// compile merges into the timetable, and the chosen airlines become elements
// 1 onward of the route set's airline list AirlineInfo.

#include <cstdint>

#include "compile/CompileRequest.h"
#include "compile/ProgramState.h"
#include "compile/StepRunner.h"

namespace tarnwell {

struct MergeOutcome : CompileOutcome {
    std::int32_t addedRoutes = 0;
};

// Runs the merge's steps ("Getting VA Data", "Loading Routes", "Loading
// Indexes", then the add file). Every outcome, a cancelled file dialog
// included, ends with the status "Finished Getting Data", but for a merge
// stopped on request (WorkCancelled from `progress`, stoppedByUser). A merge that does
// not finish changes nothing: the older add file and AirlineInfo stay as
// they were.
MergeOutcome GetRealWorldData(ProgramState& state, Progress& progress, const MergeRequest& request);

}  // namespace tarnwell
