#include "routeset/RouteMiles.h"

#include <cmath>
#include <string>

#include "airports/IndexAirports.h"
#include "common/Errors.h"
#include "geo/GreatCircle.h"

namespace tarnwell {

void CalcRouteMiles(std::span<RouteRecord> Routes, std::span<const IndexAirportRecord> IndexAirports) {
    for (std::int32_t r = 0; r < static_cast<std::int32_t>(Routes.size()); ++r) {
        RouteRecord& route = Routes[static_cast<std::size_t>(r)];
        const IndexAirportRecord& o = RouteAirport(IndexAirports, r, route.OriginIndex, "OriginIndex");
        const IndexAirportRecord& d = RouteAirport(IndexAirports, r, route.DestIndex, "DestIndex");
        float course = 0.0f;
        float distance = 0.0f;
        try {
            distance = GetDistance(o.Latitude, o.Longitude, d.Latitude, d.Longitude, course);
        } catch (const TarnwellError& e) {
            throw TarnwellError(e.Kind(),
                                "measuring from " + std::string(o.IATA.Trimmed()) + " to " +
                                    std::string(d.IATA.Trimmed()) + " failed: " + e.What(),
                                {"routes", {}, {}, "Miles", r});
        }
        const float whole = std::trunc(distance);
        if (!(whole >= -32768.0f && whole <= 32767.0f))
            throw TarnwellError(ErrorKind::Overflow,
                                "the distance from " + std::string(o.IATA.Trimmed()) + " to " +
                                    std::string(d.IATA.Trimmed()) + " (" + std::to_string(distance) +
                                    " NM) does not fit the 16-bit Miles",
                                {"routes", {}, {}, "Miles", r});
        route.Miles = static_cast<std::int16_t>(whole);
    }
}

}  // namespace tarnwell
