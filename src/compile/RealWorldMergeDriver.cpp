#include "compile/RealWorldMergeDriver.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "common/BinaryIO.h"
#include "common/FileReplace.h"
#include "realworld/DefaultRouteSet.h"
#include "realworld/RealWorldMerge.h"
#include "records/RecordLayouts.h"

namespace fs = std::filesystem;

namespace tarnwell {

MergeOutcome GetRealWorldData(ProgramState& state, Progress& progress, const MergeRequest& request) {
    MergeOutcome outcome;
    constexpr const char* FinishedText = "Finished Getting Data";
    if (!request.timetable) {
        progress.SetStatus(FinishedText, StatusKind::Step);
        outcome.result = CompileOutcome::Result::Cancelled;
        return outcome;
    }

    const fs::path routesPath = state.DefaultsFolder() / DefaultRoutesName;
    const fs::path indexPath = state.DefaultsFolder() / DefaultIndexName;
    ChosenAirlines chosen;
    std::vector<RouteRecord> routes;
    std::vector<IndexAirportRecord> index;
    const std::vector<StatusStep> steps = {
        {"Getting VA Data",
         [&] {
             state.MergeAirportCodes = ReadMergeTimetable(*request.timetable);
             chosen = ChooseAirlines(state.RealAirlines, request.chosenAirlines);
         }},
        {"Loading Routes",
         [&] { routes = DecodeRouteFile(ReadRealWorldFile(routesPath, RouteFileLimit), PathText(routesPath)); }},
        {"Loading Indexes",
         [&] { index = DecodeIndexFile(ReadRealWorldFile(indexPath, IndexFileLimit), PathText(indexPath)); }},
    };
    // The add file is made whole in memory and replaces the older one only
    // when complete; AirlineInfo changes only with it. It shows its own
    // progress texts ("Adding k Routes"), and a failure is named after it.
    const auto writeAddFile = [&] {
        const MergeAddFile add =
            MakeAddFile(routes, index, PathText(routesPath), chosen.codes, state.MergeAirportCodes, progress);
        const std::array<PendingFile, 1> file = {
            PendingFile{state.AddFilePath(), Bytes(add.text.begin(), add.text.end())}};
        ReplaceFiles(file);
        for (std::size_t i = 0; i < chosen.records.size(); ++i) state.AirlineInfo[i + 1] = chosen.records[i];
        outcome.addedRoutes = add.addedRoutes;
    };
    const bool finished = RunSteps(steps, progress, outcome, writeAddFile, "Writing Add File");
    // Stopped on request, it has changed nothing and is not finished.
    if (outcome.stoppedByUser) return outcome;
    progress.SetStatus(FinishedText, StatusKind::Step);
    if (finished) outcome.result = CompileOutcome::Result::Finished;
    return outcome;
}

}  // namespace tarnwell
