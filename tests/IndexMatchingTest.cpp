// Index airports completed from the navigation data, linked to the routes
// both ways, and every route's miles.

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "common/Errors.h"
#include "airports/IndexAirports.h"
#include "airports/CrossMatch.h"
#include "geo/GreatCircle.h"
#include "routeset/DataFiles.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"
#include "TestSupport.h"

using namespace tarnwell;
using tarnwell::testing::ErrorOf;
using tarnwell::testing::NavAirportAt;

namespace {

IndexAirportRecord IndexAirport(const std::string& iata, const std::string& icao) {
    IndexAirportRecord a;
    a.IATA = iata;
    a.ICAO = icao;
    return a;
}

RouteRecord Route(const std::string& origin, const std::string& dest) {
    RouteRecord r;
    r.Origin = origin;
    r.Destination = dest;
    return r;
}

// The lookups exactly as first described: nested scans, first match wins.
void LiteralLookup(ProgramState& s, std::vector<std::string>& beeped) {
    for (auto& a : s.IndexAirports) {
        bool found = false;
        for (const auto& n : s.NavAirports) {
            if (a.ICAO.Trimmed() != n.ICAO.Trimmed()) continue;
            a.Latitude = n.Latitude;
            a.Longitude = n.Longitude;
            a.Altitude = n.Altitude;
            a.City = n.City.View();
            a.AirportName = n.Name.View();
            found = true;
            break;
        }
        if (!found) beeped.push_back(a.IATA.Str());
    }
}

void LiteralMatchIndexToRoutes(ProgramState& s) {
    for (auto& a : s.IndexAirports) {
        a.DepartureCount = 0;
        bool first = true;
        for (std::int32_t r = 0; r <= s.RouteUBound(); ++r) {
            if (a.IATA.Trimmed() != s.Routes[static_cast<std::size_t>(r)].Origin.Trimmed()) continue;
            if (first) a.DeparturePos = 32 * r + 1;
            first = false;
            ++a.DepartureCount;
        }
    }
}

void LiteralMatchRoutesToIndex(ProgramState& s) {
    for (auto& route : s.Routes) {
        for (std::int32_t k = 0; k <= s.IndexUBound(); ++k)
            if (s.IndexAirports[static_cast<std::size_t>(k)].IATA.Trimmed() == route.Origin.Trimmed()) {
                route.OriginIndex = static_cast<std::int16_t>(k);
                break;
            }
        for (std::int32_t k = 0; k <= s.IndexUBound(); ++k)
            if (s.IndexAirports[static_cast<std::size_t>(k)].IATA.Trimmed() == route.Destination.Trimmed()) {
                route.DestIndex = static_cast<std::int16_t>(k);
                break;
            }
    }
}

}  // namespace

TEST(LookupIndexAirports, TrimmedCaseSensitiveFirstMatch) {
    ProgramState s{"."};
    RecordingPort port;
    NavAirport longName = NavAirportAt("EGLL", 51.47f, -0.46f, 83);
    longName.Name = std::string(35, 'N') + "X";  // 36 characters
    s.NavAirports = {NavAirportAt("egll", 1, 1), longName, NavAirportAt("EGLL", 2, 2), NavAirportAt(" KJF", 40, -73)};
    s.IndexAirports = {IndexAirport("LHR", "EGLL"), IndexAirport("JFK", "KJF "), IndexAirport("LGW", "EGKK"),
                       IndexAirport("XXX", "egkk")};
    LookupIndexAirports(s, port);

    const IndexAirportRecord& lhr = s.IndexAirports[0];
    EXPECT_EQ(lhr.Latitude, 51.47f);
    EXPECT_EQ(lhr.Altitude, 83);
    EXPECT_EQ(lhr.AirportName.View(), std::string(35, 'N'));
    EXPECT_EQ(lhr.City.View(), "EGLL City" + std::string(24, ' '));
    EXPECT_EQ(s.IndexAirports[1].Latitude, 40.0f);

    const IndexAirportRecord& lgw = s.IndexAirports[2];
    EXPECT_TRUE(lgw.AirportName.NeverAssigned());
    EXPECT_TRUE(lgw.City.NeverAssigned());
    EXPECT_EQ(lgw.Latitude, 0.0f);
    ASSERT_EQ(port.beeps.size(), 2u);
    EXPECT_EQ(port.beeps[0].kind, BeepKind::Warning);
    EXPECT_NE(port.beeps[0].reason.find("LGW (EGKK)"), std::string::npos) << port.beeps[0].reason;
    EXPECT_NE(port.beeps[1].reason.find("XXX (egkk)"), std::string::npos);
}

