#pragma once
// The main window's logic, apart from any window: start-up and the compile
// behind "3.  Compile Schedule".

#include <functional>
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

// One step of a run of steps: the status text shown while it runs, and the work.
struct StatusStep {
    std::string status;
    std::function<void()> run;
};

// Runs the steps in order, each after showing its status text, then
// `finish` (whose failure counts as the last step's). On the first failure
// fills outcome.failedStatus and outcome.reason and returns false.
bool RunSteps(const std::vector<StatusStep>& steps, Port& port, CompileOutcome& outcome,
              const std::function<void()>& finish = {});

// The status texts of the compile's steps, in the order they run.
std::vector<std::string> CompileStepTexts();

}  // namespace tarnwell
