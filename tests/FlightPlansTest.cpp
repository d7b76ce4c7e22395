// Plan files, the plan log, erasing, packing and matching, and the plans of
// the bundled sample.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "plans/FlightPlans.h"
#include "plans/PlanBuilder.h"
#include "records/RecordLayouts.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"

namespace tarnwell {
namespace {

namespace fs = std::filesystem;
using testing::FileText;
using testing::NavAirportAt;
using testing::TempProgramFolder;

UniqueRoute Pair(std::int32_t number, const std::string& origin, const std::string& destination) {
    UniqueRoute u;
    u.PlanNumber = number;
    u.Origin = origin;
    u.Destination = destination;
    u.OriginICAO = "E" + origin;
    u.DestinationICAO = "E" + destination;
    return u;
}

// Airports at the two nodes of the test network and one close to the first.
struct Plans {
    TempProgramFolder dir;
    ProgramState state{dir.Root()};
    RecordingPort port;

    Plans() {
        state.NavAirports = {NavAirportAt("EAAA", 50, 5), NavAirportAt("EBBB", 51, 6), NavAirportAt("ECCC", 50.1f, 5.1f)};
        state.HighNodes = testing::TwoNodeNetwork();
        state.UniqueRoutes = {UniqueRoute{}, Pair(1, "AAA", "BBB"), Pair(2, "BBB", "AAA"), Pair(3, "AAA", "CCC"),
                              Pair(4, "ZZZ", "BBB")};
    }
    std::string Plan(int n) const { return FileText(dir.Root() / "KRplans" / (std::to_string(n) + ".krp")); }
    std::string Log() const { return FileText(dir.Data() / "PlanLog.txt"); }
};

TEST(CreateFlightPlans, WritesEveryPlanFileAndLogLine) {
    Plans p;  // no KRplans folder yet: it is created
    CreateFlightPlans(p.state, p.port);
    using namespace std::string_literals;
    EXPECT_EQ(p.Plan(1), "\x01\x00H\x01\x00\x00\x00UL1  "s);
    EXPECT_EQ(p.Plan(2), "\x01\x00H\x02\x00\x00\x00UL1  "s);
    EXPECT_EQ(p.Plan(3), "\x00\x00"s);    // too close for any navaid
    EXPECT_EQ(p.Plan(4), p.Plan(1));      // an unknown code reads the first airport
    EXPECT_EQ(p.Log(),
              "AAA,BBB,EAAA,EBBB, 1 , 1 ,SUCCESS\r\n"
              "BBB,AAA,EBBB,EAAA, 1 , 2 ,SUCCESS\r\n"
              "AAA,CCC,EAAA,ECCC, 0 , 3 ,SUCCESS\r\n"
              "ZZZ,BBB,EZZZ,EBBB, 1 , 4 ,SUCCESS\r\n");
    EXPECT_EQ(p.port.statuses[2].text, "Currently Building Plan 3 of 4 Plans.  EAAA to ECCC");
    EXPECT_EQ(p.port.currentStatus, "Finished Creating Assigned Plans!");
    EXPECT_TRUE(p.port.warnings.empty());
}

TEST(CreateFlightPlans, AFailedBuildLeavesNoPlanAndSaysWhich) {
    Plans p;
    p.state.HighNodes.Clear();  // no node to start from
    p.state.UniqueRoutes.resize(2);
    p.dir.Write("KRplans/1.krp", "an older plan");
    CreateFlightPlans(p.state, p.port);
    EXPECT_FALSE(fs::exists(p.dir.Root() / "KRplans" / "1.krp"));
    EXPECT_EQ(p.Log(), "AAA,BBB,EAAA,EBBB,-1 , 1 ,ERROR\r\n");
    ASSERT_EQ(p.port.warnings.size(), 1u);
    EXPECT_NE(p.port.warnings[0].find("plan 1 (AAA to BBB, EAAA to EBBB) could not be built"), std::string::npos);

    p.state.RouteSet.Begin(p.dir.Data(), "Set");
    const std::string error = testing::ErrorOf([&] { PackPlans(p.state, p.port); });
    EXPECT_NE(error.find("plan 1 (AAA to BBB, EAAA to EBBB) has no plan file"), std::string::npos) << error;
    EXPECT_EQ(p.port.currentStatus, "Packing File 1");
    p.state.RouteSet.Discard();
}

TEST(EraseOldPlans, StopsAtTheFirstMissingNumberAndKeepsPlanOne) {
    TempProgramFolder dir;
    for (int n : {1, 2, 3, 4, 5, 7}) dir.Write("KRplans/" + std::to_string(n) + ".krp", "x");
    ProgramState state(dir.Root());
    RecordingPort port;
    EraseOldPlans(state, port);
    for (int n : {1, 2, 3, 4, 5, 7})
        EXPECT_EQ(fs::exists(dir.Root() / "KRplans" / (std::to_string(n) + ".krp")), n == 1 || n == 7) << n;
}

TEST(PackPlans, PutsThePositionTableBeforeTheBlocks) {
    Plans p;
    p.state.UniqueRoutes.resize(4);
    const auto plan = [](std::vector<PlanPoint> points) {
        const Bytes b = EncodePlan(points);
        return std::string(b.begin(), b.end());
    };
    const PlanPoint h{'H', 7, FixedText<5>("UL1")};
    const PlanPoint v{'V', 3, FixedText<5>("")};
    p.dir.Write("KRplans/1.krp", plan({h, v}));
    p.dir.Write("KRplans/2.krp", plan({}));
    p.dir.Write("KRplans/3.krp", plan({v}) + "a longer file's tail");
    p.state.RouteSet.Begin(p.dir.Data(), "Set");
    PackPlans(p.state, p.port);
    const Bytes packed = ReadFileBytes(p.state.RouteSet.File("PLANS.kr1"));
    ASSERT_EQ(packed.size(), 48u);
    const RecordReader r{packed};
    EXPECT_EQ(r.I32(0), 13);
    EXPECT_EQ(r.I32(4), 35);
    EXPECT_EQ(r.I32(8), 37);
    EXPECT_EQ(std::string(packed.begin() + 12, packed.end()), plan({h, v}) + plan({}) + plan({v}));
    EXPECT_EQ(p.port.StatusTexts(), (std::vector<std::string>{"Packing File 1", "Packing File 2", "Packing File 3",
                                                              "Finished Creating Packed Plans File"}));
    EXPECT_EQ(p.port.eventsLetThrough, 3);

    p.dir.Write("KRplans/2.krp", std::string("\xC9\x00", 2));  // 201 entries
    EXPECT_NE(testing::ErrorOf([&] { PackPlans(p.state, p.port); }).find("holds 201 entries"), std::string::npos);
    p.state.RouteSet.Discard();
}

TEST(MatchPlansToRoutes, GivesEachRouteTheFirstPlanOfItsPair) {
    ProgramState state(".");
    RecordingPort port;
    for (const char* dest : {"XYZ", "XYZ", "DEF", "QQQ"}) {
        RouteRecord r;
        r.Origin = "ABC";
        r.Destination = dest;
        r.PlanPointer = 99;
        state.Routes.push_back(r);
    }
    state.UniqueRoutes = {UniqueRoute{}, Pair(1, "ABC", "XYZ"), Pair(2, "ABC", "DEF"), Pair(3, "ABC", "XYZ")};
    MatchPlansToRoutes(state, port);
    EXPECT_EQ(state.Routes[0].PlanPointer, 1);
    EXPECT_EQ(state.Routes[1].PlanPointer, 1);
    EXPECT_EQ(state.Routes[2].PlanPointer, 2);
    EXPECT_EQ(state.Routes[3].PlanPointer, 99);  // no pair: unchanged
    EXPECT_EQ(port.statuses.front().text, "Matching Flight Plans to Routes 0 of 3");
    EXPECT_EQ(port.statuses.back().text, "Matching Flight Plans to Routes 3 of 3");
}

TEST(FindNavAirport, MatchesAllFourCharactersBeyondTheSixteenBitRange) {
    TempProgramFolder dir;
    ProgramState state(dir.Root());
    state.NavAirports.resize(40000, NavAirportAt("XXXX", 0, 0));
    state.NavAirports[39999] = NavAirportAt("EAA ", 0, 0);
    state.NavAirports[39998] = NavAirportAt("EAAA", 0, 0);
    state.NavAirports[39997] = NavAirportAt("EAAA", 1, 1);
    const PlanBuildContext context(state);
    for (const char* code : {"EAAA", "EAA ", "EAA", "QQQQ"}) {
        const FixedText<4> icao(code);
        EXPECT_EQ(context.FindNavAirport(icao), FindNavAirport(state, icao)) << code;
    }
    EXPECT_EQ(FindNavAirport(state, FixedText<4>("EAAA")), 39997);
    EXPECT_EQ(FindNavAirport(state, FixedText<4>("EAA")), 39999);
    EXPECT_EQ(FindNavAirport(state, FixedText<4>("QQQQ")), 0);
}

}  // namespace
}  // namespace tarnwell
