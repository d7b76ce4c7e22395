// The navigation data importer: the four source formats in their versions,
// airway network building, and the files an import writes.

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "plans/FlightPlans.h"
#include "navimport/NavDataImport.h"
#include "navimport/XPlaneFormats.h"
#include "geo/GreatCircle.h"
#include "navdata/AirportDatabase.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"

namespace tarnwell {
namespace {

using testing::ErrorOf;
using testing::FileText;
using testing::TempProgramFolder;

std::string Header(int version) { return "I\r\n" + std::to_string(version) + " Version - test data.\r\n\r\n"; }

void WriteGzip(const std::filesystem::path& path, const std::string& text) {
    gzFile f = gzopen(path.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    gzwrite(f, text.data(), static_cast<unsigned>(text.size()));
    gzclose(f);
}

TEST(SourceFormats, NavDatOldAndNewLayoutsAndMalformedLines) {
    TempProgramFolder dir;
    const auto v810 = dir.Write("810/nav.dat", Header(810) +
        "2  38.08777778 -077.32491667      0   396  50    0.0 APH  A P HILL NDB\r\n"
        "3  47.43536111 -122.30961111    354 11680 130   19.0 SEA  SEATTLE VORTAC\r\n"
        "4  51.47769700 -000.42708100     83 11030  18      89.691 IAA  EGLL 09L ILS-cat-I\r\n"
        "12 47.43569722 -122.30999167    354 11680 130    0.0 SEA  SEATTLE VORTAC\r\n"
        "3  47.4 -122.3 354 11680 130\r\n"               // too few columns
        "3  95.0 -122.3 354 11680 130 19.0 BAD  BAD VOR\r\n"  // latitude out of range
        "3  47.4 -122.3 354 1x680 130 19.0 BAD  BAD VOR\r\n"  // frequency does not parse
        "99\r\n"
        "3  47.4 -122.3 354 11680 130 19.0 AFT  AFTER THE END\r\n");
    SourceReport report;
    const NavSource old = ReadNavDat(v810, report);
    EXPECT_EQ(report.version, 810);
    ASSERT_EQ(old.vors.size(), 1u);
    EXPECT_EQ(old.vors[0].ident, "SEA");
    EXPECT_EQ(old.vors[0].name, "SEATTLE VORTAC");
    EXPECT_EQ(old.vors[0].frequency, 11680);
    EXPECT_FLOAT_EQ(old.vors[0].variation, 19.0f);
    ASSERT_EQ(old.ndbs.size(), 1u);
    EXPECT_EQ(old.ndbs[0].name, "A P HILL NDB");
    ASSERT_EQ(old.localizers.size(), 1u);
    EXPECT_EQ(old.localizers[0].airport, "EGLL");
    EXPECT_EQ(old.localizers[0].runway, "09L");
    EXPECT_EQ(report.records, 3);
    EXPECT_EQ(report.skipped, 3);
    ASSERT_EQ(report.firstSkipped.size(), 3u);
    EXPECT_EQ(report.firstSkipped[0], "line 8: too few columns");

    const auto v1100 = dir.Write("1100/nav.dat", Header(1150) +
        "3  50.0 8.6 300 11420 130 1.0 FFM  ENRT ED FRANKFURT VOR-DME\r\n"
        "2  50.1 8.7 0 344 25 0.0 FW ENRT ED FRANKFURT NDB\r\n"
        "4  50.03 8.53 364 11055 18 69.7 IFCE EDDF ED 07C ILS-cat-III\r\n"
        "99\r\n");
    SourceReport r2;
    const NavSource now = ReadNavDat(v1100, r2);
    ASSERT_EQ(now.vors.size(), 1u);
    EXPECT_EQ(now.vors[0].region, "ED");
    EXPECT_EQ(now.vors[0].name, "FRANKFURT VOR-DME");
    EXPECT_EQ(now.ndbs.at(0).name, "FRANKFURT NDB");
    EXPECT_EQ(now.localizers.at(0).runway, "07C");
    EXPECT_EQ(r2.skipped, 0);

    // Not a data file at all.
    const auto junk = dir.Write("junk/nav.dat", "hello\r\nworld\r\n");
    SourceReport r3;
    EXPECT_NE(ErrorOf([&] { ReadNavDat(junk, r3); }).find("no version line"), std::string::npos);
}

TEST(SourceFormats, FixesAndAirwaysInBothLayoutsReadPlainOrCompressed) {
    TempProgramFolder dir;
    WriteGzip(dir.Root() / "fix.dat.gz", Header(600) + " 50.000000  008.000000 ALPHA\r\n 51.0 9.0 BRAVO\r\n 99.0 9.0 BAD\r\n99\r\n");
    SourceReport fr;
    const auto fixes600 = ReadFixDat(dir.Root() / "fix.dat.gz", fr);
    ASSERT_EQ(fixes600.size(), 2u);
    EXPECT_EQ(fixes600[1].ident, "BRAVO");
    EXPECT_EQ(fr.skipped, 1);

    const auto awy640 = dir.Write("awy.dat", Header(640) +
        "ALPHA  50.000000 008.000000 BRAVO  51.000000 009.000000 2 180 450 UL1-UM2\r\n"
        "ALPHA  50.000000 008.000000 BRAVO  51.000000 009.000000 x 180 450 UL1\r\n"
        "99\r\n");
    SourceReport ar;
    const auto old = ReadAwyDat(awy640, PointDirectory{}, ar);
    ASSERT_EQ(old.size(), 1u);
    EXPECT_TRUE(old[0].high);
    EXPECT_EQ(old[0].names, "UL1-UM2");
    EXPECT_EQ(old[0].direction, AirwayDirection::Both);
    EXPECT_EQ(ar.skipped, 1);

    // From version 1100 on, points are named by identifier, region and kind.
    const auto fix1101 = dir.Write("fix1101.dat", Header(1101) + " 50.0 8.0 ALPHA ENRT ED 2105430\r\n 51.0 9.0 BRAVO ENRT ED 2105430\r\n99\r\n");
    const auto nav1100 = dir.Write("nav1100.dat", Header(1100) + "3  52.0 10.0 300 11420 130 1.0 CHA  ENRT ED CHARLIE VOR\r\n99\r\n");
    SourceReport r1, r2, r3;
    PointDirectory points;
    points.AddFixes(ReadFixDat(fix1101, r1));
    points.AddBeacons(ReadNavDat(nav1100, r2));
    const auto awy1100 = dir.Write("awy1100.dat", Header(1100) +
        "ALPHA ED 11 BRAVO ED 11 F 1 50 180 T1\r\n"
        "BRAVO ED 11 CHA ED 3 B 2 180 450 UN1-UN2\r\n"
        "BRAVO ED 11 NOWHERE ED 11 N 2 180 450 UN3\r\n"   // unknown point
        "BRAVO ED 11 CHA ED 3 X 2 180 450 UN4\r\n"        // unknown direction
        "99\r\n");
    const auto now = ReadAwyDat(awy1100, points, r3);
    ASSERT_EQ(now.size(), 2u);
    EXPECT_FALSE(now[0].high);
    EXPECT_EQ(now[0].direction, AirwayDirection::Forward);
    EXPECT_EQ(now[1].direction, AirwayDirection::Backward);
    EXPECT_EQ(now[1].kind2, 'V');
    EXPECT_DOUBLE_EQ(now[1].lat2, 52.0);
    EXPECT_EQ(r3.skipped, 2);
}

TEST(SourceFormats, AirportsOfEachVersion) {
    TempProgramFolder dir;
    const auto v1000 = dir.Write("apt1000.dat", Header(1000) +
        "1       83 1 0 EGLL London Heathrow\r\n"
        "100   49.99   1   0 0.00 1 3 0 09L  51.47747035 -000.48962591  306.02    0.00 5  4 1 1 27R  51.47767520 -000.43326100    0.00   21.03 5  4 1 1\r\n"
        "50 12807 Heathrow Information\r\n"
        "54 12447 Heathrow Tower\r\n"
        "54 11870 Second tower (ignored)\r\n"
        "100 49.99 1 0 0.00 1 3 0 09R 51.4 -0.4\r\n"   // too few columns
        "16 0 0 0 XSEA Sea base\r\n"
        "17 0 0 0 XHEL Heliport\r\n"
        "1 100 0 0 LFXX Helipad only\r\n"
        "102 H1 48.5 2.5 0 10 10 1 0 0 0.25 0\r\n"
        "99\r\n");
    SourceReport report;
    const AirportSource src = ReadAptDat(v1000, report);
    ASSERT_EQ(src.airports.size(), 2u);
    EXPECT_EQ(src.seaAndHeliports, 2);
    const SourceAirport& egll = src.airports[0];
    EXPECT_EQ(egll.ident, "EGLL");
    EXPECT_EQ(egll.name, "London Heathrow");
    EXPECT_EQ(egll.elevation, 83);
    ASSERT_EQ(egll.runways.size(), 1u);
    EXPECT_EQ(egll.runways[0].ends[1].ident, "27R");
    EXPECT_NEAR(egll.runways[0].widthFeet, 164.0, 0.05);
    EXPECT_FLOAT_EQ(egll.frequencies[Atis], 128.07f);
    EXPECT_FLOAT_EQ(egll.frequencies[Tower], 124.47f);
    EXPECT_EQ(egll.frequencies[Ground], 0.0f);
    EXPECT_EQ(report.skipped, 1);
    ASSERT_TRUE(src.airports[1].otherPlace.has_value());

    // Later versions: metadata and kHz frequencies, which win over 10 kHz ones.
    const auto v1200 = dir.Write("apt1200.dat", Header(1200) +
        "1 500 1 0 X123 Some Field\r\n"
        "1302 city Springfield Town\r\n1302 icao_code KSPF\r\n1302 datum_lat 40.5\r\n1302 datum_lon -89.5\r\n"
        "53 12190 Ground\r\n1053 121905 Ground\r\n"
        "99\r\n");
    SourceReport r2;
    const auto later = ReadAptDat(v1200, r2);
    ASSERT_EQ(later.airports.size(), 1u);
    EXPECT_EQ(later.airports[0].icao, "KSPF");
    EXPECT_EQ(later.airports[0].city, "Springfield Town");
    ASSERT_TRUE(later.airports[0].datum.has_value());
    EXPECT_DOUBLE_EQ((*later.airports[0].datum)[1], -89.5);
    EXPECT_FLOAT_EQ(later.airports[0].frequencies[Ground], 121.905f);

    // Version 810: one line per runway, centre and heading; the ends are worked out.
    const auto v810 = dir.Write("apt810.dat", Header(810) +
        "1 100 0 0 KOLD Old Field\r\n"
        "10  40.000000 -080.000000 09x  90.00  6076 0.0 0.0  150 1 1 0 0 0.25 0 0 0\r\n"
        "10  40.000000 -080.000000 xxx  90.00  500 0.0 0.0  50 1 1 0 0 0.25 0 0 0\r\n"
        "99\r\n");
    SourceReport r3;
    const auto oldest = ReadAptDat(v810, r3);
    ASSERT_EQ(oldest.airports.at(0).runways.size(), 1u);
    const SourceRunway& rw = oldest.airports[0].runways[0];
    EXPECT_EQ(rw.ends[0].ident, "09");
    EXPECT_EQ(rw.ends[1].ident, "27");
    EXPECT_NEAR(DistanceFeet(rw.ends[0].lat, rw.ends[0].lon, rw.ends[1].lat, rw.ends[1].lon), 6076.0, 0.5);
    EXPECT_NEAR(TrueHeading(rw.ends[0].lat, rw.ends[0].lon, rw.ends[1].lat, rw.ends[1].lon), 90.0, 0.01);
    EXPECT_DOUBLE_EQ(rw.widthFeet, 150.0);
}

TEST(SourceFormats, RunwayDesignators) {
    EXPECT_EQ(OppositeRunway("16L"), "34R");
    EXPECT_EQ(OppositeRunway("36x"), "18");
    EXPECT_EQ(OppositeRunway("H1"), std::nullopt);
    EXPECT_EQ(OppositeRunway("40"), std::nullopt);
    EXPECT_EQ(RunwayKey("09l"), RunwayKey("9Lx"));
    const VariationMap variation({{"A", "", "", 50, 0, 0, 2.0f}, {"B", "", "", 40, 0, 0, -4.0f}});
    EXPECT_EQ(variation.At(49, 1), 2.0f);
    EXPECT_EQ(variation.At(41, 1), -4.0f);
    EXPECT_EQ(VariationMap({}).At(41, 1), 0.0f);
}

SourceAirwaySegment Segment(std::string a, double lat1, double lon1, std::string b, double lat2, double lon2,
                            bool high = true, AirwayDirection dir = AirwayDirection::Both, std::string names = "UL1") {
    SourceAirwaySegment s;
    s.ident1 = std::move(a);
    s.ident2 = std::move(b);
    s.lat1 = lat1, s.lon1 = lon1, s.lat2 = lat2, s.lon2 = lon2;
    s.high = high;
    s.direction = dir;
    s.names = std::move(names);
    return s;
}

TEST(AirwayNetworkBuilding, NodesLegsDirectionsAndTheRouteFindersGeometry) {
    const std::vector<SourceAirwaySegment> segments = {
        Segment("AAA", 50, 8, "BBB", 51, 9, true, AirwayDirection::Both, "UL123456-UM2"),
        Segment("BBB", 51, 9, "CCC", 52, 8, true, AirwayDirection::Forward),
        Segment("CCC", 52, 8, "AAA", 50, 8, true, AirwayDirection::Backward),
        Segment("AAA", 50, 8, "BBB", 51, 9, true, AirwayDirection::Both, "UN9"),  // same two points: no new leg
        Segment("BBB", 51.5, 9, "DDD", 53, 9),  // another BBB, elsewhere: a node of its own
        Segment("AAA", 50, 8, "FAR", 10, 8),     // leaves the region
        Segment("AAA", 50, 8, "LOW", 50, 9, false),
    };
    const ImportRegion region{40, 60, 0, 20};
    const AirwayNetworkBuild b = BuildAirwayNetwork(segments, true, region, HighNodeCapacity, false);
    const AirwayNetwork& n = b.network;
    ASSERT_EQ(n.Count(), 5);  // AAA, BBB, CCC, BBB (51.5), DDD
    EXPECT_EQ(b.nodesOutsideRegion, 1);
    EXPECT_EQ(n.Node(1).Ident.Trimmed(), "AAA");
    // AAA: to BBB (both ways); CCC->AAA is backward, so AAA->CCC.
    ASSERT_EQ(n.Node(1).LegCount, 2);
    EXPECT_EQ(n.Leg(1, 0).Neighbour, 2);
    EXPECT_EQ(n.Leg(1, 0).AirwayName.View(), "UL123");
    EXPECT_EQ(n.Leg(1, 1).Neighbour, 3);
    // BBB: back to AAA and forward to CCC; CCC has no leg of its own.
    ASSERT_EQ(n.Node(2).LegCount, 2);
    EXPECT_EQ(n.Node(3).LegCount, 0);
    EXPECT_EQ(n.Node(4).LegCount, 1);
    float course = 0;
    const float length = GetDistance(50, 8, 51, 9, course);
    EXPECT_EQ(n.Leg(1, 0).LegLength, length);
    EXPECT_EQ(n.Leg(1, 0).LegCourse, course);
    // Southbound legs get their course in 0..360.
    const AirwayLeg& back = n.Leg(2, 0);
    EXPECT_EQ(back.Neighbour, 1);
    EXPECT_GT(back.LegCourse, 180.0f);
    EXPECT_LE(back.LegCourse, 360.0f);

    const AirwayNetworkBuild low = BuildAirwayNetwork(segments, false, region, LowNodeCapacity, false);
    EXPECT_EQ(low.network.Count(), 2);
}

TEST(AirwayNetworkBuilding, CapacitiesKeepWhatIsNearestTheCentreOrRefuseWhenStrict) {
    // A star of 80 spokes around the region's centre, and a chain going away.
    std::vector<SourceAirwaySegment> segments;
    for (int k = 0; k < 80; ++k)
        segments.push_back(Segment("HUB", 50, 10, "S" + std::to_string(k), 50 + 0.01 * (k + 1), 10));
    const ImportRegion region{40, 60, 0, 20};
    const AirwayNetworkBuild full = BuildAirwayNetwork(segments, true, region, HighNodeCapacity, false);
    ASSERT_EQ(full.network.Count(), 81);
    ASSERT_EQ(full.network.Node(1).LegCount, MaxLegsPerNode);
    EXPECT_EQ(full.legsOverCapacity, 4);
    // The shortest legs stay, in source order: the spokes S0..S75.
    EXPECT_EQ(full.network.Leg(1, 75).Neighbour, 77);
    EXPECT_NE(ErrorOf([&] { BuildAirwayNetwork(segments, true, region, HighNodeCapacity, true); }).find("76"),
              std::string::npos);

    const AirwayNetworkBuild capped = BuildAirwayNetwork(segments, true, region, 11, false);
    ASSERT_EQ(capped.network.Count(), 11);
    EXPECT_EQ(capped.nodesOverCapacity, 70);
    EXPECT_EQ(capped.network.Node(11).Ident.Trimmed(), "S9");
    EXPECT_EQ(capped.network.Node(1).LegCount, 10);
    EXPECT_NE(ErrorOf([&] { BuildAirwayNetwork(segments, true, region, 11, true); }).find("more than the 11"),
              std::string::npos);

    // A region across the 180th meridian.
    const ImportRegion pacific{-50, -30, 170, -170};
    EXPECT_TRUE(pacific.Contains(-40, 179.5));
    EXPECT_TRUE(pacific.Contains(-40, -175));
    EXPECT_FALSE(pacific.Contains(-40, 160));
    EXPECT_DOUBLE_EQ(pacific.Centre()[1], 180.0);
}

// A small world: two airports with runways, an ILS, a VOR, an NDB, fixes and airways.
void WriteSources(const std::filesystem::path& folder) {
    auto put = [&](const char* name, const std::string& text) {
        std::filesystem::create_directories(folder);
        std::ofstream(folder / name, std::ios::binary) << text;
    };
    put("nav.dat", Header(810) +
        "3  51.0 0.0 100 11360 130 -2.0 LON  LONDON VOR-DME\r\n"
        "3  10.0 0.0 100 11370 130 9.0 FAR  FAR AWAY VOR\r\n"
        "2  51.5 0.5 0 396 50 0.0 NB  SOME NDB\r\n"
        "4  51.47769700 -000.42708100 83 11030 18 89.691 IAA  EGLL 09L ILS-cat-I\r\n"
        "99\r\n");
    put("fix.dat", Header(600) + " 51.2 0.2 FIXAA\r\n 52.0 1.0 FIXBB\r\n 10.0 1.0 FIXCC\r\n99\r\n");
    put("awy.dat", Header(640) +
        "FIXAA 51.2 0.2 FIXBB 52.0 1.0 2 180 450 UL1\r\n"
        "LON 51.0 0.0 FIXAA 51.2 0.2 1 50 180 L1\r\n"
        "99\r\n");
    WriteGzip(folder / "apt.dat.gz", Header(1000) +
        "1       83 1 0 EGLL London Heathrow\r\n"
        "100   49.99   1   0 0.00 1 3 0 09L  51.47747035 -000.48962591  306.02    0.00 5  4 1 1 27R  51.47767520 -000.43326100    0.00   21.03 5  4 1 1\r\n"
        "50 12807 Heathrow Information\r\n"
        "1       10 0 0 EGXX No Runway Field\r\n"
        "14 51.6 0.6 0 0 Tower\r\n"
        "1       10 0 0 FAR1 Far Away\r\n"
        "14 10.0 0.6 0 0 Tower\r\n"
        "99\r\n");
}

TEST(NavDataImport, WritesEveryFileTheCompileReads) {
    TempProgramFolder dir;
    const auto source = dir.Root() / "source";
    WriteSources(source);
    RecordingPort port;
    NavDataImportOptions options;
    options.source = source;
    options.region = {40, 60, -10, 20};
    const NavDataImportResult result = ImportNavData(dir.Data(), options, port);
    ASSERT_EQ(result.written.size(), 10u);
    EXPECT_EQ(result.written[0].records, 2);  // EGLL, EGXX
    EXPECT_EQ(result.written[4].records, 2);  // high network: FIXAA, FIXBB

    // The compile's own loaders take every file.
    ProgramState state(dir.Root());
    LoadNavAirports(state, port);
    LoadVors(state, port);
    LoadNdbs(state, port);
    LoadIntersections(state, port);
    LoadHighNodes(state, port);
    LoadLowNodes(state, port);
    EXPECT_EQ(state.NavAirportMax(), 1);
    EXPECT_EQ(state.VorMax(), 0);
    EXPECT_EQ(state.Vors[0].Frequency.View(), "113.60");
    EXPECT_EQ(state.Ndbs[0].Frequency.View(), "0396.0");
    EXPECT_EQ(state.IntersectionMax(), 1);
    EXPECT_EQ(state.HighNodeCount(), 2);
    EXPECT_EQ(state.LowNodeCount(), 2);
    EXPECT_EQ(state.LowNodes.Node(1).Kind.View(), "VOR");
    EXPECT_EQ(state.NavAirports[0].Altitude, 83);

    // The airport database at its fixed positions.
    const Bytes apt1 = ReadFileBytes(dir.Data() / "nv_apt1.nv2");
    const Bytes apt2 = ReadFileBytes(dir.Data() / "nv_apt2.nv2");
    const Bytes apt3 = ReadFileBytes(dir.Data() / "nv_apt3.nv2");
    ASSERT_EQ(apt1.size(), 50u);
    ASSERT_EQ(apt3.size(), 112u);
    const RecordReader egll{std::span(apt1).subspan(0, 25)};
    EXPECT_EQ(egll.Text<4>(0).View(), "EGLL");
    EXPECT_EQ(egll.I32(12), 1);  // RunwayPos
    EXPECT_EQ(egll.I32(16), 1);  // ValuesPos
    EXPECT_EQ(egll.I32(21), 2);  // RunwayCount
    const RecordReader egxx{std::span(apt1).subspan(25, 25)};
    EXPECT_EQ(egxx.I32(12), 0);
    EXPECT_EQ(egxx.I32(16), 79);
    EXPECT_EQ(egxx.I32(21), 0);
    EXPECT_EQ(RecordReader{apt2}.F32(50), 128.07f);  // ATIS at ValuesPos + 50 (1-based)
    EXPECT_EQ(RecordReader{apt2}.F32(66), 0.0f);     // no tower
    const RecordReader r09L{std::span(apt3).subspan(0, 56)};
    const RecordReader r27R{std::span(apt3).subspan(56, 56)};
    EXPECT_EQ(r09L.Text<5>(4).View(), "09L  ");
    EXPECT_NEAR(r09L.I32(9), 12807, 10);               // length, feet
    EXPECT_EQ(r09L.I32(13), 164);                      // width, feet
    EXPECT_NEAR(r09L.F32(21), 89.64f, 0.01f);          // true heading
    EXPECT_EQ(r09L.F32(25), -2.0f);                    // variation of the nearest VOR
    EXPECT_EQ(r09L.Text<7>(41).View(), "IAA    ");
    EXPECT_EQ(r09L.F32(48), 110.3f);
    EXPECT_NEAR(r27R.F32(21), 269.69f, 0.01f);
    EXPECT_EQ(r27R.Text<7>(41).View(), "       ");
    EXPECT_EQ(r27R.F32(48), 0.0f);
    EXPECT_EQ(FileText(dir.Data() / "Altitudes.txt"), "EGLL,83\r\nEGXX,10\r\n");

    bool reportedOutside = false;
    for (const auto& d : result.dropped) reportedOutside |= d == "1 airport outside the region";
    EXPECT_TRUE(reportedOutside);
    for (const auto& entry : std::filesystem::directory_iterator(dir.Data()))
        EXPECT_NE(entry.path().extension(), ".importing");
}

TEST(NavDataImport, ARegionWithoutBeaconsGetsTheNearestSoTheCompileCanLoadIt) {
    TempProgramFolder dir;
    WriteSources(dir.Root() / "source");
    RecordingPort port;
    NavDataImportOptions options;
    options.source = dir.Root() / "source";
    options.region = {5, 15, -5, 5};  // FAR1, the FAR VOR and FIXCC; no NDB
    const NavDataImportResult result = ImportNavData(dir.Data(), options, port);
    ProgramState state(dir.Root());
    LoadNdbs(state, port);
    ASSERT_EQ(state.NdbMax(), 0);
    EXPECT_EQ(state.Ndbs[0].Ident.View(), "NB ");
    EXPECT_NE(std::find(result.dropped.begin(), result.dropped.end(),
                        "no NDB in the region: the one nearest its centre (NB) was written, as the compile needs at "
                        "least one"),
              result.dropped.end());
}

TEST(NavDataImport, AFailedImportChangesNoFile) {
    TempProgramFolder dir;
    const auto source = dir.Root() / "source";
    WriteSources(source);
    testing::WriteNavData(dir);
    const std::string before = FileText(dir.Data() / "nav_APT.bin");
    const std::string database = FileText(dir.Data() / "nv_apt1.nv2");
    RecordingPort port;
    NavDataImportOptions options;
    options.source = source;

    options.region = {0, 5, 0, 5};  // no airport there
    EXPECT_NE(ErrorOf([&] { ImportNavData(dir.Data(), options, port); }).find("no airport"), std::string::npos);
    std::filesystem::remove(source / "awy.dat");
    options.region = {};
    EXPECT_NE(ErrorOf([&] { ImportNavData(dir.Data(), options, port); }).find("no awy.dat"), std::string::npos);
    options.region = {50, 40, 0, 5};
    EXPECT_NE(ErrorOf([&] { ImportNavData(dir.Data(), options, port); }).find("LATMIN"), std::string::npos);

    EXPECT_EQ(FileText(dir.Data() / "nav_APT.bin"), before);
    EXPECT_EQ(FileText(dir.Data() / "nv_apt1.nv2"), database);
    for (const auto& entry : std::filesystem::directory_iterator(dir.Data()))
        EXPECT_NE(entry.path().extension(), ".importing");
}

}  // namespace
}  // namespace tarnwell

namespace tarnwell {
namespace {

TEST(NavDataImport, CommandLineReportsWhatItWroteAndRefusesBadRegions) {
    TempProgramFolder dir;
    WriteSources(dir.Root() / "source");
    const std::string root = "--root \"" + PathText(dir.Root()) + "\" ";
    const std::string source = "--xplane \"" + PathText(dir.Root() / "source") + "\"";
    const auto ok = testing::RunCli(dir, root + "import-navdata " + source + " --region 40 60 -10 20");
    ASSERT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_NE(ok.out.find("nav_APT.bin          2 airports"), std::string::npos) << ok.out;
    EXPECT_NE(ok.out.find("1 airport outside the region"), std::string::npos) << ok.out;

    EXPECT_EQ(testing::RunCli(dir, root + "import-navdata").exitCode, 2);
    EXPECT_EQ(testing::RunCli(dir, root + "build-defaults t.KRX --strict").exitCode, 2);
    EXPECT_EQ(testing::RunCli(dir, root + "import-navdata " + source + " --region 40 60 -200 20").exitCode, 2);
    const auto missing = testing::RunCli(dir, root + "import-navdata --xplane \"" + PathText(dir.Root()) + "\"");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no nav.dat"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("No data file was changed."), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace tarnwell
