#pragma once
// Where the map's positions land on the screen: an equirectangular
// projection (longitudes shrunk by the cosine of the middle latitude of what
// was fitted, so that shapes look right there), with zoom and pan.

#include <span>

#include "map/GeoPoint.h"
#include "map/MapCanvas.h"

namespace tarnwell {

class MapView {
public:
    MapView(int width = 800, int height = 600);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Pixels per degree of latitude.
    double Scale() const { return scale_; }
    GeoPoint Centre() const { return centre_; }

    // A new canvas size; the centre and the scale stay.
    void Resize(int width, int height);
    // Shows every point with a margin (a fraction of the canvas on each
    // side); no points: the whole world.
    void Fit(std::span<const GeoPoint> points, double margin = 0.06);
    // Zooms by `factor` (> 1 nearer) keeping the position under `around`
    // where it is. The scale stays between the whole world and a few metres.
    void Zoom(double factor, ScreenPoint around);
    // Moves the map by (dx, dy) pixels.
    void Pan(double dx, double dy);

    ScreenPoint ToScreen(GeoPoint p) const;
    GeoPoint ToGeo(ScreenPoint p) const;

private:
    int width_, height_;
    GeoPoint centre_{};
    double scale_ = 1.0;
    double aspect_ = 1.0;  // cos of the fitted middle latitude
};

}  // namespace tarnwell
