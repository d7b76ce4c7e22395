#pragma once
// One airport of the route set's index, in the order of index.kr1.

#include <cstdint>

#include "common/FixedText.h"

namespace tarnwell {

struct IndexAirportRecord {
    FixedText<3> IATA;
    FixedText<4> ICAO;
    FixedText<35> AirportName;
    FixedText<33> City;
    std::int32_t DeparturePos = 0;
    std::int16_t DepartureCount = 0;
    std::int32_t Altitude = 0;
    float Latitude = 0.0f;
    float Longitude = 0.0f;
    std::int32_t ArrivalsPos = 0;
    std::int16_t ArrivalsCount = 0;
    std::int32_t RunwayCount = 0;
    std::int32_t AptPos = 0;

    friend bool operator==(const IndexAirportRecord&, const IndexAirportRecord&) = default;
};

}  // namespace tarnwell
