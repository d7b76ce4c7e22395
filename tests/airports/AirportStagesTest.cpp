// The index airports: found in the schedule, completed from the navigation
// airports, linked to the routes both ways and given their arrival lists;
// checked against nested scans of the tables, first match winning.

#include <gtest/gtest.h>

#include "airports/AirportLookup.h"
#include "airports/AirportTestTables.h"
#include "airports/ArrivalLists.h"
#include "airports/CrossMatch.h"
#include "airports/IndexAirports.h"
#include "compile/RecordingPort.h"
#include "timetable/TimetableFile.h"
#include "TestSupport.h"

using namespace tarnwell;
using namespace tarnwell::testing;

static std::vector<std::string> IndexCodes(const std::string& timetable) {
    std::vector<std::string> out;
    for (const auto& a : FindIndexAirports(ReadScheduleText("t", timetable, true)))
        out.push_back(a.IATA.Str() + "/" + a.ICAO.Str());
    return out;
}

// Looking up, cross matching and listing arrivals as scans of every table
// for every airport and route; returns the tables, arrivals.kr1 and how many
// airports the navigation data lacks.
static auto LiteralAirportStages(std::vector<IndexAirportRecord> index, std::vector<RouteRecord> routes,
                                 const std::vector<NavAirport>& nav) {
    Bytes arrivals;
    std::size_t missing = 0;
    for (IndexAirportRecord& a : index) {
        std::size_t n = 0;
        while (n < nav.size() && nav[n].ICAO.Trimmed() != a.ICAO.Trimmed()) ++n;
        if (n == nav.size()) ++missing;
        else
            std::tie(a.Latitude, a.Longitude, a.Altitude, a.City, a.AirportName) =
                std::tuple(nav[n].Latitude, nav[n].Longitude, nav[n].Altitude, FixedText<33>(nav[n].City.View()),
                           FixedText<35>(nav[n].Name.View()));
        // Each count starts at 0; the first route counted gives the position.
        a.DepartureCount = a.ArrivalsCount = 0;
        for (std::size_t r = 0; r < routes.size(); ++r) {
            const auto position = static_cast<std::int32_t>(32 * r + 1);
            if (routes[r].Origin.Trimmed() == a.IATA.Trimmed() && a.DepartureCount++ == 0) a.DeparturePos = position;
            if (routes[r].Destination.Trimmed() != a.IATA.Trimmed()) continue;
            if (a.ArrivalsCount++ == 0) a.ArrivalsPos = static_cast<std::int32_t>(arrivals.size()) + 1;
            arrivals.resize(arrivals.size() + 4);
            RecordWriter{std::span(arrivals).last(4)}.I32(0, position);
        }
    }
    // Scanning the index backwards leaves the first match.
    for (RouteRecord& route : routes)
        for (auto k = static_cast<std::int16_t>(index.size() - 1); k >= 0; --k) {
            if (index[static_cast<std::size_t>(k)].IATA.Trimmed() == route.Origin.Trimmed()) route.OriginIndex = k;
            if (index[static_cast<std::size_t>(k)].IATA.Trimmed() == route.Destination.Trimmed()) route.DestIndex = k;
        }
    return std::tuple(index, routes, arrivals, missing);
}

TEST(FindIndexAirports, FirstFourLetterCodeWinsAndCodesSortByCharacterCode) {
    // BBB first appears as a destination; later flights give it other codes.
    const std::string timetable = Flight("AAA", "BBB", 1, "320", "KAAA", "KBBB") +
                                  Flight("BBB", "CCC", 2, "320", "XBBB", "KCCC") +
                                  Flight("CCC", "BBB", 3, "320", "YCCC", "YBBB");
    EXPECT_EQ(IndexCodes(timetable), (std::vector<std::string>{"AAA/KAAA", "BBB/KBBB", "CCC/KCCC"}));
    // Digits before upper case before lower case; ABC and abc are two airports.
    EXPECT_EQ(IndexCodes(Flight("abc", "ABC") + Flight("1AB", "AB ") + Flight("ABC", "1AB")),
              (std::vector<std::string>{"1AB/E1AB", "AB /EAB ", "ABC/EABC", "abc/Eabc"}));
}

TEST(LookupIndexAirports, CopiesTheFirstMatchCutToWidthAndWarnsOfEachMissingAirport) {
    RecordingPort port;
    NavAirport heathrow = NavAirportAt("EGLL", 51.47f, -0.46f, 83);
    heathrow.Name = "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNX";  // one character beyond the index's 35
    auto index = IndexAirportsOf({"LHR/EGLL", "LGW/EGKK"});
    LookupIndexAirports(index, std::vector{NavAirportAt("egll", 1, 1), heathrow, NavAirportAt("EGLL", 2, 2)}, port);
    EXPECT_EQ(std::tuple(index[0].Latitude, index[0].Altitude, index[0].AirportName.Str(), index[0].City.Str()),
              std::tuple(51.47f, 83, std::string(35, 'N'), "EGLL City" + std::string(24, ' ')));
    ASSERT_EQ(port.beeps.size(), 1u);
    EXPECT_EQ(port.beeps[0].kind, BeepKind::Warning);
    EXPECT_NE(port.beeps[0].reason.find("airport LGW (EGKK) is not in the navigation airports"), std::string::npos);
}

