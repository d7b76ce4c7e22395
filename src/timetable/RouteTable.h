#pragma once
// Turning the ordered flights into the route table.

#include <cstdint>
#include <span>
#include <vector>

#include "records/RouteRecord.h"
#include "records/ScheduleRecord.h"

namespace tarnwell {

// "Moving Data to Routes": one route per flight, in schedule order.
std::vector<RouteRecord> MoveDataToRoutes(std::span<const ScheduleRecord> Schedule);

// The route fields made from a flight's flag columns.
std::uint8_t DayMaskOf(const ScheduleRecord& r);
char CodeLetterOf(const ScheduleRecord& r);  // '\0' when no letter flag is set
std::uint8_t MaskBitsOf(const ScheduleRecord& r);

}  // namespace tarnwell
