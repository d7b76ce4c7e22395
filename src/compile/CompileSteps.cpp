#include "compile/CompileSteps.h"

#include <array>
#include <stdexcept>
#include <string>

#include "airports/AirportLookup.h"
#include "airports/ArrivalLists.h"
#include "airports/CrossMatch.h"
#include "airports/IndexAirports.h"
#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "examine/RouteSetCheck.h"
#include "plans/CityPairs.h"
#include "plans/FlightPlans.h"
#include "routeset/AirportInfo.h"
#include "routeset/DataFiles.h"
#include "routeset/RouteMiles.h"
#include "timetable/RouteTable.h"
#include "timetable/ScheduleInput.h"
#include "timetable/ScheduleSort.h"

namespace tarnwell {

namespace {

// The compiled set is kept only when every airport's departure block and
// arrival list hold exactly its routes.
void RefuseBrokenLayout(const std::filesystem::path& staged) {
    const std::vector<std::string> problems = CheckDeparturesAndArrivals(staged);
    if (problems.empty()) return;
    throw TarnwellError(ErrorKind::Input, "the compiled route set breaks its own layout, so it was not saved: " +
                                              problems.front() +
                                              (problems.size() > 1 ? " (and " + std::to_string(problems.size() - 1) +
                                                                         " more problems)"
                                                                   : ""));
}

const std::array<CompileStep, 15> Steps = {{
    {"Getting VA Data", "GetVAData",
     [](CompileRun& r) {
         if (GetVAData(r.request.timetable, r.state.AddFilePath(), r.state.Schedule, r.state.AddSchedule))
             r.usedAddFile = r.state.AddFilePath();
     }},
    {"Sorting VA Data", "SortVAData",
     [](CompileRun& r) { SortVAData(r.state.Schedule, r.state.AddSchedule, r.port); }},
    {"Moving Data to Routes", "MoveDataToRoutes",
     [](CompileRun& r) { r.state.Routes = MoveDataToRoutes(r.state.Schedule); }},
    {"Finding Index Airports", "FindIndexAirports",
     [](CompileRun& r) { r.state.IndexAirports = FindIndexAirports(r.state.Schedule); }},
    {"Looking up Index Airport Information", "LookupIndexAirports",
     [](CompileRun& r) { LookupIndexAirports(r.state.IndexAirports, r.state.NavAirports, r.port); }},
    {"Cross matching Index to Routes", "MatchIndexToRoutes",
     [](CompileRun& r) { MatchIndexToRoutes(r.state.IndexAirports, r.state.Routes, r.port); }},
    {"Cross Matching Routes to Index", "MatchRoutesToIndex",
     [](CompileRun& r) { MatchRoutesToIndex(r.state.Routes, r.state.IndexAirports, r.port); }},
    {"Create Flight Plan Unique Routes", "CreateUniqueRoutes",
     [](CompileRun& r) { CreateUniqueRoutes(r.state.Routes, r.state.IndexAirports, r.state.UniqueRoutesPath()); }},
    {"Loading Flight Plan Data", "LoadFlightPlanData",
     [](CompileRun& r) {
         r.state.Navigation = LoadNavigationData(r.state.DataFolder(), r.state.NavAirports, r.port);
         r.state.UniqueRoutes = LoadUniqueRoutes(r.state.UniqueRoutesPath());
     }},
    {"Erasing Old Flight Plan Data", "EraseOldPlans",
     [](CompileRun& r) { EraseOldPlans(r.state.PlanFolder(), r.state.UniqueRouteCount()); }},
    {"Creating Flight Plans", "CreateFlightPlans, PackPlans",
     [](CompileRun& r) {
         const BuiltPlans plans = CreateFlightPlans(*r.state.Navigation, r.state.UniqueRoutes, r.state.PlanFolder(),
                                                    r.state.PlanLogPath(), r.request.jobs, r.port, r.port);
         PackPlans(plans, r.state.UniqueRoutes, r.state.PlanFolder(), r.routeSet.File(PackedPlansFileName), r.port);
     }},
    {"Matching Flight Plans to Routes", "MatchPlansToRoutes",
     [](CompileRun& r) { MatchPlansToRoutes(r.state.Routes, r.state.UniqueRoutes, r.port); }},
    {"Creating Arrivals Pointers", "CreateArrivalsPointers",
     [](CompileRun& r) {
         WriteFileBytes(r.routeSet.File(ArrivalsFileName), CreateArrivalsPointers(r.state.IndexAirports, r.state.Routes));
     }},
    {"Calculating Orvanta Miles", "CalcRouteMiles",
     [](CompileRun& r) { CalcRouteMiles(r.state.Routes, r.state.IndexAirports); }},
    {"Writing Data Files", "WriteDataFiles, BuildAirportInfo",
     [](CompileRun& r) {
         // The airline's code and name go into records, which hold the ANSI code page.
         WriteDataFiles(r.routeSet, r.state.IndexAirports, r.state.Routes, r.state.AirlineInfo,
                        Utf8ToAnsi(r.request.airlineCode), Utf8ToAnsi(r.request.airlineName));
         BuildAirportInfo(r.routeSet, r.state.DataFolder(), r.state.IndexAirports, r.state.NavennaAirports,
                          r.state.Altitudes, r.state.AirportInfo, r.port);
         RefuseBrokenLayout(r.routeSet.StagingFolder());
     }},
}};

}  // namespace

std::span<const CompileStep> CompileSteps() { return Steps; }

const CompileStep& CompileStepNamed(std::string_view status) {
    for (const CompileStep& step : Steps)
        if (status == step.status) return step;
    throw std::logic_error("no compile step shows \"" + std::string(status) + "\"");
}

}  // namespace tarnwell
