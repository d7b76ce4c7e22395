// Reading timetables, ordering the flights and building the routes.

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "timetable/TimetableFile.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"
#include "TestSupport.h"

using namespace tarnwell;
using tarnwell::testing::Flight;
using tarnwell::testing::TempProgramFolder;

namespace {

std::string ErrorOf(const std::string& text, bool isTimetable = true) {
    try {
        ReadScheduleText("t.KRX", text, isTimetable);
    } catch (const TarnwellError& e) {
        return e.what();
    }
    return "";
}

std::vector<std::string> Keys(const ProgramState& s) {
    std::vector<std::string> out;
    for (const auto& r : s.Schedule) out.push_back(r.Origin.Str() + r.Destination.Str());
    return out;
}

}  // namespace

TEST(TimetableReader, ReadsAllFieldsOfAFlight) {
    const auto flights = ReadScheduleText(
        "t", " LBAX , \"A,B\" ,EGNMX,EHAM,TWL,-7,73H,700,900,1,2,-1,1,0,0,1,1,0,1,1,0,1,0,0\r\n", true);
    ASSERT_EQ(flights.size(), 1u);
    const ScheduleRecord& r = flights[0];
    EXPECT_EQ(r.Origin.View(), "LBA");  // cut to its width
    EXPECT_EQ(r.Destination.View(), "A,B");
    EXPECT_EQ(r.OriginICAO.View(), "EGNM");
    EXPECT_EQ(r.FlightNumber, -7);
    EXPECT_EQ(r.Equipment.View(), "73H");
    EXPECT_EQ(r.DepartTime, 700);
    EXPECT_EQ(r.ArriveTime, 900);
    EXPECT_EQ(r.Day2, 2);
    EXPECT_EQ(r.Day3, -1);
    EXPECT_EQ(r.Day7, 1);
    EXPECT_EQ(r.LetterFlagX, 1);
    EXPECT_EQ(r.LetterFlagZ, 1);
    EXPECT_EQ(r.Mask16, 1);
    EXPECT_EQ(r.Mask1, 1);
    EXPECT_EQ(r.Mask4, 0);
}

TEST(TimetableReader, FlightBrokenOverTwoLinesAndBlankEquipment) {
    const std::string text =
        "AB,CD,EABX,ECDX,TWL,1,,700,900,1,0,1,0\r\n0,0,1,1,0,1,1,0,1,0,0\r\n" + Flight("CD", "AB", 2, "  ");
    const auto timetable = ReadScheduleText("t", text, true);
    ASSERT_EQ(timetable.size(), 2u);
    EXPECT_EQ(timetable[0].Origin.View(), "AB ");
    EXPECT_EQ(timetable[0].Equipment.View(), "734");
    EXPECT_EQ(timetable[0].Mask4, 0);
    EXPECT_EQ(timetable[1].Equipment.View(), "734");
    // The add file keeps a blank type blank.
    const auto added = ReadScheduleText("a", text, false);
    EXPECT_EQ(added[0].Equipment.View(), "   ");
    EXPECT_EQ(added[1].Equipment.View(), "   ");
}

TEST(TimetableReader, ErrorsNameFileLineAndField) {
    const std::string bad = Flight("AAA", "BBB") + "CCC,DDD,ECCC,EDDD,TWL,1,320,40000,900,1,0,1,0,0,0,1,1,0,1,1,0,1,0,0\r\n";
    const std::string e = ErrorOf(bad);
    EXPECT_NE(e.find("t.KRX"), std::string::npos) << e;
    EXPECT_NE(e.find("line 2"), std::string::npos) << e;
    EXPECT_NE(e.find("field 8 (DepartTime)"), std::string::npos) << e;
    EXPECT_NE(e.find("40000"), std::string::npos) << e;

    EXPECT_NE(ErrorOf("AAA,BBB,EAAA,EBBB,TWL,1.5,320,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n").find("field 6 (FlightNumber)"),
              std::string::npos);
    const std::string cut = ErrorOf(Flight("AAA", "BBB") + "AAA,BBB,EAAA\r\n");
    EXPECT_NE(cut.find("ends in the middle of a flight"), std::string::npos) << cut;
    EXPECT_NE(cut.find("field 4 (DestinationICAO)"), std::string::npos) << cut;
}

TEST(TimetableReader, RefusesMoreFlightsThanTheTableHolds) {
    std::string text;
    const std::string line = Flight("AAA", "BBB");
    text.reserve(line.size() * (ScheduleCapacity + 1));
    for (int i = 0; i < ScheduleCapacity; ++i) text += line;
    EXPECT_EQ(ReadScheduleText("t", text, true).size(), static_cast<std::size_t>(ScheduleCapacity));
    text += line;
    EXPECT_NE(ErrorOf(text).find("more than 100001 flights"), std::string::npos);
}

TEST(GetVAData, ReadsAddFileAndTimetableAndSizesRoutes) {
    TempProgramFolder dir;
    std::string add;
    for (int i = 0; i < 5; ++i) add += Flight("AAA", "BBB", i);
    dir.Write("Data/Defaults/carrierADD.txt", add);
    const auto tt = dir.Write("t.KRX", Flight("CCC", "DDD") + Flight("DDD", "CCC") + Flight("CCC", "EEE"));
    ProgramState s(dir.Root());
    RecordingPort port;
    GetVAData(s, port, tt);
    EXPECT_EQ(s.AddScheduleUBound(), 4);
    EXPECT_EQ(s.ScheduleUBound(), 2);
    EXPECT_EQ(s.RouteUBound(), 7);
    EXPECT_TRUE(s.HasAddSchedule);
    EXPECT_FALSE(std::filesystem::exists(dir.AddFile()));

    // The next compile has no add file and starts from empty tables.
    GetVAData(s, port, tt);
    EXPECT_FALSE(s.HasAddSchedule);
    EXPECT_EQ(s.AddScheduleUBound(), -1);
    EXPECT_EQ(s.RouteUBound(), 2);
}

