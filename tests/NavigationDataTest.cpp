// Loading the navigation files, and the city pairs written and read back.

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "plans/FlightPlans.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"
#include "TestSupport.h"

using namespace tarnwell;
using tarnwell::testing::ErrorOf;
using tarnwell::testing::FileText;
using tarnwell::testing::TempProgramFolder;
namespace fs = std::filesystem;

namespace {

struct Folder {
    TempProgramFolder dir;
    ProgramState state{dir.Root()};
    RecordingPort port;
    void Put(const char* name, const Bytes& bytes) const { WriteFileBytes(dir.Data() / name, bytes); }
};

// A network file built byte by byte at the layout's offsets.
struct NetworkBytes {
    Bytes bytes;
    void Node(const std::string& ident, float lat, float lon, std::int16_t legCount,
              const std::vector<std::int16_t>& neighbours = {}) {
        const std::size_t at = bytes.size();
        bytes.resize(at + 20 + 15 * neighbours.size());
        RecordWriter w{std::span(bytes).subspan(at)};
        w.Text(0, FixedText<7>(ident));
        w.F32(7, lat);
        w.F32(11, lon);
        w.Text(15, FixedText<3>("VOR"));
        w.I16(18, legCount);
        for (std::size_t k = 0; k < neighbours.size(); ++k) {
            const std::size_t off = 20 + 15 * k;
            w.I16(off, neighbours[k]);
            w.Text(off + 2, FixedText<5>("J" + std::to_string(k)));
            w.F32(off + 7, 10.0f + static_cast<float>(k));
            w.F32(off + 11, static_cast<float>(k));
        }
    }
};

}  // namespace

TEST(NavigationFiles, FixedRecordsAtTheirOffsets) {
    Folder f;
    Bytes apt(2 * 90);
    for (int i = 0; i < 2; ++i) {
        RecordWriter w{std::span(apt).subspan(90 * static_cast<std::size_t>(i), 90)};
        w.Text(0, FixedText<4>(i == 0 ? "EGLL" : "LFPG"));
        w.Text(4, FixedText<36>("Name"));
        w.Text(40, FixedText<26>("City"));
        w.F32(66, 51.5f);
        w.F32(70, -0.5f);
        w.I32(74, 83 + i);
        w.I16(88, 7);
    }
    f.Put("nav_APT.bin", apt);
    Bytes vor(46 * 1000);
    RecordWriter(std::span(vor).subspan(46 * 999)).F32(32, 12.5f);
    RecordWriter(std::span(vor).subspan(46 * 999)).F32(36, -3.25f);
    f.Put("nav_VOR.bin", vor);
    Bytes isc(20);
    RecordWriter(isc).Text(0, FixedText<5>("ABCDE"));
    RecordWriter(isc).F32(12, 1.5f);
    RecordWriter(isc).F32(16, 2.5f);
    f.Put("nav_ISC.bin", isc);

    LoadNavAirports(f.state, f.port);
    ASSERT_EQ(f.state.NavAirportMax(), 1);
    EXPECT_EQ(f.state.NavAirports[0].ICAO.View(), "EGLL");
    EXPECT_EQ(f.state.NavAirports[1].ICAO.View(), "LFPG");
    EXPECT_EQ(f.state.NavAirports[1].Altitude, 84);
    EXPECT_EQ(f.state.NavAirports[1].Longitude, -0.5f);
    EXPECT_EQ(f.state.NavAirports[1].Reserved4, 7);
    LoadVors(f.state, f.port);
    EXPECT_EQ(f.state.VorMax(), 999);
    EXPECT_EQ(f.state.Vors[999].Latitude, 12.5f);
    EXPECT_EQ(f.state.Vors[999].Longitude, -3.25f);
    LoadIntersections(f.state, f.port);
    ASSERT_EQ(f.state.IntersectionMax(), 0);
    EXPECT_EQ(f.state.Intersections[0].Ident.View(), "ABCDE");
    EXPECT_EQ(f.state.Intersections[0].Longitude, 2.5f);
}

TEST(NavigationFiles, MissingEmptyOrRaggedFixedFilesAreErrorsNamingTheFile) {
    Folder f;
    EXPECT_NE(ErrorOf([&] { LoadNavAirports(f.state, f.port); }).find("nav_APT.bin: the navigation file is missing"),
              std::string::npos);
    f.Put("nav_NDB.bin", {});
    EXPECT_NE(ErrorOf([&] { LoadNdbs(f.state, f.port); }).find("nav_NDB.bin: the navigation file holds no record"),
              std::string::npos);
    f.Put("nav_VOR.bin", Bytes(47));
    EXPECT_NE(ErrorOf([&] { LoadVors(f.state, f.port); }).find("not a whole number of 46-byte records"),
              std::string::npos);
    f.Put("nav_ISC.bin", Bytes(19));
    EXPECT_NE(ErrorOf([&] { LoadIntersections(f.state, f.port); }).find("nav_ISC.bin"), std::string::npos);
}

