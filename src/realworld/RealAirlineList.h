#pragma once
// The real-world airline list Data/airline.kr1, loaded at start-up: the
// airlines the picker offers.

#include <filesystem>
#include <vector>

#include "common/Progress.h"
#include "records/AirlineRecord.h"

namespace tarnwell {

inline constexpr const char* RealAirlineListName = "airline.kr1";

// Reads the list from `dataFolder`. A missing or empty file gives an empty
// list and a warning; a length that is not a whole number of records is an
// error.
std::vector<AirlineRecord> LoadRealAirlines(const std::filesystem::path& dataFolder, Progress& progress);

}  // namespace tarnwell
