// Loading the navigation files: the fixed records at their offsets, the
// airway networks' variable-length nodes, and the files that are refused.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "compile/RecordingPort.h"
#include "navdata/NavDataFiles.h"
#include "navdata/NavigationData.h"

namespace tarnwell {
namespace {

using testing::ErrorOf;

struct NavFolder {
    testing::TempProgramFolder dir;
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
            w.I16(20 + 15 * k, neighbours[k]);
            w.Text(22 + 15 * k, FixedText<5>("J" + std::to_string(k)));
            w.F32(27 + 15 * k, 10.0f + static_cast<float>(k));
            w.F32(31 + 15 * k, static_cast<float>(k));
        }
    }
};

TEST(NavigationFiles, FixedRecordsAtTheirOffsets) {
    NavFolder f;
    Bytes apt(2 * 90);  // the first record blank
    RecordWriter w{std::span(apt).subspan(90)};
    w.Text(0, FixedText<4>("LFPG"));
    w.Text(4, FixedText<36>("Name"));
    w.Text(40, FixedText<26>("City"));
    w.F32(66, 51.5f);
    w.F32(70, -0.5f);
    w.I32(74, 84);
    w.I16(88, 7);
    f.Put("nav_APT.bin", apt);
    Bytes vor(46 * 1000);
    RecordWriter(std::span(vor).subspan(46 * 999)).F32(32, 12.5f);
    RecordWriter(std::span(vor).subspan(46 * 999)).F32(36, -3.25f);
    f.Put("nav_VOR.bin", vor);
    f.Put("nav_NDB.bin", Bytes(46 * 2));
    Bytes isc(20);
    RecordWriter(isc).Text(0, FixedText<5>("ABCDE"));
    RecordWriter(isc).F32(12, 1.5f);
    RecordWriter(isc).F32(16, 2.5f);
    f.Put("nav_ISC.bin", isc);

    const auto nav = LoadNavigationData(f.dir.Data(), LoadNavAirports(f.dir.Data()), f.port);
    ASSERT_EQ(std::tuple(nav->NavAirportMax(), nav->VorMax(), nav->NdbMax(), nav->IntersectionMax()),
              std::tuple(1, 999, 1, 0));
    EXPECT_EQ(nav->NavAirports[0], NavAirport{});
    const NavAirport& lfpg = nav->NavAirports[1];
    EXPECT_EQ(std::tuple(lfpg.ICAO.View(), lfpg.Name.Trimmed(), lfpg.City.Trimmed()),
              std::tuple("LFPG", "Name", "City"));
    EXPECT_EQ(std::tuple(lfpg.Latitude, lfpg.Longitude, lfpg.Altitude, lfpg.Reserved4),
              std::tuple(51.5f, -0.5f, 84, 7));
    EXPECT_EQ(std::pair(nav->Vors[999].Latitude, nav->Vors[999].Longitude), std::pair(12.5f, -3.25f));
    const Intersection& fix = nav->Intersections[0];
    EXPECT_EQ(std::tuple(fix.Ident.View(), fix.Latitude, fix.Longitude), std::tuple("ABCDE", 1.5f, 2.5f));
    EXPECT_EQ(nav->HighNodeCount() + nav->LowNodeCount(), 0);  // no network files: empty networks
}

TEST(NavigationFiles, MissingEmptyOrRaggedFixedFilesAreErrorsNamingTheFile) {
    NavFolder f;
    const std::tuple<const char*, int, std::function<void()>, const char*> bad[] = {  // a size of -1: no file
        {"nav_APT.bin", -1, [&] { LoadNavAirports(f.dir.Data()); }, "nav_APT.bin: the navigation file is missing"},
        {"nav_NDB.bin", 0, [&] { LoadNdbs(f.dir.Data()); }, "nav_NDB.bin: the navigation file holds no record"},
        {"nav_VOR.bin", 47, [&] { LoadVors(f.dir.Data()); }, "not a whole number of 46-byte records"},
        {"nav_ISC.bin", 19, [&] { LoadIntersections(f.dir.Data()); }, "nav_ISC.bin"},
    };
    for (const auto& [name, size, load, words] : bad) {
        if (size >= 0) f.Put(name, Bytes(static_cast<std::size_t>(size)));
        EXPECT_NE(ErrorOf(load).find(words), std::string::npos) << name;
    }
}

