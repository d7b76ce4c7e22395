#pragma once
// Positions and directions on a sphere of the earth's mean radius, in double
// precision: what the importer measures runways, places runway ends and finds
// the nearest of several points with. (The route finder's own geometry is in
// geo/GreatCircle.h.) Degrees, latitude positive north, longitude positive east.

#include <array>

namespace tarnwell {

// True heading from the first point to the second, 0 to 360, and the
// distance between them in feet.
double TrueHeading(double lat1, double lon1, double lat2, double lon2);
double DistanceFeet(double lat1, double lon1, double lat2, double lon2);

// The point `distanceFeet` from (lat, lon) along the great circle that leaves
// it on the true bearing `bearingDegrees`; longitude -180 to 180.
std::array<double, 2> PointAlong(double lat, double lon, double bearingDegrees, double distanceFeet);

// The point as a unit vector from the earth's centre (x towards 0 N 0 E, z towards the north pole).
std::array<double, 3> UnitVector(double lat, double lon);
// The latitude and longitude that a vector from the earth's centre, of any length, points at.
std::array<double, 2> LatLonOfDirection(double x, double y, double z);

}  // namespace tarnwell
