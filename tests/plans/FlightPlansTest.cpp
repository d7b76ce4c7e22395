// The city pairs, their plan files and the plan log, erasing, packing, and
// matching plans to routes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "compile/RecordingPort.h"
#include "plans/FlightPlans.h"
#include "plans/PlanFile.h"

namespace tarnwell {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::ErrorOf;
using testing::FileText;

UniqueRoute Pair(std::int32_t number, const std::string& origin, const std::string& destination,
                 const std::string& icaoPrefix = "E") {
    return {number, FixedText<3>(origin), FixedText<3>(destination), FixedText<4>(icaoPrefix + origin),
            FixedText<4>(icaoPrefix + destination)};
}

// A route between two airports (at these index positions) whose plan pointer no city pair gives.
RouteRecord Route(const std::string& origin, const std::string& destination, std::int16_t originIndex = 0,
                  std::int16_t destIndex = 0) {
    RouteRecord r;
    r.Origin = origin;
    r.Destination = destination;
    r.OriginIndex = originIndex;
    r.DestIndex = destIndex;
    r.PlanPointer = 99;
    return r;
}

std::string PlanText(const std::vector<PlanPoint>& points) {
    const Bytes b = EncodePlan(points);
    return std::string(b.begin(), b.end());
}

// Airports at the two nodes of the two-node network and one close to the first.
struct Plans {
    testing::TempProgramFolder dir;
    NavigationData nav;
    std::vector<UniqueRoute> pairs{{}, Pair(1, "AAA", "BBB"), Pair(2, "BBB", "AAA"), Pair(3, "AAA", "CCC"),
                                   Pair(4, "ZZZ", "BBB")};
    SearchState search;
    RecordingPort port;

