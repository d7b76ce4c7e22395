// Checking a route set read back from its files: the summary, each damage
// by its problem lines, and the order the lines come in.

#include <gtest/gtest.h>

#include <functional>

#include "examine/TestRouteSet.h"

namespace tarnwell {

namespace fs = std::filesystem;
using Set = testing::TestRouteSet;
const std::string plans = "PLANS.kr1, plan ";

// Each change made to a fresh set (and written, when it changes the tables)
// and the problem lines the check then finds.
static void ExpectProblems(bool changeTables,
                           const std::vector<std::pair<std::function<void(Set&)>, std::string>>& cases) {
    for (const auto& [change, problems] : cases) {
        Set set;
        change(set);
        if (changeTables) set.Write();
        EXPECT_EQ(set.Problems(), problems);
    }
}

TEST(CheckRouteSet, EachDamagedRecordIsNamed) {
    const std::string bbb = "index.kr1, airport 1 (BBB): ", ccc = "index.kr1, airport 2 (CCC): ";
    ExpectProblems(true, {
        {[](Set& s) { s.airports[2].IATA = "BBB"; },
         "index.kr1, airport 2 (BBB): airport 1 has the same code\n"
         "arrivals.kr1, position 9 (list of airport 2, BBB): 33 is route 1 (AAA to CCC), which does not arrive "
         "at BBB (and 1 more wrong entry in this list)\n"
         "routes.kr1, route 1 (AAA to CCC): DestIndex 2 names airport BBB\n"
         "routes.kr1, route 3 (BBB to CCC): DestIndex 2 names airport BBB\n"},
        {[](Set& s) { s.routes[0].DestIndex = 2; },
         "routes.kr1, route 0 (AAA to BBB): DestIndex 2 names airport CCC\n"},
        {[](Set& s) { s.routes[1].OriginIndex = 3; },
         "routes.kr1, route 1 (AAA to CCC): OriginIndex 3 is outside index.kr1 (3 airports)\n"},
        {[](Set& s) { s.airports[1].DepartureCount = 3; },
         bbb + "the departure block of 3 routes from position 65 runs past the end of routes.kr1 (4 routes)\n" +
             bbb + "2 routes leave it, its departure block holds 0 of them\n"},
        {[](Set& s) { s.airports[0].DepartureCount = 1; },
         "index.kr1, airport 0 (AAA): 2 routes leave it, its departure block holds 1 of them\n"},
        {[](Set& s) { s.airports[1].DeparturePos = 1; },
         bbb + "the departure block (routes 0 to 1) holds route 0 (AAA to BBB), which does not leave BBB (and 1 "
               "more wrong entry in this block)\n" +
             bbb + "2 routes leave it, its departure block holds 0 of them\n"},
        {[](Set& s) { s.airports[2].ArrivalsPos = s.airports[2].ArrivalsCount = 0; },
         ccc + "2 routes arrive at it, its arrival list holds 0 of them\n"
               "arrivals.kr1: 16 bytes, but the arrival list of airport 1 (BBB) ends at byte 8\n"},
        {[](Set& s) { s.arrivals[1] = 33; },
         "arrivals.kr1, position 5 (list of airport 1, BBB): 33 is route 1 (AAA to CCC), which does not arrive "
         "at BBB\n" + bbb + "1 route arrives at it, its arrival list holds 0 of them\n"},
        {[](Set& s) { s.arrivals[0] = 66; },
         "arrivals.kr1, position 1 (list of airport 0, AAA): 66 is not the position of a route record of "
         "routes.kr1 (4 routes)\n"
         "index.kr1, airport 0 (AAA): 1 route arrives at it, its arrival list holds 0 of them\n"},
        {[](Set& s) { std::swap(s.arrivals[2], s.arrivals[3]); },
         "arrivals.kr1, position 13 (list of airport 2, CCC): 33 does not follow the entry before it (97) in "
         "route order\n" + ccc + "2 routes arrive at it, its arrival list holds 1 of them\n"},
        {[](Set& s) { s.airports[2].ArrivalsPos = 13; },
         ccc + "ArrivalsPos 13, expected 9, right after the arrival list of airport 1 (BBB)\n" + ccc +
             "the arrival list of 2 entries from position 13 runs past the end of arrivals.kr1 (4 entries)\n" +
             ccc + "2 routes arrive at it, its arrival list holds 0 of them\n" +
             "arrivals.kr1: 16 bytes, but the arrival list of airport 2 (CCC) ends at byte 20\n"},
        {[](Set& s) { s.airports[2].AptPos = 112; },
         ccc + "AptPos 112, expected 111, right after the runway data of airport 0 (AAA)\n"
               "APT.kr1: 186 bytes, but the runway data of airport 2 (CCC) ends at byte 187\n"},
        {[](Set& s) { s.plans[1][0].PointType = '\0'; },
         plans + "2, entry 1: point type byte 0 is none of H, V, N, I\n"},
        {[](Set& s) { s.plans[0][1].PointRef = 3; },
         plans + "1, entry 2: H 3 is not a node of Data/HighAlt.ab1 (1 to 2)\n"},
        {[](Set& s) { s.plans[1][0].PointRef = 1; },
         plans + "2, entry 1: V 1 is not a record of Data/nav_VOR.bin (1 record)\n"},
        {[](Set& s) { s.plans[1][2].AirwayName = "UL1"; },
         plans + "2, entry 3: I 0 has the airway name \"UL1\", expected blanks\n"},
    });
}

TEST(CheckRouteSet, EachDamagedFileIsNamed) {
    ExpectProblems(false, {
        {[](Set& s) { fs::remove(s.File("routes.kr1")); }, "routes.kr1: the file is missing\n"},
        {[](Set& s) { s.Resize("arrivals.kr1", 20); },
         "arrivals.kr1: 20 bytes, but the arrival list of airport 2 (CCC) ends at byte 16\n"},
        {[](Set& s) { s.Resize("APT.kr1", 110); },
         "APT.kr1: 110 bytes, but the runway data of airport 2 (CCC) ends at byte 186\n"},
        {[](Set& s) { s.Resize("APT.kr1", 50); },
         "APT.kr1: 50 bytes, but the runway data of airport 2 (CCC) ends at byte 186; from airport 0 on it lies "
         "past the end\n"},
        {[](Set& s) { s.Patch("PLANS.kr1", 1, {14, 0, 0, 0}); },
         "PLANS.kr1: the first position 14 is not the one right after a position table (4 n + 1 for n plans, "
         "within the file's 68 bytes)\n"},
        {[](Set& s) { s.Resize("PLANS.kr1", 3); }, "PLANS.kr1: 3 bytes, too short for a position table\n"},
        {[](Set& s) { s.Patch("PLANS.kr1", 5, {67, 0, 0, 0}); },
         plans + "2: block at 67, expected 35 (right after the block before it)\n" + plans +
             "3: block at 67, expected 69 (right after the block before it)\n"},
        {[](Set& s) { s.Patch("PLANS.kr1", 9, {69, 0, 0, 0}); },
         plans + "3: position 69 lies outside the plan blocks (13 to 67)\n"},
        {[](Set& s) { s.Patch("PLANS.kr1", 67, {201, 0}); },
         plans + "3 (block at 67): entry count 201 is outside 0 to 200\n"},
        {[](Set& s) { s.Patch("PLANS.kr1", 67, {1, 0}); },
         plans + "3 (block at 67): its block of 1 entry runs past the end of the file (68 bytes)\n"},
        {[](Set& s) { s.Resize("PLANS.kr1", 70); },
         "PLANS.kr1: 70 bytes, but the position table and the plan blocks end at byte 68\n"},
    });
}

// Several damages at once: the problems of reading the files come first,
// then airport by airport (each one's departures, arrivals and runway data
// together), then the routes, the airlines and the plans.
TEST(CheckRouteSet, ProblemsComeFileByFileAndAirportByAirport) {
    Set set;
    std::tie(set.airports[0].AptPos, set.airports[1].DeparturePos, set.routes[3].PlanPointer) = std::tuple(2, 66, 4);
    set.plans[0][0].PointType = 'X';
    set.Write();
    set.Resize("routes.kr1", 129);
    set.Put("airline.kr1", Bytes(660));
    fs::remove(set.dir.Data() / "nav_NDB.bin");
    EXPECT_EQ(set.Problems(),
              "routes.kr1: 129 bytes, not a whole number of 32-byte records (1 bytes left over)\n"
              "index.kr1, airport 0 (AAA): AptPos 2, expected 1, the start of the file\n"
              "index.kr1, airport 1 (BBB): DeparturePos 66 is not the position of a route record (32 r + 1)\n"
              "index.kr1, airport 1 (BBB): 2 routes leave it, its departure block holds 0 of them\n"
              "index.kr1, airport 1 (BBB): AptPos 111, expected 112, right after the runway data of airport 0 (AAA)\n"
              "index.kr1, airport 2 (CCC): AptPos 111, expected 112, right after the runway data of airport 0 (AAA)\n"
              "routes.kr1, route 3 (BBB to CCC): PlanPointer 4 is not a plan of PLANS.kr1 (1 to 3)\n"
              "airline.kr1: 660 bytes, not the 11 66-byte records (726 bytes)\n"
              "PLANS.kr1, plan 1, entry 1: point type \"X\" is none of H, V, N, I\n"
              "Data/nav_NDB.bin cannot be read (it is missing); 1 plan entry refers to it and cannot be checked\n");
}

// What a compile checks before it keeps its set: only the departure blocks
// and arrival lists, whatever else is wrong.
TEST(CheckDeparturesAndArrivals, FindsBrokenBlocksAndListsOnly) {
    Set set;
    EXPECT_EQ(CheckDeparturesAndArrivals(set.dir.Data() / "Test"), std::vector<std::string>{});
    set.airports[1].DeparturePos = 1;
    set.routes[0].DestIndex = 2;  // a broken link, which this check leaves to `check`
    set.Write();
    const auto problems = CheckDeparturesAndArrivals(set.dir.Data() / "Test");
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("which does not leave BBB"), std::string::npos) << problems[0];
}

