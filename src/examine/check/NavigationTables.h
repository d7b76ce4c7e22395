#pragma once
// The navigation files plan entries refer into, by how many nodes or records
// they hold, or why they cannot be read.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tarnwell::routesetcheck {

struct NavigationTable {
    std::string file;  // as shown in messages: "Data/nav_VOR.bin"
    std::optional<std::int64_t> count;
    std::string failure;         // why there is no count
    std::int64_t unchecked = 0;  // plan entries that needed it while it could not be read
};

// Data/<name>, a file of `recordLength`-byte records.
NavigationTable FixedRecordTable(const std::filesystem::path& dataFolder, const char* name,
                                 std::size_t recordLength);

// Data/<name>, an airway network counted by its nodes.
NavigationTable AirwayNodeTable(const std::filesystem::path& dataFolder, const char* name);

}  // namespace tarnwell::routesetcheck
