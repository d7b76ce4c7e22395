#pragma once
// The route set's airport information: altitudes corrected from the altitude
// list, APT.kr1 (runways and frequencies from the airport database) and the
// final index.kr1 with RunwayCount and AptPos.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "common/FixedText.h"
#include "common/Progress.h"
#include "navdata/AirportDatabase.h"
#include "records/IndexAirportRecord.h"
#include "routeset/RouteSetOutput.h"

namespace tarnwell {

// What the airport database holds for one index airport (all 0 when it has nothing).
struct AirportInfoRecord {
    FixedText<4> ICAO;
    std::int32_t RunwayPos = 0;
    std::int32_t ValuesPos = 0;
    std::int32_t RunwayCount = 0;
};


// "Writing Data Files", after WriteDataFiles: loads the airport database
// (NavennaAirports) and the altitude list (Altitudes) from `dataFolder`,
// then FindNavennaData and WriteIndexFile, each under its own status text
// ("Loading Navenna Airports", "Loading Altitudes", "Finding Navenna Data",
// "Writing Index File").
void BuildAirportInfo(RouteSetOutput& routeSet, const std::filesystem::path& dataFolder,
                      std::span<IndexAirportRecord> IndexAirports, std::vector<NavennaAirportRecord>& NavennaAirports,
                      std::vector<AltitudeEntry>& Altitudes, std::vector<AirportInfoRecord>& AirportInfo,
                      Progress& progress);

// "Finding Navenna Data": AirportInfo of every index airport from the first
// database record with its trimmed code; the altitude of the first list entry
// with all four characters of its code. An airport missing from the list
// keeps its altitude and is reported by a warning beep.
void FindNavennaData(std::span<IndexAirportRecord> IndexAirports, std::span<const NavennaAirportRecord> NavennaAirports,
                     std::span<const AltitudeEntry> Altitudes, std::vector<AirportInfoRecord>& AirportInfo,
                     Progress& progress);

// "Writing Index File": APT.kr1 and index.kr1 into the route set, then a
// beep. A database position outside nv_apt2.nv2 or nv_apt3.nv2 of
// `dataFolder` (or a missing file) is an error naming the airport and the file.
void WriteIndexFile(RouteSetOutput& routeSet, const std::filesystem::path& dataFolder,
                    std::span<const IndexAirportRecord> IndexAirports, std::span<const AirportInfoRecord> AirportInfo,
                    Progress& progress);

}  // namespace tarnwell
