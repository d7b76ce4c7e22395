#pragma once
// The tables that live for the whole run of the program. The step table
// hands each step the tables it reads and writes; nothing else is shared
// between steps.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "navdata/AirportDatabase.h"
#include "navdata/NavRecords.h"
#include "navdata/NavigationData.h"
#include "plans/CityPairs.h"
#include "records/AirlineRecord.h"
#include "records/IndexAirportRecord.h"
#include "records/RouteRecord.h"
#include "records/ScheduleRecord.h"
#include "routeset/AirportInfo.h"
#include "routeset/DataFiles.h"

namespace tarnwell {

struct ProgramState {
    explicit ProgramState(std::filesystem::path programFolder) : ProgramFolder(std::move(programFolder)) {}

    // The program's own folder, below which Data, Data/Defaults and KRplans lie.
    std::filesystem::path ProgramFolder;
    std::filesystem::path DataFolder() const { return ProgramFolder / "Data"; }
    std::filesystem::path DefaultsFolder() const { return ProgramFolder / "Data" / "Defaults"; }
    std::filesystem::path PlanFolder() const;
    std::filesystem::path AddFilePath() const;
    std::filesystem::path UniqueRoutesPath() const;
    std::filesystem::path PlanLogPath() const;

    // Schedule tables. The upper bounds are the highest index in use (-1 when empty).
    std::vector<ScheduleRecord> Schedule;
    std::vector<ScheduleRecord> AddSchedule;
    std::vector<RouteRecord> Routes;
    bool HasAddSchedule() const { return !AddSchedule.empty(); }
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
    std::vector<AltitudeEntry> Altitudes;  // at most AltitudeCapacity entries
    std::vector<AirportInfoRecord> AirportInfo;
    std::int32_t NavennaAirportUBound() const { return static_cast<std::int32_t>(NavennaAirports.size()) - 1; }
    std::int32_t AltitudeUBound() const { return static_cast<std::int32_t>(Altitudes.size()) - 1; }

    // The real-world airline list loaded at start-up, and the route set's airlines.
    std::vector<AirlineRecord> RealAirlines;
    std::int32_t RealAirlineUBound() const { return static_cast<std::int32_t>(RealAirlines.size()) - 1; }
    AirlineTable AirlineInfo{};

    // The distinct airport codes of the timetable the last real-world merge
    // read, in code order.
    std::vector<FixedText<3>> MergeAirportCodes;
    std::int32_t MergeAirportCodeMax() const { return static_cast<std::int32_t>(MergeAirportCodes.size()) - 1; }

    // The navigation airports, loaded at start-up, and the whole navigation
    // database flight planning reads, loaded by every compile and read-only
    // from then on.
    std::vector<NavAirport> NavAirports;
    std::int32_t NavAirportMax() const { return static_cast<std::int32_t>(NavAirports.size()) - 1; }
    std::shared_ptr<const NavigationData> Navigation;

    // The city pairs of the compile, numbered from 1 like their plans; entry 0
    // is an unused placeholder so that UniqueRoutes[i] is plan i.
    std::vector<UniqueRoute> UniqueRoutes;
    std::int32_t UniqueRouteCount() const { return tarnwell::UniqueRouteCount(UniqueRoutes); }
};

}  // namespace tarnwell
