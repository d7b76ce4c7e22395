#pragma once
// The map's colours and sizes, shared by every canvas so that the SVG, the
// PNG and the window look alike.

#include <cstdint>

#include "map/MapCanvas.h"

namespace tarnwell {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb SeaColour{232, 240, 248};
inline constexpr Rgb HaloColour{255, 255, 255};

struct LineLook {
    Rgb colour;
    double width = 1.0;  // pixels
    bool dashed = false;
};

// Dashes of a dashed line: so many pixels drawn, so many left out.
inline constexpr double DashOn = 6.0;
inline constexpr double DashOff = 4.0;

constexpr LineLook LookOf(LineStyle style) {
    switch (style) {
        case LineStyle::Coastline: return {{120, 135, 150}, 1.0, false};
        case LineStyle::Route: return {{110, 145, 215}, 1.0, false};
        case LineStyle::PlanAirway: return {{210, 40, 40}, 2.5, false};
        case LineStyle::PlanDirect: return {{230, 120, 20}, 2.0, true};
    }
    return {};
}

struct MarkLook {
    Rgb fill;
    double radius = 3.0;  // pixels; a plan point is a square of twice this side
};

constexpr MarkLook LookOf(MarkStyle style) {
    return style == MarkStyle::Airport ? MarkLook{{20, 40, 110}, 3.5} : MarkLook{{150, 20, 20}, 2.5};
}

constexpr Rgb ColourOf(LabelStyle style) {
    switch (style) {
        case LabelStyle::Airport: return {20, 40, 110};
        case LabelStyle::PlanPoint: return {120, 10, 10};
        case LabelStyle::Airway: return {160, 60, 0};
    }
    return {};
}

}  // namespace tarnwell
