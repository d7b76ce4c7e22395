// The airport information of a route set: altitudes from the altitude list,
// APT.kr1 from the airport database and the final index.kr1.

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "airports/AirportTestTables.h"
#include "compile/RecordingPort.h"
#include "records/RecordLayouts.h"
#include "routeset/AirportInfo.h"
#include "routeset/AptFile.h"
#include "TestSupport.h"

namespace tarnwell {
namespace {

using namespace testing;

NavennaRunwayRecord Runway(const char* ident, float heading, float offset, const char* ils, float value) {
    return {.ICAO = {}, .RunwayIdent = FixedText<5>(ident), .RunwayData1 = 9000, .RunwayData2 = -150,
            .Heading = heading, .HeadingOffset = offset, .IlsText = FixedText<7>(ils), .IlsValue = value};
}

// Index airports AAA to EEE; the database knows AAA (2 runways), BBB (none),
// CCC (-1), DDD (1 runway) and not EEE, behind a record of another airport
// so that positions are not all 1.
struct AirportInfoRun {
    TempProgramFolder dir;
    RouteSetOutput routeSet;
    RecordingPort port;
    std::vector<IndexAirportRecord> index = IndexAirportsOf({"AAA", "BBB", "CCC", "DDD", "EEE"});
    std::vector<NavennaAirportRecord> airports, loadedAirports;
    std::vector<NavennaValuesRecord> values;
    std::vector<NavennaRunwayRecord> runways;
    std::vector<AltitudeEntry> altitudes;
    std::vector<AirportInfoRecord> info;
    const char* missingFile = nullptr;  // removed after writing the database

