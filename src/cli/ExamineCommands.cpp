// The command line's check and dump commands.

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "examine/RouteSetCheck.h"
#include "examine/RouteSetDump.h"
#include "routeset/RouteSetOutput.h"

namespace fs = std::filesystem;

namespace tarnwell::cli {

namespace {

// Why dump cannot show `name`, or nothing when it names a route-set file (in
// any letter case).
std::optional<std::string> UnknownFileName(std::string_view name) {
    std::string names;
    for (const std::string_view file : DumpableRouteSetFiles()) {
        if (LowerAscii(file) == LowerAscii(name)) return std::nullopt;
        names += (names.empty() ? "" : ", ") + std::string(file);
    }
    return QuotedField(name) + " is not a route-set file; give one of " + names;
}

}  // namespace

int CheckCommand(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError(a, "check needs exactly one route set NAME");
    if (auto refused = RefuseCompileOptions(a, "check")) return *refused;
    try {
        ValidateSetName(a.positional[1]);
    } catch (const TarnwellError& e) {
        return UsageError(a, e.What());
    }
    const fs::path root = ProgramFolder(a);
    RouteSetCheckResult result;
    try {
        FinishInterruptedCommitIfIdle(root / "Data");
        result = CheckRouteSet(root, a.positional[1]);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return ExitFailed;
    }
    const RouteSetSummary& s = result.summary;
    std::cout << "Route set: " << PathText(RouteSetFolder(root, a.positional[1])) << '\n'
              << "Airports: " << s.airports << " (" << s.airportsWithoutRunways << " without runway data)\n"
              << "Routes: " << s.routes << '\n'
              << "Airlines: " << s.airlines << '\n'
              << "Plans: " << s.plans << " (" << s.airwayPlans << " airway, " << s.pointToPointPlans
              << " point-to-point, " << s.emptyPlans << " empty)\n";
    if (result.problems.empty()) {
        std::cout << "No problems found.\n";
        return ExitOk;
    }
    std::cout << result.problems.size() << (result.problems.size() == 1 ? " problem:\n" : " problems:\n");
    for (const std::string& problem : result.problems) std::cout << problem << '\n';
    return ExitFailed;
}

int DumpCommand(const Arguments& a) {
    if (a.positional.size() != 3) return UsageError(a, "dump needs a route set NAME and a FILE");
    if (auto refused = RefuseCompileOptions(a, "dump")) return *refused;
    try {
        ValidateSetName(a.positional[1]);
    } catch (const TarnwellError& e) {
        return UsageError(a, e.What());
    }
    if (auto unknown = UnknownFileName(a.positional[2])) return UsageError(a, *unknown);
    try {
        FinishInterruptedCommitIfIdle(ProgramFolder(a) / "Data");
        DumpRouteSetFile(ProgramFolder(a), a.positional[1], a.positional[2], std::cout);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return ExitFailed;
    }
    return ExitOk;
}

}  // namespace tarnwell::cli
