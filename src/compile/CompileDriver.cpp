#include "compile/CompileDriver.h"

#include <exception>

#include "common/Errors.h"
#include "compile/CompileSteps.h"
#include "navdata/NavDataFiles.h"
#include "realworld/RealAirlineList.h"
#include "routeset/RouteSetOutput.h"

namespace tarnwell {

std::vector<std::string> CompileStepTexts() {
    std::vector<std::string> texts;
    for (const CompileStep& step : CompileSteps()) texts.emplace_back(step.status);
    return texts;
}

void StartUp(ProgramState& state, Progress& progress) {
    state.NavAirports = LoadNavAirports(state.DataFolder());
    state.RealAirlines = LoadRealAirlines(state.DataFolder(), progress);
}

CompileOutcome CompileSchedule(ProgramState& state, Port& port, const CompileRequest& request) {
    CompileOutcome outcome;
    if (auto refusal = SetFolderRefusal(state.DataFolder(), request.setName)) {
        outcome.reason = *refusal;
        return outcome;
    }

    RouteSetOutput routeSet;
    CompileRun run{state, port, request, routeSet};
    std::vector<StatusStep> steps;
    for (const CompileStep& step : CompileSteps()) steps.push_back({step.status, [&run, &step] { step.run(run); }});
    try {
        routeSet.Begin(state.DataFolder(), request.setName);
    } catch (const std::exception& e) {
        routeSet.Discard();
        outcome.reason = e.what();
        return outcome;
    }
    if (!RunSteps(steps, port, outcome, [&routeSet, &run] { routeSet.Commit(run.usedAddFile); })) {
        routeSet.Discard();
        return outcome;
    }
    port.SetStatus("Finished!", StatusKind::Step);
    port.Beep(BeepKind::Finished, "the compile has finished");
    outcome.result = CompileOutcome::Result::Finished;
    return outcome;
}

}  // namespace tarnwell
