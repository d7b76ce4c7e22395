#include "timetable/RouteTable.h"

#include <array>
#include <string_view>

namespace tarnwell {

std::uint8_t DayMaskOf(const ScheduleRecord& r) {
    std::uint8_t mask = 0;
    const std::array<std::int16_t, 7> days = {r.Day1, r.Day2, r.Day3, r.Day4, r.Day5, r.Day6, r.Day7};
    for (std::size_t d = 0; d < days.size(); ++d)
        if (days[d] == 1) mask = static_cast<std::uint8_t>(mask | (1u << d));
    return mask;
}

char CodeLetterOf(const ScheduleRecord& r) {
    const bool x = r.LetterFlagX == 1;
    const bool y = r.LetterFlagY == 1;
    const bool z = r.LetterFlagZ == 1;
    if (x && y && z) return 'A';
    if (x && y) return 'B';
    if (x && z) return 'C';
    if (x) return 'D';
    if (y && z) return 'G';
    if (y) return 'E';
    if (z) return 'F';
    return '\0';
}

std::uint8_t MaskBitsOf(const ScheduleRecord& r) {
    int bits = 0;
    if (r.Mask1 == 1) bits += 1;
    if (r.Mask2 == 1) bits += 2;
    if (r.Mask4 == 1) bits += 4;
    if (r.Mask8 == 1) bits += 8;
    if (r.Mask16 == 1) bits += 16;
    return static_cast<std::uint8_t>(bits);
}

std::vector<RouteRecord> MoveDataToRoutes(std::span<const ScheduleRecord> Schedule) {
    std::vector<RouteRecord> routes(Schedule.size());
    for (std::size_t i = 0; i < Schedule.size(); ++i) {
        const ScheduleRecord& s = Schedule[i];
        RouteRecord& r = routes[i];
        r.Origin = s.Origin;
        r.DepartTime = s.DepartTime;
        r.Destination = s.Destination;
        r.ArriveTime = s.ArriveTime;
        r.Airline = s.Airline;
        r.FlightNumber = s.FlightNumber;
        r.Equipment = s.Equipment;
        r.DayMask = DayMaskOf(s);
        if (const char letter = CodeLetterOf(s)) r.CodeLetter = std::string_view(&letter, 1);
        r.MaskBits = MaskBitsOf(s);
    }
    return routes;
}

}  // namespace tarnwell
