#pragma once
// The airway route finder: a depth-first search with branch-and-bound over
// the high-altitude airway network, and the assembly that tries four
// searches before handing a city pair to the point-to-point planner.

#include <array>
#include <cstdint>
#include <vector>

#include "common/FixedText.h"
#include "navdata/NavRecords.h"

namespace tarnwell {

struct ProgramState;
class Port;

// The smaller angle between two directions: |A - B|, folded back below 180.
// For two directions in 0..360 the result lies in 0..180.
float AngleDiff(float A, float B);

inline constexpr std::int32_t RouteEntryCapacity = 200;   // route entries 0 to 199
inline constexpr std::int32_t VisitedCapacity = 100001;   // visited list entries 0 to 100000
inline constexpr std::int32_t SearchPathCapacity = 5001;  // path entries 0 to 5000
inline constexpr std::int32_t SearchTimeLimitMs = 3000;

// One leg of the chain being searched.
struct PathLeg {
    std::int32_t ToNode = 0;
    std::int32_t FromNode = 0;
    FixedText<5> AirwayName;
};

// Everything the route finder keeps between its calls. It lives for the whole
// run; each plan and each search re-initialise what they use.
struct RouteFinderState {
    RouteFinderState();

    // The route entries, the finder's output. A producer sets RouteCount to
    // the index of the route's last entry; the plan stores entries 1 to
    // RouteCount - 1.
    std::array<char, RouteEntryCapacity> RouteType{};
    std::array<std::int32_t, RouteEntryCapacity> RouteRef{};
    std::array<FixedText<5>, RouteEntryCapacity> RouteAirway{};
    std::array<float, RouteEntryCapacity> RouteLat{};
    std::array<float, RouteEntryCapacity> RouteLon{};
    std::int16_t RouteCount = 0;
    // Blank texts and zero numbers in all 200 entries.
    void ClearRouteEntries();

    // 0 while routing over airways, 2 once the point-to-point planner took over.
    std::int16_t RouteMode = 0;
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
};

// One complete search from node `Start` towards the target node. Success
// shows as MaxRouteDist below the initial budget; the route entries then hold
// the shortest route found.
void SearchAirways(ProgramState& state, Port& port, std::int32_t Start);

// Visits `Node`, reached `Dist` NM from the start, and what lies beyond it.
void SearchNode(ProgramState& state, Port& port, std::int32_t Node, float Dist);

// Copies the chain of legs SearchPath[1 .. PathLen - 1] into the route entries.
void StoreAirwayRoute(RouteFinderState& finder);

// Up to four airway searches from the origin node (`Start`) to the target
// set in the finder (the second and fourth with another target, the third
// and fourth from another origin), then the point-to-point planner. Errors of
// the nearest-node searches reach the caller.
void AssembleRoute(ProgramState& state, Port& port, std::int32_t Start);

}  // namespace tarnwell
