#pragma once
// The tables that live for the whole run of the program. Every step of the
// compile is a function of this state (and of the port); nothing else is
// shared between steps.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "plans/PlanBuilder.h"
#include "navdata/NavRecords.h"
#include "records/IndexAirportRecord.h"
#include "records/AirlineRecord.h"
#include "navdata/AirportDatabase.h"
#include "routeset/AirportInfo.h"
#include "plans/AirwaySearch.h"
#include "routeset/RouteSetOutput.h"
#include "records/ScheduleRecord.h"

namespace tarnwell {

struct ProgramState {
    explicit ProgramState(std::filesystem::path programFolder) : ProgramFolder(std::move(programFolder)) {}

    // The program's own folder, below which Data, Data/Defaults and KRplans lie.
    std::filesystem::path ProgramFolder;
    std::filesystem::path DataFolder() const { return ProgramFolder / "Data"; }
    std::filesystem::path DefaultsFolder() const { return ProgramFolder / "Data" / "Defaults"; }

    // The main window's text boxes, taken when a compile starts.
    std::string airlineIATA;
    std::string airlineNAME;
    std::string setName;

    // Schedule tables. The upper bounds are the highest index in use (-1 when empty).
    std::vector<ScheduleRecord> Schedule;
    std::vector<ScheduleRecord> AddSchedule;
    bool HasAddSchedule = false;
    std::vector<RouteRecord> Routes;
    std::int32_t ScheduleUBound() const { return static_cast<std::int32_t>(Schedule.size()) - 1; }
    std::int32_t AddScheduleUBound() const { return static_cast<std::int32_t>(AddSchedule.size()) - 1; }
    std::int32_t RouteUBound() const { return static_cast<std::int32_t>(Routes.size()) - 1; }

    // Index airports, in code order; an airport's position is its index number.
    std::vector<IndexAirportRecord> IndexAirports;
    std::int32_t IndexUBound() const { return static_cast<std::int32_t>(IndexAirports.size()) - 1; }

    // The airport database and the altitude list, reloaded by every compile,
    // and what the database holds for each index airport (indexed like
    // IndexAirports).
    std::vector<NavennaAirportRecord> NavennaAirports;
    std::int32_t NavennaAirportUBound() const { return static_cast<std::int32_t>(NavennaAirports.size()) - 1; }
    std::vector<AltitudeEntry> Altitudes;  // at most AltitudeCapacity entries
    std::int32_t AltitudeUBound() const { return static_cast<std::int32_t>(Altitudes.size()) - 1; }
    std::vector<AirportInfoRecord> AirportInfo;

    // The real-world airline list loaded at start-up, and the route set's airlines.
    std::vector<AirlineRecord> RealAirlines;
    std::int32_t RealAirlineUBound() const { return static_cast<std::int32_t>(RealAirlines.size()) - 1; }
    std::array<AirlineRecord, 11> AirlineInfo{};

    // The distinct airport codes of the timetable the last real-world merge
    // read, in code order.
    std::vector<FixedText<3>> MergeAirportCodes;
    std::int32_t MergeAirportCodeMax() const { return static_cast<std::int32_t>(MergeAirportCodes.size()) - 1; }

    // Navigation data. The airport table is loaded at start-up, the others by
    // every compile. The fixed-record tables are indexed from 0 and their Max
    // is the last index; the airway networks are numbered from 1 and their
    // Count is the number of nodes.
    std::vector<NavAirport> NavAirports;
    std::vector<NavAid> Vors;
    std::vector<NavAid> Ndbs;
    std::vector<Intersection> Intersections;
    AirwayNetwork HighNodes;
    AirwayNetwork LowNodes;
    std::int32_t NavAirportMax() const { return static_cast<std::int32_t>(NavAirports.size()) - 1; }
    std::int32_t VorMax() const { return static_cast<std::int32_t>(Vors.size()) - 1; }
    std::int32_t NdbMax() const { return static_cast<std::int32_t>(Ndbs.size()) - 1; }
    std::int32_t IntersectionMax() const { return static_cast<std::int32_t>(Intersections.size()) - 1; }
    std::int32_t HighNodeCount() const { return HighNodes.Count(); }
    std::int32_t LowNodeCount() const { return LowNodes.Count(); }
    // The nearest-node index of HighNodes, rebuilt whenever the network is loaded.
    NearestNodeIndex HighNodeIndex;

    // The city pairs of the compile, numbered from 1 like their plans; entry 0
    // is an unused placeholder so that UniqueRoutes[i] is plan i.
    std::vector<UniqueRoute> UniqueRoutes;
    std::int32_t UniqueRouteCount() const {
        return UniqueRoutes.empty() ? 0 : static_cast<std::int32_t>(UniqueRoutes.size()) - 1;
    }

    // The route finder's state; it keeps the values of the last plan built.
    RouteFinderState Finder;

    // The route-set folder the running compile writes into.
    RouteSetOutput RouteSet;
};

}  // namespace tarnwell