TEST(MatchIndexAndRoutes, PositionsCountsAndProgressTexts) {
    ProgramState s{"."};
    RecordingPort port;
    s.IndexAirports = {IndexAirport("AAA", "EAAA"), IndexAirport("BBB", "EBBB"), IndexAirport("CCC", "ECCC"),
                       IndexAirport("DD ", "EDD ")};
    s.Routes = {Route("AAA", "DD "), Route("BBB", "AAA"), Route("BBB", "CCC"), Route("BBB", "AAA"),
                Route("BBB", "DD "), Route(" DD", "AAA"), Route("DD ", "BBB"), Route("DD ", "CCC")};
    MatchIndexToRoutes(s, port);
    MatchRoutesToIndex(s, port);

    EXPECT_EQ(s.IndexAirports[0].DeparturePos, 1);  // route 0, not position 0
    EXPECT_EQ(s.IndexAirports[0].DepartureCount, 1);
    EXPECT_EQ(s.IndexAirports[1].DeparturePos, 33);
    EXPECT_EQ(s.IndexAirports[1].DepartureCount, 4);
    EXPECT_EQ(s.IndexAirports[2].DeparturePos, 0);  // only arrivals
    EXPECT_EQ(s.IndexAirports[2].DepartureCount, 0);
    EXPECT_EQ(s.IndexAirports[3].DeparturePos, 32 * 5 + 1);  // " DD" matches "DD " once trimmed
    EXPECT_EQ(s.IndexAirports[3].DepartureCount, 3);
    EXPECT_EQ(s.Routes[0].OriginIndex, 0);
    EXPECT_EQ(s.Routes[0].DestIndex, 3);
    EXPECT_EQ(s.Routes[5].OriginIndex, 3);

    std::vector<std::string> expected;
    for (int i = 0; i <= 3; ++i) expected.push_back("Cross matching Index to Routes " + std::to_string(i) + " of 3");
    for (int r = 0; r <= 7; ++r) expected.push_back("Cross Matching Routes to Index " + std::to_string(r) + " of 7");
    EXPECT_EQ(port.StatusTexts(), expected);
}

TEST(MatchIndexAndRoutes, AgreesWithTheNestedScansOnRandomTables) {
    std::mt19937 rng(20261206);
    const std::string letters = "AB b";
    auto code = [&](std::size_t width) {
        std::string c;
        for (std::size_t i = 0; i < width; ++i) c += letters[rng() % letters.size()];
        return c;
    };
    for (int round = 0; round < 200; ++round) {
        ProgramState fast{"."};
        for (std::size_t k = rng() % 12; k > 0; --k) fast.IndexAirports.push_back(IndexAirport(code(3), code(4)));
        for (std::size_t r = rng() % 40; r > 0; --r) {
            RouteRecord route = Route(code(3), code(3));
            route.OriginIndex = static_cast<std::int16_t>(rng() % 50);  // kept when nothing matches
            route.DestIndex = static_cast<std::int16_t>(rng() % 50);
            fast.Routes.push_back(route);
        }
        for (std::size_t j = rng() % 10; j > 0; --j)
            fast.NavAirports.push_back(NavAirportAt(code(4), static_cast<float>(rng() % 90), static_cast<float>(j)));
        for (auto& a : fast.IndexAirports) a.DeparturePos = static_cast<std::int32_t>(rng() % 7);
        ProgramState slow = fast;

        RecordingPort port;
        LookupIndexAirports(fast, port);
        MatchIndexToRoutes(fast, port);
        MatchRoutesToIndex(fast, port);
        std::vector<std::string> beeped;
        LiteralLookup(slow, beeped);
        LiteralMatchIndexToRoutes(slow);
        LiteralMatchRoutesToIndex(slow);
        ASSERT_EQ(fast.IndexAirports, slow.IndexAirports) << "round " << round;
        ASSERT_EQ(fast.Routes, slow.Routes) << "round " << round;
        ASSERT_EQ(port.beeps.size(), beeped.size()) << "round " << round;
    }
}

