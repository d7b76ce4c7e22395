// The schedule tables of a compile: filled from the chosen timetable and the
// add file the real-world merge leaves, then put in order.

#include <gtest/gtest.h>

#include "compile/RecordingPort.h"
#include "timetable/ScheduleInput.h"
#include "timetable/ScheduleSort.h"
#include "timetable/TimetableFile.h"
#include "TestSupport.h"

using namespace tarnwell;
using namespace tarnwell::testing;

TEST(ScheduleInput, TheAddFileGoesOnlyOnceBothFilesAreReadAndOnlyForACompile) {
    const std::string two = Flight("AAA", "BBB", 1) + Flight("BBB", "AAA", 2);
    struct Case {
        const char* addFile;  // none when null
        std::string timetable;
        bool timetableOnly, fails, addFileLeft;
        std::size_t scheduled, added;
    };
    const std::vector<Case> cases = {
        {nullptr, two, false, false, false, 2, 0},    {two.c_str(), two + two, false, false, false, 4, 2},
        {"\r\n", two, false, false, false, 2, 0},     // without flights it counts as absent, and goes
        {two.c_str(), "", false, false, false, 0, 2},  // added flights alone are enough
        {two.c_str(), "AAA,BBB\r\n", false, true, true, 0, 0},  // a broken timetable keeps it
        {"", "", false, true, true, 0, 0},            {nullptr, "", false, true, false, 0, 0},
        {two.c_str(), two, true, false, true, 2, 0},  {two.c_str(), "", true, true, true, 0, 0},
    };
    for (const Case& c : cases) {
        TempProgramFolder dir;
        if (c.addFile) dir.Write("Data/Defaults/carrierADD.txt", c.addFile);
        const auto timetable = dir.Write("t.KRX", c.timetable);
        std::vector<ScheduleRecord> schedule(9), added(9);  // emptied first
        const std::string error = ErrorOf([&] {
            if (c.timetableOnly) GetTimetableData(timetable, schedule, added);
            else GetVAData(timetable, dir.AddFile(), schedule, added);
        });
        EXPECT_EQ(error != "no error", c.fails) << error;
        EXPECT_EQ(std::filesystem::exists(dir.AddFile()), c.addFileLeft) << c.timetable;
        EXPECT_EQ(std::tuple(schedule.size(), added.size()), std::tuple(c.scheduled, c.added)) << c.timetable;
    }
}

TEST(SortVAData, SortsAloneOrMergesIntoTheAddedFlightsCountingInFourDigits) {
    const auto sorted = [](const std::string& timetable, const std::string& added) {
        RecordingPort port;
        auto schedule = ReadScheduleText("t", timetable, true);
        SortVAData(schedule, ReadScheduleText("a", added, false), port);
        std::vector<std::string> out = port.StatusTexts();
        for (const auto& r : schedule)
            out.push_back(r.Origin.Str() + r.Destination.Str() + std::to_string(r.FlightNumber));
        return out;
    };
    // Equal keys end in the order the exchange sort leaves them, and sorting shows nothing.
    EXPECT_EQ(sorted(Flight("ABC", "DEF", 1) + Flight("B", "", 2) + Flight("ABC", "AAA", 3) + Flight("B", "", 4) +
                         Flight("A", "", 5), ""),
              (std::vector<std::string>{"A     5", "ABCAAA3", "ABCDEF1", "B     4", "B     2"}));
    EXPECT_EQ(sorted(Flight("BBB", "AAA", 1) + Flight("BBB", "CCC", 2),
                     Flight("AAA", "AAA", 3) + Flight("BBB", "BBB", 4) + Flight("CCC", "CCC", 5)),
              (std::vector<std::string>{"Adding VA Data 0000 of 0001", "Adding VA Data 0001 of 0001", "AAAAAA3",
                                        "BBBAAA1", "BBBBBB4", "BBBCCC2", "CCCCCC5"}));
    EXPECT_EQ(FormatCount4(37) + " " + FormatCount4(12345), "0037 12345");
}
