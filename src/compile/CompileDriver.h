#pragma once
// Start-up and the compile behind "3.  Compile Schedule".

#include <string>
#include <vector>

#include "compile/CompileRequest.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"
#include "compile/StepRunner.h"

namespace tarnwell {

// Loads what must be in memory before the main window is shown: the
// navigation airports, then the real-world airline list. Throws
// TarnwellError when the program cannot start (no usable nav_APT.bin).
void StartUp(ProgramState& state, Progress& progress);

// The compile: runs every step of the step table in order, showing each
// step's status text, then "Finished!" and a beep. A set name that would
// write outside its own folder is refused before anything is read. Any
// failure ends the compile at once; the previous route set is then left
// exactly as it was. When the port throws WorkCancelled (at a progress
// point) the compile ends as Cancelled with stoppedByUser, and every file of
// the program folder is as it was before the compile began.
CompileOutcome CompileSchedule(ProgramState& state, Port& port, const CompileRequest& request);

// The status texts of the compile's steps, in the order they run.
std::vector<std::string> CompileStepTexts();

}  // namespace tarnwell
