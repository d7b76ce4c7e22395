// Index airports and the byte layouts of the route-set files.

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "airports/IndexAirports.h"
#include "routeset/DataFiles.h"
#include "records/RecordLayouts.h"
#include "timetable/TimetableFile.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"
#include "TestSupport.h"

using namespace tarnwell;
using tarnwell::testing::Flight;
using tarnwell::testing::TempProgramFolder;

namespace {

std::vector<std::string> IndexCodes(const std::string& timetable) {
    ProgramState s("unused");
    RecordingPort port;
    s.Schedule = ReadScheduleText("t", timetable, true);
    FindIndexAirports(s, port);
    std::vector<std::string> out;
    for (const auto& a : s.IndexAirports) out.push_back(a.IATA.Str() + "/" + a.ICAO.Str());
    return out;
}

}  // namespace

TEST(FindIndexAirports, FirstFourLetterCodeWinsAndCodesSortByCharacterCode) {
    // BBB first appears as a destination; later flights give it other codes.
    EXPECT_EQ(IndexCodes(Flight("AAA", "BBB", 1, "320", "KAAA", "KBBB") + Flight("BBB", "CCC", 2, "320", "XBBB", "KCCC") +
                         Flight("CCC", "BBB", 3, "320", "YCCC", "YBBB")),
              (std::vector<std::string>{"AAA/KAAA", "BBB/KBBB", "CCC/KCCC"}));
    // Digits before upper case before lower case; ABC and abc are two airports.
    EXPECT_EQ(IndexCodes(Flight("abc", "ABC") + Flight("1AB", "AB ")),
              (std::vector<std::string>{"1AB/E1AB", "AB /EAB ", "ABC/EABC", "abc/Eabc"}));
    EXPECT_EQ(IndexCodes(Flight("ZZZ", "AAA")).size(), 2u);
}

TEST(FindIndexAirports, ClearsEverythingButTheCodes) {
    ProgramState s("unused");
    RecordingPort port;
    s.IndexAirports.resize(5);
    s.IndexAirports[0].Altitude = 99;
    s.Schedule = ReadScheduleText("t", Flight("AAA", "BBB"), true);
    FindIndexAirports(s, port);
    ASSERT_EQ(s.IndexUBound(), 1);
    EXPECT_EQ(s.IndexAirports[0].Altitude, 0);
    EXPECT_TRUE(s.IndexAirports[0].AirportName.NeverAssigned());
    EXPECT_TRUE(s.IndexAirports[0].City.NeverAssigned());
}

TEST(RouteSetFormats, IndexRecordLayout) {
    IndexAirportRecord a;
    a.IATA = "LBA";
    a.ICAO = "EGNM";
    a.AirportName = "Leeds Bradford";
    a.DeparturePos = 0x01020304;
    a.DepartureCount = -2;
    a.Altitude = 681;
    a.Latitude = 1.0f;
    a.Longitude = -2.0f;
    a.ArrivalsPos = 33;
    a.ArrivalsCount = 7;
    a.RunwayCount = 2;
    a.AptPos = 111;
    Bytes b(IndexRecordLength);
    EncodeIndexAirport(a, b);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 7), "LBAEGNM");
    EXPECT_EQ(std::string(b.begin() + 7, b.begin() + 42), "Leeds Bradford" + std::string(21, ' '));
    EXPECT_EQ(std::string(b.begin() + 42, b.begin() + 75), std::string(33, '\0'));  // never assigned
    EXPECT_EQ((Bytes{b.begin() + 75, b.begin() + 81}), (Bytes{4, 3, 2, 1, 0xFE, 0xFF}));
    EXPECT_EQ((Bytes{b.begin() + 85, b.begin() + 93}), (Bytes{0, 0, 0x80, 0x3F, 0, 0, 0, 0xC0}));
    EXPECT_EQ(b[97], 7);
    EXPECT_EQ(b[103], 111);
    EXPECT_EQ(DecodeIndexAirport(b), a);
}

