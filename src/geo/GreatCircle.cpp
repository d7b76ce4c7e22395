#include "geo/GreatCircle.h"

#include <cmath>

#include "common/Errors.h"

namespace tarnwell {

namespace {

[[noreturn]] void Fault(const char* routine, const char* what) {
    throw TarnwellError(ErrorKind::Arithmetic, std::string(what) + " in " + routine);
}

double Checked(double value, const char* routine) {
    if (!std::isfinite(value)) Fault(routine, "a result that is not a finite number");
    return value;
}

double Divide(double a, double b, const char* routine) {
    if (b == 0.0) Fault(routine, "division by zero");
    return Checked(a / b, routine);
}

// A single-precision value that must stay finite (an overflow raises).
float ToSingle(double value, const char* routine) {
    const float f = static_cast<float>(Checked(value, routine));
    if (!std::isfinite(f)) Fault(routine, "overflow");
    return f;
}

double Radians(double degrees) { return degrees * Pi / 180; }
double Degrees(double radians) { return radians * 180 / Pi; }

// Keeps a difference away from zero so that no divisor below vanishes.
float Nudge(float v) {
    constexpr float Band = 0.0002777f;
    constexpr float Step = 0.0005554f;
    return (v >= -Band && v <= Band) ? v + Step : v;
}

}  // namespace

float GetDistance(float Lat1, float Lon1, float Lat2, float Lon2, float& lastCourse) {
    constexpr const char* Routine = "GetDistance";
    float DLat = Lat2 - Lat1;
    float DLon = Lon2 - Lon1;
    float S = std::fabs(Lat1 + Lat2);
    DLat = Nudge(DLat);
    DLon = Nudge(DLon);
    S = Nudge(S);

    const double halfLat = Radians(static_cast<double>(DLat) / 2);
    const double halfSum = Radians(static_cast<double>(S) / 2);
    const double tanHalfLon = std::tan(Radians(static_cast<double>(DLon) / 2));

    // Napier's analogies: the two half-sums of the angles at the two points.
    const float xq1 = ToSingle(Divide(std::cos(halfLat), std::sin(halfSum), Routine), Routine);
    const float xq2 = ToSingle(Divide(xq1, tanHalfLon, Routine), Routine);
    const float X = ToSingle(Degrees(std::atan(static_cast<double>(xq2))), Routine);
    const float yq1 = ToSingle(Divide(std::sin(halfLat), std::cos(halfSum), Routine), Routine);
    const float yq2 = ToSingle(Divide(yq1, tanHalfLon, Routine), Routine);
    const float Y = ToSingle(Degrees(std::atan(static_cast<double>(yq2))), Routine);

    lastCourse = X - Y;
    const double ratio = Divide(std::tan(halfLat) * std::sin(Radians(X)), std::sin(Radians(Y)), Routine);
    return ToSingle(2 * std::atan(ratio) * 180 / Pi * 60, Routine);
}

float DestLatitude(double Lat, double Course, double Dist) {
    constexpr const char* Routine = "DestLatitude";
    const double C = 90 - Lat;
    const double D = Dist / 60;
    const double V = std::cos(Radians(C)) * std::cos(Radians(D)) +
                     std::sin(Radians(D)) * std::sin(Radians(C)) * std::cos(Radians(Course));
    return ToSingle(90 - ArcCos(Checked(V, Routine)) * 180 / Pi, Routine);
}

float DestLongitude(double Lat, double Lon, double Course, double DestLat, double Dist) {
    constexpr const char* Routine = "DestLongitude";
    const double C1 = 90 - Lat;
    const double C2 = 90 - DestLat;
    const double D = Dist / 60;
    double V = Divide(std::cos(Radians(D)) - std::cos(Radians(C2)) * std::cos(Radians(C1)),
                      std::sin(Radians(C2)) * std::sin(Radians(C1)), Routine);
    if (V > 0.999999999 && V < 1.000000001) V = 0.999999999;
    if (V > -1.000000001 && V < -0.999999999) V = -0.999999999;
    const double sine = std::sin(Radians(Course));
    const double DL = ArcCos(V) * 180 / Pi * Divide(sine, std::fabs(sine), Routine);
    double result = Lon + DL;
    if (result <= -180) result += 360;
    if (result > 180) result -= 360;
    return ToSingle(result, Routine);
}

double ArcCos(double X) {
    constexpr const char* Routine = "ArcCos";
    const double radicand = Checked(1 - X * X, Routine);
    if (radicand < 0) Fault(Routine, "the square root of a negative number");
    return std::atan(Divide(-X, std::sqrt(radicand), Routine)) + 2 * std::atan(1.0);
}

}  // namespace tarnwell