TEST(AirwayNetworkFile, VariableLengthNodesNumberedFromOne) {
    NavFolder f;
    NetworkBytes net;
    net.Node("NOLEGS", 1, 2, 0);
    std::vector<std::int16_t> full(76);
    for (std::size_t k = 0; k < full.size(); ++k) full[k] = static_cast<std::int16_t>(k % 3 + 1);
    net.Node("FULL", 3, 4, 76, full);
    net.Node("TWO", 5, 6, 2, {2, 1});
    f.Put("HighAlt.ab1", net.bytes);

    const AirwayNetwork high = LoadHighNodes(f.dir.Data(), f.port);
    ASSERT_EQ(high.Count(), 3);
    EXPECT_EQ(high.Node(1), (AirwayNode{FixedText<7>("NOLEGS"), 1, 2, FixedText<3>("VOR"), 0}));
    EXPECT_EQ(high.Legs(2).size(), 76u);
    EXPECT_EQ(high.Leg(2, 75), (AirwayLeg{1, FixedText<5>("J75"), 85.0f, 75.0f}));
    EXPECT_EQ(high.Node(high.Leg(3, 0).Neighbour).Ident.View(), "FULL   ");
    EXPECT_EQ(std::pair(high.Node(3).Latitude, high.Node(3).Longitude), std::pair(5.0f, 6.0f));
    EXPECT_EQ(EncodeAirwayNetwork(high), net.bytes);
    // Nothing past the network or a node's legs is read.
    EXPECT_THROW(high.Node(0), TarnwellError);
    EXPECT_THROW(high.Node(4), TarnwellError);
    EXPECT_THROW(high.Leg(1, 0), TarnwellError);
    EXPECT_THROW(high.Leg(3, 2), TarnwellError);
}

TEST(AirwayNetworkFile, MissingIsEmptyAndBadFilesAreErrors) {
    NavFolder f;
    EXPECT_EQ(LoadLowNodes(f.dir.Data(), f.port).Count(), 0);
    EXPECT_FALSE(std::filesystem::exists(f.dir.Data() / "LowAlt.ab1"));

    NetworkBytes tooMany, negative, cut, big;
    tooMany.Node("A", 0, 0, 77, std::vector<std::int16_t>(77, 1));
    negative.Node("A", 0, 0, -1);
    cut.Node("A", 0, 0, 3, {1, 1});
    for (int i = 0; i < LowNodeCapacity + 1; ++i) big.Node("N", 0, 0, 0);
    const std::pair<Bytes, std::vector<const char*>> bad[] = {
        {tooMany.bytes, {"LegCount 77"}},
        {negative.bytes, {"LegCount -1"}},
        {cut.bytes, {"ends inside the legs of node 1"}},
        {Bytes(cut.bytes.begin(), cut.bytes.begin() + 10), {"ends inside the header of node 1"}},
        {big.bytes, {"LowAlt.ab1", "more than 14500 nodes"}},
    };
    for (const auto& [bytes, words] : bad) {
        f.Put("LowAlt.ab1", bytes);
        const std::string error = ErrorOf([&] { LoadLowNodes(f.dir.Data(), f.port); });
        for (const char* w : words) EXPECT_NE(error.find(w), std::string::npos) << error;
    }

    // Exactly the capacity loads, letting events through every 500 nodes.
    big.bytes.resize(20 * static_cast<std::size_t>(LowNodeCapacity));
    f.Put("LowAlt.ab1", big.bytes);
    f.port.eventsLetThrough = 0;
    EXPECT_EQ(LoadLowNodes(f.dir.Data(), f.port).Count(), LowNodeCapacity);
    EXPECT_EQ(f.port.eventsLetThrough, LowNodeCapacity / 500);
}

}  // namespace
}  // namespace tarnwell
