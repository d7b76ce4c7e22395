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

TEST(ScheduleInput, ReadsTheAddFileForACompileAndLeavesItInPlace) {
    const std::string two = Flight("AAA", "BBB", 1) + Flight("BBB", "AAA", 2);
    // The add file (none when null), the timetable, whether only the timetable is read, whether that fails,
    // whether the compile uses up the add file, and the numbers of flights scheduled and added. An add file
    // without flights counts as absent, but is used up; added flights alone are enough. Reading never
    // removes the add file: the compile does, once its route set is in place.
    const std::vector<std::tuple<const char*, std::string, bool, bool, bool, std::size_t, std::size_t>> cases = {
        {nullptr, two, false, false, false, 2, 0},  {two.c_str(), two + two, false, false, true, 4, 2},
        {"\r\n", two, false, false, true, 2, 0},    {two.c_str(), "", false, false, true, 0, 2},
        {"", "", false, true, false, 0, 0},         {two.c_str(), "AAA,BBB\r\n", false, true, false, 0, 0},
        {nullptr, "", false, true, false, 0, 0},    {two.c_str(), two, true, false, false, 2, 0},
        {two.c_str(), "", true, true, false, 0, 0},
    };
    for (const auto& [addFile, text, timetableOnly, fails, usedUp, scheduled, added] : cases) {
        TempProgramFolder dir;
        if (addFile) dir.Write("Data/Defaults/carrierADD.txt", addFile);
        const auto timetable = dir.Write("t.KRX", text);
        std::vector<ScheduleRecord> schedule(9), addedFlights(9);  // emptied first
        bool used = false;
        const std::string error = ErrorOf([&] {
            if (timetableOnly) GetTimetableData(timetable, schedule, addedFlights);
            else used = GetVAData(timetable, dir.AddFile(), schedule, addedFlights);
        });
        EXPECT_EQ(error != "no error", fails) << error;
        EXPECT_EQ(std::tuple(used, std::filesystem::exists(dir.AddFile()), schedule.size(), addedFlights.size()),
                  std::tuple(usedUp, addFile != nullptr, scheduled, added))
            << text;
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
