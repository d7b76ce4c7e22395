#pragma once
// One flight of a timetable, and the order key of the schedule.

#include <array>
#include <cstdint>

#include "common/FixedText.h"

namespace tarnwell {

// One flight of a timetable (a ".KRX" line or a line of the add file).
struct ScheduleRecord {
    FixedText<3> Origin;
    FixedText<3> Destination;
    FixedText<4> OriginICAO;
    FixedText<4> DestinationICAO;
    FixedText<3> Airline;
    std::int16_t FlightNumber = 0;
    FixedText<3> Equipment;
    std::int16_t DepartTime = 0;
    std::int16_t ArriveTime = 0;
    std::int16_t Day1 = 0;
    std::int16_t Day2 = 0;
    std::int16_t Day3 = 0;
    std::int16_t Day4 = 0;
    std::int16_t Day5 = 0;
    std::int16_t Day6 = 0;
    std::int16_t Day7 = 0;
    std::int16_t LetterFlagX = 0;
    std::int16_t LetterFlagY = 0;
    std::int16_t LetterFlagZ = 0;
    std::int16_t Mask16 = 0;
    std::int16_t Mask8 = 0;
    std::int16_t Mask1 = 0;
    std::int16_t Mask2 = 0;
    std::int16_t Mask4 = 0;

    friend bool operator==(const ScheduleRecord&, const ScheduleRecord&) = default;
};

// The order key of a flight: Origin followed by Destination, both at full
// width, so blanks inside the key are kept.
using ScheduleKey = std::array<char, 6>;

inline ScheduleKey KeyOf(const ScheduleRecord& r) {
    ScheduleKey k{};
    for (int i = 0; i < 3; ++i) {
        k[static_cast<std::size_t>(i)] = r.Origin.chars[static_cast<std::size_t>(i)];
        k[static_cast<std::size_t>(i) + 3] = r.Destination.chars[static_cast<std::size_t>(i)];
    }
    return k;
}

// Capacity of the schedule tables: indices 0 to 100000.
inline constexpr std::int32_t ScheduleCapacity = 100001;

}  // namespace tarnwell
