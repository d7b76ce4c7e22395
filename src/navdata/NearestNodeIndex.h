#pragma once
// The nearest node of an airway network to a position.

#include <cstdint>
#include <optional>
#include <vector>

#include "navdata/AirwayNetwork.h"

namespace tarnwell {

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

    // Builds the index of `network`, which every Nearest call must then be given.
    void Build(const AirwayNetwork& network);
    // A node sharing the excluded latitude or longitude is skipped.
    std::int32_t Nearest(const AirwayNetwork& network, float Lat, float Lon,
                         std::optional<Exclusion> except = std::nullopt) const;

private:
    struct Entry {
        double latitude;
        std::int32_t node;
    };
    std::vector<Entry> byLatitude_;
    std::vector<std::int32_t> irregular_;
};

// The nearest-node scan itself, node by node (the index's reference).
std::int32_t NearestNodeByScan(const AirwayNetwork& network, float Lat, float Lon,
                               std::optional<NearestNodeIndex::Exclusion> except = std::nullopt);

}  // namespace tarnwell
