#include "compile/CompileDriver.h"

#include <exception>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "compile/CompileSteps.h"
#include "compile/SideFileSnapshot.h"
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
    SideFileSnapshot sideFiles;
    CompileRun run{state, port, request, routeSet};
    std::vector<StatusStep> steps;
    for (const CompileStep& step : CompileSteps()) steps.push_back({step.status, [&run, &step] { step.run(run); }});
    try {
        routeSet.Begin(state.DataFolder(), request.setName);
        if (port.MayCancel()) sideFiles.Take(state);
    } catch (const std::exception& e) {
        routeSet.Discard();
        sideFiles.Drop();
        outcome.reason = e.what();
        return outcome;
    }
    if (!RunSteps(steps, port, outcome, [&routeSet, &run] { routeSet.Commit(run.usedAddFile); })) {
        routeSet.Discard();
        // Stopped on request: as if it had never started. A failure keeps
        // its plan log and plan files, which tell what went wrong.
        if (outcome.stoppedByUser) {
            if (!sideFiles.Restore())
                outcome.reason = "the plan files and logs of the last compile could not all be put back; they are in " +
                                 PathText(state.DataFolder() / SnapshotFolderName);
        } else {
            sideFiles.Drop();
        }
        return outcome;
    }
    sideFiles.Drop();
    port.SetStatus("Finished!", StatusKind::Step);
    port.Beep(BeepKind::Finished, "the compile has finished");
    outcome.result = CompileOutcome::Result::Finished;
    return outcome;
}

}  // namespace tarnwell
