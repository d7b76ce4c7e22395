#include "navimport/SphereGeometry.h"

#include <algorithm>
#include <cmath>

namespace tarnwell {

namespace {
constexpr double TruePi = 3.14159265358979323846;
constexpr double ToRadians = TruePi / 180.0;
constexpr double EarthRadiusFeet = 6371008.8 / 0.3048;
}  // namespace

double TrueHeading(double lat1, double lon1, double lat2, double lon2) {
    const double p1 = lat1 * ToRadians, p2 = lat2 * ToRadians, dl = (lon2 - lon1) * ToRadians;
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    double h = std::atan2(y, x) / ToRadians;
    if (h < 0) h += 360.0;
    return h >= 360.0 ? h - 360.0 : h;
}

double DistanceFeet(double lat1, double lon1, double lat2, double lon2) {
    const double p1 = lat1 * ToRadians, p2 = lat2 * ToRadians;
    const double dp = p2 - p1, dl = (lon2 - lon1) * ToRadians;
    const double a = std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2.0 * EarthRadiusFeet * std::asin(std::min(1.0, std::sqrt(a)));
}

std::array<double, 2> PointAlong(double lat, double lon, double bearingDegrees, double distanceFeet) {
    const double arc = distanceFeet / EarthRadiusFeet;  // radians
    const double p1 = lat * ToRadians, l1 = lon * ToRadians, b = bearingDegrees * ToRadians;
    const double p2 = std::asin(std::sin(p1) * std::cos(arc) + std::cos(p1) * std::sin(arc) * std::cos(b));
    double l2 = l1 + std::atan2(std::sin(b) * std::sin(arc) * std::cos(p1), std::cos(arc) - std::sin(p1) * std::sin(p2));
    l2 = std::remainder(l2, 2 * TruePi);
    return std::array{p2 / ToRadians, l2 / ToRadians};
}

std::array<double, 3> UnitVector(double lat, double lon) {
    const double p = lat * ToRadians, l = lon * ToRadians;
    return {std::cos(p) * std::cos(l), std::cos(p) * std::sin(l), std::sin(p)};
}

std::array<double, 2> LatLonOfDirection(double x, double y, double z) {
    return {std::atan2(z, std::hypot(x, y)) / ToRadians, std::atan2(y, x) / ToRadians};
}

}  // namespace tarnwell
