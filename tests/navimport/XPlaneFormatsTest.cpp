// The four source file readers in their versions, and how they count the
// lines they cannot use.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "navimport/SphereGeometry.h"
#include "navimport/XPlaneFormats.h"
#include "navimport/SourceFileText.h"

namespace tarnwell {
namespace {

using testing::ErrorOf;
using testing::SourceHeader;
using testing::TempProgramFolder;
using enum AirwayDirection;

class SourceFormats : public ::testing::Test {
protected:
    // A fresh file holding `text`.
    std::filesystem::path File(const std::string& text) { return dir.Write(std::to_string(files++) + ".dat", text); }

    TempProgramFolder dir;
    int files = 0;
};

TEST_F(SourceFormats, NavDatOldAndNewLayouts) {
    SourceReport report;
    const NavSource old = ReadNavDat(File(SourceHeader(810) +
        "2  38.08777778 -077.32491667      0   396  50    0.0 APH  A P HILL NDB\r\n"
        "3  47.43536111 -122.30961111    354 11680 130   19.0 SEA  SEATTLE VORTAC\r\n"
        "4  51.47769700 -000.42708100     83 11030  18      89.691 IAA  EGLL 09L ILS-cat-I\r\n"
        "12 47.43569722 -122.30999167    354 11680 130    0.0 SEA  SEATTLE VORTAC\r\n"
        "3  47.4 -122.3 354 11680 130\r\n"               // too few columns
        "99\r\n"
        "3  47.4 -122.3 354 11680 130 19.0 AFT  AFTER THE END\r\n"), report);
    EXPECT_EQ(std::tuple(report.version, report.records, report.skipped), std::tuple(810, 3, 1));
    ASSERT_EQ(std::tuple(old.vors.size(), old.ndbs.size(), old.localizers.size()), std::tuple(1u, 1u, 1u));
    const SourceBeacon& sea = old.vors[0];
    EXPECT_EQ(std::tuple(sea.ident, sea.name, sea.frequency, sea.variation),
              std::tuple("SEA", "SEATTLE VORTAC", 11680, 19.0f));
    EXPECT_EQ(old.ndbs[0].name, "A P HILL NDB");
    EXPECT_EQ(std::tuple(old.localizers[0].airport, old.localizers[0].runway), std::tuple("EGLL", "09L"));

    SourceReport r2;
    const NavSource now = ReadNavDat(File(SourceHeader(1150) +
        "3  50.0 8.6 300 11420 130 1.0 FFM  ENRT ED FRANKFURT VOR-DME\r\n"
        "2  50.1 8.7 0 344 25 0.0 FW ENRT ED FRANKFURT NDB\r\n"
        "4  50.03 8.53 364 11055 18 69.7 IFCE EDDF ED 07C ILS-cat-III\r\n"
        "99\r\n"), r2);
    EXPECT_EQ(std::tuple(now.vors.at(0).region, now.vors[0].name, now.ndbs.at(0).name, now.localizers.at(0).runway),
              std::tuple("ED", "FRANKFURT VOR-DME", "FRANKFURT NDB", "07C"));
    EXPECT_EQ(std::tuple(now.vors.size(), r2.skipped), std::tuple(1u, 0));

    EXPECT_NE(ErrorOf([&] { ReadNavDat(File("hello\r\nworld\r\n"), report); }).find("no version line"), std::string::npos);
}

TEST_F(SourceFormats, FixesAndAirwaysInBothLayoutsReadPlainOrCompressed) {
    testing::WriteGzip(dir.Root() / "fix.dat.gz", SourceHeader(600) + " 50.000000  008.000000 ALPHA\r\n 51.0 9.0 BRAVO\r\n99\r\n");
    SourceReport fr;
    const auto fixes600 = ReadFixDat(dir.Root() / "fix.dat.gz", fr);
    ASSERT_EQ(fixes600.size(), 2u);
    EXPECT_EQ(fixes600[1].ident, "BRAVO");

    SourceReport ar;
    const auto old = ReadAwyDat(File(SourceHeader(640) +
        "ALPHA  50.000000 008.000000 BRAVO  51.000000 009.000000 2 180 450 UL1-UM2\r\n99\r\n"), PointDirectory{}, ar);
    ASSERT_EQ(old.size(), 1u);
    EXPECT_EQ(std::tuple(old[0].high, old[0].names, old[0].direction), std::tuple(true, "UL1-UM2", Both));

    // From version 1100 on, points are named by identifier, region and kind;
    // an en-route fix wins over a terminal one of the same name.
    SourceReport r1, r2, r3;
    PointDirectory points;
    points.AddFixes(ReadFixDat(File(SourceHeader(1101) + " 50.0 8.0 ALPHA ENRT ED 2105430\r\n"
                                    " 51.0 9.0 BRAVO TERM ED 2105430\r\n 51.5 9.0 BRAVO ENRT ED 2105430\r\n99\r\n"), r1));
    points.AddBeacons(ReadNavDat(File(SourceHeader(1100) + "3  52.0 10.0 300 11420 130 1.0 CHA  ENRT ED CHARLIE VOR\r\n99\r\n"), r2));
    const auto now = ReadAwyDat(File(SourceHeader(1100) +
        "ALPHA ED 11 BRAVO ED 11 F 1 50 180 T1\r\n"
        "BRAVO ED 11 CHA ED 3 B 2 180 450 UN1-UN2\r\n"
        "BRAVO ED 11 CHA ED 3 X 2 180 450 UN4\r\n"        // unknown direction
        "99\r\n"), points, r3);
    ASSERT_EQ(now.size(), 2u);
    EXPECT_EQ(std::tuple(now[0].high, now[0].direction, now[0].lat2), std::tuple(false, Forward, 51.5));
    EXPECT_EQ(std::tuple(now[1].direction, now[1].kind2, now[1].lat2), std::tuple(Backward, 'V', 52.0));
    EXPECT_EQ(r3.skipped, 1);
}

TEST_F(SourceFormats, AirportsOfEachVersion) {
    SourceReport report;
    const AirportSource src = ReadAptDat(File(SourceHeader(1000) +
        "1       83 1 0 EGLL London Heathrow\r\n"
        "100   49.99   1   0 0.00 1 3 0 09L  51.47747035 -000.48962591  306.02    0.00 5  4 1 1 27R  51.47767520 -000.43326100    0.00   21.03 5  4 1 1\r\n"
        "50 12807 Heathrow Information\r\n"
        "54 12447 Heathrow Tower\r\n"
        "54 11870 Second tower (ignored)\r\n"
        "16 0 0 0 XSEA Sea base\r\n"
        "17 0 0 0 XHEL Heliport\r\n"
        "54 11870 A heliport's tower (ignored)\r\n"
        "1 100 0 0 LFXX Helipad only\r\n"
        "102 H1 48.5 2.5 0 10 10 1 0 0 0.25 0\r\n"
        "99\r\n"), report);
    ASSERT_EQ(src.airports.size(), 2u);
    EXPECT_EQ(src.seaAndHeliports, 2);
    const SourceAirport& egll = src.airports[0];
    EXPECT_EQ(std::tuple(egll.ident, egll.name, egll.elevation), std::tuple("EGLL", "London Heathrow", 83));
    ASSERT_EQ(egll.runways.size(), 1u);
    EXPECT_EQ(egll.runways[0].ends[1].ident, "27R");
    EXPECT_NEAR(egll.runways[0].widthFeet, 164.0, 0.05);
    EXPECT_EQ(std::tuple(egll.frequencies[Atis], egll.frequencies[Tower], egll.frequencies[Ground]),
              std::tuple(128.07f, 124.47f, 0.0f));
    ASSERT_TRUE(src.airports[1].otherPlace.has_value());
    EXPECT_DOUBLE_EQ((*src.airports[1].otherPlace)[0], 48.5);

    // Later versions: metadata and kHz frequencies, which win over 10 kHz ones;
    // a reference point needs both its halves.
    SourceReport r2;
    const auto later = ReadAptDat(File(SourceHeader(1200) +
        "1 500 1 0 X123 Some Field\r\n"
        "1302 city Springfield Town\r\n1302 icao_code KSPF\r\n1302 datum_lat 40.5\r\n1302 datum_lon -89.5\r\n"
        "53 12190 Ground\r\n1053 121905 Ground\r\n"
        "1 500 1 0 X124 Half a Reference\r\n1302 datum_lat 40.5\r\n"
        "99\r\n"), r2);
    ASSERT_EQ(later.airports.size(), 2u);
    const SourceAirport& spf = later.airports[0];
    EXPECT_EQ(std::tuple(spf.icao, spf.city, spf.frequencies[Ground]),
              std::tuple("KSPF", "Springfield Town", 121.905f));
    EXPECT_EQ(spf.datum, (std::array<double, 2>{40.5, -89.5}));
    EXPECT_FALSE(later.airports[1].datum.has_value());

    // Version 810: one line per runway, centre and heading; the ends are worked out.
    SourceReport r3;
    const auto oldest = ReadAptDat(File(SourceHeader(810) +
        "1 100 0 0 KOLD Old Field\r\n"
        "10  40.000000 -080.000000 09x  90.00  6076 0.0 0.0  150 1 1 0 0 0.25 0 0 0\r\n"
        "10  40.000000 -080.000000 xxx  90.00  500 0.0 0.0  50 1 1 0 0 0.25 0 0 0\r\n"
        "99\r\n"), r3);
    ASSERT_EQ(oldest.airports.at(0).runways.size(), 1u);
    const SourceRunway& rw = oldest.airports[0].runways[0];
    EXPECT_EQ(std::tuple(rw.ends[0].ident, rw.ends[1].ident), std::tuple("09", "27"));
    EXPECT_NEAR(DistanceFeet(rw.ends[0].lat, rw.ends[0].lon, rw.ends[1].lat, rw.ends[1].lon), 6076.0, 0.5);
    EXPECT_NEAR(TrueHeading(rw.ends[0].lat, rw.ends[0].lon, rw.ends[1].lat, rw.ends[1].lon), 90.0, 0.01);
    EXPECT_DOUBLE_EQ(rw.widthFeet, 150.0);
}

TEST_F(SourceFormats, EveryUnusableLineIsSkippedWithItsReason) {
    const std::string airport = "1 83 1 0 EGLL Field\r\n";  // line 4; its rows start on line 5
    // The reader: N nav.dat, F fix.dat, W awy.dat, A apt.dat.
    const struct { char reader; int version; std::string lines, reason; } cases[] = {
        {'N', 810, "x 1 2", "line 4: the row code is not a number"},
        {'N', 810, "3 95.0 -122.3 354 11680 130 19.0 BAD BAD VOR", "line 4: the position does not parse or is out of range"},
        {'N', 810, "3 47.4 -122.3 354 1x680 130 19.0 BAD BAD VOR", "line 4: a number does not parse"},
        {'F', 1101, " 50.0 8.0 ALPHA ENRT", "line 4: too few columns"},
        {'W', 640, "A 91 1 B 2 2 1 180 450 X", "line 4: a position does not parse or is out of range"},
        {'W', 640, "A 1 1 B 2 2 3 180 450 X", "line 4: the airway level is neither 1 (low) nor 2 (high)"},
        {'W', 1100, "A ED 12 B ED 11 N 1 0 0 X", "line 4: an end point is of an unknown kind"},
        {'W', 1100, "A ED 11 B ED 11 N 1 0 0 X", "line 4: an end point is in neither nav.dat nor fix.dat"},
        {'A', 1000, "1 83 1 0", "line 4: too few columns for an airport"},
        {'A', 1000, "1 x 1 0 EGLL Field", "line 4: the elevation does not parse"},
        {'A', 1000, airport + "100 49.99 1 0 0.00 1 3 0 09R 51.4 -0.4", "line 5: too few columns for a runway"},
        {'A', 1000, airport + "100 49.99 1 0 0.00 1 3 0 09R 51.4 -0.4 0 0 5 4 1 1 27L 91 0 0 0 5 4 1 1",
         "line 5: a runway end's position does not parse or is out of range"},
        {'A', 1000, airport + "101 49 0 N 1 1 S", "line 5: too few columns for a water runway"},
        {'A', 810, airport + "10 40 -80 44Q 90 6076 0 0 150", "line 5: the runway designator is not understood"},
        {'A', 1200, airport + "1302 datum_lon 181", "line 5: the reference point does not parse or is out of range"},
        {'A', 1000, airport + "54 1x Tower", "line 5: the frequency does not parse"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        const auto path = File(SourceHeader(c.version) + c.lines + "\r\n99\r\n");
        SourceReport report;
        if (c.reader == 'N') ReadNavDat(path, report);
        if (c.reader == 'F') ReadFixDat(path, report);
        if (c.reader == 'W') ReadAwyDat(path, PointDirectory{}, report);
        if (c.reader == 'A') ReadAptDat(path, report);
        EXPECT_EQ(report.skipped, 1);
        EXPECT_EQ(report.firstSkipped, std::vector<std::string>{c.reason});
    }
}

TEST(RunwayDesignators, OppositeEndsAndMatchingKeys) {
    const struct { const char* ident; std::optional<std::string> opposite; const char* key; } ends[] = {
        {"16L", "34R", "16L"}, {"36x", "18", "36"}, {"09", "27", "9"}, {"1C", "19C", "1C"}, {"9Lx", "27R", "9L"},
        {"09l", std::nullopt, "9L"}, {"H1", std::nullopt, "H1"}, {"40", std::nullopt, "40"},
        {"09Q", std::nullopt, "9Q"}, {"00", std::nullopt, "0"}};
    for (const auto& e : ends) {
        EXPECT_EQ(OppositeRunway(e.ident), e.opposite) << e.ident;
        EXPECT_EQ(RunwayKey(e.ident), e.key) << e.ident;
    }
}

}  // namespace
}  // namespace tarnwell
