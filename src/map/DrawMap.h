#pragma once
// Drawing a route set's map on any canvas, layer by layer: coastlines, the
// routes as great-circle arcs, the legs of the chosen flight plans (airway
// legs solid, point-to-point legs dashed), the airports, the plan points,
// then the labels (airport codes, plan point identifiers, airways).

#include <span>

#include "map/GeoPoint.h"
#include "map/MapCanvas.h"
#include "map/MapScene.h"
#include "map/MapView.h"

namespace tarnwell {

// Everything is clipped to the view's canvas: lines are cut at its edges,
// and marks and labels outside it are left out.
void DrawMap(const MapScene& scene, const MapView& view, MapCanvas& canvas);

// The positions a view is fitted to: every airport, and every plan point.
std::vector<GeoPoint> SceneExtent(const MapScene& scene);

}  // namespace tarnwell
