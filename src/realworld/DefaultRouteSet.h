#pragma once
// The real-world route set Data/Defaults/Routes.kr1 and index.kr1: the
// real-world flights the merge picks from.

#include <filesystem>
#include <span>

#include "records/IndexAirportRecord.h"
#include "records/RouteRecord.h"

namespace tarnwell {

inline constexpr const char* DefaultsFolderName = "Defaults";
inline constexpr const char* DefaultRoutesName = "Routes.kr1";
inline constexpr const char* DefaultIndexName = "index.kr1";

// "Writing Data Files" of the real-world route set: both files into the
// Defaults folder of `dataFolder` (created when missing), written beside the
// old ones and replacing them only when both are complete.
void WriteDefaultRouteSet(const std::filesystem::path& dataFolder, std::span<const RouteRecord> Routes,
                          std::span<const IndexAirportRecord> IndexAirports);

}  // namespace tarnwell
