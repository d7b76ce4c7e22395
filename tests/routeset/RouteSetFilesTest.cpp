// The byte layouts of index.kr1, routes.kr1 and airline.kr1, the routes'
// miles, writing the files into the route set, the names a route set may
// have, and the real-world airline list, which holds airline.kr1 records.

#include <gtest/gtest.h>

#include <limits>

#include "airports/AirportTestTables.h"
#include "compile/RecordingPort.h"
#include "geo/GreatCircle.h"
#include "realworld/RealAirlineList.h"
#include "records/RecordLayouts.h"
#include "routeset/DataFiles.h"
#include "routeset/RouteMiles.h"
#include "TestSupport.h"

using namespace tarnwell;
using namespace tarnwell::testing;

static Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

static std::vector<RouteRecord> RoutesBetween(const std::vector<std::pair<std::int16_t, std::int16_t>>& ends) {
    std::vector<RouteRecord> routes(ends.size());
    for (std::size_t r = 0; r < ends.size(); ++r) std::tie(routes[r].OriginIndex, routes[r].DestIndex) = ends[r];
    return routes;
}

TEST(RouteSetLayouts, IndexAndRouteRecordsFieldByField) {
    // Every field distinct, in record order; the city is left empty.
    const IndexAirportRecord a{FixedText<3>("LBA"), FixedText<4>("EGNM"), FixedText<35>("Leeds Bradford"), {},
                               0x01020304, -2, 681, 1.0f, -2.0f, 33, 7, 2, 0x10203};
    Bytes expected = BytesOf("LBAEGNMLeeds Bradford" + std::string(21, ' ') + std::string(33, '\0'));
    expected.insert(expected.end(), {4, 3, 2, 1, 0xFE, 0xFF, 0xA9, 2, 0, 0, 0, 0, 0x80, 0x3F, 0, 0, 0, 0xC0,
                                     33, 0, 0, 0, 7, 0, 2, 0, 0, 0, 3, 2, 1, 0});
    const Bytes file = EncodeIndexFile(std::vector{a});
    EXPECT_EQ(file, expected);
    EXPECT_EQ(DecodeIndexFile(file, "index"), std::vector{a});

    const RouteRecord r{FixedText<3>("LBA"), 700, FixedText<3>("AMS"), -1, 300, 127, FixedText<3>("TWL"), 101,
                        FixedText<3>("73H"), FixedText<1>("G"), 31, {}, 3, 4, 65537};
    const Bytes route = EncodeRouteFile(std::vector{r});
    EXPECT_EQ(route, (Bytes{'L', 'B', 'A', 0xBC, 0x02, 'A', 'M', 'S', 0xFF, 0xFF, 0x2C, 0x01, 127, 'T', 'W', 'L',
                            101, 0, '7', '3', 'H', 'G', 31, 0, 3, 0, 4, 0, 1, 0, 1, 0}));
    EXPECT_EQ(DecodeRouteFile(route, "routes"), std::vector{r});
}

TEST(CalcRouteMiles, TruncatesTheGreatCircleDistanceAndNamesTheRouteOnFaults) {
    auto index = IndexAirportsOf({"AAA", "BBB", "CCC", "JFK", "LHR", "NaN"});
    std::tie(index[1].Longitude, index[2].Longitude, index[3].Latitude, index[3].Longitude, index[4].Latitude,
             index[4].Longitude, index[5].Latitude) =
        std::tuple(1.0f, 0.99983f, 40.0f, -74.0f, 51.5f, -0.5f, std::numeric_limits<float>::quiet_NaN());
    float course = 0;
    ASSERT_LT(GetDistance(0, 0, 0, 0.99983f, course), 60.0f);  // 59.99 NM from AAA to CCC
    // The same airport is a nudged 0.05 NM; one missing from the navigation data lies at 0, 0.
    auto routes = RoutesBetween({{0, 1}, {0, 2}, {3, 4}, {4, 4}, {0, 0}});
    CalcRouteMiles(routes, index);
    std::vector<int> miles;
    for (const RouteRecord& r : routes) miles.push_back(r.Miles);
    EXPECT_EQ(miles, (std::vector<int>{60, 59, 3019, 0, 0}));

    const std::vector<std::pair<std::pair<std::int16_t, std::int16_t>, std::string>> faults = {
        {{0, 6}, "DestIndex, record 1: the route's DestIndex 6 lies outside the index airports (0 to 5)"},
        {{-1, 0}, "OriginIndex, record 1: the route's OriginIndex -1 lies outside"},
        {{0, 5}, "Miles, record 1: measuring from AAA to NaN failed"},
    };
    for (const auto& [ends, error] : faults) {
        routes = RoutesBetween({{0, 0}, ends});
        EXPECT_NE(ErrorOf([&] { CalcRouteMiles(routes, index); }).find(error), std::string::npos) << error;
    }
}