TEST(GetVAData, EmptyAddFileCountsAsAbsentAndEmptyTimetableFails) {
    TempProgramFolder dir;
    dir.Write("Data/Defaults/carrierADD.txt", "\r\n");
    const auto tt = dir.Write("t.KRX", Flight("AAA", "BBB"));
    ProgramState s(dir.Root());
    RecordingPort port;
    GetVAData(s, port, tt);
    EXPECT_FALSE(s.HasAddSchedule);
    EXPECT_FALSE(std::filesystem::exists(dir.AddFile()));
    EXPECT_EQ(s.RouteUBound(), 0);

    const auto empty = dir.Write("empty.KRX", "");
    EXPECT_THROW(GetVAData(s, port, empty), TarnwellError);
}

TEST(SortVAData, SortsByKeyWithEqualKeysInExchangeOrder) {
    ProgramState s("unused");
    RecordingPort port;
    s.Schedule = ReadScheduleText("t", Flight("ABC", "DEF", 1) + Flight("ABC", "AAA", 2) + Flight("AAA", "BBB", 3), true);
    SortVAData(s, port);
    EXPECT_EQ(Keys(s), (std::vector<std::string>{"AAABBB", "ABCAAA", "ABCDEF"}));

    s.Schedule = ReadScheduleText("t", Flight("B", "", 1) + Flight("B", "", 2) + Flight("A", "", 3), true);
    SortVAData(s, port);
    EXPECT_EQ(s.Schedule[0].FlightNumber, 3);
    EXPECT_EQ(s.Schedule[1].FlightNumber, 2);
    EXPECT_EQ(s.Schedule[2].FlightNumber, 1);
    EXPECT_TRUE(port.statuses.empty());  // the sort shows no progress
}

TEST(SortVAData, MergesIntoAddedFlightsWithProgressTexts) {
    ProgramState s("unused");
    RecordingPort port;
    s.AddSchedule = ReadScheduleText("a", Flight("AAA", "AAA") + Flight("BBB", "BBB") + Flight("CCC", "CCC"), false);
    s.Schedule = ReadScheduleText("t", Flight("BBB", "AAA") + Flight("BBB", "CCC"), true);
    s.HasAddSchedule = true;
    s.Routes.resize(5);
    SortVAData(s, port);
    EXPECT_EQ(Keys(s), (std::vector<std::string>{"AAAAAA", "BBBAAA", "BBBBBB", "BBBCCC", "CCCCCC"}));
    EXPECT_EQ(s.ScheduleUBound(), 4);
    EXPECT_EQ(s.RouteUBound(), 4);
    EXPECT_EQ(port.StatusTexts(), (std::vector<std::string>{"Adding VA Data 0000 of 0001", "Adding VA Data 0001 of 0001"}));
    EXPECT_EQ(FormatCount4(37), "0037");
    EXPECT_EQ(FormatCount4(12345), "12345");
}

TEST(MoveDataToRoutes, PacksDaysLettersAndMasks) {
    auto route = [](const std::string& flags) {
        ProgramState s("unused");
        RecordingPort port;
        s.Schedule = ReadScheduleText("t", "ABC,DEF,EABC,EDEF,TWL,77,320,700,900," + flags + "\r\n", true);
        s.Routes.resize(1);
        MoveDataToRoutes(s, port);
        return s.Routes[0];
    };
    // days            letters  masks (in line order 16, 8, 1, 2, 4)
    RouteRecord r = route("1,0,1,0,0,0,1, 0,1,1, 1,0,1,0,0");
    EXPECT_EQ(r.DayMask, 69);
    EXPECT_EQ(r.CodeLetter.View(), "G");
    EXPECT_EQ(r.MaskBits, 17);
    EXPECT_EQ(r.Origin.View(), "ABC");
    EXPECT_EQ(r.Destination.View(), "DEF");
    EXPECT_EQ(r.Airline.View(), "TWL");
    EXPECT_EQ(r.FlightNumber, 77);
    EXPECT_EQ(r.DepartTime, 700);
    EXPECT_EQ(r.ArriveTime, 900);
    EXPECT_TRUE(r.Reserved.NeverAssigned());
    EXPECT_EQ(r.Miles, 0);
    EXPECT_EQ(r.PlanPointer, 0);

    r = route("1,1,1,1,1,1,1, 0,0,0, 0,1,0,1,1");
    EXPECT_EQ(r.DayMask, 127);
    EXPECT_TRUE(r.CodeLetter.NeverAssigned());
    EXPECT_EQ(r.MaskBits, 14);
    EXPECT_EQ(route("-1,2,0,0,0,0,0, 1,0,0, 0,0,0,0,0").DayMask, 0);

    const std::vector<std::pair<std::string, char>> letters = {{"1,1,1", 'A'}, {"1,1,0", 'B'}, {"1,0,1", 'C'},
                                                               {"1,0,0", 'D'}, {"0,1,0", 'E'}, {"0,0,1", 'F'},
                                                               {"0,1,1", 'G'}, {"2,1,-1", 'E'}};
    for (const auto& [flags, letter] : letters)
        EXPECT_EQ(route("0,0,0,0,0,0,0," + flags + ",0,0,0,0,0").CodeLetter.chars[0], letter) << flags;
}
