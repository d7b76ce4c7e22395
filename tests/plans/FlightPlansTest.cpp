// The city pairs, their plan files and the plan log, erasing, packing, and
// matching plans to routes; the same plans on any number of threads.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "compile/RecordingPort.h"
#include "plans/AirwaySearchSupport.h"
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
    RecordingPort port;
    BuiltPlans built;

    explicit Plans(AirwayNetwork high = testing::TwoNodeNetwork())
        : nav({testing::NavAirportAt("EAAA", 50, 5), testing::NavAirportAt("EBBB", 51, 6),
               testing::NavAirportAt("ECCC", 50.1f, 5.1f)},
              {}, {}, {}, std::move(high), {}) {}
    fs::path Folder() const { return dir.Root() / PlanFolderName; }
    std::string Plan(int n) const { return FileText(PlanFilePath(Folder(), n)); }
    std::string Log() const { return FileText(dir.Data() / PlanLogFileName); }
    void Create(int jobs = 1) {
        built = CreateFlightPlans(nav, pairs, Folder(), dir.Data() / PlanLogFileName, jobs, port, port);
    }
    void Pack() { PackPlans(built, pairs, Folder(), dir.Data() / PackedPlansFileName, port); }
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

    // The position table, then each plan's entries.
    p.Pack();
    EXPECT_EQ(FileText(p.dir.Data() / PackedPlansFileName),
              "\x11\x00\x00\x00\x1d\x00\x00\x00\x29\x00\x00\x00\x2b\x00\x00\x00"s + one + two + "\x00\x00"s + one);
    // The count of built plans goes from none to all, one plan at a time.
    ASSERT_EQ(p.port.counts.size(), 5u);
    for (std::int64_t i = 0; i <= 4; ++i)
        EXPECT_TRUE(p.port.counts[static_cast<std::size_t>(i)].done == i && p.port.counts[static_cast<std::size_t>(i)].total == 4);
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

// Files the new plans will overwrite stay until then: the same files are
// left in the end as when every one is deleted first.
TEST(EraseOldPlans, StopsAtTheFirstMissingNumberAndKeepsPlanOne) {
    const struct {
        std::int32_t replacedUpTo;
        std::vector<int> kept;
    } cases[] = {{0, {1, 7}}, {3, {1, 2, 3, 7}}, {9, {1, 2, 3, 4, 5, 7}}};
    for (const auto& c : cases) {
        testing::TempProgramFolder dir;
        for (int n : {1, 2, 3, 4, 5, 7}) dir.Write("KRplans/" + std::to_string(n) + ".krp", "x");
        EraseOldPlans(dir.Root() / "KRplans", c.replacedUpTo);
        std::vector<int> kept;
        for (int n = 1; n <= 8; ++n)
            if (fs::exists(PlanFilePath(dir.Root() / "KRplans", n))) kept.push_back(n);
        EXPECT_EQ(kept, c.kept) << c.replacedUpTo;
    }
}

// Three letters for n.
std::string Code3(int n) {
    return {static_cast<char>('A' + n / 676 % 26), static_cast<char>('A' + n / 26 % 26), static_cast<char>('A' + n % 26)};
}

// A random network of airway nodes joined to their near neighbours, in two
// parts that no airway joins, with navaids around: some plans go by airways,
// some from navaid to navaid; two airport codes are unknown.
struct GeneratedWorld {
    NavigationData nav;
    std::vector<UniqueRoute> pairs{{}};

    static NavigationData Make(std::mt19937& rng) {
        testing::NetBuilder net;
        std::uniform_real_distribution<float> lat(40, 60), lon(-10, 30);
        for (int i = 0; i < 300; ++i) net.nodes.push_back({"N" + std::to_string(i % 250), lat(rng), lon(rng)});
        for (std::int32_t a = 1; a <= 300; ++a)
            for (std::int32_t b = 1; b <= 300; ++b) {
                const auto &na = net.At(a), &nb = net.At(b);
                const bool samePart = (na.lon < 10) == (nb.lon < 10);
                if (a != b && samePart && std::abs(na.lat - nb.lat) < 2 && std::abs(na.lon - nb.lon) < 3)
                    net.legs.push_back({a, b, "UL" + std::to_string(a % 7)});
            }
        std::vector<NavAirport> airports;
        for (int i = 0; i < 60; ++i) airports.push_back(testing::NavAirportAt("E" + Code3(i), lat(rng), lon(rng)));
        std::vector<NavAid> vors(400);
        for (NavAid& v : vors) v = {{}, {}, lat(rng), lon(rng), {}};
        std::vector<Intersection> fixes(800);
        for (Intersection& f : fixes) f = {{}, {}, lat(rng), lon(rng)};
        return NavigationData(airports, vors, {}, fixes, net.Build(), {});
    }
    explicit GeneratedWorld(std::mt19937 rng = std::mt19937(5)) : nav(Make(rng)) {
        for (std::int32_t p = 1; p <= 150; ++p) {
            const auto a = static_cast<int>(rng() % 62), b = static_cast<int>(rng() % 62);  // 60 and 61 are unknown
            pairs.push_back({p, FixedText<3>(Code3(a)), FixedText<3>(Code3(b)),
                             FixedText<4>("E" + Code3(a)), FixedText<4>("E" + Code3(b))});
        }
    }
};

TEST(CreateFlightPlans, AnyNumberOfThreadsGivesTheSameFilesAndTexts) {
    const GeneratedWorld world;
    struct Run {
        std::vector<std::string> files;
        std::string log, packed;
        std::vector<std::string> statuses, warnings;
    };
    const auto run = [&world](int jobs) {
        testing::TempProgramFolder dir;
        RecordingPort port;
        const fs::path folder = dir.Root() / PlanFolderName;
        const BuiltPlans built = CreateFlightPlans(world.nav, world.pairs, folder, dir.Data() / PlanLogFileName, jobs, port, port);
        Run r;
        for (std::int32_t n = 1; n <= 150; ++n) r.files.push_back(FileText(PlanFilePath(folder, n)));
        r.log = FileText(dir.Data() / PlanLogFileName);
        PackPlans(built, world.pairs, folder, dir.Data() / PackedPlansFileName, port);
        r.packed = FileText(dir.Data() / PackedPlansFileName);
        r.statuses = port.StatusTexts();
        r.warnings = port.warnings;
        return r;
    };
    const Run one = run(1);
    const auto plansWith = [&one](char kind) {
        return std::count_if(one.files.begin(), one.files.end(),
                             [kind](const std::string& f) { return f.size() > 2 && f[2] == kind; });
    };
    EXPECT_GT(plansWith('H'), 10);
    EXPECT_GT(plansWith('V') + plansWith('I'), 10);
    for (int jobs : {2, 8}) {
        const Run many = run(jobs);
        EXPECT_EQ(many.files, one.files) << jobs << " threads";
        EXPECT_EQ(many.log, one.log) << jobs << " threads";
        EXPECT_EQ(many.packed, one.packed) << jobs << " threads";
        EXPECT_EQ(many.statuses, one.statuses) << jobs << " threads";
        EXPECT_EQ(many.warnings, one.warnings) << jobs << " threads";
    }
}

}  // namespace
}  // namespace tarnwell
