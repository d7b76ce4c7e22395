#include "map/DrawMap.h"

#include <string>

#include "map/Coastlines.h"
#include "map/GreatCircleArc.h"
#include "map/ScreenClip.h"

namespace tarnwell {

namespace {

// Lines are cut a little outside the canvas, so that their ends do not show.
constexpr double LineOverscan = 4.0;

class Drawer {
public:
    Drawer(const MapView& view, MapCanvas& canvas)
        : view_(view),
          canvas_(canvas),
          lineRect_{-LineOverscan, -LineOverscan, view.Width() + LineOverscan, view.Height() + LineOverscan},
          pointRect_{0, 0, static_cast<double>(view.Width()), static_cast<double>(view.Height())} {}

    void Line(const GeoLine& line, LineStyle style) {
        std::vector<ScreenPoint> screen;
        screen.reserve(line.size());
        for (const GeoPoint& p : line) screen.push_back(view_.ToScreen(p));
        for (const auto& part : ClipPolyline(screen, lineRect_)) canvas_.Polyline(part, style);
    }
    void Arc(GeoPoint from, GeoPoint to, LineStyle style) {
        for (const GeoLine& piece : GreatCircleArc(from, to)) Line(piece, style);
    }
    void Mark(GeoPoint at, MarkStyle style) {
        const ScreenPoint p = view_.ToScreen(at);
        if (pointRect_.Contains(p)) canvas_.Mark(p, style);
    }
    void Label(GeoPoint at, const std::string& text, LabelStyle style) {
        const ScreenPoint p = view_.ToScreen(at);
        if (!text.empty() && pointRect_.Contains(p)) canvas_.Label(p, text, style);
    }

private:
    const MapView& view_;
    MapCanvas& canvas_;
    ScreenRect lineRect_, pointRect_;
};

// The middle of a leg, along its great circle.
GeoPoint Middle(const MapPlanLeg& leg) {
    const std::vector<GeoLine> pieces = GreatCircleArc(leg.from, leg.to, 0.25);
    const GeoLine& piece = pieces.front();
    return piece.empty() ? leg.from : piece[piece.size() / 2];
}

// An airway's name once for each run of legs along it.
void LabelAirways(const MapPlan& plan, Drawer& draw) {
    std::size_t k = 0;
    while (k < plan.legs.size()) {
        std::size_t end = k + 1;
        while (end < plan.legs.size() && plan.legs[end].airway == plan.legs[k].airway) ++end;
        if (!plan.legs[k].airway.empty())
            draw.Label(Middle(plan.legs[(k + end - 1) / 2]), plan.legs[k].airway, LabelStyle::Airway);
        k = end;
    }
}

}  // namespace

std::vector<GeoPoint> SceneExtent(const MapScene& scene) {
    std::vector<GeoPoint> points;
    for (const MapAirport& a : scene.airports) points.push_back(a.position);
    for (const MapPlan& plan : scene.plans)
        for (const MapPlanPoint& p : plan.points) points.push_back(p.position);
    return points;
}

void DrawMap(const MapScene& scene, const MapView& view, MapCanvas& canvas) {
    Drawer draw(view, canvas);
    for (const GeoLine& coast : Coastlines()) draw.Line(coast, LineStyle::Coastline);
    for (const MapRoute& route : scene.routes)
        draw.Arc(scene.airports[route.from].position, scene.airports[route.to].position, LineStyle::Route);
    for (const MapPlan& plan : scene.plans)
        for (const MapPlanLeg& leg : plan.legs)
            draw.Arc(leg.from, leg.to, leg.airway.empty() ? LineStyle::PlanDirect : LineStyle::PlanAirway);
    for (const MapAirport& airport : scene.airports) draw.Mark(airport.position, MarkStyle::Airport);
    for (const MapPlan& plan : scene.plans)
        for (const MapPlanPoint& point : plan.points) draw.Mark(point.position, MarkStyle::PlanPoint);
    for (const MapAirport& airport : scene.airports) draw.Label(airport.position, airport.code, LabelStyle::Airport);
    for (const MapPlan& plan : scene.plans) {
        for (const MapPlanPoint& point : plan.points) draw.Label(point.position, point.ident, LabelStyle::PlanPoint);
        LabelAirways(plan, draw);
    }
}

}  // namespace tarnwell
