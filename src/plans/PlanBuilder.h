#pragma once
// Building one flight plan: the airports' positions, the nearest airway
// nodes, the route finder, and the plan file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <span>

#include "common/BinaryIO.h"
#include "common/FixedText.h"
#include "navdata/NavRecords.h"

namespace tarnwell {

struct ProgramState;
class Port;

// The nearest node of an airway network to a position, by GetDistance, ties
// to the lowest node number; 0 when there is none. The answer is the one a
// scan of every node gives, found without computing every distance: nodes
// are kept in latitude order, and a node whose latitude alone puts it
// farther than the best distance so far (with a margin far above
// GetDistance's rounding) cannot win. Nodes or positions outside the valid
// latitude and longitude range are always measured (or the whole network
// scanned), so their faults arise just as in the scan.
class NearestNodeIndex {
public:
    struct Exclusion {
        float Latitude;
        float Longitude;
    };

    void Build(const AirwayNetwork& network);
    bool BuiltFor(const AirwayNetwork& network) const {
        return network_ == &network && count_ == network.Count();
    }
    // A node sharing the excluded latitude or longitude is skipped.
    std::int32_t Nearest(const AirwayNetwork& network, float Lat, float Lon,
                         std::optional<Exclusion> except = std::nullopt) const;

private:
    struct Entry {
        double latitude;
        std::int32_t node;
    };
    const AirwayNetwork* network_ = nullptr;
    std::int32_t count_ = -1;
    std::vector<Entry> byLatitude_;
    std::vector<std::int32_t> irregular_;
};

// The nearest-node scan itself, node by node (the index's reference).
std::int32_t NearestNodeByScan(const AirwayNetwork& network, float Lat, float Lon,
                               std::optional<NearestNodeIndex::Exclusion> except = std::nullopt);

// The nearest node of HighNodes; 0 when Mode is not 0 (airway routing) or the
// network is empty.
std::int32_t NearestNode(ProgramState& state, float Lat, float Lon, std::int16_t Mode);
// The same, skipping nodes at the current target's (origin's) latitude or longitude.
std::int32_t NearestNodeExceptTarget(ProgramState& state, float Lat, float Lon);
std::int32_t NearestNodeExceptOrigin(ProgramState& state, float Lat, float Lon);

// The position of the first NavAirports record whose code matches all four
// characters exactly; 0 when none does.
std::int32_t FindNavAirport(const ProgramState& state, const FixedText<4>& ICAO);

// What the plans of one compile share: the KRplans folder (created when
// missing) and a first-match lookup of airport codes.
class PlanBuildContext {
public:
    explicit PlanBuildContext(const ProgramState& state);
    // As FindNavAirport, by hash.
    std::int32_t FindNavAirport(const FixedText<4>& ICAO) const;

private:
    std::unordered_map<std::uint32_t, std::int32_t> firstByCode_;
};

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

// The plan file of plan `number`: KRplans/<number>.krp below the program folder.
std::filesystem::path PlanFilePath(const ProgramState& state, std::int32_t number);

struct PlanBuildResult {
    bool built = false;
    std::int32_t entryCount = 0;  // stored entries, or RouteCount - 1 when the build failed
    std::string failure;          // why the build failed
};

// Builds the plan of one city pair into its plan file. An older file of the
// same number is deleted first, so a failed build leaves no plan behind; a
// failure of the build itself is returned, not thrown.
PlanBuildResult BuildPlan(ProgramState& state, Port& port, const PlanBuildContext& context, const UniqueRoute& route);

}  // namespace tarnwell
