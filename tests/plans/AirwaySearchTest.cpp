// The airway search on small networks with known answers and against the
// literal search on random networks; route assembly, which runs up to four
// searches between the nearest nodes and then falls back to point-to-point.

#include <gtest/gtest.h>

#include <random>

#include "plans/AirwaySearchSupport.h"
#include "plans/RouteAssembly.h"

namespace tarnwell {
namespace {

using testing::NetBuilder;

// The course from 50 N 0 E to 50 N 1 E, where most targets lie, and a very short leg.
const float CourseEast = testing::CourseTo(50, 0, 50, 1);
const float Unit = 1.0f / 65536;

// S -> A -> C -> T (nodes 1 3 4 5) is straight on course and found first;
// S -> B -> T (1 2 5) is shorter and replaces it.
const NetBuilder Detour{{{"S", 50, 0}, {"B", 50.2f, 1}, {"A", 50, 0.7f}, {"C", 50, 1.4f}, {"T", 50, 2}},
                        {{1, 3, "UA", 30}, {1, 2, "UB"}, {3, 4, "UA", 30}, {4, 5, "UA", 30}, {2, 5, "UB"}}};

// A chain of `legs` short legs from node 1 to the node TARGET.
NetBuilder Chain(int legs) {
    NetBuilder net{{{"N0", 50, 0}}};
    for (int i = 1; i <= legs; ++i) {
        net.nodes.push_back({i == legs ? "TARGET" : "N" + std::to_string(i), 50, i == legs ? 1.0f : 0.0f});
        net.legs.push_back({i, i + 1, "UL1", 0.01f, CourseEast});
    }
    return net;
}

// `levels` steps on from node `head`, each a long and a short leg to the
// next node, weighted so that every arrival is strictly shorter than the one
// before: 2^(levels+1) - 1 visits from the head's on.
void AddSteps(NetBuilder& net, std::int32_t head, int levels) {
    for (int i = 1; i <= levels; ++i) {
        net.nodes.push_back({"N", 50, 0});
        const auto next = static_cast<std::int32_t>(net.nodes.size());
        const std::int32_t from = i == 1 ? head : next - 1;
        net.legs.push_back({from, next, "UL1", Unit * static_cast<float>((1 << (levels - i + 1)) + 1), CourseEast});
        net.legs.push_back({from, next, "UL1", Unit, CourseEast});
    }
}

// Node 1 with 15 steps. Only when they are done do its further legs lead to
// 14 steps more and 1698 dead ends, then to X, which would reach the target
// at the last visit the visited list holds, and to one more dead end.
NetBuilder ManyVisits() {
    NetBuilder net{{{"N0", 50, 0}}};
    AddSteps(net, 1, 15);
    const auto next = [&net](const char* ident, std::int32_t from, float courseOff = 0, float lon = 0) {
        net.nodes.push_back({ident, 50, lon});
        const auto to = static_cast<std::int32_t>(net.nodes.size());
        net.legs.push_back({from, to, "UL2", Unit, CourseEast + courseOff});
        return to;
    };
    AddSteps(net, next("HEAD", 1), 14);
    const auto hub = next("HUB", 1);
    for (int k = 0; k < 1697; ++k) next("END", hub);
    const auto x = next("X", 1, 45);
    next("END", 1, 45);
    next("TARGET", x, 0, 1);
    return net;
}

TEST(AirwaySearch, FindsTheShortestRouteWithinItsBounds) {
    struct Case {
        const char* what;
        NetBuilder net;
        std::int32_t visits, routeCount = 0;  // a route is found when it has entries
        std::uint32_t base = 0, elapsed = 0;        // the clock reads base twice, then base + elapsed
    };
    const Case cases[] = {
        {.what = "a shorter route replaces the first", .net = Detour, .visits = 4, .routeCount = 3, .elapsed = 2999},
        {.what = "past the time limit after the first route", .net = Detour, .visits = 3, .routeCount = 4,
         .elapsed = 3000},
        {.what = "the counter wraps", .net = Detour, .visits = 4, .routeCount = 3, .base = 0xFFFFFF00u,
         .elapsed = 2999},
        {.what = "198 legs", .net = Chain(198), .visits = 198, .routeCount = 199},
        {.what = "199 legs: the target is visited as any node", .net = Chain(199), .visits = 200},
        {.what = "X at the last visit the list holds", .net = ManyVisits(), .visits = VisitedCapacity},
    };
    for (const Case& k : cases) {
        const AirwayNetwork net = k.net.Build();
        SearchState state;
        testing::ScriptedClock clock;
        clock.reading = [&k](int reading) { return reading < 2 ? k.base : k.base + k.elapsed; };
        testing::AimAt(state, net, 1, net.Count());
        SearchAirways(net, state, clock, 1);
        EXPECT_EQ(state.RouteCount, k.routeCount) << k.what;
        EXPECT_EQ(state.MaxRouteDist < InitialBudget(state), k.routeCount > 0) << k.what;
        EXPECT_EQ(state.VisitCount, k.visits) << k.what;
    }
}

TEST(AirwaySearch, MatchesTheLiteralSearchOnRandomNetworks) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> lat(49, 51), lon(0, 3), unit(0, 1);
    const auto below = [&rng](int n) { return static_cast<std::int32_t>(rng() % static_cast<unsigned>(n)); };
    const char* idents[] = {"ALPHA", "BRAVO", "CHARL", "DELTA", "ECHO"};
    // Everything a search leaves behind, the clock readings included.
    const auto outcome = [](const SearchState& f, const testing::ScriptedClock& clock) {
        return std::tuple(f.MaxRouteDist, f.RouteCount, f.VisitCount, clock.readings,
                          testing::Entries(f, 0, RouteEntryCapacity));
    };
    int routes = 0;
    SearchState fast;  // one state for every round, as a plan builder keeps it
    for (int round = 0; round < 3000; ++round) {
        const int nodes = 2 + below(40);
        NetBuilder b;
        for (int i = 0; i < nodes; ++i) {  // some nodes share a position or an identifier
            const bool twin = i > 0 && unit(rng) < 0.1f;
            const testing::NetNode o = twin ? b.At(below(i) + 1) : testing::NetNode{"", lat(rng), lon(rng)};
            b.nodes.push_back({idents[below(5)] + (twin ? "" : std::to_string(below(3))), o.lat, o.lon});
        }
        const std::int32_t start = below(nodes) + 1, target = below(nodes) + 1;
        const testing::NetNode &s = b.At(start), &t = b.At(target);
        float c = 0.0f;
        const float budget = GetDistance(s.lat + 0.1f, s.lon, t.lat, t.lon - 0.1f, c) * 1.25f;
        for (std::int32_t from = 1; from <= nodes; ++from) {
            for (int k = below(7); k > 0; --k) {
                testing::NetLeg leg{from, below(nodes) + 1, "U" + std::to_string(below(4))};
                const float pick = unit(rng);
                if (pick < 0.2f) leg.length = 5.0f * static_cast<float>(below(20) + 1);  // equal lengths
                if (pick > 0.7f) leg.course = 45.0f * static_cast<float>(below(8));      // ties and right angles
                // Legs at the edges: at right angles to the target, as long as the whole budget.
                if (pick > 0.9f) leg.course = testing::CourseTo(b.At(from).lat, b.At(from).lon, t.lat, t.lon) + 90;
                if (pick < 0.05f && from == start) leg.length = budget;
                b.legs.push_back(leg);
            }
        }
        const AirwayNetwork net = b.Build();
        const std::uint32_t step = below(3) == 0 ? static_cast<std::uint32_t>(below(400)) : 0;

        SearchState literal;
        testing::ScriptedClock fastClock, literalClock;
        testing::AimAt(fast, net, start, target, 0.1f);
        testing::AimAt(literal, net, start, target, 0.1f);
        fastClock.reading = literalClock.reading = [step](int n) { return static_cast<std::uint32_t>(n) * step; };
        SearchAirways(net, fast, fastClock, start);
        testing::LiteralAirwaySearch(net, literal, literalClock).SearchAirways(start);

        ASSERT_EQ(outcome(fast, fastClock), outcome(literal, literalClock)) << "round " << round;
        routes += fast.RouteCount > 0;
    }
    EXPECT_GT(routes, 500);  // the rounds are not all trivial
}

TEST(AssembleRoute, TriesOtherTargetsAndOriginsThenFallsBackToPointToPoint) {
    const std::tuple<testing::NetBuilder, std::int16_t, std::vector<testing::EntryView>> cases[] = {
        {{{{"S", 50, 0}, {"T", 50, 1}}, {{1, 2, "UL1"}}}, 1, {{'H', 1, "UL1  "}, {'H', 2, "UL1  "}}},
        // The nearest nodes are unconnected; the next target skips nodes that
        // share the first one's latitude or longitude, and is reached.
        {{{{"S", 50, 0}, {"T", 50, 1}, {"T2", 50.1f, 1.1f}, {"LAT", 50, 1.01f}, {"LON", 50.01f, 1}}, {{1, 3, "UL2"}}},
         2, {{'H', 1, "UL2  "}, {'H', 3, "UL2  "}}},
        // Nothing connects: four searches, then navaid to navaid (here no
        // navaid at all, so the route holds only the departure and the arrival).
        {{{{"S", 50, 0}, {"T", 50, 3}, {"C", 50.5f, 0.5f}, {"D", 50.5f, 2.5f}}}, 4, {{' ', 0, "     "}}},
    };
    for (const auto& [net, searches, route] : cases) {
        const NavigationData nav({}, {}, {}, {}, net.Build(), {});
        SearchState state;
        testing::ScriptedClock clock;
        testing::AimAt(state, nav.HighNodes, 1, 2);
        state.SetOrigin(nav.HighNodes.Node(1));
        AssembleRoute(nav, state, clock, 1);
        EXPECT_EQ(state.AirwaySearches, searches);
        EXPECT_EQ(state.Mode, searches < 4 ? RouteMode::Airways : RouteMode::PointToPoint);
        EXPECT_EQ(testing::Entries(state), route) << searches;
        if (searches < 4) continue;
        EXPECT_EQ(std::pair(state.RouteEntries[1].RouteLat, state.RouteEntries[1].RouteLon), std::pair(50.0f, 3.0f));
        EXPECT_EQ(state.OriginIdent.Trimmed(), "C");  // the third search started elsewhere
    }
}

// The nearest nodes a state remembers are those of the data they were found
// in, with and without the excluded position.
TEST(AssembleRoute, RemembersNearestNodesOnlyForTheirOwnData) {
    const NavigationData east({}, {}, {}, {}, NetBuilder{{{"A", 50, 0}, {"B", 50.2f, 1}, {"C", 50.4f, 2}}}.Build(), {});
    const NavigationData west({}, {}, {}, {}, NetBuilder{{{"D", 49.8f, -2}, {"E", 50.1f, -1}}}.Build(), {});
    SearchState state;
    for (int round = 0; round < 2; ++round)
        for (const NavigationData* nav : {&east, &west}) {
            state.SetTarget(nav->HighNodes.Node(1));
            for (const float lon : {-1.6f, 0.1f, 1.9f}) {
                EXPECT_EQ(NearestNode(*nav, state, 50, lon, RouteMode::Airways),
                          NearestNodeByScan(nav->HighNodes, 50, lon));
                EXPECT_EQ(NearestNodeExceptTarget(*nav, state, 50, lon),
                          NearestNodeByScan(nav->HighNodes, 50, lon, NearestNodeIndex::Exclusion{state.TargetLat, state.TargetLon}));
            }
        }
}

}  // namespace
}  // namespace tarnwell
