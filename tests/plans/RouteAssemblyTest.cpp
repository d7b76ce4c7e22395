// Route assembly: the nearest nodes it starts from, the four airway searches
// and the fall-back to point-to-point.

#include <gtest/gtest.h>

#include "plans/AirwaySearchSupport.h"
#include "plans/RouteAssembly.h"

namespace tarnwell {
namespace {

using testing::NetBuilder;

TEST(NearestNode, ExceptSearchesSkipASharedLatitudeOrLongitude) {
    const NetBuilder b{{{"T", 50, 1}, {"SAMELAT", 50, 1.01f}, {"SAMELON", 50.01f, 1}, {"OTHER", 50.05f, 1.05f}}};
    const NavigationData nav({}, {}, {}, {}, b.Build(), {});
    SearchState state;
    state.SetTarget(nav.HighNodes.Node(1));
    EXPECT_EQ(NearestNode(nav, 50, 1, RouteMode::Airways), 1);
    EXPECT_EQ(NearestNodeExceptTarget(nav, state, 50, 1), 4);
    EXPECT_EQ(NearestNodeExceptOrigin(nav, state, 50, 1), 1);  // the origin, not the target, is skipped
    state.SetOrigin(nav.HighNodes.Node(1));
    EXPECT_EQ(NearestNodeExceptOrigin(nav, state, 50, 1), 4);
}

TEST(AssembleRoute, TriesOtherTargetsAndOriginsThenFallsBackToPointToPoint) {
    const std::tuple<NetBuilder, std::int16_t, std::vector<testing::EntryView>> cases[] = {
        {{{{"S", 50, 0}, {"T", 50, 1}}, {{1, 2, "UL1"}}}, 1, {{'H', 1, "UL1  "}, {'H', 2, "UL1  "}}},
        // The nearest nodes are unconnected; the second-nearest target is reached.
        {{{{"S", 50, 0}, {"T", 50, 1}, {"T2", 50.1f, 1.1f}}, {{1, 3, "UL2"}}}, 2,
         {{'H', 1, "UL2  "}, {'H', 3, "UL2  "}}},
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

}  // namespace
}  // namespace tarnwell
