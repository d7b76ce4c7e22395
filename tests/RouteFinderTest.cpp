// The airway search and the route assembly on small networks with known
// answers, and the fast search and nearest-node index against the literal
// procedures on random networks.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "RouteFinderSupport.h"
#include "plans/PlanBuilder.h"

namespace tarnwell {
namespace {

using testing::AimAt;
using testing::ClockPort;
using testing::CourseTo;
using testing::EntryView;
using testing::LiteralAirwaySearch;
using testing::NetBuilder;
using testing::RouteEntries;

struct Search {
    ProgramState state{"."};
    ClockPort port;

    // A search from `start` to `target` between airports at the two nodes' positions.
    Search(const NetBuilder& net, std::int32_t start, std::int32_t target) {
        state.HighNodes = net.Build();
        AimAt(state, target, net.At(start).Latitude, net.At(start).Longitude, net.At(target).Latitude,
              net.At(target).Longitude);
        this->start = start;
    }
    std::int32_t start;
    float Budget() const {
        float c = 0.0f;
        const RouteFinderState& f = state.Finder;
        return GetDistance(f.DepLatitude, f.DepLongitude, f.ArrLatitude, f.ArrLongitude, c) * 1.25f;
    }
    bool Run() {
        SearchAirways(state, port, start);
        return state.Finder.MaxRouteDist < Budget();
    }
};

TEST(AirwaySearch, OneLegRouteStoresTheStartAndTheTarget) {
    NetBuilder net;
    const auto s = net.Node("START", 50, 0);
    const auto t = net.Node("TARGT", 50, 1);
    net.Leg(s, t, "UL9");
    Search search(net, s, t);
    ASSERT_TRUE(search.Run());
    EXPECT_EQ(search.state.Finder.RouteCount, 2);
    EXPECT_EQ(RouteEntries(search.state.Finder), (std::vector<EntryView>{{'H', s, "UL9  "}, {'H', t, "UL9  "}}));
}

// S -> A -> C -> T is straight on course and found first; S -> B -> T is
// shorter and replaces it, leaving the longer route's fourth entry behind.
NetBuilder Detour(std::int32_t& s, std::int32_t& b, std::int32_t& t) {
    NetBuilder net;
    s = net.Node("S", 50, 0);
    const auto a = net.Node("A", 50, 0.7f);
    const auto c = net.Node("C", 50, 1.4f);
    b = net.Node("B", 50.2f, 1);
    t = net.Node("T", 50, 2);
    net.Leg(s, a, "UA", 30.0f);
    net.Leg(s, b, "UB");
    net.Leg(a, c, "UA", 30.0f);
    net.Leg(c, t, "UA", 30.0f);
    net.Leg(b, t, "UB");
    return net;
}

TEST(AirwaySearch, AShorterRouteFoundLaterReplacesTheFirst) {
    std::int32_t s = 0, b = 0, t = 0;
    const NetBuilder net = Detour(s, b, t);
    Search search(net, s, t);
    ASSERT_TRUE(search.Run());
    const RouteFinderState& f = search.state.Finder;
    EXPECT_EQ(RouteEntries(f), (std::vector<EntryView>{{'H', s, "UB   "}, {'H', b, "UB   "}, {'H', t, "UB   "}}));
    EXPECT_EQ(f.RouteType[4], 'H');  // from the first, longer route
    EXPECT_EQ(f.MaxRouteDist, search.state.HighNodes.Leg(s, 1).LegLength + search.state.HighNodes.Leg(b, 0).LegLength);
}

TEST(AirwaySearch, TimeLimitCountsFromTheLastRouteFound) {
    // Readings 0 (start) and 1 (first route) give `base`; every later one base + elapsed.
    const auto run = [](std::uint32_t base, std::uint32_t elapsed) {
        std::int32_t s = 0, b = 0, t = 0;
        const NetBuilder net = Detour(s, b, t);
        Search search(net, s, t);
        search.port.clock = [=](int n) { return n < 2 ? base : base + elapsed; };
        search.Run();
        return search.state.Finder.RouteCount;
    };
    EXPECT_EQ(run(0, 2999), 3);            // kept searching: the shorter route
    EXPECT_EQ(run(0, 3000), 4);            // stopped after the first route
    EXPECT_EQ(run(0xFFFFFF00u, 2999), 3);  // the counter wraps in between
}

TEST(AirwaySearch, LegsAtExactlyNinetyDegreesAreFollowed) {
    // A target position whose course plus 90 is exact in single precision.
    float lon = 1;
    while (AngleDiff(CourseTo(50, 0, 50, lon) + 90, CourseTo(50, 0, 50, lon)) != 90) lon = std::nextafter(lon, 2.0f);
    const float toTarget = CourseTo(50, 0, 50, lon);
    for (const float off : {90.0f, 90.01f}) {
        NetBuilder net;
        const auto s = net.Node("S", 50, 0);
        const auto t = net.Node("T", 50, lon);
        net.Leg(s, t, "UL1", std::nullopt, toTarget + off);
        Search search(net, s, t);
        EXPECT_EQ(search.Run(), off == 90.0f);
    }
}

TEST(AirwaySearch, TheBudgetIsAStrictBound) {
    // A leg ending exactly at the budget is not taken; one a hair shorter is.
    for (const bool atBudget : {true, false}) {
        NetBuilder net;
        const auto s = net.Node("S", 50, 0);
        const auto t = net.Node("T", 50, 1);
        Search probe(net, s, t);
        const float budget = probe.Budget();
        net.Leg(s, t, "UL1", atBudget ? budget : std::nextafter(budget, 0.0f));
        Search search(net, s, t);
        EXPECT_EQ(search.Run(), !atBudget);
    }
    // A chain whose length plus the straight line on equals the budget is pruned.
    for (const bool atBudget : {true, false}) {
        NetBuilder net;
        const auto s = net.Node("S", 50, 0);
        const auto n = net.Node("N", 50.3f, 1);
        const auto t = net.Node("T", 50, 1);
        Search probe(net, s, t);
        const float budget = probe.Budget();
        float c = 0.0f;
        const float rest = GetDistance(50.3f, 1, 50, 1, c);
        float first = budget - rest;
        // The shortest first leg that brings the chain exactly to the budget.
        while (first + rest < budget) first = std::nextafter(first, 1e9f);
        while (std::nextafter(first, 0.0f) + rest >= budget) first = std::nextafter(first, 0.0f);
        ASSERT_EQ(first + rest, budget);
        net.Leg(s, n, "UL1", atBudget ? first : std::nextafter(first, 0.0f), CourseTo(50, 0, 50, 1));
        net.Leg(n, t, "UL1", 0.001f);
        Search search(net, s, t);
        EXPECT_EQ(search.Run(), !atBudget);
    }
}

TEST(AirwaySearch, StartingAtTheTargetNeedsALegBackToIt) {
    NetBuilder net;
    const auto t = net.Node("T", 50, 1);
    const auto x = net.Node("X", 50, 1.2f);
    net.Leg(t, x, "UX");
    net.Leg(x, t, "UY");
    Search search(net, t, t);
    search.state.Finder.DepLatitude = 50;
    search.state.Finder.DepLongitude = 0;  // a budget the loop fits into
    ASSERT_TRUE(search.Run());
    EXPECT_EQ(RouteEntries(search.state.Finder), (std::vector<EntryView>{{'H', t, "UX   "}, {'H', x, "UY   "}, {'H', t, "UY   "}}));
}

TEST(AirwaySearch, OnlyAStrictlyShorterArrivalIsExpandedAgain) {
    const auto visits = [](float viaB) {
        NetBuilder net;
        const auto s = net.Node("S", 50, 0);
        const auto a = net.Node("A", 50, 0.5f);
        const auto b = net.Node("B", 50.3f, 0.5f);
        const auto n = net.Node("N", 50, 1);
        const auto z = net.Node("Z", 50, 1.5f);
        const auto t = net.Node("T", 50, 3);
        net.Leg(s, a, "UL1", 10.0f);
        net.Leg(s, b, "UL1", 5.0f);
        net.Leg(a, n, "UL1", 10.0f);
        net.Leg(b, n, "UL1", viaB);
        net.Leg(n, z, "UL1", 1.0f);
        Search search(net, s, t);
        EXPECT_FALSE(search.Run());
        return search.state.Finder.VisitCount;
    };
    EXPECT_EQ(visits(15.0f), 5);  // S A N Z B: N again at 20 is turned away
    EXPECT_EQ(visits(14.0f), 7);  // ... then N and Z again at 19 and 20
}

TEST(AirwaySearch, ARouteOfMoreThan198LegsIsNotKept) {
    for (const int legs : {198, 199}) {
        NetBuilder net;
        const float course = CourseTo(50, 0, 50, 0);
        std::int32_t previous = net.Node("N0", 50, 0);
        for (int i = 1; i <= legs; ++i) {
            const auto next = net.Node(i == legs ? "TARGET" : "N" + std::to_string(i), 50, 0);
            net.Leg(previous, next, "UL1", 0.01f, course);
            previous = next;
        }
        Search search(net, 1, previous);
        search.state.Finder.ArrLongitude = 1;
        EXPECT_EQ(search.Run(), legs == 198);
        EXPECT_EQ(search.state.Finder.RouteCount, legs == 198 ? 199 : 0);
    }
}

TEST(AirwaySearch, AFullVisitedListExpandsNoMoreNodes) {
    // A chain of `levels` steps, each step a long and a short leg to the next
    // node, weighted so that every arrival is strictly shorter than the one
    // before: 2^(levels+1) - 1 visits. Only afterwards does the start node's
    // third leg lead to the node that reaches the target.
    const auto search = [](int levels) {
        NetBuilder net;
        const float course = CourseTo(50, 0, 50, 1);
        const float unit = 1.0f / 65536;
        std::int32_t previous = net.Node("N0", 50, 0);
        for (int i = 0; i < levels; ++i) {
            const auto next = net.Node("N", 50, 0);
            net.Leg(previous, next, "UL1", unit * static_cast<float>((1 << (levels - i)) + 1), course);
            net.Leg(previous, next, "UL1", unit, course);
            previous = next;
        }
        const auto side = net.Node("X", 50, 0);
        const auto t = net.Node("TARGET", 50, 1);
        net.Leg(1, side, "UL2", unit, course + 45);
        net.Leg(side, t, "UL2", unit, course);
        Search run(net, 1, t);
        const bool found = run.Run();
        return std::pair{found, run.state.Finder.VisitCount};
    };
    EXPECT_EQ(search(15), std::pair(true, 65536));
    EXPECT_EQ(search(17), std::pair(false, VisitedCapacity));
}

// ---- Random networks against the literal search ----

NetBuilder RandomNetwork(std::mt19937& rng, int nodes) {
    std::uniform_real_distribution<float> lat(49, 51), lon(0, 3), unit(0, 1);
    const char* idents[] = {"ALPHA", "BRAVO", "CHARL", "DELTA", "ECHO"};
    NetBuilder net;
    for (int i = 0; i < nodes; ++i) {
        // Some nodes share a position or an identifier.
        if (i > 0 && unit(rng) < 0.1f) {
            const AirwayNode& other = net.At(static_cast<std::int32_t>(rng() % static_cast<unsigned>(i)) + 1);
            net.Node(idents[rng() % 5], other.Latitude, other.Longitude);
        } else {
            net.Node(idents[rng() % 5] + std::to_string(rng() % 3), lat(rng), lon(rng));
        }
    }
    for (std::int32_t from = 1; from <= nodes; ++from) {
        const int legs = static_cast<int>(rng() % 7);
        for (int k = 0; k < legs; ++k) {
            const auto to = static_cast<std::int32_t>(rng() % static_cast<unsigned>(nodes)) + 1;
            std::optional<float> length, course;
            const float pick = unit(rng);
            if (pick < 0.2f) length = 5.0f * static_cast<float>(rng() % 20 + 1);  // equal lengths
            if (pick > 0.7f) course = 45.0f * static_cast<float>(rng() % 8);      // ties and right angles
            net.Leg(from, to, "U" + std::to_string(rng() % 4), length, course);
        }
    }
    return net;
}

TEST(AirwaySearch, MatchesTheLiteralSearchOnRandomNetworks) {
    std::mt19937 rng(7);
    int routes = 0;
    for (int round = 0; round < 3000; ++round) {
        const int nodes = 2 + static_cast<int>(rng() % 40);
        const NetBuilder net = RandomNetwork(rng, nodes);
        const auto start = static_cast<std::int32_t>(rng() % static_cast<unsigned>(nodes)) + 1;
        const auto target = static_cast<std::int32_t>(rng() % static_cast<unsigned>(nodes)) + 1;
        const std::uint32_t step = rng() % 3 == 0 ? static_cast<std::uint32_t>(rng() % 400) : 0;

        ProgramState fast("."), literal(".");
        ClockPort fastPort, literalPort;
        for (ProgramState* s : {&fast, &literal}) {
            s->HighNodes = net.Build();
            AimAt(*s, target, net.At(start).Latitude + 0.1f, net.At(start).Longitude, net.At(target).Latitude,
                  net.At(target).Longitude - 0.1f);
        }
        fastPort.clock = literalPort.clock = [step](int n) { return static_cast<std::uint32_t>(n) * step; };
        SearchAirways(fast, fastPort, start);
        LiteralAirwaySearch(literal, literalPort).SearchAirways(start);

        const RouteFinderState& a = fast.Finder;
        const RouteFinderState& b = literal.Finder;
        ASSERT_EQ(a.MaxRouteDist, b.MaxRouteDist) << "round " << round;
        ASSERT_EQ(a.RouteCount, b.RouteCount) << "round " << round;
        ASSERT_EQ(a.VisitCount, b.VisitCount) << "round " << round;
        ASSERT_EQ(fastPort.readings, literalPort.readings) << "round " << round;
        ASSERT_EQ(a.RouteType, b.RouteType) << "round " << round;
        ASSERT_EQ(a.RouteRef, b.RouteRef) << "round " << round;
        ASSERT_EQ(a.RouteAirway, b.RouteAirway) << "round " << round;
        routes += a.RouteCount > 0;
    }
    EXPECT_GT(routes, 500);  // the rounds are not all trivial
}

TEST(NearestNode, IndexGivesTheScansAnswer) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> unit(0, 1);
    for (int round = 0; round < 300; ++round) {
        const int nodes = 1 + static_cast<int>(rng() % 400);
        const float spread = round % 3 == 0 ? 60.0f : 2.0f;
        NetBuilder builder;
        for (int i = 0; i < nodes; ++i) {
            if (i > 0 && unit(rng) < 0.2f) {  // shared positions, latitudes and longitudes
                const AirwayNode& o = builder.At(static_cast<std::int32_t>(rng() % static_cast<unsigned>(i)) + 1);
                builder.Node("N", o.Latitude, unit(rng) < 0.5f ? o.Longitude : 10 + spread * unit(rng));
            } else {
                builder.Node("N", 40 + spread * unit(rng), 10 + spread * unit(rng));
            }
        }
        const AirwayNetwork net = builder.Build();
        NearestNodeIndex index;
        index.Build(net);
        for (int q = 0; q < 40; ++q) {
            const AirwayNode& near = net.Node(static_cast<std::int32_t>(rng() % static_cast<unsigned>(nodes)) + 1);
            const float lat = q % 2 ? near.Latitude : 40 + spread * unit(rng);
            const float lon = q % 2 ? near.Longitude + (q % 4 == 1 ? 0.0f : 0.0001f) : 10 + spread * unit(rng);
            std::optional<NearestNodeIndex::Exclusion> except;
            if (q % 3 == 0) except = NearestNodeIndex::Exclusion{near.Latitude, near.Longitude};
            ASSERT_EQ(index.Nearest(net, lat, lon, except), NearestNodeByScan(net, lat, lon, except))
                << "round " << round << " query " << q;
        }
    }
}

TEST(NearestNode, ExceptSearchesSkipASharedLatitudeOrLongitude) {
    NetBuilder net;
    const auto target = net.Node("T", 50, 1);
    net.Node("SAMELAT", 50, 1.01f);
    net.Node("SAMELON", 50.01f, 1);
    const auto other = net.Node("OTHER", 50.05f, 1.05f);
    ProgramState state(".");
    state.HighNodes = net.Build();
    AimAt(state, target, 50, 1, 50, 1);
    EXPECT_EQ(NearestNode(state, 50, 1, 0), target);
    EXPECT_EQ(NearestNode(state, 50, 1, 2), 0);
    EXPECT_EQ(NearestNodeExceptTarget(state, 50, 1), other);
}

// ---- Route assembly ----

TEST(AssembleRoute, StopsAtTheFirstAttemptThatFindsARoute) {
    NetBuilder net;
    const auto s = net.Node("S", 50, 0);
    const auto t = net.Node("T", 50, 1);
    net.Leg(s, t);
    Search search(net, s, t);
    AssembleRoute(search.state, search.port, s);
    EXPECT_EQ(search.state.Finder.AirwaySearches, 1);
    EXPECT_EQ(search.state.Finder.RouteMode, 0);
    EXPECT_EQ(search.state.Finder.RouteCount, 2);
}

TEST(AssembleRoute, TriesOtherTargetsAndOriginsThenFallsBackToPointToPoint) {
    // The nearest nodes are unconnected; the second-nearest target is reached.
    NetBuilder net;
    const auto s = net.Node("S", 50, 0);
    const auto t = net.Node("T", 50, 1);
    const auto t2 = net.Node("T2", 50.1f, 1.1f);
    net.Leg(s, t2, "UL2");
    Search search(net, s, t);
    AssembleRoute(search.state, search.port, s);
    EXPECT_EQ(search.state.Finder.AirwaySearches, 2);
    EXPECT_EQ(RouteEntries(search.state.Finder), (std::vector<EntryView>{{'H', s, "UL2  "}, {'H', t2, "UL2  "}}));

    // Nothing connects: four searches, then navaid to navaid (here no navaid
    // at all, so the route holds only the departure and the arrival).
    NetBuilder none;
    const auto a = none.Node("A", 50, 0);
    const auto b = none.Node("B", 50, 3);
    none.Node("C", 50.5f, 0.5f);
    none.Node("D", 50.5f, 2.5f);
    Search fallback(none, a, b);
    AssembleRoute(fallback.state, fallback.port, a);
    const RouteFinderState& f = fallback.state.Finder;
    EXPECT_EQ(f.AirwaySearches, 4);
    EXPECT_EQ(f.RouteMode, 2);
    EXPECT_EQ(f.RouteCount, 1);
    EXPECT_EQ(f.RouteLat[1], 50.0f);
    EXPECT_EQ(f.RouteLon[1], 3.0f);
    EXPECT_EQ(f.OriginIdent.Trimmed(), "C");  // the third search started elsewhere
}

}  // namespace
}  // namespace tarnwell
