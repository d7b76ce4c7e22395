// The timetable text format: every field of a flight read and written back,
// flights broken over lines, and errors that name the file, line and field.

#include <gtest/gtest.h>

#include "common/TextFile.h"
#include "timetable/TimetableFile.h"
#include "TestSupport.h"

using namespace tarnwell;
using namespace tarnwell::testing;

TEST(TimetableFile, ReadsEveryFieldInItsColumnAndWritesItBack) {
    // Distinct numbers pin every numeric field to its column.
    const auto flights = ReadScheduleText(
        "t", " LBAX , \"A,B\" ,EGNMX,EHAM,TWL,-7,73H,700,900,1,2,-3,4,5,6,7,8,9,10,11,12,13,14,15\r\n", true);
    ASSERT_EQ(flights.size(), 1u);
    const ScheduleRecord& r = flights[0];
    EXPECT_EQ((std::vector<int>{r.FlightNumber, r.DepartTime, r.ArriveTime, r.Day1, r.Day2, r.Day3, r.Day4, r.Day5,
                                r.Day6, r.Day7, r.LetterFlagX, r.LetterFlagY, r.LetterFlagZ, r.Mask16, r.Mask8,
                                r.Mask1, r.Mask2, r.Mask4}),
              (std::vector<int>{-7, 700, 900, 1, 2, -3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    TextLineWriter line;  // texts cut to their widths
    WriteScheduleLine(line, r);
    EXPECT_EQ(line.Content(), "LBA,\"A,B\",EGNM,EHAM,TWL,-7 ,73H, 700 , 900 , 1 , 2 ,-3 , 4 , 5 , 6 , 7 , 8 , 9 , "
                              "10 , 11 , 12 , 13 , 14 , 15 \r\n");
    EXPECT_EQ(ReadScheduleText("w", line.Content(), true), flights);

    // A flight broken over two lines; a timetable gives a blank type "734", the add file keeps it blank.
    const std::string text =
        "AB,CD,EABX,ECDX,TWL,1,,700,900,1,0,1,0\r\n0,0,1,1,0,1,1,0,1,0,4\r\n" + Flight("CD", "AB", 2, "  ");
    for (const bool isTimetable : {true, false}) {
        const auto two = ReadScheduleText("t", text, isTimetable);
        ASSERT_EQ(two.size(), 2u);
        EXPECT_EQ(std::tuple(two[0].Origin.Str(), two[0].Mask4, two[1].FlightNumber), std::tuple("AB ", 4, 2));
        for (const ScheduleRecord& f : two) EXPECT_EQ(f.Equipment.View(), isTimetable ? "734" : "   ");
    }
}

TEST(TimetableFile, ErrorsNameFileLineAndField) {
    const std::string good = Flight("AAA", "BBB");
    std::string full;
    for (int i = 0; i < ScheduleCapacity; ++i) full += good;
    EXPECT_EQ(ReadScheduleText("t", full, true).size(), static_cast<std::size_t>(ScheduleCapacity));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {good + "CCC,DDD,ECCC,EDDD,TWL,1,320,40000,900,1,0,1,0,0,0,1,1,0,1,1,0,1,0,0\r\n",
         "t.KRX, line 2, field 8 (DepartTime), record 1: \"40000\" is not a whole number"},
        {"AAA,BBB,EAAA,EBBB,TWL,1.5,320,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n", "line 1, field 6 (FlightNumber)"},
        {good + "AAA,BBB,EAAA\r\n", "line 2, field 4 (DestinationICAO), record 1: the file ends in the middle"},
        {full + good, "record 100001: more than 100001 flights"},
        // Each fault at its own line: zero bytes begin no flight, and a short
        // line, which the next one continues, is named beside it.
        {good + std::string(4, '\0') + "\r\n" + good, "line 2, field 1 (Origin), record 1: \"\\x00\\x00\\x00\\x00\" holds"},
        {"AAA\r\n" + good, "line 2, field 6 (FlightNumber), record 0: \"TWL\" is not a whole number from -32768 to "
                            "32767 (the flight begins on line 1)"},
        {"AAA,BBB,EAAA,EBBB,TWL," + std::string(1 << 20, '\x01'), "field 6 (FlightNumber), record 0: \"\\x01"},
    };
    for (const auto& [text, error] : cases) {
        const std::string message = ErrorOf([&] { ReadScheduleText("t.KRX", text, true); });
        EXPECT_NE(message.find(error), std::string::npos) << message;
        EXPECT_LT(message.size(), 300u) << error;
    }
    // The add file is the merge's own and keeps zero bytes; the files are refused unread past 64 MiB.
    EXPECT_EQ(ReadScheduleText("add", Flight(std::string(3, '\0'), "BBB"), false)[0].Origin.View(), std::string(3, '\0'));
    TempProgramFolder dir;
    const auto huge = dir.Write("huge.KRX", good);
    std::filesystem::resize_file(huge, ScheduleFileLimit + 1);
    for (const bool isTimetable : {true, false})
        EXPECT_NE(ErrorOf([&] { ReadScheduleFile(huge, isTimetable); }).find("bytes long; a"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { ReadScheduleFile(dir.Root(), true); }).find("not a regular file"), std::string::npos);
}
