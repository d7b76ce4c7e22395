// The point-to-point planner: which navaid each hop takes, the ring, the
// arrival, and the stop on a fault.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "common/Errors.h"
#include "plans/AirwaySearchSupport.h"
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

// A point near `p` whose distance from `from` is exactly `dist` in single precision.
Point ExactlyAt(Point from, Point p, float dist) {
    for (int dLat = 0; dLat < 8; ++dLat) {
        Point q = p;
        for (int i = 0; i < dLat; ++i) q.lat = std::nextafter(q.lat, 90.0f);
        for (int i = 0; i < 4000; ++i) {
            float c = 0.0f;
            const float d = GetDistance(from.lat, from.lon, q.lat, q.lon, c);
            if (d == dist) return q;
            q.lon = std::nextafter(q.lon, d < dist ? 180.0f : -180.0f);
        }
    }
    ADD_FAILURE() << "no point at exactly " << dist << " NM";
    return p;
}

// The plan from the departure to `arr` among these VORs ('V'), NDBs ('N') and intersections ('I').
SearchState Plan(Point arr, const std::vector<std::pair<char, Point>>& aids) {
    std::vector<NavAid> vors, ndbs;
    std::vector<Intersection> fixes;
    for (const auto& [kind, p] : aids) {
        if (kind == 'I') fixes.push_back({{}, {}, p.lat, p.lon});
        else (kind == 'V' ? vors : ndbs).push_back({{}, {}, p.lat, p.lon, {}});
    }
    const NavigationData nav({}, vors, ndbs, fixes, {}, {});
    SearchState f;
    PlanPointToPoint(nav, f, Departure.lat, Departure.lon, arr.lat, arr.lon);
    return f;
}

TEST(PointToPoint, EachHopTakesTheNavaidTheRulesPick) {
    struct Aid {
        char kind;
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
        std::vector<std::pair<char, Point>> aids;
        for (const Aid& a : c.aids) {
            const Point p = OnCourse(c.arrival, a.dist, a.off);
            aids.emplace_back(a.kind, a.exact ? ExactlyAt(Departure, p, a.dist) : p);
        }
        const Point arr = East(c.arrival);
        const SearchState f = Plan(arr, aids);
        EXPECT_EQ(f.Mode, RouteMode::PointToPoint);
        EXPECT_EQ(std::pair(f.RouteEntries[0].RouteLat, f.RouteEntries[0].RouteLon), std::pair(50.0f, 0.0f));
        EXPECT_EQ(static_cast<char>(f.RouteEntries[1].RouteType), c.firstHop) << c.what;
        EXPECT_EQ(f.RouteEntries[1].RouteRef, 0) << c.what;
        if (c.routeCount < 0) continue;
        EXPECT_EQ(f.RouteCount, c.routeCount) << c.what;
        const RouteEntry& last = f.RouteEntries[static_cast<std::size_t>(c.routeCount)];
        EXPECT_EQ(last.RouteLat == arr.lat && last.RouteLon == arr.lon, c.arrivalStored) << c.what;
    }
}

TEST(PointToPoint, AFaultStopsThePlanKeepingTheNavaidsFound) {
    // From the VOR the arrival is exactly 150 NM away: it never lies strictly
    // inside a ring, no navaid lies ahead, and the ring grows until twice it
    // leaves the 16-bit range.
    const Point vor = OnCourse(250, 100);
    const SearchState f = Plan(ExactlyAt(vor, East(250), 150), {{'V', vor}});
    EXPECT_EQ(f.RouteCount, 2);
    EXPECT_EQ(f.RouteEntries[1].RouteType, PointKind::Vor);
    EXPECT_EQ(std::pair(f.RouteEntries[1].RouteLat, f.RouteEntries[1].RouteLon), std::pair(vor.lat, vor.lon));
    EXPECT_EQ(f.RouteEntries[2].RouteLat, 0.0f);  // no arrival entry

    EXPECT_THROW(FindSearchBox(50, 0, 90, 16425), TarnwellError);
    EXPECT_THROW(FindSearchBox(50, 0, 22.5f, 75), TarnwellError);  // a corner course of exactly 0
    EXPECT_NO_THROW(FindSearchBox(50, 0, 202.5f, 75));              // 180 is no fault
}

}  // namespace
}  // namespace tarnwell
