#pragma once
// Loading the navigation database from the Data folder.

#include <filesystem>
#include <vector>

#include "common/Progress.h"
#include "navdata/AirwayNetwork.h"
#include "navdata/NavRecords.h"

namespace tarnwell {

inline constexpr const char* NavAirportFileName = "nav_APT.bin";
inline constexpr const char* VorFileName = "nav_VOR.bin";
inline constexpr const char* NdbFileName = "nav_NDB.bin";
inline constexpr const char* IntersectionFileName = "nav_ISC.bin";
inline constexpr const char* HighNodeFileName = "HighAlt.ab1";
inline constexpr const char* LowNodeFileName = "LowAlt.ab1";

// Each loader gives the file's records from `dataFolder`. nav_APT.bin,
// nav_VOR.bin, nav_NDB.bin and nav_ISC.bin must exist and hold at least one
// whole record; a missing, empty or ragged file is an error naming it.
std::vector<NavAirport> LoadNavAirports(const std::filesystem::path& dataFolder);
std::vector<NavAid> LoadVors(const std::filesystem::path& dataFolder);
std::vector<NavAid> LoadNdbs(const std::filesystem::path& dataFolder);
std::vector<Intersection> LoadIntersections(const std::filesystem::path& dataFolder);

// The airway networks HighAlt.ab1 and LowAlt.ab1. A missing file is an empty
// network; a LegCount outside 0..76, a node cut short by the end of the file
// or more nodes than the table holds (15500 high, 14500 low) is an error.
// Window events are let through every 500 nodes.
AirwayNetwork LoadHighNodes(const std::filesystem::path& dataFolder, Progress& progress);
AirwayNetwork LoadLowNodes(const std::filesystem::path& dataFolder, Progress& progress);

}  // namespace tarnwell
