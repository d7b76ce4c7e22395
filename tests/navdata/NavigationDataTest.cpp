// The lookups of the navigation data against the scans they replace: the
// airport code table and the nearest-node index.

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "TestSupport.h"
#include "navdata/NavigationData.h"

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
    airports[39999] = testing::NavAirportAt("EAA ", 0, 0);
    airports[39998] = testing::NavAirportAt("EAAA", 0, 0);
    airports[39997] = testing::NavAirportAt("EAAA", 1, 1);
    const NavigationData nav(airports, {}, {}, {}, {}, {});
    for (int q = 0; q < 300; ++q) {
        const FixedText<4> code = randomCode();
        ASSERT_EQ(nav.FindNavAirport(code), FindNavAirportByScan(airports, code)) << q;
    }
    // All four characters match, the first of several wins, and no match reads the first airport.
    for (const auto& [code, position] : {std::pair{"EAAA", 39997}, {"EAA", 39999}, {"QQQQ", 0}, {"XXXX", 0}}) {
        EXPECT_EQ(nav.FindNavAirport(FixedText<4>(code)), position) << code;
        EXPECT_EQ(FindNavAirportByScan(airports, FixedText<4>(code)), position) << code;
    }
}

// The node a lookup gives, or the message of its fault.
template <typename Lookup>
std::string Answer(Lookup lookup) {
    try {
        return std::to_string(lookup());
    } catch (const TarnwellError& e) {
        return e.what();
    }
}

TEST(NearestNode, IndexGivesTheScansAnswer) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> unit(0, 1);
    for (int round = 0; round < 300; ++round) {
        const int nodes = 1 + static_cast<int>(rng() % 400);
        const float spread = round % 3 == 0 ? 60.0f : 2.0f;
        AirwayNetwork net;
        const auto add = [&net](float lat, float lon) {
            AirwayNode n;
            n.Latitude = lat;
            n.Longitude = lon;
            net.Add(n, {});
        };
        for (int i = 0; i < nodes; ++i) {
            if (i > 0 && unit(rng) < 0.2f) {  // shared positions, latitudes and longitudes
                const AirwayNode& o = net.Node(static_cast<std::int32_t>(rng() % static_cast<unsigned>(i)) + 1);
                add(o.Latitude, unit(rng) < 0.5f ? o.Longitude : 10 + spread * unit(rng));
            } else {
                add(40 + spread * unit(rng), 10 + spread * unit(rng));
            }
        }
        if (round % 10 == 9) add(91 + unit(rng), 10);  // outside the valid range: always measured
        if (round % 20 == 19) add(45, std::numeric_limits<float>::infinity());
        NearestNodeIndex index;
        index.Build(net);
        for (int q = 0; q < 40; ++q) {
            const AirwayNode& near = net.Node(static_cast<std::int32_t>(rng() % static_cast<unsigned>(nodes)) + 1);
            const float lat = q == 38 ? 95.0f : q % 2 ? near.Latitude : 40 + spread * unit(rng);
            const float lon = q % 2 ? near.Longitude + (q % 4 == 1 ? 0.0f : 0.0001f) : 10 + spread * unit(rng);
            std::optional<NearestNodeIndex::Exclusion> except;
            if (q % 3 == 0) except = NearestNodeIndex::Exclusion{near.Latitude, near.Longitude};
            ASSERT_EQ(Answer([&] { return index.Nearest(net, lat, lon, except); }),
                      Answer([&] { return NearestNodeByScan(net, lat, lon, except); }))
                << "round " << round << " query " << q;
        }
    }
}

}  // namespace
}  // namespace tarnwell
