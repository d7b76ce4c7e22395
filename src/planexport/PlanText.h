#pragma once
// A flight plan as a pilot reads it: its points in order with the airway of
// the leg to each, the distance along its legs, and the route string typed
// into a flight planner ("EGNM POL UN601 REDFA DCT SPY EHAM").

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "map/MapScene.h"

namespace tarnwell {

enum class PlanKind {
    Airway,        // holds airway nodes
    PointToPoint,  // beacons and intersections only
    Empty,         // no point: straight from airport to airport
};

PlanKind KindOf(const MapPlan& plan);

// "airway", "point-to-point" or "empty", as check counts them.
std::string_view PlanKindName(PlanKind kind);

// How a plan point is named in a listing: "airway node", "VOR", "NDB" or
// "intersection".
std::string_view PointKindName(char kind);

// The code a route names an airport by: its ICAO code, or the timetable's
// code when the navigation data gave it none.
std::string RouteIdent(const MapAirport& airport);

// Nautical miles from the origin through every point to the destination,
// each leg along its great circle.
double PlanDistance(const MapPlan& plan);

// The route string: the origin, the first point, then each leg as its airway
// and the point it leads to ("DCT" for a point-to-point leg), consecutive
// legs of one airway collapsed into the airway and its exit point, then the
// destination. A plan without points is "ORIGIN DCT DEST".
std::string RouteString(const MapPlan& plan, std::string_view origin, std::string_view destination);

// The plan as a table: the origin, every point with its kind, identifier,
// airway of the leg to it and position, the destination; then the distance
// and the route string.
void WritePlanText(const MapScene& scene, const MapPlan& plan, std::ostream& out);

// One CSV row per plan after the header
// "Origin,Destination,Distance,Kind,Route" (the timetable's codes, nautical
// miles to one decimal).
void WritePlansCsv(const MapScene& scene, std::span<const MapPlan> plans, std::ostream& out);

}  // namespace tarnwell
