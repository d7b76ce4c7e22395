// Checking and dumping a route set read back from its files.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "plans/PlanBuilder.h"
#include "inspect/RouteSetCheck.h"
#include "inspect/RouteSetDump.h"
#include "records/RecordLayouts.h"
#include "routeset/AirportInfo.h"

namespace tarnwell {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::RunCli;
using testing::TempProgramFolder;

IndexAirportRecord Airport(const char* iata, std::int32_t depPos, std::int16_t depCount, std::int32_t arrPos,
                           std::int16_t arrCount, std::int32_t runways, std::int32_t aptPos) {
    IndexAirportRecord a;
    a.IATA = iata;
    a.ICAO = std::string("E") + iata;
    a.AirportName = std::string(iata) + " Airport";
    a.DeparturePos = depPos;
    a.DepartureCount = depCount;
    a.Latitude = 50.5f;
    a.Longitude = -0.1f;
    a.ArrivalsPos = arrPos;
    a.ArrivalsCount = arrCount;
    a.RunwayCount = runways;
    a.AptPos = aptPos;
    return a;
}

RouteRecord Route(const char* origin, const char* dest, std::int16_t o, std::int16_t d, std::int32_t plan) {
    RouteRecord r;
    r.Origin = origin;
    r.Destination = dest;
    r.Airline = "TWL";
    r.FlightNumber = 100;
    r.OriginIndex = o;
    r.DestIndex = d;
    r.PlanPointer = plan;
    return r;
}

// A consistent route set "Test" over WriteNavData's navigation files (two
// airway nodes, one record each of VOR, NDB and intersection): airports AAA
// (2 runways), BBB (none) and CCC (1 runway); routes AAA-BBB, AAA-CCC,
// BBB-AAA, BBB-CCC; an airway, a point-to-point and an empty plan.
struct Set {
    TempProgramFolder dir;
    std::vector<IndexAirportRecord> airports = {Airport("AAA", 1, 2, 1, 1, 2, 1), Airport("BBB", 65, 2, 5, 1, 0, 111),
                                                Airport("CCC", 0, 0, 9, 2, 1, 111)};
    std::vector<RouteRecord> routes = {Route("AAA", "BBB", 0, 1, 1), Route("AAA", "CCC", 0, 2, 2),
                                       Route("BBB", "AAA", 1, 0, 3), Route("BBB", "CCC", 1, 2, 2)};
    std::vector<std::int32_t> arrivals = {65, 1, 33, 97};
    std::vector<std::vector<PlanPoint>> plans = {
        {{'H', 1, FixedText<5>("UL1")}, {'H', 2, FixedText<5>("UL1")}},
        {{'V', 0, FixedText<5>("")}, {'N', 0, FixedText<5>("")}, {'I', 0, FixedText<5>("")}},
        {}};
    std::array<AirlineRecord, 11> airlines{};

