#pragma once
// One route of the route table: a flight as the route set stores it.

#include <cstdint>

#include "common/FixedText.h"

namespace tarnwell {

// One route of the route table, as written to routes.kr1.
struct RouteRecord {
    FixedText<3> Origin;
    std::int16_t DepartTime = 0;
    FixedText<3> Destination;
    std::int16_t ArriveTime = 0;
    std::int16_t Miles = 0;
    std::uint8_t DayMask = 0;
    FixedText<3> Airline;
    std::int16_t FlightNumber = 0;
    FixedText<3> Equipment;
    FixedText<1> CodeLetter;
    std::uint8_t MaskBits = 0;
    FixedText<1> Reserved;
    std::int16_t OriginIndex = 0;
    std::int16_t DestIndex = 0;
    std::int32_t PlanPointer = 0;

    friend bool operator==(const RouteRecord&, const RouteRecord&) = default;
};

}  // namespace tarnwell
