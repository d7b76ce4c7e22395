#pragma once
// Great-circle arcs as the map draws them: polylines of points along the
// shorter great circle between two positions.

#include <vector>

#include "map/GeoPoint.h"

namespace tarnwell {

// The arc from `from` to `to`, sampled at most `stepDegrees` of arc apart
// (both ends included). Where it crosses the 180th meridian it is cut into
// pieces that end and start exactly on it (at +180 and -180), so that no
// piece jumps across the map.
std::vector<GeoLine> GreatCircleArc(GeoPoint from, GeoPoint to, double stepDegrees = 1.0);

// Cuts a line wherever a step crosses the 180th meridian (a longitude jump
// of more than 180 degrees), adding the crossing point to both pieces.
std::vector<GeoLine> SplitAtAntimeridian(const GeoLine& line);

}  // namespace tarnwell