TEST(AirwayNetworkFile, VariableLengthNodesNumberedFromOne) {
    Folder f;
    NetworkBytes net;
    net.Node("NOLEGS", 1, 2, 0);
    std::vector<std::int16_t> full(76);
    for (std::size_t k = 0; k < full.size(); ++k) full[k] = static_cast<std::int16_t>(k % 3 + 1);
    net.Node("FULL", 3, 4, 76, full);
    net.Node("TWO", 5, 6, 2, {2, 1});
    EXPECT_EQ(net.bytes.size(), 20u + (20 + 76 * 15) + (20 + 2 * 15));
    f.Put("HighAlt.ab1", net.bytes);

    LoadHighNodes(f.state, f.port);
    const AirwayNetwork& high = f.state.HighNodes;
    ASSERT_EQ(f.state.HighNodeCount(), 3);
    EXPECT_EQ(high.Node(1).Ident.View(), "NOLEGS ");
    EXPECT_EQ(high.Node(1).LegCount, 0);
    EXPECT_EQ(high.Node(2).Latitude, 3.0f);
    EXPECT_EQ(high.Legs(2).size(), 76u);
    EXPECT_EQ(high.Leg(2, 75).Neighbour, 1);
    EXPECT_EQ(high.Leg(2, 75).AirwayName.View(), "J75  ");
    EXPECT_EQ(high.Leg(2, 75).LegLength, 85.0f);
    EXPECT_EQ(high.Leg(2, 75).LegCourse, 75.0f);
    EXPECT_EQ(high.Node(high.Leg(3, 0).Neighbour).Ident.View(), "FULL   ");
    EXPECT_EQ(high.Node(3).Kind.View(), "VOR");

    // Nothing past the network or a node's legs is read.
    EXPECT_THROW(high.Node(0), TarnwellError);
    EXPECT_THROW(high.Node(4), TarnwellError);
    EXPECT_THROW(high.Leg(1, 0), TarnwellError);
    EXPECT_THROW(high.Leg(3, 2), TarnwellError);
    AirwayNetwork copy;
    DecodeAirwayNetwork(EncodeAirwayNetwork(high), "copy", HighNodeCapacity, copy);
    EXPECT_EQ(copy, high);
}

TEST(AirwayNetworkFile, MissingIsEmptyAndBadFilesAreErrors) {
    Folder f;
    LoadLowNodes(f.state, f.port);
    EXPECT_EQ(f.state.LowNodeCount(), 0);
    EXPECT_FALSE(fs::exists(f.dir.Data() / "LowAlt.ab1"));

    auto loadError = [&](const Bytes& bytes) {
        f.Put("LowAlt.ab1", bytes);
        return ErrorOf([&] { LoadLowNodes(f.state, f.port); });
    };
    NetworkBytes tooMany;
    tooMany.Node("A", 0, 0, 77, std::vector<std::int16_t>(77, 1));
    EXPECT_NE(loadError(tooMany.bytes).find("LegCount 77"), std::string::npos);
    NetworkBytes negative;
    negative.Node("A", 0, 0, -1);
    EXPECT_NE(loadError(negative.bytes).find("LegCount -1"), std::string::npos);
    NetworkBytes cut;
    cut.Node("A", 0, 0, 3, {1, 1});
    EXPECT_NE(loadError(cut.bytes).find("ends inside the legs of node 1"), std::string::npos);
    cut.bytes.resize(10);
    EXPECT_NE(loadError(cut.bytes).find("ends inside the header of node 1"), std::string::npos);

    NetworkBytes big;
    for (int i = 0; i < LowNodeCapacity + 1; ++i) big.Node("N", 0, 0, 0);
    const std::string error = loadError(big.bytes);
    EXPECT_NE(error.find("LowAlt.ab1"), std::string::npos) << error;
    EXPECT_NE(error.find("more than 14500 nodes"), std::string::npos) << error;

    // Exactly the capacity loads, letting events through every 500 nodes.
    big.bytes.resize(20 * static_cast<std::size_t>(LowNodeCapacity));
    f.Put("LowAlt.ab1", big.bytes);
    f.port.eventsLetThrough = 0;
    LoadLowNodes(f.state, f.port);
    EXPECT_EQ(f.state.LowNodeCount(), LowNodeCapacity);
    EXPECT_EQ(f.port.eventsLetThrough, LowNodeCapacity / 500);
}

