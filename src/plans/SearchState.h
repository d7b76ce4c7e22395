#pragma once
// The working state of one route finder: the trip, the current origin and
// target nodes, the airway search's budget, path and visited list, and the
// route entries it produces. Each plan builder (each worker) has its own;
// nothing in it is shared.

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "common/FixedText.h"
#include "navdata/AirwayNetwork.h"

namespace tarnwell {

inline constexpr std::int32_t RouteEntryCapacity = 200;   // route entries 0 to 199
inline constexpr std::int32_t VisitedCapacity = 100001;   // visited list entries 0 to 100000
inline constexpr std::int32_t SearchPathCapacity = 5001;  // path entries 0 to 5000
inline constexpr std::int32_t SearchTimeLimitMs = 3000;

// How a route is being made.
enum class RouteMode : std::int16_t {
    Airways = 0,       // over the high-altitude airways
    PointToPoint = 2,  // from navaid to navaid, once the airway searches failed
};

// What a route entry (and a stored plan entry) points at.
enum class PointKind : char {
    None = ' ',
    AirwayNode = 'H',    // a node of the high-altitude network
    Vor = 'V',
    Ndb = 'N',
    Intersection = 'I',
};

// One entry of a route: RouteRef is the node number for an airway node, the
// position in its table for a navaid; RouteAirway the airway flown from an
// airway node.
struct RouteEntry {
    PointKind RouteType = PointKind::None;
    std::int32_t RouteRef = 0;
    FixedText<5> RouteAirway{std::string_view("")};
    float RouteLat = 0.0f;
    float RouteLon = 0.0f;
};

// One leg of the chain being searched.
struct PathLeg {
    std::int32_t ToNode = 0;
    std::int32_t FromNode = 0;
    FixedText<5> AirwayName;
};

struct SearchState {
    SearchState();

    // The route entries, the finder's output. A producer sets RouteCount to
    // the index of the route's last entry; a plan stores entries 1 to
    // RouteCount - 1.
    std::array<RouteEntry, RouteEntryCapacity> RouteEntries{};
    std::int16_t RouteCount = 0;
    // Blank texts and zero numbers in all 200 entries.
    void ClearRouteEntries();

    RouteMode Mode = RouteMode::Airways;
    // How many airway searches the last assembly ran (1 to 4; 4 as well when
    // the point-to-point planner then made the route).
    std::int16_t AirwaySearches = 0;

    // The trip: the departure and arrival airports.
    float DepLatitude = 0.0f;
    float DepLongitude = 0.0f;
    float ArrLatitude = 0.0f;
    float ArrLongitude = 0.0f;

    // The current origin and target nodes of the airway search.
    FixedText<7> OriginIdent;
    float OriginLat = 0.0f;
    float OriginLon = 0.0f;
    FixedText<7> TargetIdent;
    float TargetLat = 0.0f;
    float TargetLon = 0.0f;
    // Copies the node's identifier and position into the origin (target) fields.
    void SetOrigin(const AirwayNode& node);
    void SetTarget(const AirwayNode& node);

    // The search. A chain must stay strictly below MaxRouteDist, which drops
    // to the length of every route found; the time limit counts from the
    // start of the search or the last route found.
    float MaxRouteDist = 0.0f;
    std::int32_t VisitCount = 0;
    std::vector<PathLeg> SearchPath;
    std::int32_t PathLen = 1;
    std::uint32_t SearchStartTicks = 0;
    std::int32_t SearchTimeLimit = SearchTimeLimitMs;

    // The visited list kept as the shortest arrival at each node in this
    // search (indexed by node number): a node arriving no shorter than an
    // earlier arrival is turned away, exactly as a scan of every visit
    // recorded so far would. VisitCount still counts every recorded visit.
    std::vector<float> ShortestArrival;
    std::vector<std::int32_t> ArrivedNodes;

    // The distance and course from each node to the target, measured at the
    // node's first visit in a search and reused when it is visited again
    // (the target does not move within a search).
    struct TargetBearing {
        float remaining = 0.0f;
        float course = 0.0f;
        std::uint32_t search = 0;  // the search it was measured in
        bool fault = false;        // GetDistance failed
    };
    std::vector<TargetBearing> ToTarget;
    std::uint32_t SearchNumber = 0;

    // The nearest nodes found so far, by the position asked about and the
    // excluded position (bit patterns): the answer depends on nothing else,
    // and a worker meets the same airports again and again. They belong to
    // the navigation data named here; a state used with other data forgets them.
    struct NearestQuery {
        std::uint32_t lat, lon, exceptLat, exceptLon;
        bool except;
        friend bool operator==(const NearestQuery&, const NearestQuery&) = default;
    };
    struct NearestQueryHash {
        std::size_t operator()(const NearestQuery& q) const {
            std::uint64_t h = (std::uint64_t{q.lat} << 32 | q.lon) * 0x9E3779B97F4A7C15ull;
            h ^= (std::uint64_t{q.exceptLat} << 32 | q.exceptLon) + (q.except ? 0x632BE59BD9B4E019ull : 0) + (h >> 29);
            return static_cast<std::size_t>(h * 0xBF58476D1CE4E5B9ull ^ (h >> 31));
        }
    };
    std::unordered_map<NearestQuery, std::int32_t, NearestQueryHash> NearestNodes;
    const void* NearestNodesOf = nullptr;
};

}  // namespace tarnwell
