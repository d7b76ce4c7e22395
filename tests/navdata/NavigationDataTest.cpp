// The lookups of the navigation data against the scans they replace: the
// airport code table and the nearest-node index.

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "TestSupport.h"
#include "navdata/NavigationData.h"
#include "plans/AirwaySearchSupport.h"

namespace tarnwell {
namespace {

TEST(FindNavAirport, HashGivesTheScansAnswerBeyondTheSixteenBitRange) {
    std::mt19937 rng(5);
    // Codes that differ in one character, a blank or a zero byte.
    const char alphabet[] = {'E', 'B', ' ', '\0'};
    const auto randomCode = [&] {
        FixedText<4> code;
        for (char& c : code.chars) c = alphabet[rng() % 4];
        return code;
    };
    std::vector<NavAirport> airports(40000, testing::NavAirportAt("XXXX", 0, 0));
    for (int k = 0; k < 300; ++k) airports[rng() % airports.size()].ICAO = randomCode();
    airports[39998].ICAO = airports[39999].ICAO = FixedText<4>("EAAA");  // no random code holds an A
    const NavigationData nav(airports, {}, {}, {}, {}, {});
    for (int q = 0; q < 300; ++q) {
        const FixedText<4> code = randomCode();
        ASSERT_EQ(nav.FindNavAirport(code), FindNavAirportByScan(airports, code)) << q;
    }
    // The first of several wins, all four characters must match, and no match reads the first airport.
    for (const auto& [code, position] : {std::pair{"EAAA", 39998}, {"EAA", 0}, {"XXXX", 0}})
        EXPECT_EQ(nav.FindNavAirport(FixedText<4>(code)), position) << code;
}

TEST(NearestNode, IndexGivesTheScansAnswer) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> unit(0, 1);
    for (int round = 0; round < 300; ++round) {
        const int nodes = 1 + static_cast<int>(rng() % 400);
        const float spread = round % 3 == 0 ? 60.0f : 2.0f;
        testing::NetBuilder b;
        for (int i = 0; i < nodes; ++i) {  // some share a latitude, or the whole position, with an earlier node
            const bool twin = i > 0 && unit(rng) < 0.2f;
            const testing::NetNode o = twin ? b.At(static_cast<std::int32_t>(rng() % static_cast<unsigned>(i)) + 1)
                                            : testing::NetNode{"N", 40 + spread * unit(rng), 0};
            b.nodes.push_back({"N", o.lat, twin && unit(rng) < 0.5f ? o.lon : 10 + spread * unit(rng)});
        }
        if (round % 10 == 9) b.nodes.push_back({"N", 91 + unit(rng), 10});  // outside the valid range: always measured
        if (round % 20 == 19) b.nodes.push_back({"N", 45, std::numeric_limits<float>::infinity()});
        const AirwayNetwork net = b.Build();
        NearestNodeIndex index;
        index.Build(net);
        for (int q = 0; q < 40; ++q) {
            const AirwayNode& near = net.Node(static_cast<std::int32_t>(rng() % static_cast<unsigned>(nodes)) + 1);
            const float lat = q == 38 ? 95.0f : q % 2 ? near.Latitude : 40 + spread * unit(rng);
            const float lon = q % 2 ? near.Longitude + (q % 4 == 1 ? 0.0f : 0.0001f) : 10 + spread * unit(rng);
            const auto except =
                q % 3 ? std::nullopt : std::optional(NearestNodeIndex::Exclusion{near.Latitude, near.Longitude});
            std::int32_t fast = -1, scan = -1;  // or the fault each raised
            const std::string fastFault = testing::ErrorOf([&] { fast = index.Nearest(net, lat, lon, except); });
            const std::string scanFault = testing::ErrorOf([&] { scan = NearestNodeByScan(net, lat, lon, except); });
            ASSERT_EQ(std::pair(fast, fastFault), std::pair(scan, scanFault)) << "round " << round << " query " << q;
        }
    }
}

}  // namespace
}  // namespace tarnwell