    Set() {
        testing::WriteNavData(dir);
        airlines[0].Code = "TWL";
        airlines[0].Name = "Tarnwell Air";
        Write();
    }
    fs::path File(const char* name) const { return dir.Data() / "Test" / name; }
    void Put(const char* name, const Bytes& bytes) const { WriteFileBytes(File(name), bytes); }
    Bytes Get(const char* name) const { return ReadFileBytes(File(name)); }
    void Write() const {
        fs::create_directories(dir.Data() / "Test");
        Put("index.kr1", EncodeIndexFile(airports));
        Put("routes.kr1", EncodeRouteFile(routes));
        Put("airline.kr1", EncodeAirlineFile(airlines));
        Bytes arr(arrivals.size() * 4);
        for (std::size_t k = 0; k < arrivals.size(); ++k) RecordWriter(arr).I32(4 * k, arrivals[k]);
        Put("arrivals.kr1", arr);
        Bytes apt;
        for (const IndexAirportRecord& a : airports) {
            for (std::int32_t k = 0; k < a.RunwayCount; ++k) {
                AptRunwayRecord r{FixedText<5>(k == 0 ? "09L" : "27R"),
                                  6004,
                                  151,
                                  90.5f,
                                  92.5f,
                                  FixedText<7>("NO ILS "),
                                  FixedText<6>("110.30")};
                apt.resize(apt.size() + AptRunwayRecordLength);
                EncodeAptRunway(r, std::span(apt).last(AptRunwayRecordLength));
            }
            if (a.RunwayCount <= 0) continue;
            AptValuesRecord v;
            v.Values.fill(FixedText<6>("118.70"));
            apt.resize(apt.size() + AptValuesRecordLength);
            EncodeAptValues(v, std::span(apt).last(AptValuesRecordLength));
        }
        Put("APT.kr1", apt);
        Bytes packed(4 * plans.size());
        for (std::size_t p = 0; p < plans.size(); ++p) {
            RecordWriter(packed).I32(4 * p, static_cast<std::int32_t>(packed.size()) + 1);
            const Bytes block = EncodePlan(plans[p]);
            packed.insert(packed.end(), block.begin(), block.end());
        }
        Put("PLANS.kr1", packed);
    }
    std::vector<std::string> Problems() const { return CheckRouteSet(dir.Root(), "Test").problems; }
    std::string Dump(const char* file) const {
        std::ostringstream out;
        DumpRouteSetFile(dir.Root(), "Test", file, out);
        return out.str();
    }
};

std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

std::string FirstLines(const std::string& text, int count) {
    std::size_t end = 0;
    for (int k = 0; k < count; ++k) end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

TEST(CheckRouteSet, AConsistentSetHasNoProblemAndItsSummary) {
    const Set set;
    const RouteSetCheckResult r = CheckRouteSet(set.dir.Root(), "Test");
    EXPECT_EQ(Lines(r.problems), "");
    EXPECT_EQ(r.summary.airports, 3);
    EXPECT_EQ(r.summary.airportsWithoutRunways, 1);
    EXPECT_EQ(r.summary.routes, 4);
    EXPECT_EQ(r.summary.airlines, 1);
    EXPECT_EQ(r.summary.plans, 3);
    EXPECT_EQ(r.summary.airwayPlans, 1);
    EXPECT_EQ(r.summary.pointToPointPlans, 1);
    EXPECT_EQ(r.summary.emptyPlans, 1);
    EXPECT_THROW(CheckRouteSet(set.dir.Root(), "Defaults"), TarnwellError);
}

TEST(CheckRouteSet, EachDamageIsNamed) {
    // PLANS.kr1: table 1..12, blocks at 13 (2 entries), 35 (3 entries), 67 (empty); 68 bytes.
    const auto planBytes = [](Set& s, std::size_t offset, const Bytes& bytes) {
        Bytes b = s.Get("PLANS.kr1");
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(offset));
        s.Put("PLANS.kr1", b);
    };
    const auto append = [](Set& s, const char* file, std::size_t count) {
        Bytes b = s.Get(file);
        b.resize(b.size() + count);
        s.Put(file, b);
    };
    // A change of the tables before the files are written, or of the files after.
    struct Case {
        std::function<void(Set&)> tables, files;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{}, [](Set& s) { fs::remove(s.File("routes.kr1")); }, "routes.kr1: the file is missing"},
        {{},
         [&](Set& s) { append(s, "routes.kr1", 1); },
         "routes.kr1: 129 bytes, not a whole number of 32-byte records"},
        {{}, [](Set& s) { s.Put("airline.kr1", Bytes(660)); }, "airline.kr1: 660 bytes, not the 11 66-byte records"},
        {[](Set& s) { s.airports[2].IATA = "BBB"; }, {}, "index.kr1, airport 2 (BBB): airport 1 has the same code"},
        {[](Set& s) { s.routes[0].DestIndex = 2; },
         {},
         "routes.kr1, route 0 (AAA to BBB): DestIndex 2 names airport CCC"},
        {[](Set& s) { s.routes[1].OriginIndex = 3; },
         {},
         "routes.kr1, route 1 (AAA to CCC): OriginIndex 3 is outside index.kr1 (3 airports)"},
        {[](Set& s) { s.routes[3].PlanPointer = 4; },
         {},
         "routes.kr1, route 3 (BBB to CCC): PlanPointer 4 is not a plan of PLANS.kr1 (1 to 3)"},
        {[](Set& s) { s.airports[1].DeparturePos = 66; },
         {},
         "index.kr1, airport 1 (BBB): DeparturePos 66 is not the position of a route record"},
        {[](Set& s) { s.airports[1].DepartureCount = 3; },
         {},
         "index.kr1, airport 1 (BBB): the departure block of 3 routes from position 65 runs past the end"},
        {[](Set& s) { s.airports[0].DepartureCount = 1; },
         {},
         "index.kr1, airport 0 (AAA): 2 routes leave it, its departure block holds 1 of them"},
        {[](Set& s) { s.airports[1].DeparturePos = 1; },
         {},
         "index.kr1, airport 1 (BBB): the departure block (routes 0 to 1) holds route 0 (AAA to BBB), which does "
         "not leave BBB (and 1 more wrong entry in this block)"},
        {[](Set& s) {
             s.airports[2].ArrivalsPos = 0;
             s.airports[2].ArrivalsCount = 0;
         },
         {},
         "index.kr1, airport 2 (CCC): 2 routes arrive at it, its arrival list holds 0 of them"},
        {[](Set& s) { s.arrivals[1] = 33; },
         {},
         "arrivals.kr1, position 5 (list of airport 1, BBB): 33 is route 1 (AAA to CCC), which does not arrive at BBB"},
        {[](Set& s) { s.arrivals[0] = 66; },
         {},
         "arrivals.kr1, position 1 (list of airport 0, AAA): 66 is not the position of a route record"},
        {[](Set& s) { std::swap(s.arrivals[2], s.arrivals[3]); },
         {},
         "arrivals.kr1, position 13 (list of airport 2, CCC): 33 does not follow the entry before it (97)"},
        {[](Set& s) { s.airports[2].ArrivalsPos = 13; },
         {},
         "index.kr1, airport 2 (CCC): ArrivalsPos 13, expected 9, right after the arrival list of airport 1 (BBB)"},
        {{},
         [&](Set& s) { append(s, "arrivals.kr1", 4); },
         "arrivals.kr1: 20 bytes, but the arrival list of airport 2 (CCC) ends at byte 16"},
        {[](Set& s) { s.airports[2].AptPos = 112; },
         {},
         "index.kr1, airport 2 (CCC): AptPos 112, expected 111, right after the runway data of airport 0 (AAA)"},
        {{},
         [](Set& s) { s.Put("APT.kr1", Bytes(s.Get("APT.kr1").size() - 76)); },
         "APT.kr1: 110 bytes, but the runway data of airport 2 (CCC) ends at byte 186\n"},
        {{},
         [&](Set& s) {
             planBytes(s, 0, {14, 0, 0, 0});
         },
         "PLANS.kr1: the first position 14 is not the one right after"},
        {{},
         [&](Set& s) {
             planBytes(s, 4, {67, 0, 0, 0});
         },
         "PLANS.kr1, plan 2: block at 67, expected 35"},
        {{},
         [&](Set& s) {
             planBytes(s, 8, {69, 0, 0, 0});
         },
         "PLANS.kr1, plan 3: position 69 lies outside the plan blocks"},
        {{},
         [&](Set& s) {
             planBytes(s, 66, {201, 0});
         },
         "PLANS.kr1, plan 3 (block at 67): entry count 201 is outside 0 to 200"},
        {{},
         [&](Set& s) {
             planBytes(s, 66, {1, 0});
         },
         "PLANS.kr1, plan 3 (block at 67): its block of 1 entry runs past the end of the file (68 bytes)"},
        {{},
         [&](Set& s) { append(s, "PLANS.kr1", 2); },
         "PLANS.kr1: 70 bytes, but the position table and the plan blocks end at byte 68"},
        {[](Set& s) { s.plans[0][0].PointType = 'X'; },
         {},
         "PLANS.kr1, plan 1, entry 1: point type \"X\" is none of H, V, N, I"},
        {[](Set& s) { s.plans[0][1].PointRef = 3; },
         {},
         "PLANS.kr1, plan 1, entry 2: H 3 is not a node of Data/HighAlt.ab1 (1 to 2)"},
        {[](Set& s) { s.plans[1][0].PointRef = 1; },
         {},
         "PLANS.kr1, plan 2, entry 1: V 1 is not a record of Data/nav_VOR.bin (1 record)"},
        {[](Set& s) { s.plans[1][2].AirwayName = "UL1"; },
         {},
         "PLANS.kr1, plan 2, entry 3: I 0 has the airway name \"UL1\", expected blanks"},
        {{},
         [](Set& s) { fs::remove(s.dir.Data() / "nav_NDB.bin"); },
         "Data/nav_NDB.bin cannot be read (it is missing); 1 plan entry refers to it and cannot be checked"},
    };
    for (const Case& c : cases) {
        Set set;
        if (c.tables) c.tables(set);
        set.Write();
        if (c.files) c.files(set);
        const std::string found = Lines(set.Problems());
        EXPECT_NE(found.find(c.expected), std::string::npos) << "expected: " << c.expected << "\nfound:\n" << found;
    }
}

