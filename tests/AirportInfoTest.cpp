// Arrival lists, the airport information of APT.kr1 and the final index.kr1.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "airports/ArrivalLists.h"
#include "navdata/AirportDatabase.h"
#include "records/RecordLayouts.h"
#include "routeset/AirportInfo.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"

namespace tarnwell {
namespace {

using testing::ErrorOf;
using testing::FileText;
using testing::TempProgramFolder;

// A program state writing into the route set "Set"; Finish commits it.
struct RouteSetRun {
    TempProgramFolder dir;
    ProgramState state{dir.Root()};
    RecordingPort port;

    RouteSetRun() { state.RouteSet.Begin(state.DataFolder(), "Set"); }
    std::filesystem::path Finish() {
        state.RouteSet.Commit();
        return state.DataFolder() / "Set";
    }
    void Airports(const std::vector<std::string>& codes) {
        state.IndexAirports.clear();
        for (const std::string& c : codes) {
            state.IndexAirports.emplace_back();
            state.IndexAirports.back().IATA = c;
            state.IndexAirports.back().ICAO = "E" + c;
        }
    }
    void RoutesTo(const std::vector<std::string>& destinations) {
        state.Routes.clear();
        for (const std::string& d : destinations) {
            state.Routes.emplace_back();
            state.Routes.back().Destination = d;
        }
    }
};

std::vector<std::int32_t> Pointers(const Bytes& file) {
    std::vector<std::int32_t> out;
    for (std::size_t off = 0; off + 4 <= file.size(); off += 4) out.push_back(RecordReader{std::span(file)}.I32(off));
    return out;
}

TEST(ArrivalsPointers, ListsEachAirportsArrivalsInRouteOrder) {
    RouteSetRun run;
    run.Airports({"AAA", "BBB", "CCC"});
    // Routes 0, 4 and 9 reach BBB, routes 1, 3 and 5 CCC, none AAA.
    run.RoutesTo({"BBB", "CCC", "XXX", "CCC", "BBB", "CCC", "ZZZ", "YYY", "ZZZ", "BBB"});
    CreateArrivalsPointers(run.state, run.port);
    const auto folder = run.Finish();

    EXPECT_EQ(Pointers(ReadFileBytes(folder / "arrivals.kr1")), (std::vector<std::int32_t>{1, 129, 289, 33, 97, 161}));
    const auto& a = run.state.IndexAirports;
    EXPECT_EQ(a[0].ArrivalsPos, 0);
    EXPECT_EQ(a[0].ArrivalsCount, 0);
    EXPECT_EQ(a[1].ArrivalsPos, 1);
    EXPECT_EQ(a[1].ArrivalsCount, 3);
    EXPECT_EQ(a[2].ArrivalsPos, 13);
    EXPECT_EQ(a[2].ArrivalsCount, 3);
}

TEST(ArrivalsPointers, ASecondCompileWithFewerRoutesLeavesExactlyTheNewFile) {
    RouteSetRun run;
    run.Airports({"AAA"});
    run.RoutesTo({"AAA", "AAA", "AAA"});
    CreateArrivalsPointers(run.state, run.port);
    run.Finish();
    run.state.RouteSet.Begin(run.state.DataFolder(), "Set");
    run.RoutesTo({"AAA"});
    CreateArrivalsPointers(run.state, run.port);
    EXPECT_EQ(std::filesystem::file_size(run.Finish() / "arrivals.kr1"), 4u);
}

TEST(ArrivalsPointers, MoreArrivalsThanTheCountHoldsIsAnError) {
    RouteSetRun run;
    run.Airports({"AAA"});
    run.RoutesTo(std::vector<std::string>(32768, "AAA"));
    EXPECT_NE(ErrorOf([&] { CreateArrivalsPointers(run.state, run.port); }).find("ArrivalsCount"), std::string::npos);
}

// The lists as a scan of every route for every airport writes them.
Bytes LiteralArrivals(std::vector<IndexAirportRecord>& airports, const std::vector<RouteRecord>& routes) {
    Bytes file;
    for (IndexAirportRecord& airport : airports) {
        std::int16_t c = 0;
        for (std::size_t r = 0; r < routes.size(); ++r) {
            if (airport.IATA.Trimmed() != routes[r].Destination.Trimmed()) continue;
            if (c == 0) airport.ArrivalsPos = static_cast<std::int32_t>(file.size()) + 1;
            ++c;
            file.resize(file.size() + 4);
            RecordWriter{std::span(file).last(4)}.I32(0, 32 * static_cast<std::int32_t>(r) + 1);
        }
        airport.ArrivalsCount = c;
    }
    return file;
}

TEST(ArrivalsPointers, MatchesTheLiteralScanOnRandomTables) {
    std::mt19937 rng(11);
    const std::vector<std::string> codes = {"A", " A", "A  ", "B", "AB", " AB", "A B", "", "   ", "b"};
    for (int round = 0; round < 200; ++round) {
        RouteSetRun run;
        std::vector<std::string> airports(rng() % 6), routes(rng() % 30);
        for (auto& a : airports) a = codes[rng() % codes.size()];
        for (auto& r : routes) r = codes[rng() % codes.size()];
        run.Airports(airports);
        run.RoutesTo(routes);
        for (auto& a : run.state.IndexAirports) a.ArrivalsPos = static_cast<std::int32_t>(rng() % 3) * 7;
        auto expected = run.state.IndexAirports;
        const Bytes expectedFile = LiteralArrivals(expected, run.state.Routes);
        CreateArrivalsPointers(run.state, run.port);
        ASSERT_EQ(ReadFileBytes(run.Finish() / "arrivals.kr1"), expectedFile) << "round " << round;
        ASSERT_EQ(run.state.IndexAirports, expected) << "round " << round;
    }
}

TEST(AirportInfo, FormatsValuesAndHeadingsAsStored) {
    const std::vector<std::pair<float, std::string>> cases = {
        {118.7f, "118.70"}, {5.5f, "005.50"}, {0.0f, "000.00"}, {-5.5f, "-005.5"},
        {1234.5f, "1234.5"}, {110.3f, "110.30"}, {0.004f, "000.00"}, {99.999f, "100.00"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatValue(value).Str(), text) << value;
    EXPECT_NE(ErrorOf([] { FormatValue(std::numeric_limits<float>::quiet_NaN()); }), "no error");

    EXPECT_EQ(NetHeading(10, 15), 355.0f);
    EXPECT_EQ(NetHeading(350, -15), 365.0f);
    EXPECT_EQ(NetHeading(15, 15), 0.0f);
}

NavennaRunwayRecord Runway(const std::string& ident, float heading, float offset, const std::string& ils, float value) {
    NavennaRunwayRecord r;
    r.RunwayIdent = ident;
    r.RunwayData1 = 9000;
    r.RunwayData2 = -150;
    r.Heading = heading;
    r.HeadingOffset = offset;
    r.IlsText = ils;
    r.IlsValue = value;
    return r;
}

// Index airports AAA to EEE; the database knows AAA (2 runways), BBB (none),
// CCC (-1), DDD (1 runway) and not EEE.
struct AirportInfoRun : RouteSetRun {
    std::vector<NavennaAirportRecord> airports;
    std::vector<NavennaValuesRecord> values;
    std::vector<NavennaRunwayRecord> runways;

    AirportInfoRun() {
        Airports({"AAA", "BBB", "CCC", "DDD", "EEE"});
        for (auto& a : state.IndexAirports) a.Altitude = 7;
        // A record of another airport first, so that positions are not all 1.
        Add("XXXX", 0, {});
        Add("EAAA", 2, {Runway("09L", 10, 15, "       ", 0), Runway("27R", 350, -15, "IABC   ", 110.3f)});
        Add("EBBB", 0, {});
        Add("ECCC", -1, {});
        Add("EDDD", 1, {Runway("18", 180, 2.5f, "IDDD   ", 1234.5f)});
        dir.Write("Data/Altitudes.txt", "EAAA,100\r\n\"EBBB\", -20\r\nEAAA,999\r\nEDDD,5\r\n");
    }
    void Add(const std::string& icao, std::int32_t count, const std::vector<NavennaRunwayRecord>& list) {
        NavennaAirportRecord a;
        a.ICAO = icao;
        a.RunwayCount = count;
        a.RunwayPos = static_cast<std::int32_t>(runways.size() * 56 + 1);
        a.ValuesPos = static_cast<std::int32_t>(values.size() * 78 + 1);
        airports.push_back(a);
        NavennaValuesRecord v;
        v.Values = {118.7f, 5.5f, 0, -5.5f, 1234.5f, 121.75f, 0.5f};
        values.push_back(v);
        runways.insert(runways.end(), list.begin(), list.end());
    }
    void WriteDatabase() {
        WriteFileBytes(dir.Data() / "nv_apt1.nv2", EncodeNavennaAirports(airports));
        WriteFileBytes(dir.Data() / "nv_apt2.nv2", EncodeNavennaValues(values));
        WriteFileBytes(dir.Data() / "nv_apt3.nv2", EncodeNavennaRunways(runways));
    }
    std::string Build() {
        WriteDatabase();
        return ErrorOf([&] { BuildAirportInfo(state, port); });
    }
};

TEST(AirportInfo, WritesRunwaysValuesAndTheFinalIndex) {
    AirportInfoRun run;
    ASSERT_EQ(run.Build(), "no error");
    const auto folder = run.Finish();

    const auto index = DecodeIndexFile(ReadFileBytes(folder / "index.kr1"), "index");
    ASSERT_EQ(index.size(), 5u);
    const std::vector<std::int32_t> counts = {2, 0, -1, 1, 0}, positions = {1, 111, 111, 111, 187};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(index[i].RunwayCount, counts[i]) << i;
        EXPECT_EQ(index[i].AptPos, positions[i]) << i;
    }
    // The first match of all four characters replaces the altitude; EEE and
    // CCC are not in the list and keep theirs.
    EXPECT_EQ(index[0].Altitude, 100);
    EXPECT_EQ(index[1].Altitude, -20);
    EXPECT_EQ(index[2].Altitude, 7);
    EXPECT_EQ(index[3].Altitude, 5);
    EXPECT_EQ(run.state.IndexAirports[4].Altitude, 7);

    const Bytes apt = ReadFileBytes(folder / "APT.kr1");
    ASSERT_EQ(apt.size(), 186u);
    const std::span<const std::uint8_t> bytes(apt);
    const AptRunwayRecord first = DecodeAptRunway(bytes.subspan(0, 34));
    EXPECT_EQ(first.RunwayIdent.Str(), "09L  ");
    EXPECT_EQ(first.RunwayData1, 9000);
    EXPECT_EQ(first.RunwayData2, -150);
    EXPECT_EQ(first.Heading, 10.0f);
    EXPECT_EQ(first.NetHeading, 355.0f);
    EXPECT_EQ(first.IlsText.Str(), "NO ILS ");
    EXPECT_EQ(first.IlsValue.Str(), "000.00");
    const AptRunwayRecord second = DecodeAptRunway(bytes.subspan(34, 34));
    EXPECT_EQ(second.NetHeading, 365.0f);
    EXPECT_EQ(second.IlsText.Str(), "IABC   ");
    EXPECT_EQ(second.IlsValue.Str(), "110.30");
    // AAA's values record at position 69, DDD's runway at 111.
    const AptValuesRecord v = DecodeAptValues(bytes.subspan(68, 42));
    const std::vector<std::string> texts = {"118.70", "005.50", "000.00", "-005.5", "1234.5", "121.75", "000.50"};
    for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(v.Values[k].Str(), texts[k]);
    EXPECT_EQ(DecodeAptRunway(bytes.subspan(110, 34)).IlsValue.Str(), "1234.5");

    // CCC and EEE beep (missing from the altitude list), then the step's own beep.
    ASSERT_EQ(run.port.beeps.size(), 3u);
    EXPECT_NE(run.port.beeps[0].reason.find("CCC"), std::string::npos);
    EXPECT_NE(run.port.beeps[1].reason.find("EEE"), std::string::npos);
    EXPECT_EQ(run.port.beeps[2].kind, BeepKind::Finished);
    EXPECT_EQ(run.port.StatusTexts(), (std::vector<std::string>{"Loading Navenna Airports", "Loading Altitudes",
                                                                "Finding Navenna Data", "Writing Index File"}));
}

// The lookups as a scan of every record for every airport makes them.
void LiteralFindNavennaData(ProgramState& s, std::vector<AirportInfoRecord>& info, std::vector<std::int32_t>& altitude) {
    for (const IndexAirportRecord& a : s.IndexAirports) {
        AirportInfoRecord r;
        r.ICAO = a.ICAO;
        for (const NavennaAirportRecord& n : s.NavennaAirports)
            if (n.ICAO.Trimmed() == a.ICAO.Trimmed()) {
                r.RunwayPos = n.RunwayPos;
                r.ValuesPos = n.ValuesPos;
                r.RunwayCount = n.RunwayCount;
                break;
            }
        info.push_back(r);
        std::int32_t alt = a.Altitude;
        for (const AltitudeEntry& e : s.Altitudes)
            if (e.ICAO == a.ICAO) {
                alt = e.Altitude;
                break;
            }
        altitude.push_back(alt);
    }
}

TEST(AirportInfo, LookupsMatchTheLiteralScanOnRandomTables) {
    std::mt19937 rng(5);
    const std::vector<std::string> codes = {"EG", " EG", "EG  ", "EGLL", "EGL", "E GL", "", "    ", "eg"};
    auto code = [&] { return codes[rng() % codes.size()]; };
    for (int round = 0; round < 200; ++round) {
        TempProgramFolder dir;
        ProgramState s(dir.Root());
        RecordingPort port;
        s.IndexAirports.resize(rng() % 6);
        for (auto& a : s.IndexAirports) {
            if (rng() % 5) a.ICAO = code();  // else never assigned
            a.Altitude = static_cast<std::int32_t>(rng() % 100);
        }
        s.NavennaAirports.resize(rng() % 8);
        for (auto& n : s.NavennaAirports) {
            n.ICAO = code();
            n.RunwayCount = static_cast<std::int32_t>(rng() % 1000);
            n.RunwayPos = static_cast<std::int32_t>(rng());
            n.ValuesPos = static_cast<std::int32_t>(rng());
        }
        s.Altitudes.resize(rng() % 8);
        for (auto& e : s.Altitudes) {
            e.ICAO = code();
            e.Altitude = static_cast<std::int32_t>(rng() % 1000);
        }
        std::vector<AirportInfoRecord> info;
        std::vector<std::int32_t> altitude;
        LiteralFindNavennaData(s, info, altitude);
        FindNavennaData(s, port);
        ASSERT_EQ(s.AirportInfo.size(), info.size());
        for (std::size_t i = 0; i < info.size(); ++i) {
            const auto fields = [](const AirportInfoRecord& r) {
                return std::tuple(r.ICAO, r.RunwayPos, r.ValuesPos, r.RunwayCount);
            };
            ASSERT_EQ(fields(s.AirportInfo[i]), fields(info[i])) << round;
            ASSERT_EQ(s.IndexAirports[i].Altitude, altitude[i]) << round;
        }
    }
}

TEST(AirportInfo, DatabaseFaultsNameTheAirportAndTheFile) {
    {
        AirportInfoRun run;
        run.WriteDatabase();
        std::filesystem::remove(run.dir.Data() / "nv_apt3.nv2");
        const std::string e = ErrorOf([&] { BuildAirportInfo(run.state, run.port); });
        EXPECT_NE(e.find("AAA (EAAA)"), std::string::npos) << e;
        EXPECT_NE(e.find("nv_apt3.nv2, which is missing"), std::string::npos) << e;
    }
    {
        AirportInfoRun run;
        run.airports[4].RunwayPos = 5 * 56 + 1;  // DDD's runway beyond the end of the file
        const std::string e = run.Build();
        EXPECT_NE(e.find("nv_apt3.nv2"), std::string::npos) << e;
        EXPECT_NE(e.find("DDD (EDDD)"), std::string::npos) << e;
    }
    {
        AirportInfoRun run;
        run.airports[1].RunwayCount = std::numeric_limits<std::int32_t>::max();
        EXPECT_NE(run.Build().find("AAA (EAAA)"), std::string::npos);
    }
    {
        AirportInfoRun run;
        run.airports[4].ValuesPos = 5 * 78 - 76;  // the last value would end one byte beyond
        const std::string e = run.Build();
        EXPECT_NE(e.find("nv_apt2.nv2"), std::string::npos) << e;
        EXPECT_NE(e.find("DDD (EDDD)"), std::string::npos) << e;
        run.airports[4].ValuesPos = 5 * 78 - 77;  // the last value ends at the file's last byte
        EXPECT_EQ(run.Build(), "no error");
    }
    {
        AirportInfoRun run;
        run.values[1].Values[3] = std::numeric_limits<float>::infinity();
        EXPECT_NE(run.Build().find("AAA (EAAA), value 4"), std::string::npos);
    }
    {
        AirportInfoRun run;
        run.airports.clear();
        EXPECT_NE(run.Build().find("holds no airport"), std::string::npos);
    }
}

TEST(AirportInfo, AltitudeListFaultsNameTheLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"EGLL,100\r\nEGKK,high\r\n", "line 2, field 2 (Altitude)"},
        {"EGLL,100\r\nEGKK\r\nEGSS,1\r\n", "line 2, field 2"},
        {"EGLL,100,5\r\n", "line 1, field 3"},
        {"EGLL,3000000000\r\n", "line 1"},
    };
    for (const auto& [text, place] : cases) {
        AirportInfoRun run;
        run.dir.Write("Data/Altitudes.txt", text);
        const std::string e = run.Build();
        EXPECT_NE(e.find(place), std::string::npos) << e;
    }
    AirportInfoRun run;
    std::string full;
    for (int k = 0; k < AltitudeCapacity; ++k) full += "EGLL,1\r\n";
    run.dir.Write("Data/Altitudes.txt", full);
    ASSERT_EQ(run.Build(), "no error");
    run.dir.Write("Data/Altitudes.txt", full + "\r\nEGKK,2\r\n");
    EXPECT_NE(run.Build().find("line 22003"), std::string::npos);
    std::filesystem::remove(run.dir.Data() / "Altitudes.txt");
    EXPECT_NE(run.Build().find("missing"), std::string::npos);
}

}  // namespace
}  // namespace tarnwell
