#pragma once
// The high and low airway networks the route finder searches, built from the
// airway segments of the source files.

#include <cstdint>
#include <vector>

#include "navdata/AirwayNetwork.h"
#include "navdata/NavRecords.h"
#include "navimport/ImportRegion.h"
#include "navimport/SourceRecords.h"

namespace tarnwell {

// What building one airway network came to.
struct AirwayNetworkBuild {
    AirwayNetwork network;
    std::int64_t nodesOutsideRegion = 0;  // points of the network's segments outside the region
    std::int64_t nodesOverCapacity = 0;   // points left out because the network was full
    std::int64_t legsOverCapacity = 0;    // legs left out because their node had 76 already
};

// Builds the high (`high` true) or low network from the segments: a node is
// a distinct identifier and position inside the region, numbered in the order
// the segments first name it; legs run both ways unless the segment is one
// way, and carry the first of the segment's airway names (cut to 5
// characters), the length and course the route finder computes. A second
// segment between the same two points adds no leg. Beyond `capacity` nodes
// the nodes nearest the region's centre are kept; beyond 76 legs a node keeps
// its shortest. With `strict` either throws TarnwellError(ErrorKind::Overflow).
AirwayNetworkBuild BuildAirwayNetwork(const std::vector<SourceAirwaySegment>& segments, bool high,
                                      const ImportRegion& region, std::int32_t capacity, bool strict);

}  // namespace tarnwell