// The summary of a consistent set, problems and names that are no route set.
TEST(CheckRouteSet, SummaryExitCodesAndSetNames) {
    const Set set;
    const std::string root = "--root \"" + PathText(set.dir.Root()) + "\" ";
    testing::CliRun r = testing::RunCli(set.dir, root + "check Test");
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("Airports: 3 (1 without runway data)\nRoutes: 4\nAirlines: 1\n"
                         "Plans: 3 (1 airway, 1 point-to-point, 1 empty)\nNo problems found.\n"),
              std::string::npos)
        << r.out;

    fs::remove(set.File("APT.kr1"));
    r = testing::RunCli(set.dir, root + "check Test");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("1 problem:\nAPT.kr1: the file is missing\n"), std::string::npos) << r.out;

    EXPECT_EQ(testing::RunCli(set.dir, root + "check Defaults").exitCode, 2);
    EXPECT_EQ(CheckRouteSet(set.dir.Root(), "Other").problems,
              std::vector<std::string>{PathText(set.dir.Data() / "Other") +
                                       ": there is no route set folder of this name"});
    EXPECT_THROW(CheckRouteSet(set.dir.Root(), "Defaults"), TarnwellError);
    EXPECT_EQ(testing::RunCli(set.dir, root + "dump Test APT.kr1").exitCode, 1);
}

}  // namespace tarnwell