// ---- City pairs ----

namespace {

RouteRecord RouteBetween(const std::string& origin, const std::string& dest, std::int16_t o, std::int16_t d) {
    RouteRecord r;
    r.Origin = origin;
    r.Destination = dest;
    r.OriginIndex = o;
    r.DestIndex = d;
    return r;
}

void AddIndexAirport(ProgramState& state, const std::string& iata, const std::string& icao) {
    IndexAirportRecord a;
    a.IATA = iata;
    a.ICAO = icao;
    state.IndexAirports.push_back(a);
}

}  // namespace

TEST(UniqueRoutes, AdjacentRunsReversePairsAndTrailingRuns) {
    Folder f;
    AddIndexAirport(f.state, "ABC", "KABC");
    AddIndexAirport(f.state, "DE", "KDE");
    AddIndexAirport(f.state, "XYZ", "KXYZ");
    f.state.Routes = {RouteBetween("ABC", "XYZ", 0, 2), RouteBetween("ABC", "XYZ", 0, 2),
                      RouteBetween("ABC", "XYZ", 0, 2), RouteBetween("ABC", "DE", 0, 1),
                      RouteBetween("XYZ", "ABC", 2, 0), RouteBetween("ABC", "XYZ", 0, 2),
                      RouteBetween("DE", "ABC", 1, 0),  RouteBetween("DE", "ABC", 1, 0)};
    CreateUniqueRoutes(f.state, f.port);
    EXPECT_EQ(FileText(f.dir.Data() / "UniqueRoutes.txt"),
              " 1 ,ABC,XYZ,KABC,KXYZ\r\n"
              " 2 ,ABC,DE ,KABC,KDE \r\n"
              " 3 ,XYZ,ABC,KXYZ,KABC\r\n"
              " 4 ,ABC,XYZ,KABC,KXYZ\r\n"
              " 5 ,DE ,ABC,KDE ,KABC\r\n");

    LoadUniqueRoutes(f.state, f.port);
    ASSERT_EQ(f.state.UniqueRouteCount(), 5);
    const UniqueRoute& fifth = f.state.UniqueRoutes[5];
    EXPECT_EQ(fifth.PlanNumber, 5);
    EXPECT_EQ(fifth.Origin.View(), "DE ");
    EXPECT_EQ(fifth.OriginICAO.View(), "KDE ");
    EXPECT_EQ(fifth.DestinationICAO.View(), "KABC");

    f.state.Routes.resize(1);
    CreateUniqueRoutes(f.state, f.port);
    LoadUniqueRoutes(f.state, f.port);
    EXPECT_EQ(f.state.UniqueRouteCount(), 1);

    f.state.Routes[0].DestIndex = 3;
    EXPECT_NE(ErrorOf([&] { CreateUniqueRoutes(f.state, f.port); }).find("DestIndex 3 lies outside"),
              std::string::npos);
}

TEST(UniqueRoutes, ReadingBackChecksCapacityAndNumbers) {
    Folder f;
    std::string lines;
    for (int i = 1; i <= UniqueRouteCapacity; ++i) lines += " " + std::to_string(i) + " ,AAA,BBB,EAAA,EBBB\r\n";
    f.dir.Write("Data/UniqueRoutes.txt", lines);
    LoadUniqueRoutes(f.state, f.port);
    EXPECT_EQ(f.state.UniqueRouteCount(), UniqueRouteCapacity);
    EXPECT_EQ(f.state.UniqueRoutes[250].PlanNumber, 250);

    f.dir.Write("Data/UniqueRoutes.txt", lines + " 34001 ,AAA,BBB,EAAA,EBBB\r\n");
    EXPECT_NE(ErrorOf([&] { LoadUniqueRoutes(f.state, f.port); }).find("line 34001: more than 34000 city pairs"),
              std::string::npos);
    f.dir.Write("Data/UniqueRoutes.txt", " 1 ,AAA,BBB,EAAA,EBBB\r\n x ,AAA,BBB,EAAA,EBBB\r\n");
    EXPECT_NE(ErrorOf([&] { LoadUniqueRoutes(f.state, f.port); }).find("line 2, field 1 (PlanNumber)"),
              std::string::npos);
    f.dir.Write("Data/UniqueRoutes.txt", " 1 ,AAA,BBB\r\n");
    EXPECT_NE(ErrorOf([&] { LoadUniqueRoutes(f.state, f.port); }).find("ends where a field was expected"),
              std::string::npos);
}
