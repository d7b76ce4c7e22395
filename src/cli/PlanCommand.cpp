// The command line's plan command: one city pair's flight plan as a table
// and a route string, every city pair's route string as CSV, and the plans
// as .fms files.

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/FileReplace.h"
#include "compile/ProgramFolderLock.h"
#include "map/MapScene.h"
#include "planexport/CityPairChoice.h"
#include "planexport/FmsFile.h"
#include "planexport/PlanText.h"
#include "routeset/SetName.h"

namespace fs = std::filesystem;

namespace tarnwell::cli {

namespace {

// The usage fault of a plan command line, or nothing.
std::optional<std::string> PlanUsageFault(const Arguments& a) {
    const std::size_t words = a.positional.size();
    if (a.all && words != 2) return "plan --all takes only the route set NAME";
    if (!a.all && words != 4) return "plan needs a route set NAME, an ORIGIN and a DEST airport code (or --all)";
    if (a.fms && a.fmsDir) return "give either --fms FILE or --fms-dir DIR";
    if (a.all && a.fms) return "--fms writes one plan; with --all give --fms-dir DIR";
    if (a.statusLog) return "plan writes no status log";
    return std::nullopt;
}

// Creates `folder` with every folder above it that is missing.
void MakeFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec))
        throw TarnwellError(ErrorKind::File, "the folder cannot be created", {PathText(folder)});
}

int Run(const Arguments& a) {
    const fs::path root = ProgramFolder(a);
    FinishInterruptedCommitIfIdle(root / "Data");
    MapScene scene = LoadMapScene(root, a.positional[1]);
    if (a.all) {
        LoadScenePlans(root, scene, scene.cityPairs);
    } else {
        const MapCityPair* pair = ChooseCityPair(scene, a.positional[2], a.positional[3]);
        if (!pair)
            throw TarnwellError(ErrorKind::Input, QuotedField(a.positional[2] + " " + a.positional[3]) +
                                                      " is not a city pair with a flight plan in the route set "
                                                      "(give the airport codes of a flight of the timetable, or "
                                                      "their ICAO codes)");
        const std::vector<MapCityPair> chosen{*pair};
        LoadScenePlans(root, scene, chosen);
    }

    if (a.fms || a.fmsDir) {
        std::vector<PendingFile> files;
        if (a.fms) {
            const std::string text = FmsText(scene, scene.plans.front());
            files.push_back({*a.fms, Bytes(text.begin(), text.end())});
        } else {
            MakeFolder(*a.fmsDir);
            files = FmsFiles(scene, scene.plans, *a.fmsDir);
        }
        ReplaceFiles(files);
        if (!a.quiet) {
            if (a.fms)
                std::cout << "Wrote " << PathText(*a.fms) << ": " << scene.plans.front().pair.Key() << ", "
                          << scene.plans.front().points.size() + 2 << " waypoints\n";
            else
                std::cout << "Wrote " << files.size() << (files.size() == 1 ? " flight plan" : " flight plans")
                          << " to " << PathText(*a.fmsDir) << '\n';
        }
        return ExitOk;
    }
    if (a.all) WritePlansCsv(scene, scene.plans, std::cout);
    else WritePlanText(scene, scene.plans.front(), std::cout);
    return ExitOk;
}

}  // namespace

int PlanCommand(const Arguments& a) {
    if (auto fault = PlanUsageFault(a)) return UsageError(a, *fault);
    if (auto refused = RefuseCompileOptions(a, "plan")) return *refused;
    try {
        ValidateSetName(a.positional[1]);
    } catch (const TarnwellError& e) {
        return UsageError(a, e.What());
    }
    try {
        return Run(a);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return ExitFailed;
    }
}

}  // namespace tarnwell::cli
