// The point-to-point planner: which navaid each hop takes, the ring, the
// arrival, and the stop on a fault.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <utility>

#include "RouteFinderSupport.h"
#include "plans/PointToPoint.h"

namespace tarnwell {
namespace {

using testing::CourseTo;

constexpr float DepLat = 50;
constexpr float DepLon = 0;

struct Point {
    float lat;
    float lon;
};

// The point `dist` NM from (lat, lon) along `course`.
Point Along(Point from, float course, float dist) {
    const float lat = DestLatitude(from.lat, course, dist);
    return {lat, DestLongitude(from.lat, from.lon, course, lat, dist)};
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

struct Planner {
    ProgramState state{"."};
    Point dep{DepLat, DepLon};

    void Vor(Point p) { state.Vors.push_back(Aid(p)); }
    void Ndb(Point p) { state.Ndbs.push_back(Aid(p)); }
    void Fix(Point p) {
        Intersection i;
        i.Latitude = p.lat;
        i.Longitude = p.lon;
        state.Intersections.push_back(i);
    }
    static NavAid Aid(Point p) {
        NavAid a;
        a.Latitude = p.lat;
        a.Longitude = p.lon;
        return a;
    }
    const RouteFinderState& Plan(Point arr) {
        state.Finder.ClearRouteEntries();
        PlanPointToPoint(state, dep.lat, dep.lon, arr.lat, arr.lon);
        return state.Finder;
    }
    // The course from the departure to `arr` and the aim point of the first hop.
    float CourseTo(Point arr) const { return testing::CourseTo(dep.lat, dep.lon, arr.lat, arr.lon); }
};

std::pair<char, std::int32_t> Hop(const RouteFinderState& f, int entry) {
    return {f.RouteType[static_cast<std::size_t>(entry)], f.RouteRef[static_cast<std::size_t>(entry)]};
}

TEST(PointToPoint, NearbyArrivalsNeedNoNavaid) {
    Planner p;
    const Point east75 = Along(p.dep, 90, 74.9f);
    const RouteFinderState& f = p.Plan(east75);
    EXPECT_EQ(f.RouteMode, 2);
    EXPECT_EQ(f.RouteCount, 1);
    EXPECT_EQ(f.RouteLat[0], DepLat);
    EXPECT_EQ(f.RouteLat[1], 0.0f);  // no arrival entry either

    const Point east100 = Along(p.dep, 90, 100);
    p.Plan(east100);
    EXPECT_EQ(f.RouteCount, 1);
    EXPECT_EQ(f.RouteLat[1], east100.lat);
    EXPECT_EQ(f.RouteLon[1], east100.lon);
}

TEST(PointToPoint, AVorNearTheAimPointIsPreferredThenTheNearerFix) {
    const auto first = [](float vorFromAim, bool withFix) {
        Planner p;
        const Point arr = Along(p.dep, 90, 310);
        const float c = p.CourseTo(arr);
        p.Vor(Along(p.dep, c, 75 + vorFromAim));
        if (withFix) p.Fix(Along(p.dep, c, 77));
        p.Ndb(Along(p.dep, c, 76));
        return Hop(p.Plan(arr), 1);
    };
    EXPECT_EQ(first(10, true), std::pair('V', 0));  // a VOR within 15 NM wins
    EXPECT_EQ(first(20, true), std::pair('I', 0));  // set aside: the fix is nearer
    EXPECT_EQ(first(20, false), std::pair('N', 0)); // ... or the NDB
    Planner only;
    const Point arr = Along(only.dep, 90, 310);
    only.Vor(Along(only.dep, only.CourseTo(arr), 95));
    EXPECT_EQ(Hop(only.Plan(arr), 1), std::pair('V', 0));  // the set-aside VOR is used last
}

TEST(PointToPoint, TheSectorExcludesItsRingsAndItsSides) {
    const auto taken = [](std::optional<float> exactDist, float offCourse) {
        Planner p;
        const Point arr = Along(p.dep, 90, 310);
        const float c = p.CourseTo(arr);
        Point fix = Along(p.dep, c + offCourse, exactDist.value_or(100));
        if (exactDist) fix = ExactlyAt(p.dep, fix, *exactDist);
        p.Fix(fix);
        return p.Plan(arr).RouteType[1] == 'I';
    };
    EXPECT_FALSE(taken(75.0f, 0));   // exactly at the ring
    EXPECT_FALSE(taken(150.0f, 0));  // exactly at twice the ring
    EXPECT_TRUE(taken(std::nullopt, 22.4f));
    EXPECT_FALSE(taken(std::nullopt, 22.6f));
    EXPECT_TRUE(taken(std::nullopt, -22.4f));
}

TEST(PointToPoint, TheRingGrowsUntilANavaidOrTheArrivalLiesInIt) {
    Planner p;
    const Point arr = Along(p.dep, 90, 400);
    const Point vor = Along(p.dep, p.CourseTo(arr), 200);
    p.Vor(vor);
    const RouteFinderState& f = p.Plan(arr);
    EXPECT_EQ(Hop(f, 1), std::pair('V', 0));  // found in the ring of 150 to 300 NM
    EXPECT_EQ(f.RouteLat[1], vor.lat);
    EXPECT_EQ(f.RouteCount, 2);                // then the arrival, 200 NM on
    EXPECT_EQ(f.RouteLat[2], arr.lat);
}

TEST(PointToPoint, AFaultStopsThePlanKeepingTheNavaidsFound) {
    // From the VOR the arrival is exactly 150 NM away: it never lies strictly
    // inside a ring, no navaid lies ahead, and the ring grows until twice it
    // leaves the 16-bit range.
    Planner p;
    Point arr = Along(p.dep, 90, 250);
    const Point vor = Along(p.dep, p.CourseTo(arr), 100);
    arr = ExactlyAt(vor, arr, 150);
    p.Vor(vor);
    const RouteFinderState& f = p.Plan(arr);
    EXPECT_EQ(f.RouteCount, 2);
    EXPECT_EQ(Hop(f, 1), std::pair('V', 0));
    EXPECT_EQ(f.RouteLat[2], 0.0f);  // no arrival entry

    EXPECT_THROW(FindSearchBox(50, 0, 90, 16425), TarnwellError);
    EXPECT_THROW(FindSearchBox(50, 0, 22.5f, 75), TarnwellError);  // a corner course of exactly 0
    EXPECT_NO_THROW(FindSearchBox(50, 0, 202.5f, 75));              // 180 is no fault
}

}  // namespace
}  // namespace tarnwell
