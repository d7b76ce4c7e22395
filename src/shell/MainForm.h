#pragma once
// The main window's logic, apart from any window: start-up and the compile
// behind "3.  Compile Schedule".

#include <string>
#include <vector>

namespace tarnwell {

struct ProgramState;
class Port;

inline constexpr const char* ProgramName = "Tarnwell";

// Loads what must be in memory before the main window is shown: the
// navigation airports, then the real-world airline list. Throws
// TarnwellError when the program cannot start (no usable nav_APT.bin).
void StartUp(ProgramState& state, Port& port);

struct CompileOutcome {
    enum class Result { Finished, Cancelled, Failed };
    Result result = Result::Failed;
    std::string failedStatus;  // the status text of the step that failed
    std::string reason;        // what failed and where
};

// The compile: asks for the timetable through the port and runs every step in
// order, showing each step's status text. Any failure ends the compile at
// once; the previous route set is then left exactly as it was.
CompileOutcome CompileSchedule(ProgramState& state, Port& port);

// The status texts of the compile's steps, in the order they run.
std::vector<std::string> CompileStepTexts();

}  // namespace tarnwell
