// Great-circle geometry: the worked values, the inversions and the faults.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/Errors.h"
#include "plans/AirwaySearch.h"
#include "geo/GreatCircle.h"

using namespace tarnwell;

namespace {

struct Measured {
    float distance;
    float course;
};

Measured Measure(float lat1, float lon1, float lat2, float lon2) {
    Measured m{};
    m.distance = GetDistance(lat1, lon1, lat2, lon2, m.course);
    return m;
}

void ExpectArithmeticFault(const std::function<void()>& call, const std::string& words) {
    try {
        call();
        ADD_FAILURE() << "no fault raised";
    } catch (const TarnwellError& e) {
        EXPECT_EQ(e.Kind(), ErrorKind::Arithmetic);
        EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what();
    }
}

}  // namespace

TEST(GetDistance, WorkedValues) {
    const Measured east = Measure(0, 0, 0, 1);
    EXPECT_NEAR(east.distance, 60.0f, 1e-4f);
    EXPECT_GE(east.distance, 60.0f);  // route miles truncate it to 60, not 59
    EXPECT_NEAR(east.course, 89.97f, 0.005f);

    const Measured north = Measure(0, 0, 1, 0);
    EXPECT_NEAR(north.distance, 60.0f, 1e-4f);
    EXPECT_NEAR(north.course, 0.03f, 0.005f);

    EXPECT_NEAR(Measure(0, 0, 0, -1).course, -89.97f, 0.005f);

    // Symmetric in distance, not in course.
    const Measured outbound = Measure(40, -74, 51.5f, -0.5f);
    const Measured inbound = Measure(51.5f, -0.5f, 40, -74);
    EXPECT_NEAR(outbound.distance, 3019.24f, 0.005f);
    EXPECT_EQ(outbound.distance, inbound.distance);
    EXPECT_NEAR(outbound.course, 50.85f, 0.005f);
    EXPECT_NEAR(inbound.course, -72.62f, 0.005f);
}

TEST(GetDistance, APointWithItselfIsNudgedNotAFault) {
    const Measured same = Measure(0, 0, 0, 0);
    EXPECT_NEAR(same.distance, 0.05f, 0.005f);
    EXPECT_GT(same.distance, 0.0f);
    EXPECT_FLOAT_EQ(same.course, 45.0f);
    // Longitudes are not wrapped: 190 east measures like 170 west.
    EXPECT_NEAR(Measure(10, 190, 20, 170).distance, Measure(10, -170, 20, 170).distance, 1e-2f);
}

TEST(GetDistance, SouthernCourseFollowsTheAbsoluteLatitudeSum) {
    // The course differs from the true initial course (about -116) by design.
    EXPECT_NEAR(Measure(-33.9f, 151.2f, -37.7f, 144.8f).course, -124.30f, 0.01f);
}

TEST(DestinationPoint, WorkedValuesAndInversion) {
    EXPECT_FLOAT_EQ(DestLatitude(0, 0, 60), 1.0f);
    const float east = DestLatitude(0, 90, 60);
    EXPECT_FLOAT_EQ(DestLongitude(0, 0, 90, east, 60), 1.0f);
    EXPECT_FLOAT_EQ(DestLongitude(0, 179.5, 90, east, 60), -179.5f);

    const float lat = DestLatitude(40, 50.854, 3019.24);
    EXPECT_NEAR(lat, 51.5f, 1e-4f);
    EXPECT_NEAR(DestLongitude(40, -74, 50.854, lat, 3019.24), -0.5f, 1e-4f);

    // The clamp near V = 1 moves a course a hair east of north by ~0.0026 degrees.
    const float north = DestLatitude(0, 0.0001, 60);
    EXPECT_NEAR(DestLongitude(0, 0, 0.0001, north, 60), 0.0026f, 0.0001f);
    // With the program's constant, sin(180 degrees) is not zero: due south is no fault.
    const float south = DestLatitude(0, 180, 60);
    EXPECT_NEAR(DestLongitude(0, 0, 180, south, 60), 0.0026f, 0.0001f);
}

TEST(DestinationPoint, FaultsAreRaised) {
    ExpectArithmeticFault([] { ArcCos(1); }, "division by zero");
    ExpectArithmeticFault([] { ArcCos(-1); }, "division by zero");
    ExpectArithmeticFault([] { ArcCos(1.0000001); }, "square root of a negative");
    // A course of exactly 0 has a sine of exactly 0.
    ExpectArithmeticFault([] { DestLongitude(0, 0, 0, DestLatitude(0, 0, 60), 60); }, "division by zero");
    // From a pole the colatitude's sine is exactly 0.
    ExpectArithmeticFault([] { DestLongitude(90, 0, 45, 89, 60); }, "division by zero");
    EXPECT_NEAR(ArcCos(0), Pi / 2, 1e-12);
    EXPECT_NEAR(ArcCos(-0.5), 2 * Pi / 3, 1e-12);
}

TEST(AngleDiff, FoldsBelowHalfACircle) {
    EXPECT_EQ(AngleDiff(350, 10), 20.0f);
    EXPECT_EQ(AngleDiff(10, 350), 20.0f);
    EXPECT_EQ(AngleDiff(10, 190), 180.0f);
    EXPECT_EQ(AngleDiff(90, 90), 0.0f);
    EXPECT_EQ(AngleDiff(0, 360), 0.0f);
}
