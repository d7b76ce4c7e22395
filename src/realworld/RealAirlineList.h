#pragma once
// The real-world airline list Data/airline.kr1, loaded at start-up: the
// airlines the picker offers.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "common/Progress.h"
#include "records/AirlineRecord.h"

namespace tarnwell {

inline constexpr const char* RealAirlineListName = "airline.kr1";

// The most airlines the list is read with: over five times the 17,576
// three-letter airline codes there can be (6.6 MB of records).
inline constexpr std::int32_t RealAirlineCapacity = 100000;

// Reads the list from `dataFolder`. A missing or empty file gives an empty
// list and a warning; a length that is not a whole number of records, or
// more than RealAirlineCapacity records, is an error.
std::vector<AirlineRecord> LoadRealAirlines(const std::filesystem::path& dataFolder, Progress& progress);

}  // namespace tarnwell