    explicit Plans(AirwayNetwork high = testing::TwoNodeNetwork())
        : nav({testing::NavAirportAt("EAAA", 50, 5), testing::NavAirportAt("EBBB", 51, 6),
               testing::NavAirportAt("ECCC", 50.1f, 5.1f)},
              {}, {}, {}, std::move(high), {}) {}
    fs::path Folder() const { return dir.Root() / PlanFolderName; }
    std::string Plan(int n) const { return FileText(PlanFilePath(Folder(), n)); }
    std::string Log() const { return FileText(dir.Data() / PlanLogFileName); }
    void Create() { CreateFlightPlans(nav, pairs, Folder(), dir.Data() / PlanLogFileName, search, port, port); }
    void Pack() { PackPlans(Folder(), pairs, dir.Data() / PackedPlansFileName, port); }
};

TEST(UniqueRoutes, AdjacentRunsReversePairsAndTrailingRuns) {
    testing::TempProgramFolder dir;
    const auto file = dir.Data() / UniqueRoutesFileName;
    const std::string codes[] = {"ABC", "DE", "XYZ"};
    std::vector<IndexAirportRecord> airports;
    for (const std::string& c : codes) {
        airports.emplace_back();
        airports.back().IATA = c;
        airports.back().ICAO = "K" + c;
    }
    std::vector<RouteRecord> routes;
    const std::int16_t trips[][2] = {{0, 2}, {0, 2}, {0, 2}, {0, 1}, {2, 0}, {0, 2}, {1, 0}, {1, 0}};
    for (const auto& [o, d] : trips) routes.push_back(Route(codes[o], codes[d], o, d));
    CreateUniqueRoutes(routes, airports, file);
    EXPECT_EQ(FileText(file),
              " 1 ,ABC,XYZ,KABC,KXYZ\r\n"
              " 2 ,ABC,DE ,KABC,KDE \r\n"
              " 3 ,XYZ,ABC,KXYZ,KABC\r\n"
              " 4 ,ABC,XYZ,KABC,KXYZ\r\n"
              " 5 ,DE ,ABC,KDE ,KABC\r\n");
    const std::vector<UniqueRoute> pairs = LoadUniqueRoutes(file);
    ASSERT_EQ(UniqueRouteCount(pairs), 5);
    EXPECT_EQ(pairs[5], Pair(5, "DE", "ABC", "K"));

    routes[0].DestIndex = 3;
    EXPECT_NE(ErrorOf([&] { CreateUniqueRoutes(routes, airports, file); }).find("DestIndex 3 lies outside"),
              std::string::npos);
}

TEST(UniqueRoutes, ReadingBackChecksCapacityAndNumbers) {
    testing::TempProgramFolder dir;
    std::string lines;
    for (int i = 1; i <= UniqueRouteCapacity; ++i) lines += " " + std::to_string(i) + " ,AAA,BBB,EAAA,EBBB\r\n";
    const auto file = dir.Write("Data/UniqueRoutes.txt", lines);
    const std::vector<UniqueRoute> full = LoadUniqueRoutes(file);
    EXPECT_EQ(UniqueRouteCount(full), UniqueRouteCapacity);
    EXPECT_EQ(full[250], Pair(250, "AAA", "BBB"));

    const std::pair<std::string, const char*> faults[] = {
        {lines + " 34001 ,AAA,BBB,EAAA,EBBB\r\n", "line 34001: more than 34000 city pairs"},
        {" 1 ,AAA,BBB,EAAA,EBBB\r\n x ,AAA,BBB,EAAA,EBBB\r\n", "line 2, field 1 (PlanNumber)"},
        {" 1 ,AAA,BBB\r\n", "ends where a field was expected"},
    };
    for (const auto& [text, words] : faults) {
        dir.Write("Data/UniqueRoutes.txt", text);
        EXPECT_NE(ErrorOf([&] { LoadUniqueRoutes(file); }).find(words), std::string::npos) << words;
    }
}

TEST(CreateFlightPlans, WritesEveryPlanFileAndLogLine) {
    Plans p;  // no plan folder yet: it is created
    p.Create();
    EXPECT_EQ(p.Plan(1), "\x01\x00H\x01\x00\x00\x00UL1  "s);
    EXPECT_EQ(p.Plan(2), "\x01\x00H\x02\x00\x00\x00UL1  "s);
    EXPECT_EQ(p.Plan(3), "\x00\x00"s);  // too close for any navaid
    EXPECT_EQ(p.Plan(4), p.Plan(1));    // an unknown code reads the first airport
    EXPECT_EQ(p.Log(),
              "AAA,BBB,EAAA,EBBB, 1 , 1 ,SUCCESS\r\n"
              "BBB,AAA,EBBB,EAAA, 1 , 2 ,SUCCESS\r\n"
              "AAA,CCC,EAAA,ECCC, 0 , 3 ,SUCCESS\r\n"
              "ZZZ,BBB,EZZZ,EBBB, 1 , 4 ,SUCCESS\r\n");
    EXPECT_TRUE(p.port.warnings.empty());
}

TEST(CreateFlightPlans, AFailedBuildLeavesNoPlanAndSaysWhich) {
    Plans p{AirwayNetwork{}};  // no node to start from
    p.pairs.resize(2);
    p.dir.Write("KRplans/1.krp", "an older plan");
    p.Create();
    EXPECT_FALSE(fs::exists(PlanFilePath(p.Folder(), 1)));
    EXPECT_EQ(p.Log(), "AAA,BBB,EAAA,EBBB,-1 , 1 ,ERROR\r\n");
    ASSERT_EQ(p.port.warnings.size(), 1u);
    EXPECT_NE(p.port.warnings[0].find("plan 1 (AAA to BBB, EAAA to EBBB) could not be built"), std::string::npos);

    const std::string error = ErrorOf([&] { p.Pack(); });
    EXPECT_NE(error.find("plan 1 (AAA to BBB, EAAA to EBBB) has no plan file"), std::string::npos) << error;
}

TEST(EraseOldPlans, StopsAtTheFirstMissingNumberAndKeepsPlanOne) {
    testing::TempProgramFolder dir;
    for (int n : {1, 2, 3, 4, 5, 7}) dir.Write("KRplans/" + std::to_string(n) + ".krp", "x");
    EraseOldPlans(dir.Root() / "KRplans");
    for (int n : {1, 2, 3, 4, 5, 7})
        EXPECT_EQ(fs::exists(PlanFilePath(dir.Root() / "KRplans", n)), n == 1 || n == 7) << n;
}

TEST(PackPlans, PutsThePositionTableBeforeTheBlocks) {
    Plans p;
    p.pairs.resize(4);
    const PlanPoint h{'H', 7, FixedText<5>("UL1")}, v{'V', 3, FixedText<5>("")};
    p.dir.Write("KRplans/1.krp", PlanText({h, v}));
    p.dir.Write("KRplans/2.krp", PlanText({}));
    p.dir.Write("KRplans/3.krp", PlanText({v}) + "a longer file's tail");
    p.Pack();
    const Bytes packed = ReadFileBytes(p.dir.Data() / PackedPlansFileName);
    ASSERT_EQ(packed.size(), 48u);
    const RecordReader r{packed};
    EXPECT_EQ(std::vector({r.I32(0), r.I32(4), r.I32(8)}), std::vector({13, 35, 37}));
    EXPECT_EQ(std::string(packed.begin() + 12, packed.end()), PlanText({h, v}) + PlanText({}) + PlanText({v}));
    EXPECT_EQ(DecodePlanPoint(std::span(packed).subspan(24, PlanPointLength)), v);

    p.dir.Write("KRplans/2.krp", "\xC9\x00"s);  // 201 entries
    EXPECT_NE(ErrorOf([&] { p.Pack(); }).find("holds 201 entries"), std::string::npos);
}

TEST(MatchPlansToRoutes, GivesEachRouteTheFirstPlanOfItsPair) {
    // Plan 4's pair "ABC DE" must not match the route "AB CDE".
    const std::vector<UniqueRoute> pairs{
        {}, Pair(1, "ABC", "XYZ"), Pair(2, "ABC", "DEF"), Pair(3, "ABC", "XYZ"), Pair(4, "ABC", "DE")};
    std::vector<RouteRecord> routes{Route("ABC", "XYZ"), Route("ABC", "XYZ"), Route("ABC", "DEF"), Route("ABC", "QQQ"),
                                    Route("AB", "CDE")};
    RecordingPort port;
    MatchPlansToRoutes(routes, pairs, port);
    std::vector<std::int32_t> pointers;
    for (const RouteRecord& r : routes) pointers.push_back(r.PlanPointer);
    EXPECT_EQ(pointers, (std::vector<std::int32_t>{1, 1, 2, 99, 99}));  // no pair: unchanged
}

}  // namespace
}  // namespace tarnwell