TEST(MatchIndexAndRoutes, SixteenBitOverflowsNameTheAirportOrRoute) {
    ProgramState s{"."};
    RecordingPort port;
    port.recordProgress = false;
    s.IndexAirports = {IndexAirport("AAA", "EAAA")};
    s.Routes.assign(32768, Route("AAA", "AAA"));
    EXPECT_NE(ErrorOf([&] { MatchIndexToRoutes(s, port); }).find("airport AAA has 32768 departing routes"),
              std::string::npos);
    s.Routes.resize(32767);
    MatchIndexToRoutes(s, port);
    EXPECT_EQ(s.IndexAirports[0].DepartureCount, 32767);

    s.IndexAirports.assign(32769, IndexAirport("AAA", "EAAA"));
    s.IndexAirports.back().IATA = "ZZZ";
    s.Routes = {Route("AAA", "AAA"), Route("AAA", "ZZZ")};
    const std::string error = ErrorOf([&] { MatchRoutesToIndex(s, port); });
    EXPECT_NE(error.find("DestIndex, record 1: route AAA to ZZZ: airport ZZZ is index airport 32768"),
              std::string::npos)
        << error;
}

TEST(CalcRouteMiles, TruncatesTheGreatCircleDistance) {
    ProgramState s{"."};
    RecordingPort port;
    s.IndexAirports = {IndexAirport("AAA", "EAAA"), IndexAirport("BBB", "EBBB"), IndexAirport("CCC", "ECCC"),
                       IndexAirport("JFK", "KJFK"), IndexAirport("LHR", "EGLL")};
    s.IndexAirports[1].Longitude = 1;
    s.IndexAirports[2].Longitude = 0.99983f;  // 59.99 NM from AAA
    s.IndexAirports[3].Latitude = 40;
    s.IndexAirports[3].Longitude = -74;
    s.IndexAirports[4].Latitude = 51.5f;
    s.IndexAirports[4].Longitude = -0.5f;
    auto route = [](std::int16_t o, std::int16_t d) {
        RouteRecord r;
        r.OriginIndex = o;
        r.DestIndex = d;
        return r;
    };
    s.Routes = {route(0, 1), route(0, 2), route(3, 4), route(4, 4), route(0, 0)};
    CalcRouteMiles(s, port);
    float course = 0;
    ASSERT_LT(GetDistance(0, 0, 0, 0.99983f, course), 60.0f);
    EXPECT_EQ(s.Routes[0].Miles, 60);
    EXPECT_EQ(s.Routes[1].Miles, 59);
    EXPECT_EQ(s.Routes[2].Miles, 3019);
    EXPECT_EQ(s.Routes[3].Miles, 0);  // the same airport: a nudged 0.05 NM
    EXPECT_EQ(s.Routes[4].Miles, 0);  // both at 0, 0 (not in the navigation data)

    s.Routes = {route(0, 5)};
    EXPECT_NE(ErrorOf([&] { CalcRouteMiles(s, port); }).find("DestIndex 5 lies outside the index airports"),
              std::string::npos);
    s.Routes = {route(0, 1)};
    s.IndexAirports[1].Latitude = std::numeric_limits<float>::quiet_NaN();
    EXPECT_NE(ErrorOf([&] { CalcRouteMiles(s, port); }).find("measuring from AAA to BBB failed"), std::string::npos);
}
