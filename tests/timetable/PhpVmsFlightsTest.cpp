// Flights of a web manager's export turned into timetable flights: columns
// found by name, values mapped onto the timetable's fields, inactive rows
// counted, and every faulty row and uncoded airport named.

#include <gtest/gtest.h>

#include "timetable/PhpVmsAirports.h"
#include "timetable/PhpVmsFlights.h"
#include "timetable/TimetableFile.h"
#include "TestSupport.h"

using namespace tarnwell;
using namespace tarnwell::testing;

namespace {

const AirportCodes Codes = {{"EGNM", "LBA"}, {"EHAM", "AMS"}, {"EGLL", "LHR"}, {"EIDW", "DUB"}};

PhpVmsConversion Convert(const std::string& csv) { return ConvertPhpVmsFlights("f.csv", csv, LookupIn(Codes)); }

// A flight in short: codes, airline, number, equipment, times, days as seven flags.
std::string Short(const ScheduleRecord& r) {
    std::string days;
    for (const std::int16_t d : {r.Day1, r.Day2, r.Day3, r.Day4, r.Day5, r.Day6, r.Day7}) days += std::to_string(d);
    return r.Origin.Str() + " " + r.Destination.Str() + " " + r.OriginICAO.Str() + " " + r.DestinationICAO.Str() +
           " " + r.Airline.Str() + " " + std::to_string(r.FlightNumber) + " " + r.Equipment.Str() + " " +
           std::to_string(r.DepartTime) + " " + std::to_string(r.ArriveTime) + " " + days;
}

// Every problem as the command prints it, one a line.
std::string Problems(const PhpVmsConversion& c) {
    std::string text;
    for (const ImportProblem& p : c.problems) text += DescribeError(p.what, p.place) + "\n";
    return text;
}

const std::string FullHeader =
    "airline,flight_number,route_code,callsign,route_leg,dpt_airport,arr_airport,alt_airport,days,dpt_time,"
    "arr_time,level,distance,flight_time,flight_type,load_factor,load_factor_variance,pilot_pay,route,notes,"
    "start_date,end_date,active,subfleets,fares,fields,event_id,user_id\n";
const std::string Required = "airline,flight_number,dpt_airport,arr_airport,dpt_time,arr_time\n";

}  // namespace

TEST(PhpVmsFlights, FindsColumnsByNameAndReadsProperCsv) {
    const std::pair<std::string, std::string> cases[] = {
        // The export as written, a quoted route and notes with commas and quotes.
        {FullHeader + "TWL,400,,TWL4AA,,EGNM,EHAM,EHRD,12345,07:00,09:20,240,285,80,J,82,5,,\"POL L975, WAL\","
                      "\"say \"\"hi\"\", twice\",,,1,B738;A320,Y?price=129,,,\n",
         "LBA AMS EGNM EHAM TWL 400 B73 700 920 1111100"},
        // Any order and case, blanks around names, a byte order mark, CR LF,
        // lower-case codes, types separated by commas.
        {"\xEF\xBB\xBF Subfleets ,ARR_TIME, Dpt_Time ,Days,ARR_AIRPORT,dpt_airport,Flight_Number,Airline\r\n"
         "\" E190 , B738\",0920,0700,67,egll,eidw,7,twl\r\n",
         "DUB LHR EIDW EGLL TWL 7 E19 700 920 0000011"},
        // Only the required columns: no type (a compile reads "734"), every day.
        {Required + "TWL,1,EGNM,EGLL,6:05,0735\n", "LBA LHR EGNM EGLL TWL 1     605 735 1111111"},
        // A quoted field over two lines, then the next row.
        {"notes," + Required + "\"a\nb\",TWL,2,EGLL,EGNM,2359,0000\n", "LHR LBA EGLL EGNM TWL 2     2359 0 1111111"},
    };
    for (const auto& [csv, expected] : cases) {
        const PhpVmsConversion c = Convert(csv);
        EXPECT_TRUE(c.Ok()) << csv << Problems(c);
        ASSERT_EQ(c.flights.size(), 1u) << csv;
        EXPECT_EQ(Short(c.flights[0]), expected) << csv;
    }
}

TEST(PhpVmsFlights, RejectsBadDaysAndTimesNamingTheColumn) {
    const std::pair<std::string, std::string> cases[] = {
        {"8,07:00,09:00", "field 3 (days): \"8\" is not a list of days"},
        {"1 2,07:00,09:00", "field 3 (days)"},
        {"1,24:00,09:00", "field 4 (dpt_time): \"24:00\" is not a time"},
        {"1,7:5,09:00", "field 4 (dpt_time)"},
        {"1,12345,09:00", "field 4 (dpt_time)"},
        {"1,07:00,", "field 5 (arr_time): the arrival time is empty"},
        {"1,07:00,09:60", "field 5 (arr_time)"},
        {"1,07:00,9h00", "field 5 (arr_time)"},
    };
    for (const auto& [row, message] : cases) {
        const PhpVmsConversion c = Convert("airline,flight_number,days,dpt_time,arr_time,dpt_airport,arr_airport\n"
                                           "TWL,1," + row + ",EGNM,EGLL\n");
        EXPECT_TRUE(c.flights.empty()) << row;
        EXPECT_NE(Problems(c).find("f.csv, line 2, " + message), std::string::npos) << row << "\n" << Problems(c);
    }
}

