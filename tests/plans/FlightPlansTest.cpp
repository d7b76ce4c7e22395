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

UniqueRoute Pair(std::int32_t number, const std::string& origin, const std::string& destination) {
    return {number, FixedText<3>(origin), FixedText<3>(destination), FixedText<4>("E" + origin),
            FixedText<4>("E" + destination)};
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

TEST(UniqueRoutes, OnePairPerRunOfAdjacentRoutesAndEachRouteGetsItsPairsFirstPlan) {
    testing::TempProgramFolder dir;
    const auto file = dir.Data() / UniqueRoutesFileName;
    const std::string codes[] = {"ABC", "DE", "XYZ", "AB", "CDE"};
    std::vector<IndexAirportRecord> airports(5);
    for (std::size_t i = 0; i < 5; ++i) airports[i].ICAO = "K" + codes[i];
    std::vector<RouteRecord> routes;
    const std::int16_t trips[][2] = {{0, 2}, {0, 2}, {0, 2}, {0, 1}, {2, 0}, {0, 2}, {1, 0}, {1, 0}, {3, 4}};
    for (const auto& [o, d] : trips) routes.push_back(Route(codes[o], codes[d], o, d));
    CreateUniqueRoutes(routes, airports, file);
    EXPECT_EQ(FileText(file),
              " 1 ,ABC,XYZ,KABC,KXYZ\r\n"
              " 2 ,ABC,DE ,KABC,KDE \r\n"
              " 3 ,XYZ,ABC,KXYZ,KABC\r\n"
              " 4 ,ABC,XYZ,KABC,KXYZ\r\n"
              " 5 ,DE ,ABC,KDE ,KABC\r\n"
              " 6 ,AB ,CDE,KAB ,KCDE\r\n");
    // "AB" to "CDE" must not take the plan of "ABC" to "DE"; a route of no pair keeps its pointer.
    routes.push_back(Route("ABC", "QQQ"));
    RecordingPort port;
    MatchPlansToRoutes(routes, LoadUniqueRoutes(file), port);
    std::vector<std::int32_t> pointers;
    for (const RouteRecord& r : routes) pointers.push_back(r.PlanPointer);
    EXPECT_EQ(pointers, (std::vector<std::int32_t>{1, 1, 1, 2, 3, 1, 5, 5, 6, 99}));
}

TEST(UniqueRoutes, ReadingBackTakesAtMost34000Pairs) {
    testing::TempProgramFolder dir;
    std::string lines;
    for (int n = 1; n <= UniqueRouteCapacity; ++n) lines += " " + std::to_string(n) + " ,AAA,BBB,EAAA,EBBB\r\n";
    const auto file = dir.Write("Data/UniqueRoutes.txt", lines);
    EXPECT_EQ(UniqueRouteCount(LoadUniqueRoutes(file)), UniqueRouteCapacity);
    dir.Write("Data/UniqueRoutes.txt", lines + " 34001 ,AAA,BBB,EAAA,EBBB\r\n");
    EXPECT_NE(ErrorOf([&] { LoadUniqueRoutes(file); }).find("more than 34000 city pairs"), std::string::npos);
}

TEST(CreateFlightPlans, WritesEveryPlanFileAndLogLineThenPacksThem) {
    Plans p;  // no plan folder yet: it is created
    p.Create();
    const std::string one = "\x01\x00H\x01\x00\x00\x00UL1  "s, two = "\x01\x00H\x02\x00\x00\x00UL1  "s;
    // Plan 3 is too close for any navaid; plan 4's unknown code reads the first airport.
    EXPECT_EQ(std::vector({p.Plan(1), p.Plan(2), p.Plan(3), p.Plan(4)}), std::vector({one, two, "\x00\x00"s, one}));
    EXPECT_EQ(p.Log(),
              "AAA,BBB,EAAA,EBBB, 1 , 1 ,SUCCESS\r\n"
              "BBB,AAA,EBBB,EAAA, 1 , 2 ,SUCCESS\r\n"
              "AAA,CCC,EAAA,ECCC, 0 , 3 ,SUCCESS\r\n"
              "ZZZ,BBB,EZZZ,EBBB, 1 , 4 ,SUCCESS\r\n");
    EXPECT_TRUE(p.port.warnings.empty());

    // The position table, then each plan's entries without what follows them in its file.
    p.dir.Write("KRplans/2.krp", two + "a longer file's tail");
    p.Pack();
    EXPECT_EQ(FileText(p.dir.Data() / PackedPlansFileName),
              "\x11\x00\x00\x00\x1d\x00\x00\x00\x29\x00\x00\x00\x2b\x00\x00\x00"s + one + two + "\x00\x00"s + one);
    p.dir.Write("KRplans/2.krp", "\xC9\x00"s);  // 201 entries
    EXPECT_NE(ErrorOf([&] { p.Pack(); }).find("holds 201 entries"), std::string::npos);
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
    EXPECT_NE(ErrorOf([&] { p.Pack(); }).find("plan 1 (AAA to BBB, EAAA to EBBB) has no plan file"), std::string::npos);
}

TEST(EraseOldPlans, StopsAtTheFirstMissingNumberAndKeepsPlanOne) {
    testing::TempProgramFolder dir;
    for (int n : {1, 2, 3, 4, 5, 7}) dir.Write("KRplans/" + std::to_string(n) + ".krp", "x");
    EraseOldPlans(dir.Root() / "KRplans");
    for (int n : {1, 2, 3, 4, 5, 7})
        EXPECT_EQ(fs::exists(PlanFilePath(dir.Root() / "KRplans", n)), n == 1 || n == 7) << n;
}

}  // namespace
}  // namespace tarnwell
