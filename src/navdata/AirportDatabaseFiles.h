#pragma once
// Loading the airport database's airport file and the altitude list from the
// Data folder.

#include <filesystem>
#include <vector>

#include "navdata/AirportDatabase.h"

namespace tarnwell {

inline constexpr const char* NavennaAirportFileName = "nv_apt1.nv2";
inline constexpr const char* NavennaValuesFileName = "nv_apt2.nv2";
inline constexpr const char* NavennaRunwayFileName = "nv_apt3.nv2";
inline constexpr const char* AltitudeFileName = "Altitudes.txt";

// "Loading Navenna Airports": nv_apt1.nv2. A missing or empty file, or one
// that is not a whole number of records, is an error.
std::vector<NavennaAirportRecord> LoadNavennaAirports(const std::filesystem::path& dataFolder);
// "Loading Altitudes": Altitudes.txt, one code and whole number per line. A
// missing file, a malformed line or more than 22001 entries is an error
// naming the line.
std::vector<AltitudeEntry> LoadAltitudes(const std::filesystem::path& dataFolder);

}  // namespace tarnwell