    AirportInfoRun() {
        for (auto& a : index) a.Altitude = 7;
        Add("XXXX", 0, {});
        Add("EAAA", 2, {Runway("09L", 10, 15, "       ", 0), Runway("27R", 350, -15, "IABC   ", 110.3f)});
        Add("EBBB", 0, {});
        Add("ECCC", -1, {});
        Add("EDDD", 1, {Runway("18", 180, 2.5f, "IDDD   ", 1234.5f)});
        dir.Write("Data/Altitudes.txt", "EAAA,100\r\n\"EBBB\", -20\r\nEAAA,999\r\nEDDD,5\r\n");
    }
    void Add(const char* icao, std::int32_t count, const std::vector<NavennaRunwayRecord>& list) {
        airports.push_back({FixedText<4>(icao), 0, 0, static_cast<std::int32_t>(runways.size() * 56 + 1),
                            static_cast<std::int32_t>(values.size() * 78 + 1), {}, count});
        values.push_back({.ICAO = {}, .Name = {}, .Values = {118.7f, 5.5f, 0, -5.5f, 1234.5f, 121.75f, 0.5f}});
        runways.insert(runways.end(), list.begin(), list.end());
    }
    std::string Build() {
        WriteFileBytes(dir.Data() / "nv_apt1.nv2", EncodeNavennaAirports(airports));
        WriteFileBytes(dir.Data() / "nv_apt2.nv2", EncodeNavennaValues(values));
        WriteFileBytes(dir.Data() / "nv_apt3.nv2", EncodeNavennaRunways(runways));
        if (missingFile) std::filesystem::remove(dir.Data() / missingFile);
        routeSet.Begin(dir.Data(), "Set");
        return ErrorOf([&] {
            BuildAirportInfo(routeSet, dir.Data(), index, loadedAirports, altitudes, info, port);
            routeSet.Commit();
        });
    }
};

TEST(AirportInfo, WritesRunwaysValuesAndTheFinalIndex) {
    // How values and headings are stored; the APT.kr1 bytes below show the other forms.
    EXPECT_EQ(FormatValue(0.004f).Str() + FormatValue(99.999f).Str() + FormatValue(-0.5f).Str(), "000.00100.00-000.5");
    EXPECT_NE(ErrorOf([] { FormatValue(std::numeric_limits<float>::quiet_NaN()); }), "no error");
    EXPECT_EQ(std::tuple(NetHeading(10, 15), NetHeading(350, -15), NetHeading(15, 15)), std::tuple(355.f, 365.f, 0.f));

    AirportInfoRun run;
    ASSERT_EQ(run.Build(), "no error");
    std::vector<std::tuple<int, int, int>> countPositionAltitude;
    for (const auto& a : DecodeIndexFile(ReadFileBytes(run.dir.Data() / "Set" / "index.kr1"), "index"))
        countPositionAltitude.emplace_back(a.RunwayCount, a.AptPos, a.Altitude);
    // The first entry with all four characters gives the altitude; CCC and EEE keep theirs.
    EXPECT_EQ(countPositionAltitude, (std::vector<std::tuple<int, int, int>>{
                                         {2, 1, 100}, {0, 111, -20}, {-1, 111, 7}, {1, 111, 5}, {0, 187, 7}}));

    // AAA's two runways, its values record at position 69 and DDD's runway at 111.
    const std::string text = FileText(run.dir.Data() / "Set" / "APT.kr1");
    ASSERT_EQ(text.size(), 186u);
    EXPECT_EQ(Bytes(text.begin(), text.begin() + 21), (Bytes{'0', '9', 'L', ' ', ' ', 0x28, 0x23, 0, 0, 0x6A, 0xFF,
                                                            0xFF, 0xFF, 0, 0, 0x20, 0x41, 0, 0x80, 0xB1, 0x43}));
    EXPECT_EQ(text.substr(21, 13) + text.substr(34 + 21, 13) + text.substr(110 + 21, 13),
              "NO ILS 000.00IABC   110.30IDDD   1234.5");
    EXPECT_EQ(text.substr(68, 42), "118.70005.50000.00-005.51234.5121.75000.50");

    // CCC, then EEE, beep (missing from the altitude list), then the step's own beep.
    ASSERT_EQ(run.port.beeps.size(), 3u);
    EXPECT_EQ(run.port.beeps[0].reason, "airport CCC (ECCC) is not in the altitude list; it keeps the altitude 7");
    EXPECT_EQ(run.port.beeps[2].kind, BeepKind::Finished);
    EXPECT_EQ(run.port.StatusTexts(), (std::vector<std::string>{"Loading Navenna Airports", "Loading Altitudes",
                                                                "Finding Navenna Data", "Writing Index File"}));
}

TEST(AirportInfo, DatabaseFaultsNameTheAirportAndTheFile) {
    const std::vector<std::pair<std::function<void(AirportInfoRun&)>, std::string>> cases = {
        {[](auto& r) { r.missingFile = "nv_apt3.nv2"; }, "nv_apt3.nv2: airport AAA (EAAA) needs its runway records"},
        {[](auto& r) { r.airports[4].RunwayPos = 5 * 56 + 1; },
         "nv_apt3.nv2: airport DDD (EDDD): its runway records at byte 285 (48 bytes) lie outside the file of 168"},
        {[](auto& r) { r.airports[1].RunwayCount = std::numeric_limits<std::int32_t>::max(); },
         "nv_apt3.nv2: airport AAA (EAAA): its runway records at byte 120259084181"},
        // DDD's last value would end one byte beyond the file, then at its last byte.
        {[](auto& r) { r.airports[4].ValuesPos = 5 * 78 - 76; },
         "nv_apt2.nv2: airport DDD (EDDD): its frequency values at byte 364 (28 bytes) lie outside the file of 390"},
        {[](auto& r) { r.airports[4].ValuesPos = 5 * 78 - 77; }, "no error"},
        {[](auto& r) { r.values[1].Values[3] = std::numeric_limits<float>::infinity(); },
         "index airports, record 0: airport AAA (EAAA), value 4: the value inf"},
    };
    for (const auto& [change, error] : cases) {
        AirportInfoRun run;
        change(run);
        EXPECT_NE(run.Build().find(error), std::string::npos) << run.Build();
    }
}

using InfoRow = std::tuple<FixedText<4>, std::int32_t, std::int32_t, std::int32_t>;

// The lookups as a scan of every record for every airport makes them: the
// index airports, how many of them the altitude list lacks, and each one's
// ICAO, RunwayPos, ValuesPos and RunwayCount.
auto LiteralFindNavennaData(std::vector<IndexAirportRecord> index, const std::vector<NavennaAirportRecord>& database,
                            const std::vector<AltitudeEntry>& altitudes) {
    std::size_t missing = 0;
    std::vector<InfoRow> info;
    for (IndexAirportRecord& a : index) {
        std::size_t n = 0;
        while (n < database.size() && database[n].ICAO.Trimmed() != a.ICAO.Trimmed()) ++n;
        const NavennaAirportRecord found = n < database.size() ? database[n] : NavennaAirportRecord{};
        info.emplace_back(a.ICAO, found.RunwayPos, found.ValuesPos, found.RunwayCount);
        std::size_t k = 0;
        while (k < altitudes.size() && altitudes[k].ICAO != a.ICAO) ++k;
        if (k < altitudes.size()) a.Altitude = altitudes[k].Altitude;
        else ++missing;
    }
    return std::tuple(index, missing, info);
}

TEST(AirportInfo, LookupsMatchTheNestedScansOnRandomTables) {
    std::mt19937 rng(5);
    const std::vector<std::string> codes = {"EG", " EG", "EG  ", "EGLL", "EGL", "E GL", "", "    ", "eg"};
    auto code = [&] { return FixedText<4>(codes[rng() % codes.size()]); };
    auto below = [&](std::uint32_t n) { return static_cast<std::int32_t>(rng() % n); };
    for (int round = 0; round < 300; ++round) {
        std::vector<IndexAirportRecord> index(rng() % 6);
        for (auto& a : index)  // some codes never assigned
            std::tie(a.ICAO, a.Altitude) = std::tuple(rng() % 5 ? code() : FixedText<4>(), below(100));
        std::vector<NavennaAirportRecord> database(rng() % 8);
        for (auto& n : database)
            std::tie(n.ICAO, n.RunwayCount, n.RunwayPos, n.ValuesPos) =
                std::tuple(code(), below(1000), below(1 << 30), below(1 << 30));
        std::vector<AltitudeEntry> altitudes(rng() % 8);
        for (auto& e : altitudes) std::tie(e.ICAO, e.Altitude) = std::tuple(code(), below(1000));

        const auto expected = LiteralFindNavennaData(index, database, altitudes);
        std::vector<AirportInfoRecord> info(3);  // replaced, not appended to
        RecordingPort port;
        FindNavennaData(index, database, altitudes, info, port);
        std::vector<InfoRow> rows;
        for (const auto& r : info) rows.emplace_back(r.ICAO, r.RunwayPos, r.ValuesPos, r.RunwayCount);
        ASSERT_EQ(std::tuple(index, port.beeps.size(), rows), expected) << "round " << round;
    }
}

}  // namespace
}  // namespace tarnwell