TEST(CrossMatch, ArrivalListBytesProgressTextsAndOverflows) {
    RecordingPort port;
    auto index = IndexAirportsOf({"AAA", "BBB", "CCC", "DD "});
    auto routes = RoutesOf({"AAA-DD ", "BBB-AAA", "BBB-CCC", "BBB-AAA", "BBB-DD ", " DD-AAA", "DD -BBB", "DD -CCC"});
    MatchIndexToRoutes(index, routes, port);
    MatchRoutesToIndex(routes, index, port);
    // Route 0 is position 1, not 0; " DD" and "DD " are the same airport.
    EXPECT_EQ(CreateArrivalsPointers(index, routes), (Bytes{33, 0, 0, 0, 97, 0, 0, 0, 161, 0, 0, 0, 193, 0, 0, 0,
                                                            65, 0, 0, 0, 225, 0, 0, 0, 1, 0, 0, 0, 129, 0, 0, 0}));
    std::vector<std::string> texts;
    for (int i = 0; i <= 3; ++i) texts.push_back("Cross matching Index to Routes " + std::to_string(i) + " of 3");
    for (int r = 0; r <= 7; ++r) texts.push_back("Cross Matching Routes to Index " + std::to_string(r) + " of 7");
    EXPECT_EQ(port.StatusTexts(), texts);

    // Sixteen-bit overflows name the airport or route.
    index = IndexAirportsOf({"AAA"});
    routes = RoutesOf(std::vector<std::string>(32768, "AAA-AAA"));
    const std::string departing = ErrorOf([&] { MatchIndexToRoutes(index, routes, port); });
    EXPECT_NE(departing.find("DepartureCount, record 0: airport AAA has 32768 departing routes"), std::string::npos);
    const std::string arriving = ErrorOf([&] { CreateArrivalsPointers(index, routes); });
    EXPECT_NE(arriving.find("ArrivalsCount, record 0: airport AAA has 32768 arriving routes"), std::string::npos);
    routes.pop_back();
    MatchIndexToRoutes(index, routes, port);
    EXPECT_EQ(CreateArrivalsPointers(index, routes).size(), 4u * 32767);
    EXPECT_EQ(std::tuple(index[0].DepartureCount, index[0].ArrivalsCount), std::tuple(32767, 32767));

    index.resize(32769, index[0]);
    index.back().IATA = "ZZZ";
    routes = RoutesOf({"AAA-AAA", "AAA-ZZZ"});
    const std::string linking = ErrorOf([&] { MatchRoutesToIndex(routes, index, port); });
    EXPECT_NE(linking.find("DestIndex, record 1: route AAA to ZZZ: airport ZZZ is index airport 32768"),
              std::string::npos);
}

TEST(CrossMatch, AgreesWithTheNestedScansOnRandomTables) {
    std::mt19937 rng(20261206);
    const std::vector<std::string> codes = {"A", " A", "A  ", "B", "AB", " AB", "A B", "", "   ", "b"};
    auto code = [&] { return FixedText<4>(codes[rng() % codes.size()]); };
    auto below = [&](std::uint32_t n) { return static_cast<std::int16_t>(rng() % n); };
    for (int round = 0; round < 300; ++round) {
        // Positions and indices that nothing matches keep these values.
        std::vector<IndexAirportRecord> index(rng() % 12);
        for (auto& a : index)
            std::tie(a.IATA, a.ICAO, a.DeparturePos, a.ArrivalsPos) =
                std::tuple(FixedText<3>(code().View()), rng() % 5 ? code() : FixedText<4>(), below(7), below(7));
        std::vector<RouteRecord> routes(rng() % 40);
        for (auto& r : routes)
            std::tie(r.Origin, r.Destination, r.OriginIndex, r.DestIndex) =
                std::tuple(FixedText<3>(code().View()), FixedText<3>(code().View()), below(50), below(50));
        std::vector<NavAirport> nav;
        for (std::size_t j = rng() % 10; j > 0; --j) nav.push_back(NavAirportAt(code().Str(), below(90), below(90)));
        const auto expected = LiteralAirportStages(index, routes, nav);
        RecordingPort port;
        LookupIndexAirports(index, nav, port);
        MatchIndexToRoutes(index, routes, port);
        MatchRoutesToIndex(routes, index, port);
        const Bytes arrivals = CreateArrivalsPointers(index, routes);
        ASSERT_EQ(std::tuple(index, routes, arrivals, port.beeps.size()), expected) << "round " << round;
    }
}
