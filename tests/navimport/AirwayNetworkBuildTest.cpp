// Airway network building, the import region and the variation map.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "geo/GreatCircle.h"
#include "navimport/AirwayNetworkBuild.h"
#include "navimport/VariationMap.h"

namespace tarnwell {
namespace {

using testing::ErrorOf;

SourceAirwaySegment Segment(std::string a, double lat1, double lon1, std::string b, double lat2, double lon2,
                            bool high = true, AirwayDirection dir = AirwayDirection::Both, std::string names = "UL1") {
    SourceAirwaySegment s;
    s.ident1 = std::move(a);
    s.ident2 = std::move(b);
    s.lat1 = lat1, s.lon1 = lon1, s.lat2 = lat2, s.lon2 = lon2;
    s.high = high;
    s.direction = dir;
    s.names = std::move(names);
    return s;
}

const ImportRegion Europe{40, 60, 0, 20};

TEST(AirwayNetworkBuilding, NodesLegsDirectionsAndTheRouteFindersGeometry) {
    const std::vector<SourceAirwaySegment> segments = {
        Segment("AAA", 50, 8, "BBB", 51, 9, true, AirwayDirection::Both, "UL123456-UM2"),
        Segment("BBB", 51, 9, "CCC", 52, 8, true, AirwayDirection::Forward),
        Segment("CCC", 52, 8, "AAA", 50, 8, true, AirwayDirection::Backward),
        Segment("AAA", 50, 8, "BBB", 51, 9, true, AirwayDirection::Both, "UN9"),  // same two points: no new leg
        Segment("BBB", 51.5, 9, "DDD", 53, 9),  // another BBB, elsewhere: a node of its own
        Segment("AAA", 50, 8, "FAR", 10, 8),     // leaves the region
        Segment("AAA", 50, 8, "LOW", 50, 9, false),
    };
    const AirwayNetworkBuild b = BuildAirwayNetwork(segments, true, Europe, HighNodeCapacity, false);
    const AirwayNetwork& n = b.network;
    ASSERT_EQ(n.Count(), 5);  // AAA, BBB, CCC, BBB (51.5), DDD
    EXPECT_EQ(b.nodesOutsideRegion, 1);
    EXPECT_EQ(n.Node(1).Ident.Trimmed(), "AAA");
    // AAA: to BBB (both ways); CCC->AAA is backward, so AAA->CCC.
    // BBB: back to AAA and forward to CCC; CCC has no leg of its own.
    ASSERT_EQ(std::tuple(n.Node(1).LegCount, n.Node(2).LegCount, n.Node(3).LegCount, n.Node(4).LegCount),
              std::tuple(2, 2, 0, 1));
    EXPECT_EQ(std::tuple(n.Leg(1, 0).Neighbour, n.Leg(1, 0).AirwayName.View(), n.Leg(1, 1).Neighbour),
              std::tuple(2, "UL123", 3));
    float course = 0;
    const float length = GetDistance(50, 8, 51, 9, course);
    EXPECT_EQ(std::tuple(n.Leg(1, 0).LegLength, n.Leg(1, 0).LegCourse), std::tuple(length, course));
    // Southbound legs get their course in 0..360.
    const AirwayLeg& back = n.Leg(2, 0);
    EXPECT_EQ(back.Neighbour, 1);
    EXPECT_GT(back.LegCourse, 180.0f);
    EXPECT_LE(back.LegCourse, 360.0f);

    const AirwayNetworkBuild low = BuildAirwayNetwork(segments, false, Europe, LowNodeCapacity, false);
    EXPECT_EQ(low.network.Count(), 2);
}

TEST(AirwayNetworkBuilding, CapacitiesKeepWhatIsNearestTheCentreOrRefuseWhenStrict) {
    // A star of 80 spokes around the region's centre.
    std::vector<SourceAirwaySegment> segments;
    for (int k = 0; k < 80; ++k)
        segments.push_back(Segment("HUB", 50, 10, "S" + std::to_string(k), 50 + 0.01 * (k + 1), 10));
    const AirwayNetworkBuild full = BuildAirwayNetwork(segments, true, Europe, HighNodeCapacity, false);
    ASSERT_EQ(full.network.Count(), 81);
    ASSERT_EQ(full.network.Node(1).LegCount, MaxLegsPerNode);
    EXPECT_EQ(full.legsOverCapacity, 4);
    // The shortest legs stay, in source order: the spokes S0..S75.
    EXPECT_EQ(full.network.Leg(1, 75).Neighbour, 77);
    EXPECT_NE(ErrorOf([&] { BuildAirwayNetwork(segments, true, Europe, HighNodeCapacity, true); }).find("76"),
              std::string::npos);

    const AirwayNetworkBuild capped = BuildAirwayNetwork(segments, true, Europe, 11, false);
    ASSERT_EQ(capped.network.Count(), 11);
    EXPECT_EQ(capped.nodesOverCapacity, 70);
    EXPECT_EQ(capped.network.Node(11).Ident.Trimmed(), "S9");
    EXPECT_EQ(capped.network.Node(1).LegCount, 10);
    EXPECT_NE(ErrorOf([&] { BuildAirwayNetwork(segments, true, Europe, 11, true); }).find("more than the 11"),
              std::string::npos);
}

// A box across the 180th meridian; the variation of the nearest VOR, or none.
TEST(ImportRegion, ABoxAcrossThe180thMeridianAndTheVariationMap) {
    const ImportRegion pacific{-50, -30, 170, -170};
    EXPECT_TRUE(pacific.Contains(-40, 179.5) && pacific.Contains(-40, -175) && !pacific.Contains(-40, 160));
    EXPECT_DOUBLE_EQ(pacific.Centre()[1], 180.0);
    EXPECT_DOUBLE_EQ(ImportRegion({-50, -30, 170, -150}).Centre()[1], -170.0);
    const VariationMap variation({{"A", "", "", 50, 0, 0, 2.0f}, {"B", "", "", 40, 0, 0, -4.0f}});
    EXPECT_EQ(variation.At(49, 1), 2.0f);
    EXPECT_EQ(variation.At(41, 1), -4.0f);
    EXPECT_EQ(VariationMap({}).At(41, 1), 0.0f);
}

}  // namespace
}  // namespace tarnwell
