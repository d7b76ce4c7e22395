// Dumping the files of a route set as CSV.

#include <gtest/gtest.h>

#include "examine/TestRouteSet.h"

namespace tarnwell {

using Set = testing::TestRouteSet;

static std::string FirstLines(const std::string& text, int count) {
    std::size_t end = 0;
    for (int k = 0; k < count; ++k) end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

TEST(DumpRouteSetFile, EveryFileAsCsvAndNothingOfADamagedFile) {
    Set set;
    set.airports[0].AirportName = "Caf\xE9 \x80, \"Nord\"";  // Windows-1252
    set.airports[1].City = " Leeds";
    set.Write();
    EXPECT_EQ(FirstLines(set.Dump("index.kr1"), 3),
              "Record,Position,IATA,ICAO,AirportName,City,DeparturePos,DepartureCount,Altitude,Latitude,Longitude,"
              "ArrivalsPos,ArrivalsCount,RunwayCount,AptPos\n"
              "0,1,AAA,EAAA,\"Caf\xC3\xA9 \xE2\x82\xAC, \"\"Nord\"\"\",,1,2,0,50.5,-0.1,1,1,2,1\n"
              "1,108,BBB,EBBB,BBB Airport,\" Leeds\",65,2,0,50.5,-0.1,5,1,0,111\n");
    EXPECT_EQ(FirstLines(set.Dump("routes.kr1"), 2),
              "Record,Position,Origin,DepartTime,Destination,ArriveTime,Miles,DayMask,Airline,FlightNumber,"
              "Equipment,CodeLetter,MaskBits,Reserved,OriginIndex,DestIndex,PlanPointer\n"
              "0,1,AAA,0,BBB,0,0,0,TWL,100,,,0,,0,1,1\n");
    EXPECT_EQ(FirstLines(set.Dump("airline.kr1"), 3),
              "Record,Position,Code,Name,Extra\n0,1,TWL,Tarnwell Air,\n1,67,,,\n");
    EXPECT_EQ(set.Dump("arrivals.kr1"), "Record,Position,RoutePosition\n0,1,65\n1,5,1\n2,9,33\n3,13,97\n");
    EXPECT_EQ(set.Dump("APT.kr1"),
              "Position,Airport,IATA,Kind,RunwayIdent,RunwayData1,RunwayData2,Heading,NetHeading,IlsText,IlsValue,"
              "Value1,Value2,Value3,Value4,Value5,Value6,Value7\n"
              "1,0,AAA,runway,09L,6004,151,90.5,92.5,NO ILS,110.30,,,,,,,\n"
              "35,0,AAA,runway,27R,6004,151,90.5,92.5,NO ILS,110.30,,,,,,,\n"
              "69,0,AAA,values,,,,,,,,118.70,118.70,118.70,118.70,118.70,118.70,118.70\n"
              "111,2,CCC,runway,09L,6004,151,90.5,92.5,NO ILS,110.30,,,,,,,\n"
              "145,2,CCC,values,,,,,,,,118.70,118.70,118.70,118.70,118.70,118.70,118.70\n");
    EXPECT_EQ(set.Dump("plans.kr1"),  // the name in any case
              "Plan,BlockPosition,EntryCount,Entry,Position,PointType,PointRef,AirwayName\n"
              "1,13,2,1,15,H,1,UL1\n1,13,2,2,25,H,2,UL1\n"
              "2,35,3,1,37,V,0,\n2,35,3,2,47,N,0,\n2,35,3,3,57,I,0,\n"
              "3,67,0,,,,,\n");

    // A damaged or unknown file writes nothing.
    set.airports[2].RunwayCount = 2;  // APT.kr1 holds one runway of CCC
    set.Put("index.kr1", EncodeIndexFile(set.airports));
    set.Resize("routes.kr1", 127);
    for (const char* file : {"routes.kr1", "APT.kr1", "Routes.txt"}) {
        std::ostringstream out;
        EXPECT_THROW(DumpRouteSetFile(set.dir.Root(), "Test", file, out), TarnwellError) << file;
        EXPECT_EQ(out.str(), "") << file;
    }
    EXPECT_NE(testing::ErrorOf([&] { set.Dump("APT.kr1"); }).find("runway counts of index.kr1 call for 220"),
              std::string::npos);
}

}  // namespace tarnwell
