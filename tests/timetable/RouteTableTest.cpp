// The route table made from the ordered flights: one route per flight, its
// day mask, code letter and mask bits packed from the flag columns.

#include <gtest/gtest.h>

#include "records/RecordLayouts.h"
#include "timetable/RouteTable.h"
#include "timetable/TimetableFile.h"

using namespace tarnwell;

static ScheduleRecord FlightWithFlags(const std::string& flags, int number = 77) {
    const std::string line = "ABC,DEF,EABC,EDEF,TWL," + std::to_string(number) + ",73H,700,900," + flags + "\r\n";
    return ReadScheduleText("t", line, true).at(0);
}

TEST(RouteTable, PacksTheFlagColumnsOnlyWhereTheyHoldOne) {
    // Flags: days 1-7, letter flags X Y Z, masks in column order 16 8 1 2 4; then day mask, letter, mask bits.
    const std::vector<std::tuple<const char*, int, char, int>> cases = {
        {"1,0,1,0,0,0,1, 1,1,1, 1,0,0,0,0", 69, 'A', 16}, {"0,1,0,0,0,0,0, 1,1,0, 0,1,0,0,0", 2, 'B', 8},
        {"0,0,0,1,1,0,0, 1,0,1, 0,0,1,0,0", 24, 'C', 1},  {"0,0,0,0,0,1,0, 1,0,0, 0,0,0,1,0", 32, 'D', 2},
        {"1,1,1,1,1,1,1, 0,1,0, 0,0,0,0,1", 127, 'E', 4}, {"0,0,0,0,0,0,0, 0,0,1, 1,1,1,1,1", 0, 'F', 31},
        {"0,0,0,0,0,0,0, 0,1,1, 0,1,0,1,1", 0, 'G', 14},  {"0,0,0,0,0,0,0, 0,0,0, 0,0,0,0,0", 0, '\0', 0},
        {"-1,2,0,0,0,0,0, 2,1,-1, 2,-1,0,0,0", 0, 'E', 0},
    };
    for (const auto& [flags, days, letter, bits] : cases) {
        const ScheduleRecord f = FlightWithFlags(flags);
        EXPECT_EQ(std::tuple(DayMaskOf(f), CodeLetterOf(f), MaskBitsOf(f)), std::tuple(days, letter, bits)) << flags;
    }
}

TEST(RouteTable, OneRoutePerFlightInScheduleOrder) {
    const std::vector<ScheduleRecord> schedule = {FlightWithFlags("1,0,1,0,0,0,1, 0,1,1, 1,0,1,0,0"),
                                                  FlightWithFlags("0,0,0,0,0,0,0, 0,0,0, 0,0,0,0,0", 300)};
    const Bytes routes = EncodeRouteFile(MoveDataToRoutes(schedule));
    ASSERT_EQ(routes.size(), 2 * RouteRecordLength);
    // Miles, Reserved, both indices and PlanPointer are left for later steps.
    const Bytes first = {'A', 'B', 'C', 0xBC, 0x02, 'D', 'E', 'F', 0x84, 0x03, 0, 0, 69, 'T', 'W', 'L',
                         77,  0,   '7', '3',  'H',  'G', 17,  0,   0,    0,    0, 0, 0,  0,   0,   0};
    EXPECT_EQ(Bytes(routes.begin(), routes.begin() + 32), first);
    EXPECT_EQ((Bytes{routes[48], routes[49], routes[53], routes[54]}), (Bytes{0x2C, 0x01, 0, 0}));  // no letter: zero
}