TEST(DumpRouteSetFile, EveryFileAsCsv) {
    Set set;
    set.airports[0].AirportName = "Caf\xE9 \x80, \"Nord\"";  // Windows-1252
    set.airports[1].City = " Leeds";
    set.Write();
    EXPECT_EQ(FirstLines(set.Dump("index.kr1"), 3),
              "Record,Position,IATA,ICAO,AirportName,City,DeparturePos,DepartureCount,Altitude,Latitude,Longitude,"
              "ArrivalsPos,ArrivalsCount,RunwayCount,AptPos\n"
              "0,1,AAA,EAAA,\"Caf\xC3\xA9 \xE2\x82\xAC, \"\"Nord\"\"\",,1,2,0,50.5,-0.1,1,1,2,1\n"
              "1,108,BBB,EBBB,BBB Airport,\" Leeds\",65,2,0,50.5,-0.1,5,1,0,111\n");
    EXPECT_EQ(FirstLines(set.Dump("routes.kr1"), 2),
              "Record,Position,Origin,DepartTime,Destination,ArriveTime,Miles,DayMask,Airline,FlightNumber,"
              "Equipment,CodeLetter,MaskBits,Reserved,OriginIndex,DestIndex,PlanPointer\n"
              "0,1,AAA,0,BBB,0,0,0,TWL,100,,,0,,0,1,1\n");
    EXPECT_EQ(FirstLines(set.Dump("airline.kr1"), 3),
              "Record,Position,Code,Name,Extra\n0,1,TWL,Tarnwell Air,\n1,67,,,\n");
    EXPECT_EQ(set.Dump("arrivals.kr1"), "Record,Position,RoutePosition\n0,1,65\n1,5,1\n2,9,33\n3,13,97\n");
    EXPECT_EQ(set.Dump("APT.kr1"),
              "Position,Airport,IATA,Kind,RunwayIdent,RunwayData1,RunwayData2,Heading,NetHeading,IlsText,IlsValue,"
              "Value1,Value2,Value3,Value4,Value5,Value6,Value7\n"
              "1,0,AAA,runway,09L,6004,151,90.5,92.5,NO ILS,110.30,,,,,,,\n"
              "35,0,AAA,runway,27R,6004,151,90.5,92.5,NO ILS,110.30,,,,,,,\n"
              "69,0,AAA,values,,,,,,,,118.70,118.70,118.70,118.70,118.70,118.70,118.70\n"
              "111,2,CCC,runway,09L,6004,151,90.5,92.5,NO ILS,110.30,,,,,,,\n"
              "145,2,CCC,values,,,,,,,,118.70,118.70,118.70,118.70,118.70,118.70,118.70\n");
    EXPECT_EQ(set.Dump("plans.kr1"),  // the name in any case
              "Plan,BlockPosition,EntryCount,Entry,Position,PointType,PointRef,AirwayName\n"
              "1,13,2,1,15,H,1,UL1\n1,13,2,2,25,H,2,UL1\n"
              "2,35,3,1,37,V,0,\n2,35,3,2,47,N,0,\n2,35,3,3,57,I,0,\n"
              "3,67,0,,,,,\n");
}

