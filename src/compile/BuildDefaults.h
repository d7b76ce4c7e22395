#pragma once
// Building the real-world route set from a timetable of real flights.

#include <filesystem>

#include "compile/Port.h"
#include "compile/ProgramState.h"
#include "compile/StepRunner.h"

namespace tarnwell {

// Compiles a timetable of real flights into the real-world route set with
// the compile's own steps and status texts, from reading to route miles, and
// writes the routes and index airports into Data/Defaults. The add file
// there is neither read nor removed. The navigation airports must have been
// loaded (start-up does that). Both files are written beside the old ones
// and replace them only when both are complete; a failure leaves the old
// pair in place and reports the step that failed.
CompileOutcome BuildDefaults(ProgramState& state, Port& port, const std::filesystem::path& timetable);

}  // namespace tarnwell
