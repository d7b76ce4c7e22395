// The map's geometry: the projection and its zoom and pan, great-circle
// arcs cut at the 180th meridian, clipping to the canvas, the coastlines.

#include <gtest/gtest.h>

#include <cmath>

#include "common/Errors.h"
#include "map/Coastlines.h"
#include "map/GreatCircleArc.h"
#include "map/MapView.h"
#include "map/ScreenClip.h"

using namespace tarnwell;

TEST(MapView, ScreenAndGeoRoundTripAfterFitZoomAndPan) {
    MapView view(1000, 600);
    const std::vector<GeoPoint> europe{{36, -10}, {60, 20}, {53.9, -1.7}};
    view.Fit(europe);
    const auto roundTrip = [&view](GeoPoint p) {
        const GeoPoint back = view.ToGeo(view.ToScreen(p));
        EXPECT_NEAR(back.lat, p.lat, 1e-9);
        EXPECT_NEAR(back.lon, p.lon, 1e-9);
    };
    for (const GeoPoint& p : europe) roundTrip(p);
    view.Zoom(3.0, {200, 100});
    view.Pan(-40, 25);
    for (const GeoPoint& p : {GeoPoint{48, 2}, GeoPoint{-33, 151}, GeoPoint{0, 179.9}}) roundTrip(p);
}

TEST(MapView, FitShowsEveryPointInsideTheMarginWithRightShapes) {
    MapView view(800, 800);
    const std::vector<GeoPoint> points{{40, -5}, {60, 15}};
    view.Fit(points, 0.1);
    for (const GeoPoint& p : points) {
        const ScreenPoint s = view.ToScreen(p);
        EXPECT_GE(s.x, 80 - 1e-9);
        EXPECT_LE(s.x, 720 + 1e-9);
        EXPECT_GE(s.y, 80 - 1e-9);
        EXPECT_LE(s.y, 720 + 1e-9);
    }
    // The latitude span fills the usable height; a degree of longitude is
    // cos(50) of a degree of latitude.
    EXPECT_NEAR(view.ToScreen({40, -5}).y - view.ToScreen({60, -5}).y, 640, 1e-9);
    const double lonDegree = view.ToScreen({50, 1}).x - view.ToScreen({50, 0}).x;
    EXPECT_NEAR(lonDegree / view.Scale(), std::cos(50 * 3.141592653589793 / 180), 1e-12);
    // Nothing to fit: the whole world.
    view.Fit({});
    EXPECT_NEAR(view.Centre().lat, 0, 1e-12);
    EXPECT_LE(view.ToScreen({0, 180}).x, 800 + 1e-9);
}

TEST(MapView, ZoomKeepsThePointUnderTheCursorAndPanMovesByPixels) {
    MapView view(640, 480);
    view.Fit(std::vector<GeoPoint>{{50, 0}, {55, 10}});
    const ScreenPoint cursor{100, 400};
    const GeoPoint under = view.ToGeo(cursor);
    const double scale = view.Scale();
    view.Zoom(2.0, cursor);
    EXPECT_NEAR(view.Scale(), 2 * scale, 1e-9);
    EXPECT_NEAR(view.ToScreen(under).x, cursor.x, 1e-9);
    EXPECT_NEAR(view.ToScreen(under).y, cursor.y, 1e-9);
    const ScreenPoint before = view.ToScreen({52, 5});
    view.Pan(30, -12);
    EXPECT_NEAR(view.ToScreen({52, 5}).x, before.x + 30, 1e-9);
    EXPECT_NEAR(view.ToScreen({52, 5}).y, before.y - 12, 1e-9);
    // Zooming out stops at about the whole world.
    for (int i = 0; i < 50; ++i) view.Zoom(0.5, cursor);
    EXPECT_GT(view.Scale(), 0.5);
}

TEST(GreatCircleArc, FollowsTheGreatCircleAndIsCutAtTheAntimeridian) {
    struct Case {
        GeoPoint from, to;
        std::size_t pieces;
    };
    const Case cases[] = {
        {{53.87, -1.66}, {55.95, -3.36}, 1},  // Leeds to Edinburgh
        {{35.5, 139.8}, {37.6, -122.4}, 2},   // Tokyo to San Francisco: across 180
        {{-33.9, 151.2}, {-37.0, 174.8}, 1},  // Sydney to Auckland: not across
        {{10, 170}, {-10, -170}, 2},
    };
    for (const Case& c : cases) {
        const auto pieces = GreatCircleArc(c.from, c.to, 1.0);
        ASSERT_EQ(pieces.size(), c.pieces);
        EXPECT_EQ(pieces.front().front(), c.from);
        EXPECT_EQ(pieces.back().back(), c.to);
        for (const GeoLine& piece : pieces)
            for (std::size_t i = 1; i < piece.size(); ++i) EXPECT_LT(std::fabs(piece[i].lon - piece[i - 1].lon), 180);
        if (c.pieces == 2) {
            // Both pieces meet on the meridian at the same latitude.
            EXPECT_EQ(std::fabs(pieces[0].back().lon), 180);
            EXPECT_EQ(pieces[1].front().lon, -pieces[0].back().lon);
            EXPECT_EQ(pieces[1].front().lat, pieces[0].back().lat);
        }
    }
    // The great circle from Tokyo to San Francisco bows north of both ends.
    double north = 0;
    for (const GeoLine& piece : GreatCircleArc({35.5, 139.8}, {37.6, -122.4}))
        for (const GeoPoint& p : piece) north = std::max(north, p.lat);
    EXPECT_GT(north, 47);
}

TEST(ClipPolyline, CutsLinesAtTheEdgesAndDropsWhatLiesOutside) {
    const ScreenRect rect{0, 0, 100, 100};
    using Line = std::vector<ScreenPoint>;
    const auto parts = ClipPolyline(Line{{-50, 50}, {50, 50}, {50, 150}, {60, 150}, {60, 50}, {70, 50}}, rect);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0], (Line{{0, 50}, {50, 50}, {50, 100}}));
    EXPECT_EQ(parts[1], (Line{{60, 100}, {60, 50}, {70, 50}}));
    EXPECT_TRUE(ClipPolyline(Line{{-10, -10}, {-5, 200}}, rect).empty());
}

TEST(Coastlines, TheCompiledInCoastlinesCoverTheWorldAndDamageIsRefused) {
    const auto& lines = Coastlines();
    ASSERT_GT(lines.size(), 1000u);
    bool britain = false;
    for (const GeoLine& line : lines)
        for (const GeoPoint& p : line) {
            ASSERT_LE(std::fabs(p.lat), 90);
            ASSERT_LE(std::fabs(p.lon), 180);
            britain = britain || (std::fabs(p.lat - 53.75) < 0.3 && std::fabs(p.lon - -0.2) < 0.4);  // Humber mouth
        }
    EXPECT_TRUE(britain);
    const std::vector<std::uint8_t> ok{'T', 'W', 'C', 'L', 1, 0, 1, 0, 0, 0, 2, 0, 1, 0, 2, 0, 3, 0, 4, 0};
    EXPECT_EQ(DecodeCoastlines(ok), (std::vector<GeoLine>{{{0.01, 0.02}, {0.03, 0.04}}}));
    std::vector<std::uint8_t> cut(ok.begin(), ok.end() - 1), version = ok;
    version[4] = 2;
    EXPECT_THROW(DecodeCoastlines(cut), TarnwellError);
    EXPECT_THROW(DecodeCoastlines(version), TarnwellError);
}
