#include "examine/RouteSetCheck.h"

#include <string>
#include <system_error>

#include "common/BinaryIO.h"
#include "examine/check/AptLayoutCheck.h"
#include "examine/check/ArrivalListCheck.h"
#include "examine/check/DepartureBlockCheck.h"
#include "examine/check/PlanFileCheck.h"
#include "examine/check/ProblemText.h"
#include "examine/check/RouteLinkCheck.h"
#include "examine/check/RouteSetFiles.h"
#include "examine/check/SummaryCounts.h"
#include "records/RecordLayouts.h"
#include "routeset/RouteSetOutput.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

using namespace routesetcheck;

constexpr std::size_t AirlineCount = 11;

// Airport by airport in index order, the departure block, the arrival list
// and the runway data, so that each airport's problems come together.
void CheckAirports(const RouteSetFiles& files, ProblemLines& problems) {
    ArrivalListCheck arrivals(files, problems);
    AptLayoutCheck apt(files, problems);
    for (std::size_t k = 0; k < files.airports.size(); ++k) {
        if (files.routesFile) CheckDepartureBlock(files, k, problems);
        if (files.arrivals) arrivals.CheckAirport(k);
        if (files.apt) apt.CheckAirport(k);
    }
    if (files.arrivals) arrivals.CheckFileEnd();
    if (files.apt) apt.CheckFileEnd();
}

void CheckAirlineFileLength(const RouteSetFiles& files, ProblemLines& problems) {
    if (files.airlines && files.airlines->size() != AirlineCount * AirlineRecordLength)
        problems.push_back("airline.kr1: " + std::to_string(files.airlines->size()) +
                           " bytes, not the 11 66-byte records (726 bytes)");
}

}  // namespace

fs::path RouteSetFolder(const fs::path& programFolder, const std::string& setName) {
    ValidateSetName(setName);
    // The folder the compile commits to.
    return SetFolderPath(programFolder / "Data", setName);
}

std::vector<std::string> CheckDeparturesAndArrivals(const fs::path& folder) {
    ProblemLines problems;
    const RouteSetFiles files = ReadRouteSetFiles(folder, problems);
    problems.clear();  // only what the two checks find counts here
    ArrivalListCheck arrivals(files, problems);
    for (std::size_t k = 0; k < files.airports.size(); ++k) {
        if (files.routesFile) CheckDepartureBlock(files, k, problems);
        if (files.arrivals) arrivals.CheckAirport(k);
    }
    if (files.arrivals) arrivals.CheckFileEnd();
    return problems;
}

RouteSetCheckResult CheckRouteSet(const fs::path& programFolder, const std::string& setName) {
    const fs::path folder = RouteSetFolder(programFolder, setName);
    RouteSetCheckResult result;
    ProblemLines& problems = result.problems;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        problems.push_back(PathText(folder) + ": there is no route set folder of this name");
        return result;
    }
    const RouteSetFiles files = ReadRouteSetFiles(folder, problems);
    result.summary = CountRouteSet(files);
    CheckAirports(files, problems);
    CheckRouteLinks(files, problems);
    CheckAirlineFileLength(files, problems);
    if (files.planCount) {
        const PlanKindCounts plans = CheckPlanFile(files, programFolder / "Data", problems);
        result.summary.airwayPlans = plans.airway;
        result.summary.pointToPointPlans = plans.pointToPoint;
        result.summary.emptyPlans = plans.empty;
    }
    return result;
}

}  // namespace tarnwell
