#pragma once
// Great-circle geometry on a sphere of 60 nautical miles to the degree.
//
// Positions are decimal degrees (latitude positive north) held as 32-bit
// floats; courses are degrees from true north. The arithmetic, including
// where results are rounded to 32 bits, is part of the output: route miles
// and flight plans depend on it bit for bit.
//
// Floating-point faults are raised, not left as infinities or NaNs: a
// division by zero, the square root of a negative number or a non-finite
// result throws TarnwellError(ErrorKind::Arithmetic). The route finder
// relies on this to abandon a branch.

#include <cmath>

namespace tarnwell {

// The constant every degree/radian conversion uses (not full-precision pi).
inline constexpr double Pi = 3.14159265358979;

// Distance in NM from point 1 to point 2; `lastCourse` receives the initial
// course from point 1 to point 2 in -180..180 (where Lat1 + Lat2 is negative
// it differs from the true course, and that is the course used everywhere).
// Never fails for finite positions: near-zero differences are nudged.
float GetDistance(float Lat1, float Lon1, float Lat2, float Lon2, float& lastCourse);

// The latitude reached from latitude `Lat` along `Course` after `Dist` NM.
float DestLatitude(double Lat, double Course, double Dist);

// The longitude reached from (Lat, Lon) along `Course` after `Dist` NM, where
// `DestLat` is what DestLatitude gave for the same course and distance. The
// result lies in (-180, 180]. A course whose sine is exactly zero (a course
// of 0) divides by zero and throws.
float DestLongitude(double Lat, double Lon, double Course, double DestLat, double Dist);

// The smaller angle between two directions: |A - B|, folded back below 180.
// For two directions in 0..360 the result lies in 0..180. (Inline: the
// airway search calls it for every leg it looks at.)
inline float AngleDiff(float A, float B) {
    float D = std::fabs(A - B);
    if (D >= 180) D = std::fabs(D - 360);
    return D;
}

// Arc cosine in radians, as arctan(-X / sqrt(1 - X*X)) + 2*arctan(1):
// X of exactly +1 or -1 divides by zero and |X| > 1 is invalid; both throw.
double ArcCos(double X);

}  // namespace tarnwell
