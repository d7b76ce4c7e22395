#pragma once
// A flight plan as it is stored: one file per city pair in the KRplans
// folder, and the same bytes as a block of the route set's PLANS.kr1.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "common/BinaryIO.h"
#include "common/FixedText.h"

namespace tarnwell {

// The folder of the plan files, below the program folder.
inline constexpr const char* PlanFolderName = "KRplans";

// One stored plan entry (10 bytes): "H" an airway node (PointRef its node
// number, AirwayName the airway flown from it), "V", "N" or "I" a VOR, NDB or
// intersection (PointRef its position in its table, AirwayName blank).
struct PlanPoint {
    char PointType = ' ';
    std::int32_t PointRef = 0;
    FixedText<5> AirwayName;

    friend bool operator==(const PlanPoint&, const PlanPoint&) = default;
};

inline constexpr std::size_t PlanPointLength = 10;
inline constexpr std::int32_t PlanPointCapacity = 200;  // the most entries a plan may hold

void EncodePlanPoint(const PlanPoint& point, std::span<std::uint8_t> record);
PlanPoint DecodePlanPoint(std::span<const std::uint8_t> record);
// A plan file (and a block of PLANS.kr1): the 16-bit entry count, then the entries.
Bytes EncodePlan(std::span<const PlanPoint> points);

// The number of plans of a packed PLANS.kr1, read from its first position,
// which points right behind the table of one position per plan: 0 for an
// empty file, nothing when the first position cannot be that (not 4 n + 1
// for some n of at least 1, or beyond the file).
std::optional<std::int64_t> PackedPlanCount(std::span<const std::uint8_t> packed);

// The plan file of plan `number`: <number>.krp in the plan folder.
std::filesystem::path PlanFilePath(const std::filesystem::path& planFolder, std::int32_t number);

}  // namespace tarnwell