TEST(PhpVmsFlights, LeavesOutAndCountsInactiveRowsUnchecked) {
    const PhpVmsConversion c = Convert("active," + Required + "0,TWL,1,EGNM,EGLL,07:00,08:00\n"
                                       "False,TWL,2,EGNM,EGLL,07:00,08:00\n"
                                       "no,TWL,3,XXXX,EGLL,bad,08:00\n"  // inactive: not checked
                                       "1,TWL,4,EGNM,EGLL,07:00,08:00\n"
                                       "TRUE,TWL,5,EGNM,EGLL,07:00,08:00\n"
                                       ",TWL,6,EGNM,EGLL,07:00,08:00\n"
                                       "maybe,TWL,7,EGNM,EGLL,07:00,08:00\n");
    EXPECT_EQ(c.inactiveRows, 3);
    ASSERT_EQ(c.flights.size(), 3u);
    EXPECT_EQ(c.flights[2].FlightNumber, 6);
    EXPECT_TRUE(c.airportsWithoutCode.empty());
    EXPECT_EQ(Problems(c), "f.csv, line 8, field 1 (active): \"maybe\" is not 0 or 1 (false or true)\n");
}

TEST(PhpVmsFlights, NamesEveryBadRowAndEveryAirportWithoutCode) {
    const PhpVmsConversion c = Convert(Required + "TWL,1,EGNM,,07:00,08:00\n"
                                                  "TWL,4x,EGNM,EGLL,07:00,08:00\n"
                                                  "TWL,2,LFPG,EGLL,07:00,08:00\n"
                                                  "TWLX,40000,EGNM,EGLL.,07:00,08:00\n"
                                                  "TWL,3,EGXX,LFPG,07:00,08:00\n"
                                                  "TWL,5,EGNM,EGLL,07:00\n"
                                                  "TWL,6,EGXX,EGNM,07:00,08:00\n");
    EXPECT_EQ(Problems(c),
              "f.csv, line 2, field 4 (arr_airport): the arrival airport code is empty\n"
              "f.csv, line 3, field 2 (flight_number): \"4x\" is not a flight number from 0 to 32767\n"
              "f.csv, line 5, field 1 (airline): \"TWLX\" is not a valid airline code (1 to 3 letters or digits)\n"
              "f.csv, line 5, field 2 (flight_number): \"40000\" is not a flight number from 0 to 32767\n"
              "f.csv, line 5, field 4 (arr_airport): \"EGLL.\" is not a valid arrival airport code (1 to 4 "
              "letters or digits)\n"
              "f.csv, line 7: the row has 5 fields; the header row has 6\n");
    EXPECT_EQ(c.airportsWithoutCode, (std::vector<std::string>{"LFPG", "EGXX"}));
    EXPECT_FALSE(c.Ok());

    // A flight list with codes for every airport but no problem row is fine.
    EXPECT_TRUE(Convert(Required + "TWL,1,EGNM,EGLL,07:00,08:00\n").Ok());
}

TEST(PhpVmsFlights, RefusesAFileItCannotReadAsAWhole) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "the file is empty"},
        {"airline,flight_number,dpt_airport,arr_airport,dpt_time\nTWL,1,EGNM,EGLL,07:00\n",
         "f.csv, line 1: the header row has no column \"arr_time\""},
        {Required + "TWL,1,\"EGNM,EGLL,07:00,08:00\n", "f.csv, line 2: a quoted field has no closing quote"},
    };
    for (const auto& [csv, message] : cases)
        EXPECT_NE(ErrorOf([&] { Convert(csv); }).find(message), std::string::npos) << csv;
    EXPECT_EQ(Problems(Convert("active," + Required + "0,TWL,1,EGNM,EGLL,07:00,08:00\n")),
              "f.csv: the file holds no active flight below its header row\n");
}

TEST(PhpVmsFlights, WritesATimetableTheReaderTakesBack) {
    const PhpVmsConversion c = Convert(Required + "TWL,400,EGNM,EHAM,07:00,09:20\nTWL,401,EHAM,EGNM,10:00,10:25\n");
    ASSERT_TRUE(c.Ok());
    const std::string text = TimetableText(c.flights);
    EXPECT_EQ(text.substr(0, text.find('\n') + 1),
              "LBA,AMS,EGNM,EHAM,TWL, 400 ,   , 700 , 920 , 1 , 1 , 1 , 1 , 1 , 1 , 1 , 0 , 0 , 0 , 0 , 0 , 0 , 0 , "
              "0 \r\n");
    std::vector<ScheduleRecord> expected = c.flights;
    for (ScheduleRecord& r : expected) r.Equipment = "734";  // what a compile makes of no type
    EXPECT_EQ(ReadScheduleText("t", text, true), expected);
}

TEST(PhpVmsAirports, TakesThreeLetterCodesByFourLetterCode) {
    const AirportCodes codes = ParsePhpVmsAirports(
        "a.csv", "name, IATA ,Icao\r\nLeeds,lba,egnm\n\"Dublin, Ireland\",DUB,EIDW\nPrivate,,EGXX\n"
                 "Two,XY,EGYY\nAgain,LBB,EGNM\nShort\n");
    EXPECT_EQ(codes, (AirportCodes{{"EGNM", "LBA"}, {"EIDW", "DUB"}}));
    EXPECT_NE(ErrorOf([] { ParsePhpVmsAirports("a.csv", "icao,name\nEGNM,Leeds\n"); })
                  .find("a.csv, line 1: the header row has no column \"iata\""),
              std::string::npos);
}
