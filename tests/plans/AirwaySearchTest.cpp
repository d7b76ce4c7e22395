// The airway search on small networks with known answers, and against the
// literal search on random networks.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plans/AirwaySearchSupport.h"

namespace tarnwell {
namespace {

using testing::CourseTo;
using testing::EntryView;
using testing::NetBuilder;

// The course from 50 N 0 E to 50 N 1 E, where most targets lie, and a very short leg.
const float CourseEast = CourseTo(50, 0, 50, 1);
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

// Node 1 with `levels` steps. Only when they are done do its further legs
// lead (with `toTheLastVisit`) to 14 steps more and 1698 dead ends, then to
// X, which reaches the target, and to one more dead end.
NetBuilder ManyVisits(int levels, bool toTheLastVisit = false) {
    NetBuilder net{{{"N0", 50, 0}}};
    AddSteps(net, 1, levels);
    const auto next = [&net](const char* ident, std::int32_t from, float courseOff = 0, float lon = 0) {
        net.nodes.push_back({ident, 50, lon});
        const auto to = static_cast<std::int32_t>(net.nodes.size());
        net.legs.push_back({from, to, "UL2", Unit, CourseEast + courseOff});
        return to;
    };
    if (toTheLastVisit) {
        AddSteps(net, next("HEAD", 1), 14);
        const auto hub = next("HUB", 1);
        for (int k = 0; k < 1697; ++k) next("END", hub);
    }
    const auto x = next("X", 1, 45);
    next("END", 1, 45);
    next("TARGET", x, 0, 1);
    return net;
}

// S A N Z B: N again at 20 (viaB 15) is turned away; at 19, N and Z are visited again.
NetBuilder Revisit(float viaB) {
    return {{{"S", 50, 0}, {"A", 50, 0.5f}, {"B", 50.3f, 0.5f}, {"N", 50, 1}, {"Z", 50, 1.5f}, {"T", 50, 3}},
            {{1, 2, "UL1", 10}, {1, 3, "UL1", 5}, {2, 4, "UL1", 10}, {3, 4, "UL1", viaB}, {4, 5, "UL1", 1}}};
}

TEST(AirwaySearch, FindsTheShortestRouteWithinItsBounds) {
    // A target position whose course plus 90 is exact in single precision.
    float lon = 1;
    while (AngleDiff(CourseTo(50, 0, 50, lon) + 90, CourseTo(50, 0, 50, lon)) != 90) lon = std::nextafter(lon, 2.0f);
    float c = 0.0f;
    const float budget = GetDistance(50, 0, 50, 1, c) * 1.25f;
    const float rest = GetDistance(50.3f, 1, 50, 1, c);
    // The shortest first leg that brings S -> N -> T exactly to the budget.
    float first = budget - rest;
    while (first + rest < budget) first = std::nextafter(first, 1e9f);
    while (std::nextafter(first, 0.0f) + rest >= budget) first = std::nextafter(first, 0.0f);
    ASSERT_EQ(first + rest, budget);
    const testing::NetNode s{"S", 50, 0}, n{"N", 50.3f, 1}, t{"T", 50, 1}, t90{"T", 50, lon};

    struct Case {
        const char* what;
        NetBuilder net;
        std::int32_t target = 0;                    // 0: the last node
        bool found = true;
        std::int32_t routeCount = -1, visits = -1;  // checked unless -1
        std::vector<EntryView> route{};             // entries from 1 on
        float offset = 0;                           // of the trip from the nodes' positions
        std::uint32_t base = 0, elapsed = 0;        // the clock reads base twice, then base + elapsed
    };
    const Case cases[] = {
        {.what = "one leg", .net = {{s, t}, {{1, 2, "UL9"}}}, .routeCount = 2,
         .route = {{'H', 1, "UL9  "}, {'H', 2, "UL9  "}}},
        {.what = "a shorter route replaces the first but for its last entry", .net = Detour, .routeCount = 3,
         .route = {{'H', 1, "UB   "}, {'H', 2, "UB   "}, {'H', 5, "UB   "}, {'H', 5, "UA   "}}, .elapsed = 2999},
        {.what = "past the time limit after the first route", .net = Detour, .routeCount = 4,
         .route = {{'H', 1, "UA   "}, {'H', 3, "UA   "}, {'H', 4, "UA   "}, {'H', 5, "UA   "}}, .elapsed = 3000},
        {.what = "the counter wraps", .net = Detour, .routeCount = 3, .base = 0xFFFFFF00u, .elapsed = 2999},
        {.what = "starting at the target needs a leg back to it",
         .net = {{t, {"X", 50, 1.2f}}, {{1, 2, "UX"}, {2, 1, "UY"}}}, .target = 1,
         .route = {{'H', 1, "UX   "}, {'H', 2, "UY   "}, {'H', 1, "UY   "}}, .offset = 1},
        {.what = "a leg at 90 degrees", .net = {{s, t90}, {{1, 2, "UL1", {}, CourseTo(50, 0, 50, lon) + 90}}}},
        {.what = "beyond 90", .net = {{s, t90}, {{1, 2, "UL1", {}, CourseTo(50, 0, 50, lon) + 90.01f}}},
         .found = false},
        {.what = "a leg at the budget", .net = {{s, t}, {{1, 2, "UL1", budget}}}, .found = false},
        {.what = "a leg just short of it", .net = {{s, t}, {{1, 2, "UL1", std::nextafter(budget, 0.0f)}}}},
        {.what = "a chain and the line on at the budget",
         .net = {{s, n, t}, {{1, 2, "UL1", first, CourseEast}, {2, 3, "UL1", 0.001f}}}, .found = false},
        {.what = "just short of it",
         .net = {{s, n, t}, {{1, 2, "UL1", std::nextafter(first, 0.0f), CourseEast}, {2, 3, "UL1", 0.001f}}}},
        {.what = "an arrival no shorter", .net = Revisit(15), .found = false, .visits = 5},
        {.what = "a shorter arrival", .net = Revisit(14), .found = false, .visits = 7},
        {.what = "198 legs", .net = Chain(198), .routeCount = 199},
        {.what = "199 legs", .net = Chain(199), .found = false, .routeCount = 0},
        {.what = "X at the 65536th visit, and one more", .net = ManyVisits(15), .visits = 65537},
        {.what = "X at the last visit the list holds", .net = ManyVisits(15, true), .found = false,
         .visits = VisitedCapacity},
    };
    for (const Case& k : cases) {
        const AirwayNetwork net = k.net.Build();
        SearchState state;
        testing::ScriptedClock clock;
        clock.reading = [&k](int reading) { return reading < 2 ? k.base : k.base + k.elapsed; };
        testing::AimAt(state, net, 1, k.target ? k.target : net.Count(), k.offset);
        SearchAirways(net, state, clock, 1);
        EXPECT_EQ(state.MaxRouteDist < InitialBudget(state), k.found) << k.what;
        if (k.routeCount >= 0) { EXPECT_EQ(state.RouteCount, k.routeCount) << k.what; }
        if (k.visits >= 0) { EXPECT_EQ(state.VisitCount, k.visits) << k.what; }
        EXPECT_EQ(testing::Entries(state, 1, static_cast<std::int32_t>(k.route.size())), k.route) << k.what;
    }
}

TEST(AirwaySearch, MatchesTheLiteralSearchOnRandomNetworks) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> lat(49, 51), lon(0, 3), unit(0, 1);
    const auto below = [&rng](int n) { return static_cast<std::int32_t>(rng() % static_cast<unsigned>(n)); };
    const char* idents[] = {"ALPHA", "BRAVO", "CHARL", "DELTA", "ECHO"};
    int routes = 0;
    SearchState fast;  // one state for every round, as a plan builder keeps it
    for (int round = 0; round < 3000; ++round) {
        const int nodes = 2 + below(40);
        NetBuilder b;
        for (int i = 0; i < nodes; ++i) {
            if (i > 0 && unit(rng) < 0.1f) {  // some nodes share a position or an identifier
                const testing::NetNode other = b.At(below(i) + 1);
                b.nodes.push_back({idents[below(5)], other.lat, other.lon});
            } else {
                b.nodes.push_back({idents[below(5)] + std::to_string(below(3)), lat(rng), lon(rng)});
            }
        }
        for (std::int32_t from = 1; from <= nodes; ++from) {
            for (int k = below(7); k > 0; --k) {
                testing::NetLeg leg{from, below(nodes) + 1, "U" + std::to_string(below(4))};
                const float pick = unit(rng);
                if (pick < 0.2f) leg.length = 5.0f * static_cast<float>(below(20) + 1);  // equal lengths
                if (pick > 0.7f) leg.course = 45.0f * static_cast<float>(below(8));      // ties and right angles
                b.legs.push_back(leg);
            }
        }
        const AirwayNetwork net = b.Build();
        const std::int32_t start = below(nodes) + 1, target = below(nodes) + 1;
        const std::uint32_t step = below(3) == 0 ? static_cast<std::uint32_t>(below(400)) : 0;

        SearchState literal;
        testing::ScriptedClock fastClock, literalClock;
        testing::AimAt(fast, net, start, target, 0.1f);
        testing::AimAt(literal, net, start, target, 0.1f);
        fastClock.reading = literalClock.reading = [step](int n) { return static_cast<std::uint32_t>(n) * step; };
        SearchAirways(net, fast, fastClock, start);
        testing::LiteralAirwaySearch(net, literal, literalClock).SearchAirways(start);

        ASSERT_EQ(fast.MaxRouteDist, literal.MaxRouteDist) << "round " << round;
        ASSERT_EQ(fast.RouteCount, literal.RouteCount) << "round " << round;
        ASSERT_EQ(fast.VisitCount, literal.VisitCount) << "round " << round;
        ASSERT_EQ(fastClock.readings, literalClock.readings) << "round " << round;
        ASSERT_EQ(testing::Entries(fast, 0, RouteEntryCapacity), testing::Entries(literal, 0, RouteEntryCapacity))
            << "round " << round;
        routes += fast.RouteCount > 0;
    }
    EXPECT_GT(routes, 500);  // the rounds are not all trivial
}

}  // namespace
}  // namespace tarnwell
