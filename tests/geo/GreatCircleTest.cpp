// Great-circle geometry: the worked values, the inversions and the faults.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <utility>

#include "TestSupport.h"
#include "geo/GreatCircle.h"

namespace tarnwell {
namespace {

// The distance and the course from one point to another.
std::pair<float, float> Measure(float lat1, float lon1, float lat2, float lon2) {
    float course = 0.0f;
    const float distance = GetDistance(lat1, lon1, lat2, lon2, course);
    return {distance, course};
}

// Exact results: route miles and plans depend on them bit for bit.
TEST(GetDistance, WorkedValuesToTheLastBit) {
    const float cases[][6] = {
        {0, 0, 0, 1, 60.0000038f, 89.9681778f},  // route miles truncate it to 60, not 59
        {40, -74, 51.5f, -0.5f, 3019.2395f, 50.854084f},
        {51.5f, -0.5f, 40, -74, 3019.2395f, -72.6215973f},  // the same distance, not the same course
        {0, 0, 0, 0, 0.0471272506f, 45.0f},                   // a point with itself is nudged, not a fault
        // The course follows the absolute latitude sum: the true course is about -116.
        {-33.9f, 151.2f, -37.7f, 144.8f, 385.821686f, -124.29892f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Measure(c[0], c[1], c[2], c[3]), std::pair(c[4], c[5])) << c[0] << "," << c[1] << " " << c[2];
    // And 1000 trips anywhere, their results folded together bit by bit.
    std::mt19937 rng(2024);
    const auto degrees = [&rng](int range) {  // whole hundredths, the same with every standard library
        return static_cast<float>(static_cast<int>(rng() % (200u * range)) - 100 * range) / 100;
    };
    std::uint64_t hash = 14695981039346656037u;
    for (int i = 0; i < 1000; ++i) {
        const float lat1 = degrees(80), lon1 = degrees(180), lat2 = degrees(80), lon2 = degrees(180);
        const auto [distance, course] = Measure(lat1, lon1, lat2, lon2);
        for (const float v : {distance, course}) hash = (hash ^ std::bit_cast<std::uint32_t>(v)) * 1099511628211u;
    }
    EXPECT_EQ(hash, 3496553521501694661u);
    // Longitudes are not wrapped: 190 east measures like 170 west.
    EXPECT_NEAR(Measure(10, 190, 20, 170).first, Measure(10, -170, 20, 170).first, 1e-2f);
}

TEST(DestinationPoint, WorkedValuesInversionAndFaults) {
    // One degree north, and one east across the 180th meridian.
    EXPECT_FLOAT_EQ(DestLatitude(0, 0, 60), 1.0f);
    EXPECT_FLOAT_EQ(DestLongitude(0, 179.5, 90, DestLatitude(0, 90, 60), 60), -179.5f);

    const float lat = DestLatitude(40, 50.854, 3019.24);
    EXPECT_NEAR(lat, 51.5f, 1e-4f);
    EXPECT_NEAR(DestLongitude(40, -74, 50.854, lat, 3019.24), -0.5f, 1e-4f);

    // The clamp near V = 1 moves a course a hair east of north by ~0.0026 degrees;
    // and with the program's constant sin(180 degrees) is not zero, so due south is no fault.
    for (const double course : {0.0001, 180.0})
        EXPECT_NEAR(DestLongitude(0, 0, course, DestLatitude(0, course, 60), 60), 0.0026f, 0.0001f) << course;

    const std::pair<std::function<void()>, const char*> faults[] = {
        {[] { ArcCos(-1); }, "division by zero"},
        {[] { ArcCos(1.0000001); }, "square root of a negative"},
        // A course of exactly 0 has a sine of exactly 0.
        {[] { DestLongitude(0, 0, 0, DestLatitude(0, 0, 60), 60); }, "division by zero"},
        // From a pole the colatitude's sine is exactly 0.
        {[] { DestLongitude(90, 0, 45, 89, 60); }, "division by zero"},
    };
    for (const auto& [call, words] : faults) EXPECT_NE(testing::ErrorOf(call).find(words), std::string::npos) << words;
}

TEST(AngleDiff, FoldsBelowHalfACircle) {
    const float cases[][3] = {{350, 10, 20}, {10, 350, 20}, {10, 190, 180}, {90, 90, 0}, {0, 360, 0}};
    for (const auto& c : cases) EXPECT_EQ(AngleDiff(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

}  // namespace
}  // namespace tarnwell