TEST(RouteSetFormats, RouteAndAirlineRecordLayouts) {
    RouteRecord r;
    r.Origin = "LBA";
    r.DepartTime = 700;
    r.Destination = "AMS";
    r.ArriveTime = -1;
    r.Miles = 300;
    r.DayMask = 127;
    r.Airline = "TWL";
    r.FlightNumber = 101;
    r.Equipment = "73H";
    r.CodeLetter = "G";
    r.MaskBits = 31;
    r.OriginIndex = 3;
    r.DestIndex = 4;
    r.PlanPointer = 65537;
    Bytes b(RouteRecordLength);
    EncodeRoute(r, b);
    const Bytes expected = {'L', 'B', 'A', 0xBC, 0x02, 'A', 'M', 'S', 0xFF, 0xFF, 0x2C, 0x01, 127, 'T', 'W', 'L',
                            101, 0,   '7', '3', 'H', 'G', 31,  0,   3,    0,    4,    0,    1,  0,   1,   0};
    EXPECT_EQ(b, expected);
    EXPECT_EQ(DecodeRoute(b), r);

    AirlineRecord al;
    al.Code = "BA";
    al.Name = std::string(45, 'N');
    const Bytes file = EncodeAirlineFile(std::vector<AirlineRecord>{al});
    ASSERT_EQ(file.size(), AirlineRecordLength);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 42), "BA " + std::string(39, 'N'));
    EXPECT_EQ(std::string(file.begin() + 42, file.end()), std::string(24, '\0'));
    EXPECT_THROW(DecodeAirlineFile(Bytes(67), "x"), TarnwellError);
    EXPECT_EQ(RecordPosition(4, RouteRecordLength), 129);
}

TEST(LoadRealAirlines, ReadsWholeRecordsAndToleratesAMissingList) {
    TempProgramFolder dir;
    ProgramState s(dir.Root());
    RecordingPort port;
    LoadRealAirlines(s, port);
    EXPECT_EQ(s.RealAirlineUBound(), -1);
    EXPECT_EQ(port.warnings.size(), 1u);

    dir.Write("Data/airline.kr1", "");
    LoadRealAirlines(s, port);
    EXPECT_EQ(s.RealAirlineUBound(), -1);
    EXPECT_EQ(port.warnings.size(), 2u);

    std::vector<AirlineRecord> list(250);
    list[249].Code = "ZZZ";
    const Bytes bytes = EncodeAirlineFile(list);
    dir.Write("Data/airline.kr1", std::string(bytes.begin(), bytes.end()));
    LoadRealAirlines(s, port);
    EXPECT_EQ(s.RealAirlineUBound(), 249);
    EXPECT_EQ(s.RealAirlines[249].Code.View(), "ZZZ");

    dir.Write("Data/airline.kr1", std::string(100, 'x'));
    EXPECT_THROW(LoadRealAirlines(s, port), TarnwellError);
}

TEST(WriteDataFiles, WritesExactLengthsAndTheCompiledAirline) {
    TempProgramFolder dir;
    ProgramState s(dir.Root());
    RecordingPort port;
    s.IndexAirports.resize(3);
    s.Routes.resize(10);
    s.airlineIATA = "";
    s.airlineNAME = std::string(50, 'n');
    s.RouteSet.Begin(s.DataFolder(), "ABC");
    WriteDataFiles(s, port);
    s.RouteSet.Commit();
    const auto folder = dir.Data() / "ABC";
    EXPECT_EQ(std::filesystem::file_size(folder / "index.kr1"), 321u);
    EXPECT_EQ(std::filesystem::file_size(folder / "routes.kr1"), 320u);
    const std::string airlines = tarnwell::testing::FileText(folder / "airline.kr1");
    ASSERT_EQ(airlines.size(), 726u);
    EXPECT_EQ(airlines.substr(0, 42), "   " + std::string(39, 'n'));
    EXPECT_EQ(airlines.substr(42), std::string(726 - 42, '\0'));

    // A second, smaller compile into the same folder leaves no old tail.
    s.Routes.resize(2);
    s.RouteSet.Begin(s.DataFolder(), "ABC");
    WriteDataFiles(s, port);
    s.RouteSet.Commit();
    EXPECT_EQ(std::filesystem::file_size(folder / "routes.kr1"), 64u);
    EXPECT_FALSE(std::filesystem::exists(s.RouteSet.StagingFolder()));
}

TEST(ValidateSetName, RefusesNamesOutsideTheirOwnFolder) {
    for (const char* bad : {"", "   ", ".", "..", "a/b", "a\\b", "Defaults", "DEFAULTS", "defaults", "../x"})
        EXPECT_THROW(ValidateSetName(bad), TarnwellError) << bad;
    for (const char* good : {"ABC", "Tarnwell Air (Leeds)", "Defaults2", " x", "..."})
        EXPECT_NO_THROW(ValidateSetName(good)) << good;
}