TEST(WriteDataFiles, WritesExactLengthsAndTheCompiledAirlineFirstCutToWidth) {
    TempProgramFolder dir;
    RouteSetOutput routeSet;
    AirlineTable airlines{};
    airlines[1].Code = "ZZZ";
    const auto compile = [&](std::size_t routes) {
        routeSet.Begin(dir.Data(), "ABC");
        WriteDataFiles(routeSet, std::vector<IndexAirportRecord>(3), std::vector<RouteRecord>(routes), airlines, "",
                       std::string(50, 'n'));
        routeSet.Commit();
    };
    compile(10);
    const auto folder = dir.Data() / "ABC";
    EXPECT_EQ(std::filesystem::file_size(folder / "index.kr1"), 321u);
    EXPECT_EQ(std::filesystem::file_size(folder / "routes.kr1"), 320u);
    EXPECT_EQ(FileText(folder / "airline.kr1"),
              "   " + std::string(39, 'n') + std::string(24, '\0') + "ZZZ" + std::string(63 + 9 * 66, '\0'));
    // A second, smaller compile into the same folder leaves no old tail.
    compile(2);
    EXPECT_EQ(std::filesystem::file_size(folder / "routes.kr1"), 64u);
    EXPECT_FALSE(std::filesystem::exists(routeSet.StagingFolder()));
}

// Names outside their own folder, and names some system cannot store, are
// refused on every system alike.
TEST(ValidateSetName, RefusesNamesOutsideTheirOwnFolderOrThatWindowsCannotStore) {
    for (const std::string& bad : std::vector<std::string>{"", "   ", ".", "..", "a/b", "a\\b", "Defaults", "DEFAULTS", "defaults", "../x", "a<b", "a:b", "a\"b", "a|b",
          "a?", "a*", "tab\there", "x\x7f", "ends.", "ends ", "...", "CON", "con.txt", "Lpt9", "com1.kr1", "aux ",
          std::string(201, 'n'), "x.tarnwell-staging", ".tarnwell-undo"})
        EXPECT_THROW(ValidateSetName(bad), TarnwellError) << bad;
    for (const std::string& good : std::vector<std::string>{"ABC", "Tarnwell Air (Leeds)", "Defaults2", " x", "Société Aérienne", "CONSOLE",
                                   "COM0", "LPT10", "x.y", std::string(200, 'n')})
        EXPECT_NO_THROW(ValidateSetName(good)) << good;
}

TEST(LoadRealAirlines, ReadsWholeRecordsAndWarnsOfAMissingOrEmptyList) {
    TempProgramFolder dir;
    RecordingPort port;
    EXPECT_TRUE(LoadRealAirlines(dir.Data(), port).empty());
    dir.Write("Data/airline.kr1", "");
    EXPECT_TRUE(LoadRealAirlines(dir.Data(), port).empty());
    EXPECT_EQ(port.warnings.size(), 2u);
    std::vector<AirlineRecord> list(250, AirlineRecord{FixedText<3>("ZZZ"), {}, FixedText<24>("x")});
    WriteFileBytes(dir.Data() / "airline.kr1", EncodeAirlineFile(list));
    EXPECT_EQ(LoadRealAirlines(dir.Data(), port), list);
    dir.Write("Data/airline.kr1", std::string(100, 'x'));
    EXPECT_THROW(LoadRealAirlines(dir.Data(), port), TarnwellError);
}
