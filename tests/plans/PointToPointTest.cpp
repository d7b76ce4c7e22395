// The point-to-point planner: which navaid each hop takes, the ring and the
// arrival; and the same choices as a planner that reads every table in full.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "navdata/NavDataFiles.h"
#include "plans/AirwaySearchSupport.h"
#include "plans/PointToPointSupport.h"
#include "plans/PointToPoint.h"

namespace tarnwell {
namespace {

struct Point {
    float lat, lon;
};
constexpr Point Departure{50, 0};

Point Along(Point from, float course, float dist) {
    const float lat = DestLatitude(from.lat, course, dist);
    return {lat, DestLongitude(from.lat, from.lon, course, lat, dist)};
}
Point East(float dist) { return Along(Departure, 90, dist); }
// The point `dist` NM from the departure on the course to the arrival `arrival` NM east, turned by `off`.
Point OnCourse(float arrival, float dist, float off = 0) {
    return Along(Departure, testing::CourseTo(50, 0, East(arrival).lat, East(arrival).lon) + off, dist);
}

// `p` moved east or west until its distance from `from` is exactly `dist` in single precision.
Point ExactlyAt(Point from, Point p, float dist) {
    for (int i = 0; i < 1000; ++i) {
        float c = 0.0f;
        const float d = GetDistance(from.lat, from.lon, p.lat, p.lon, c);
        if (d == dist) return p;
        p.lon = std::nextafter(p.lon, d < dist ? 180.0f : -180.0f);
    }
    ADD_FAILURE() << "no point at exactly " << dist << " NM";
    return p;
}

TEST(PointToPoint, EachHopTakesTheNavaidTheRulesPick) {
    struct Aid {
        char kind;  // a VOR ('V'), an NDB ('N') or an intersection ('I')
        float dist, off = 0;
        bool exact = false;  // at exactly `dist` NM from the departure
    };
    struct Case {
        const char* what;
        std::vector<Aid> aids;
        char firstHop;                 // the type of entry 1
        float arrival = 310;           // NM east
        std::int16_t routeCount = -1;  // checked unless -1, and whether its entry holds the arrival
        bool arrivalStored = true;
    };
    const Case cases[] = {
        {"a nearby arrival needs no navaid nor entry", {}, ' ', 74.9f, 1, false},
        {"a farther one only its entry", {}, ' ', 100, 1},
        {"a VOR within 15 NM of the aim point wins", {{'V', 85}, {'I', 77}, {'N', 76}}, 'V'},
        {"a farther VOR is set aside: the fix is nearer", {{'V', 95}, {'I', 77}, {'N', 76}}, 'I'},
        {"... or the NDB", {{'V', 95}, {'N', 76}}, 'N'},
        {"the set-aside VOR is used last", {{'V', 95}}, 'V'},
        {"exactly at the ring", {{'I', 75, 0, true}}, ' '},
        {"exactly at twice the ring", {{'I', 150, 0, true}}, ' '},
        {"inside the sector", {{'I', 100, 22.4f}}, 'I'},
        {"beside it", {{'I', 100, 22.6f}}, ' '},
        {"inside on the other side", {{'I', 100, -22.4f}}, 'I'},
        {"the ring grows until a navaid, then the arrival, lies in it", {{'V', 200}}, 'V', 400, 2},
    };
    for (const Case& c : cases) {
        std::vector<NavAid> vors, ndbs;
        std::vector<Intersection> fixes;
        for (const Aid& a : c.aids) {
            Point p = OnCourse(c.arrival, a.dist, a.off);
            if (a.exact) p = ExactlyAt(Departure, p, a.dist);
            if (a.kind == 'I') fixes.push_back({{}, {}, p.lat, p.lon});
            else (a.kind == 'V' ? vors : ndbs).push_back({{}, {}, p.lat, p.lon, {}});
        }
        const NavigationData nav({}, vors, ndbs, fixes, {}, {});
        const Point arr = East(c.arrival);
        SearchState f;
        PlanPointToPoint(nav, f, Departure.lat, Departure.lon, arr.lat, arr.lon);
        EXPECT_EQ(static_cast<char>(f.RouteEntries[1].RouteType), c.firstHop) << c.what;
        if (c.routeCount < 0) continue;
        EXPECT_EQ(f.RouteCount, c.routeCount) << c.what;
        const RouteEntry& last = f.RouteEntries[static_cast<std::size_t>(c.routeCount)];
        EXPECT_EQ(last.RouteLat == arr.lat && last.RouteLon == arr.lon, c.arrivalStored) << c.what;
    }
}

// Route entries compared bit for bit (a NaN position equals itself).
void ExpectSameRoute(const SearchState& got, const SearchState& want, const std::string& what) {
    ASSERT_EQ(got.RouteCount, want.RouteCount) << what;
    ASSERT_EQ(got.Mode, want.Mode) << what;
    for (std::size_t i = 0; i < got.RouteEntries.size(); ++i) {
        const RouteEntry &a = got.RouteEntries[i], &b = want.RouteEntries[i];
        ASSERT_TRUE(a.RouteType == b.RouteType && a.RouteRef == b.RouteRef &&
                    std::memcmp(&a.RouteLat, &b.RouteLat, sizeof(float)) == 0 &&
                    std::memcmp(&a.RouteLon, &b.RouteLon, sizeof(float)) == 0)
            << what << ": entry " << i << " is " << static_cast<char>(a.RouteType) << a.RouteRef << ", not "
            << static_cast<char>(b.RouteType) << b.RouteRef;
    }
}

void ExpectSameAsFullScan(const NavigationData& nav, float depLat, float depLon, float arrLat, float arrLon,
                          const std::string& what) {
    SearchState fast, literal;
    PlanPointToPoint(nav, fast, depLat, depLon, arrLat, arrLon);
    testing::LiteralPointToPoint(nav, literal).Plan(depLat, depLon, arrLat, arrLon);
    ExpectSameRoute(fast, literal, what);
}

// Navaids on a coarse lattice, so that many share a position (ties) or lie
// on a whole degree (the edge of the planner's cells), with a few positions
// that are not a place at all.
template <typename Record>
std::vector<Record> RandomNavaids(std::mt19937& rng, int count, float south, float west, float span) {
    std::uniform_int_distribution<int> step(0, static_cast<int>(span * 4));
    std::vector<Record> table(static_cast<std::size_t>(count));
    for (Record& r : table) {
        r.Latitude = south + static_cast<float>(step(rng)) / 4;
        r.Longitude = west + static_cast<float>(step(rng)) / 4;
        switch (rng() % 50) {
            case 0: r.Latitude = NAN; break;
            case 1: r.Longitude = 200; break;
            case 2: r.Latitude = -95; break;
        }
    }
    return table;
}

TEST(PointToPoint, ChoosesAsAScanOfEveryNavaidOnRandomTables) {
    struct Region {
        const char* what;
        float south, west, span;
        int navaids;
    };
    const Region regions[] = {
        {"a sparse region", 40, -10, 30, 300},
        {"a dense one", 45, 0, 10, 3000},
        {"near the pole", 70, -20, 19, 1500},
        {"across the 180th meridian", -20, 170, 20, 1500},
        {"the southern hemisphere", -50, 100, 40, 2000},
    };
    std::mt19937 rng(7);
    for (const Region& r : regions) {
        for (int table = 0; table < 4; ++table) {
            const NavigationData nav({}, RandomNavaids<NavAid>(rng, r.navaids, r.south, r.west, r.span),
                                     RandomNavaids<NavAid>(rng, r.navaids / 3, r.south, r.west, r.span),
                                     RandomNavaids<Intersection>(rng, r.navaids * 2, r.south, r.west, r.span), {}, {});
            std::uniform_real_distribution<float> lat(r.south, r.south + r.span), lon(r.west, r.west + r.span);
            for (int trip = 0; trip < 25; ++trip)
                ExpectSameAsFullScan(nav, lat(rng), lon(rng), lat(rng), lon(rng),
                                     std::string(r.what) + ", table " + std::to_string(table) + ", trip " +
                                         std::to_string(trip));
        }
    }
}

// With TARNWELL_WORLD_DATA naming a Data folder (for example one that
// import-navdata filled from the whole world), random trips between its
// airports are planned both ways.
TEST(PointToPoint, ChoosesAsAScanOfEveryNavaidOnImportedData) {
    const char* folder = std::getenv("TARNWELL_WORLD_DATA");
    if (!folder) GTEST_SKIP() << "TARNWELL_WORLD_DATA is not set";
    struct Quiet : Progress {
        void SetStatus(std::string_view, StatusKind) override {}
        void DoEvents() override {}
        void Beep(BeepKind, std::string_view) override {}
        void Warn(std::string_view) override {}
    } quiet;
    const auto nav = LoadNavigationData(folder, LoadNavAirports(folder), quiet);
    ASSERT_FALSE(nav->NavAirports.empty());
    std::mt19937 rng(11);
    std::uniform_int_distribution<std::size_t> pick(0, nav->NavAirports.size() - 1);
    for (int trip = 0; trip < 300; ++trip) {
        const NavAirport &a = nav->NavAirports[pick(rng)], &b = nav->NavAirports[pick(rng)];
        ExpectSameAsFullScan(*nav, a.Latitude, a.Longitude, b.Latitude, b.Longitude,
                             a.ICAO.Str() + " to " + b.ICAO.Str());
    }
}

}  // namespace
}  // namespace tarnwell
