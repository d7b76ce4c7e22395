// The command line's compile, merge and build-defaults commands.

#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/CliPort.h"
#include "cli/Commands.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "compile/BuildDefaults.h"
#include "compile/CompileDriver.h"
#include "compile/RealWorldMergeDriver.h"
#include "navdata/NavDataFiles.h"
#include "realworld/DefaultRouteSet.h"
#include "realworld/RealAirlineList.h"
#include "realworld/RealWorldMerge.h"
#include "routeset/RouteSetOutput.h"
#include "routeset/SetName.h"

namespace fs = std::filesystem;

namespace tarnwell::cli {

namespace {

void PrintSummary(const ProgramState& state, const std::string& setName) {
    std::size_t airlines = 0;
    for (const auto& airline : state.AirlineInfo)
        if (!airline.Code.NeverAssigned()) ++airlines;
    std::cout << "Finished: " << state.Routes.size() << " routes, " << state.IndexAirports.size() << " airports, "
              << airlines << (airlines == 1 ? " airline" : " airlines");
    if (state.HasAddSchedule()) std::cout << " (" << state.AddSchedule.size() << " added flights merged)";
    std::cout << "\nRoute set: " << PathText(SetFolderPath(state.DataFolder(), setName)) << '\n';
}

// --status-log: a usage error when the log cannot be created.
std::optional<int> OpenStatusLog(const Arguments& a, CliPort& port) {
    if (a.statusLog && !port.OpenStatusLog(*a.statusLog))
        return UsageError(a, "cannot create the status log " + PathText(*a.statusLog));
    return std::nullopt;
}

// The item numbers of the real-world airlines the user named; says which
// one is unknown and gives nothing then.
std::optional<std::vector<std::int32_t>> ChooseRealAirlines(const ProgramState& state,
                                                            const std::vector<std::string>& choices) {
    std::vector<std::int32_t> numbers;
    for (const std::string& choice : choices) {
        const auto n = FindRealAirline(state.RealAirlines, choice);
        if (!n) {
            std::cerr << "error: \"" << choice << "\" names no real-world airline of "
                      << PathText(state.DataFolder() / RealAirlineListName) << " ('tarnwell airlines' lists them)\n";
            return std::nullopt;
        }
        numbers.push_back(*n);
    }
    return numbers;
}

// Runs the real-world merge; says why when it does not finish.
bool RunMerge(ProgramState& state, CliPort& port, const MergeRequest& request, MergeOutcome& outcome) {
    port.ShowMessage(MergeTimetablePrompt);
    outcome = GetRealWorldData(state, port, request);
    port.EndStatusLine();
    if (outcome.result == CompileOutcome::Result::Finished) return true;
    std::cerr << "error: the merge failed";
    if (!outcome.failedStatus.empty()) std::cerr << " at \"" << outcome.failedStatus << '"';
    std::cerr << ": " << outcome.reason << "\nThe add file was not changed.\n";
    return false;
}

}  // namespace

// The real-world airline list; says why when it cannot be loaded.
bool LoadAirlineList(ProgramState& state, CliPort& port) {
    try {
        state.RealAirlines = LoadRealAirlines(state.DataFolder(), port);
    } catch (const std::exception& e) {
        std::cerr << "error: cannot load the real-world airline list: " << e.what() << '\n';
        return false;
    }
    return true;
}

std::optional<ProgramFolderLock> LockProgramFolder(const Arguments& a) {
    try {
        return ProgramFolderLock::Acquire(ProgramFolder(a) / "Data");
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return std::nullopt;
    }
}

int CompileCommand(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError(a, "compile needs exactly one TIMETABLE");
    if (!a.setName) return UsageError(a, "compile needs --set-name NAME");
    if (!a.airlineCode) return UsageError(a, "compile needs --airline-iata CODE");
    if (!a.airlineName) return UsageError(a, "compile needs --airline-name NAME");

    const CompileRequest request{*a.setName, *a.airlineCode, *a.airlineName, PathArg(a.positional[1]),
                                 a.jobs.value_or(0)};
    CliPort port(PortOptions(a));
    if (auto refused = OpenStatusLog(a, port)) return *refused;
    const auto lock = LockProgramFolder(a);
    if (!lock) return ExitFailed;

    ProgramState state(ProgramFolder(a));
    // A name the route set cannot have is refused before anything is read
    // or merged.
    if (auto refusal = SetFolderRefusal(state.DataFolder(), request.setName)) {
        std::cerr << "error: " << *refusal << '\n';
        return ExitFailed;
    }
    try {
        StartUp(state, port);
    } catch (const std::exception& e) {
        port.EndStatusLine();
        std::cerr << "error: the program cannot start: " << e.what() << '\n';
        return ExitFailed;
    }

    if (!a.realWorldAirlines.empty()) {
        const auto chosen = ChooseRealAirlines(state, a.realWorldAirlines);
        if (!chosen) return ExitFailed;
        MergeOutcome merged;
        if (!RunMerge(state, port, {request.timetable, *chosen}, merged)) {
            std::cerr << "Nothing was compiled.\n";
            return ExitFailed;
        }
    }

    port.ShowMessage(CompileTimetablePrompt);
    const CompileOutcome outcome = CompileSchedule(state, port, request);
    port.EndStatusLine();
    switch (outcome.result) {
        case CompileOutcome::Result::Finished:
            if (!a.quiet) PrintSummary(state, request.setName);
            return ExitOk;
        case CompileOutcome::Result::Cancelled:
            std::cerr << "error: the compile was cancelled\n";
            return ExitFailed;
        case CompileOutcome::Result::Failed:
            break;
    }
    if (outcome.failedStatus.empty())
        std::cerr << "error: " << outcome.reason << '\n';
    else
        std::cerr << "error: the compile failed at \"" << outcome.failedStatus << "\": " << outcome.reason << '\n';
    return ExitFailed;
}

int MergeCommand(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError(a, "merge needs exactly one TIMETABLE");
    if (a.realWorldAirlines.empty()) return UsageError(a, "merge needs at least one --real-world-airline A");
    if (auto refused = RefuseCompileOptions(a, "merge")) return *refused;

    CliPort port(PortOptions(a));
    if (auto refused = OpenStatusLog(a, port)) return *refused;
    const auto lock = LockProgramFolder(a);
    if (!lock) return ExitFailed;

    ProgramState state(ProgramFolder(a));
    if (!LoadAirlineList(state, port)) return ExitFailed;
    const auto chosen = ChooseRealAirlines(state, a.realWorldAirlines);
    if (!chosen) return ExitFailed;
    MergeOutcome outcome;
    if (!RunMerge(state, port, {PathArg(a.positional[1]), *chosen}, outcome)) return ExitFailed;
    if (a.quiet) return ExitOk;
    std::cout << "Finished: " << outcome.addedRoutes << (outcome.addedRoutes == 1 ? " flight" : " flights")
              << " of the chosen airlines written to " << PathText(state.AddFilePath())
              << "\nThe next compile merges them in; its airline.kr1 lists these airlines only when they are "
                 "chosen with compile --real-world-airline.\n";
    return ExitOk;
}


int BuildDefaultsCommand(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError(a, "build-defaults needs exactly one TIMETABLE");
    if (auto refused = RefuseCompileOptions(a, "build-defaults")) return *refused;

    const fs::path timetable = PathArg(a.positional[1]);
    CliPort port(PortOptions(a));
    if (auto refused = OpenStatusLog(a, port)) return *refused;
    const auto lock = LockProgramFolder(a);
    if (!lock) return ExitFailed;

    ProgramState state(ProgramFolder(a));
    try {
        state.NavAirports = LoadNavAirports(state.DataFolder());
    } catch (const std::exception& e) {
        std::cerr << "error: cannot load the navigation airports: " << e.what() << '\n';
        return ExitFailed;
    }
    const CompileOutcome outcome = BuildDefaults(state, port, timetable);
    port.EndStatusLine();
    if (outcome.result != CompileOutcome::Result::Finished) {
        std::cerr << "error: building the real-world route set failed at \"" << outcome.failedStatus
                  << "\": " << outcome.reason << "\nThe previous real-world route set was kept.\n";
        return ExitFailed;
    }
    if (a.quiet) return ExitOk;
    std::cout << "Finished: " << state.Routes.size() << " routes, " << state.IndexAirports.size() << " airports\n"
              << "Real-world route set: " << PathText(state.DefaultsFolder()) << " (" << DefaultRoutesName << ", "
              << DefaultIndexName << ")\n";
    return ExitOk;
}

}  // namespace tarnwell::cli
