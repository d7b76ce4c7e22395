#include "compile/CompileDriver.h"

#include <exception>
#include <filesystem>
#include <functional>

#include "common/AnsiText.h"
#include "common/Errors.h"
#include "plans/FlightPlans.h"
#include "airports/ArrivalLists.h"
#include "airports/IndexAirports.h"
#include "airports/CrossMatch.h"
#include "routeset/DataFiles.h"
#include "routeset/AirportInfo.h"
#include "timetable/TimetableFile.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"

namespace tarnwell {

namespace {

struct CompileStep {
    const char* status;
    std::function<void(ProgramState&, Port&, const std::filesystem::path& timetable)> run;
};

std::vector<CompileStep> CompileSteps() {
    auto step = [](void (*fn)(ProgramState&, Port&)) {
        return [fn](ProgramState& s, Port& p, const std::filesystem::path&) { fn(s, p); };
    };
    return {
        {"Getting VA Data", GetVAData},
        {"Sorting VA Data", step(SortVAData)},
        {"Moving Data to Routes", step(MoveDataToRoutes)},
        {"Finding Index Airports", step(FindIndexAirports)},
        {"Looking up Index Airport Information", step(LookupIndexAirports)},
        {"Cross matching Index to Routes", step(MatchIndexToRoutes)},
        {"Cross Matching Routes to Index", step(MatchRoutesToIndex)},
        {"Create Flight Plan Unique Routes", step(CreateUniqueRoutes)},
        {"Loading Flight Plan Data", step(LoadFlightPlanData)},
        {"Erasing Old Flight Plan Data", step(EraseOldPlans)},
        {"Creating Flight Plans", step([](ProgramState& s, Port& p) {
             CreateFlightPlans(s, p);
             PackPlans(s, p);
         })},
        {"Matching Flight Plans to Routes", step(MatchPlansToRoutes)},
        {"Creating Arrivals Pointers", step(CreateArrivalsPointers)},
        {"Calculating Orvanta Miles", step(CalcRouteMiles)},
        {"Writing Data Files", step([](ProgramState& s, Port& p) {
             WriteDataFiles(s, p);
             BuildAirportInfo(s, p);
         })},
    };
}

}  // namespace

std::vector<std::string> CompileStepTexts() {
    std::vector<std::string> texts;
    for (const auto& s : CompileSteps()) texts.emplace_back(s.status);
    return texts;
}

bool RunSteps(const std::vector<StatusStep>& steps, Port& port, CompileOutcome& outcome,
              const std::function<void()>& finish) {
    std::string status;
    try {
        for (const StatusStep& step : steps) {
            status = step.status;
            port.SetStatus(status, StatusKind::Step);
            step.run();
        }
        if (finish) finish();
    } catch (const std::exception& e) {
        outcome.failedStatus = status;
        outcome.reason = e.what();
        return false;
    }
    return true;
}

void StartUp(ProgramState& state, Port& port) {
    LoadNavAirports(state, port);
    LoadRealAirlines(state, port);
}

CompileOutcome CompileSchedule(ProgramState& state, Port& port) {
    CompileOutcome outcome;
    // The text boxes are taken once, when the compile starts; a name that
    // would write outside its own folder is refused before anything is read.
    // The airline's code and name go into records, which hold the ANSI code page.
    state.airlineIATA = Utf8ToAnsi(port.AirlineIATA());
    state.airlineNAME = Utf8ToAnsi(port.AirlineNAME());
    state.setName = port.SetName();
    try {
        ValidateSetName(state.setName);
    } catch (const TarnwellError& e) {
        outcome.reason = e.what();
        return outcome;
    }

    port.ShowMessage("Select the .KRX file you will be compiling.", ProgramName);
    const auto timetable = port.AskFilePath(state.ProgramFolder);
    if (!timetable) {
        outcome.result = CompileOutcome::Result::Cancelled;
        return outcome;
    }

    std::vector<StatusStep> steps;
    for (CompileStep& step : CompileSteps())
        steps.push_back({step.status, [&state, &port, &timetable, run = std::move(step.run)] { run(state, port, *timetable); }});
    try {
        state.RouteSet.Begin(state.DataFolder(), state.setName);
    } catch (const std::exception& e) {
        state.RouteSet.Discard();
        outcome.reason = e.what();
        return outcome;
    }
    if (!RunSteps(steps, port, outcome, [&state] { state.RouteSet.Commit(); })) {
        state.RouteSet.Discard();
        return outcome;
    }
    port.SetStatus("Finished!", StatusKind::Step);
    port.Beep(BeepKind::Finished, "the compile has finished");
    outcome.result = CompileOutcome::Result::Finished;
    return outcome;
}

}  // namespace tarnwell
