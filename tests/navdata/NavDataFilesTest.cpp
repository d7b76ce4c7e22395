// Loading the navigation files: the fixed records at their offsets, the
// airway networks' variable-length nodes, and the files that are refused.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "compile/RecordingPort.h"
#include "navdata/NavDataFiles.h"
#include "navdata/NavigationData.h"
#include "plans/AirwaySearchSupport.h"

namespace tarnwell {
namespace {

// A network of three nodes: one without legs, one with the most a node may
// have (leg k to node k % 3 + 1, k NM long on course 1), one with two.
Bytes ThreeNodeFile() {
    testing::NetBuilder b{{{"NOLEGS", 1, 2}, {"FULL", 3, 4}, {"TWO", 5, 6}}, {{3, 2}, {3, 1}}};
    for (int k = 0; k < MaxLegsPerNode; ++k)
        b.legs.push_back({2, k % 3 + 1, "J" + std::to_string(k), static_cast<float>(k), 1.0f});
    return EncodeAirwayNetwork(b.Build());
}

TEST(NavigationFiles, RecordsAtTheirOffsetsAndVariableLengthNodes) {
    testing::TempProgramFolder dir;
    RecordingPort port;
    NavAirport lfpg = testing::NavAirportAt("LFPG", 51.5f, -0.5f, 84);
    lfpg.Reserved4 = 7;
    const std::vector<NavAirport> airports{{}, lfpg};
    const std::vector<NavAid> aids{{FixedText<3>("ABC"), FixedText<29>("Name"), 12.5f, -3.25f, FixedText<6>("113.60")}};
    const std::vector<Intersection> fixes{{FixedText<5>("ABCDE"), {}, 1.5f, 2.5f}};
    const Bytes apt = EncodeNavAirports(airports), aid = EncodeNavAids(aids), isc = EncodeIntersections(fixes),
                high = ThreeNodeFile();
    const RecordReader a{std::span(apt).subspan(90)}, v{aid}, i{isc}, h{high};
    EXPECT_EQ(std::tuple(apt.size(), a.Text<4>(0).Str(), a.Text<36>(4).Trimmed(), a.Text<26>(40).Trimmed(), a.F32(66),
                         a.F32(70), a.I32(74), a.I16(88)),
              std::tuple(180u, "LFPG", "LFPG Airport", "LFPG City", 51.5f, -0.5f, 84, 7));
    EXPECT_EQ(std::tuple(aid.size(), v.Text<3>(0).Str(), v.Text<29>(3).Trimmed(), v.F32(32), v.F32(36),
                         v.Text<6>(40).Str()),
              std::tuple(46u, "ABC", "Name", 12.5f, -3.25f, "113.60"));
    EXPECT_EQ(std::tuple(isc.size(), i.Text<5>(0).Str(), i.F32(12), i.F32(16)), std::tuple(20u, "ABCDE", 1.5f, 2.5f));
    // Node 2's header at byte 20, its last leg at 40 + 75 * 15, then node 3.
    EXPECT_EQ(std::tuple(h.Text<7>(20).Str(), h.F32(27), h.F32(31), h.Text<3>(35).Str(), h.I16(38)),
              std::tuple("FULL   ", 3.0f, 4.0f, "FIX", 76));
    EXPECT_EQ(std::tuple(h.I16(1165), h.Text<5>(1167).Str(), h.F32(1172), h.F32(1176), h.Text<7>(1180).Str()),
              std::tuple(1, "J75  ", 75.0f, 1.0f, "TWO    "));

    for (const auto& [name, bytes] : {std::pair{"nav_APT.bin", apt}, {"nav_VOR.bin", aid}, {"nav_NDB.bin", aid},
                                      {"nav_ISC.bin", isc}, {"HighAlt.ab1", high}})
        WriteFileBytes(dir.Data() / name, bytes);
    const auto nav = LoadNavigationData(dir.Data(), LoadNavAirports(dir.Data()), port);
    EXPECT_EQ(nav->NavAirports, airports);
    EXPECT_EQ(std::tuple(nav->Vors, nav->Ndbs, nav->Intersections), std::tuple(aids, aids, fixes));
    // The network reads back to the same bytes; a missing one is empty.
    EXPECT_EQ(std::tuple(EncodeAirwayNetwork(nav->HighNodes), nav->LowNodeCount()), std::tuple(high, 0));
    // Nothing past the network or a node's legs is read.
    EXPECT_THROW(nav->HighNodes.Node(4), TarnwellError);
    EXPECT_THROW(nav->HighNodes.Leg(3, 2), TarnwellError);
}

TEST(NavigationFiles, RefusedFilesAreErrorsNamingTheFile) {
    testing::TempProgramFolder dir;
    RecordingPort port;
    const Bytes three = ThreeNodeFile();
    Bytes tooMany = three;
    RecordWriter(std::span(tooMany).subspan(20)).I16(18, 77);
    const Bytes big(20 * static_cast<std::size_t>(LowNodeCapacity + 1));  // blank nodes without legs
    const auto low = [&] { LoadLowNodes(dir.Data(), port); };
    const std::tuple<const char*, std::optional<Bytes>, std::function<void()>, const char*> bad[] = {
        {"nav_APT.bin", std::nullopt, [&] { LoadNavAirports(dir.Data()); }, "the navigation file is missing"},
        {"nav_NDB.bin", Bytes{}, [&] { LoadNdbs(dir.Data()); }, "the navigation file holds no record"},
        {"nav_VOR.bin", Bytes(47), [&] { LoadVors(dir.Data()); }, "not a whole number of 46-byte records"},
        {"LowAlt.ab1", tooMany, low, "node 2 has LegCount 77"},
        {"LowAlt.ab1", Bytes(three.begin(), three.end() - 1), low, "ends inside the legs of node 3"},
        {"LowAlt.ab1", Bytes(three.begin(), three.begin() + 10), low, "ends inside the header of node 1"},
        {"LowAlt.ab1", big, low, "more than 14500 nodes"},
    };
    for (const auto& [name, bytes, load, words] : bad) {
        if (bytes) WriteFileBytes(dir.Data() / name, *bytes);
        const std::string error = testing::ErrorOf(load);
        EXPECT_NE(error.find(name), std::string::npos) << error;
        EXPECT_NE(error.find(words), std::string::npos) << error;
    }
    // Exactly the capacity loads.
    WriteFileBytes(dir.Data() / "LowAlt.ab1", Bytes(big.begin(), big.end() - 20));
    EXPECT_EQ(LoadLowNodes(dir.Data(), port).Count(), LowNodeCapacity);
}

}  // namespace
}  // namespace tarnwell