TEST(DumpRouteSetFile, ADamagedOrUnknownFileWritesNothing) {
    Set set;
    set.airports[2].RunwayCount = 2;  // APT.kr1 holds one runway of CCC
    set.Put("index.kr1", EncodeIndexFile(set.airports));
    Bytes routes = set.Get("routes.kr1");
    routes.pop_back();
    set.Put("routes.kr1", routes);
    for (const char* file : {"routes.kr1", "APT.kr1", "Routes.txt"}) {
        std::ostringstream out;
        EXPECT_THROW(DumpRouteSetFile(set.dir.Root(), "Test", file, out), TarnwellError) << file;
        EXPECT_EQ(out.str(), "") << file;
    }
    EXPECT_NE(testing::ErrorOf([&] { set.Dump("APT.kr1"); }).find("runway counts of index.kr1 call for 220"),
              std::string::npos);
}

TEST(CheckRouteSet, CommandLineSummaryAndExitCodes) {
    const Set set;
    const std::string root = "--root \"" + PathText(set.dir.Root()) + "\" ";
    CliRun r = RunCli(set.dir, root + "check Test");
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("Airports: 3 (1 without runway data)\nRoutes: 4\nAirlines: 1\n"
                         "Plans: 3 (1 airway, 1 point-to-point, 1 empty)\nNo problems found.\n"),
              std::string::npos)
        << r.out;

    fs::remove(set.File("APT.kr1"));
    r = RunCli(set.dir, root + "check Test");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("1 problem:\nAPT.kr1: the file is missing\n"), std::string::npos) << r.out;

    EXPECT_EQ(RunCli(set.dir, root + "check Defaults").exitCode, 2);
    EXPECT_EQ(RunCli(set.dir, root + "check").exitCode, 2);
    EXPECT_EQ(RunCli(set.dir, root + "dump Test APT.kr1").exitCode, 1);
}

}  // namespace
}  // namespace tarnwell
