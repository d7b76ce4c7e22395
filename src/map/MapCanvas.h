#pragma once
// What the map is drawn on: the SVG and PNG writers and the desktop
// program's painter. DrawMap hands it screen positions (pixels from the
// top left corner) already clipped to the canvas, layer by layer.

#include <span>
#include <string_view>

namespace tarnwell {

struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

enum class LineStyle {
    Coastline,
    Route,       // a city pair the route set flies
    PlanAirway,  // a leg of a flight plan along an airway
    PlanDirect,  // a point-to-point leg (to or from an airport, a beacon or a fix): dashed
};

enum class MarkStyle {
    Airport,
    PlanPoint,
};

enum class LabelStyle {
    Airport,    // an airport's code
    PlanPoint,  // a plan point's identifier
    Airway,     // the airway of a plan leg, placed on the leg
};

class MapCanvas {
public:
    virtual ~MapCanvas() = default;
    virtual void Polyline(std::span<const ScreenPoint> points, LineStyle style) = 0;
    virtual void Mark(ScreenPoint at, MarkStyle style) = 0;
    // Text (ASCII) beside `at`: to its right and a little above, or centred
    // on it for an airway.
    virtual void Label(ScreenPoint at, std::string_view text, LabelStyle style) = 0;
};

}  // namespace tarnwell
