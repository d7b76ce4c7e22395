// The point-to-point planner: which navaid each hop takes, the ring and the
// arrival.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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

}  // namespace
}  // namespace tarnwell
