#include "compile/BuildDefaults.h"

#include <vector>

#include "compile/CompileSteps.h"
#include "realworld/DefaultRouteSet.h"
#include "timetable/ScheduleInput.h"

namespace tarnwell {

CompileOutcome BuildDefaults(ProgramState& state, Port& port, const std::filesystem::path& timetable) {
    const CompileRequest request{{}, {}, {}, timetable};
    RouteSetOutput unusedRouteSet;
    CompileRun run{state, port, request, unusedRouteSet};
    const auto compileStep = [&run](const char* status) {
        const CompileStep& step = CompileStepNamed(status);
        return StatusStep{step.status, [&run, &step] { step.run(run); }};
    };
    // The compile's own steps up to the route miles, but for reading (the add
    // file stays for the next compile) and writing; no flight plans are made
    // for the real-world routes.
    const std::vector<StatusStep> steps = {
        {"Getting VA Data", [&] { GetTimetableData(timetable, state.Schedule, state.AddSchedule); }},
        compileStep("Sorting VA Data"),
        compileStep("Moving Data to Routes"),
        compileStep("Finding Index Airports"),
        compileStep("Looking up Index Airport Information"),
        compileStep("Cross matching Index to Routes"),
        compileStep("Cross Matching Routes to Index"),
        compileStep("Calculating Orvanta Miles"),
        {"Writing Data Files", [&] { WriteDefaultRouteSet(state.DataFolder(), state.Routes, state.IndexAirports); }},
    };
    CompileOutcome outcome;
    if (!RunSteps(steps, port, outcome)) return outcome;
    port.SetStatus("Finished!", StatusKind::Step);
    port.Beep(BeepKind::Finished, "the real-world route set is built");
    outcome.result = CompileOutcome::Result::Finished;
    return outcome;
}

}  // namespace tarnwell
