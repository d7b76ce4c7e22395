// The airline picker's lists and the real-world merge that writes the add file.

#include <array>
#include <functional>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "common/TextFile.h"
#include "realworld/RealWorldData.h"
#include "realworld/RealWorldMerge.h"
#include "records/RecordLayouts.h"
#include "timetable/TimetableFile.h"
#include "realworld/AirlinePicker.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"
#include "TestSupport.h"

using namespace tarnwell;
using tarnwell::testing::FileText;
using tarnwell::testing::Flight;
using tarnwell::testing::RunCli;
using tarnwell::testing::TempProgramFolder;
namespace fs = std::filesystem;

namespace {

AirlineRecord Airline(const std::string& code, const std::string& name, const std::string& extra = "") {
    AirlineRecord a;
    a.Code = code;
    a.Name = name;
    a.Extra = extra;
    return a;
}

RouteRecord RealRoute(const std::string& airline, const std::string& origin, const std::string& dest,
                      std::int16_t originIndex, std::int16_t destIndex) {
    RouteRecord r;
    r.Airline = airline;
    r.Origin = origin;
    r.Destination = dest;
    r.OriginIndex = originIndex;
    r.DestIndex = destIndex;
    r.FlightNumber = static_cast<std::int16_t>(100 + originIndex * 10 + destIndex);
    r.Equipment = "320";
    r.DepartTime = 700;
    r.ArriveTime = 845;
    r.DayMask = 31;
    r.CodeLetter = "B";
    r.MaskBits = 5;
    return r;
}

std::string Line(const ScheduleRecord& flight) {
    TextLineWriter out;
    WriteScheduleLine(out, flight);
    return out.Content();
}

// A program folder with a real-world route set over AAA BBB XXX YYY (index
// 0 to 3) and three real-world airlines; the timetable flies AAA-BBB-CCC.
struct Merge {
    TempProgramFolder dir;
    ProgramState state{dir.Root()};
    RecordingPort port;
    std::vector<IndexAirportRecord> index;
    std::vector<RouteRecord> routes = {
        RealRoute("BA", "AAA", "XXX", 0, 2),   // leaves a timetable airport
        RealRoute("LH", "AAA", "BBB", 0, 1),   // airline not chosen
        RealRoute("EZY", "XXX", "YYY", 2, 3),  // touches no timetable airport
        RealRoute(" BA", "XXX", "CCC", 2, 3),  // reaches the last flight's destination
        RealRoute("ba", "AAA", "BBB", 0, 1),   // codes are case-sensitive
        RealRoute("EZY", "YYY", "BBB", 3, 1),  // reaches a timetable airport
    };

    Merge() {
        state.RealAirlines = {Airline("BA", " British Airways ", "SPEEDBIRD"), Airline("EZY", "easyJet"),
                              Airline("LH", "Lufthansa")};
        for (const char* code : {"AAA", "BBB", "XXX", "YYY"}) {
            index.emplace_back();
            index.back().IATA = code;
            index.back().ICAO = std::string("E") + code;
        }
        port.fileToChoose = dir.Write("va.KRX", Flight("AAA", "BBB") + Flight("BBB", "CCC"));
    }
    fs::path Defaults(const char* name) const { return dir.Data() / "Defaults" / name; }
    MergeOutcome Run(std::vector<std::int32_t> chosen) {
        WriteFileBytes(Defaults("Routes.kr1"), EncodeRouteFile(routes));
        WriteFileBytes(Defaults("index.kr1"), EncodeIndexFile(index));
        port.chosen = std::move(chosen);
        port.statuses.clear();
        return GetRealWorldData(state, port);
    }
    std::string LineOf(std::size_t r) const {
        const RouteRecord& route = routes[r];
        return Line(AddedFlight(route, index[static_cast<std::size_t>(route.OriginIndex)].ICAO,
                                index[static_cast<std::size_t>(route.DestIndex)].ICAO));
    }
};

}  // namespace

TEST(AddFileLine, CarriesEveryFieldAndGivesBackTheRoutesFlags) {
    RouteRecord r = RealRoute("BA", "LB", "EDI", 0, 0);
    r.FlightNumber = -12;
    r.Equipment = "";
    r.DayMask = 65;
    r.CodeLetter = "C";
    r.MaskBits = 16 + 2;
    EXPECT_EQ(Line(AddedFlight(r, FixedText<4>("EGNM"), FixedText<4>("EGP"))),
              "LB ,EDI,EGNM,EGP ,BA ,-12 ,   , 700 , 845 , 1 , 0 , 0 , 0 , 0 , 0 , 1 , 1 , 0 , 1 , 1 , 0 , 0 , 1 , 0 \r\n");

    const std::map<std::string, std::array<int, 3>> letters = {
        {"A", {1, 1, 1}}, {"B", {1, 1, 0}}, {"C", {1, 0, 1}}, {"D", {1, 0, 0}}, {"E", {0, 1, 0}},
        {"F", {0, 0, 1}}, {"G", {0, 1, 1}}, {"c", {0, 0, 0}}, {"H", {0, 0, 0}}, {" ", {0, 0, 0}}};
    for (const auto& [letter, flags] : letters) {
        r.CodeLetter = letter;
        const ScheduleRecord f = AddedFlight(r, {}, {});
        EXPECT_EQ((std::array<int, 3>{f.LetterFlagX, f.LetterFlagY, f.LetterFlagZ}), flags) << letter;
    }

    // Read back and made a route again, every day mask, letter and mask gives itself.
    std::string text;
    std::vector<RouteRecord> made;
    for (unsigned days = 0; days < 128; ++days)
        for (const char letter : std::string("ABCDEFG"))
            for (unsigned masks = 0; masks < 32; ++masks) {
                r.DayMask = static_cast<std::uint8_t>(days);
                r.CodeLetter = std::string(1, letter);
                r.MaskBits = static_cast<std::uint8_t>(masks);
                made.push_back(r);
                text += Line(AddedFlight(r, {}, {}));
            }
    const auto flights = ReadScheduleText("add", text, false);
    ASSERT_EQ(flights.size(), made.size());
    for (std::size_t i = 0; i < made.size(); ++i) {
        ASSERT_EQ(DayMaskOf(flights[i]), made[i].DayMask) << i;
        ASSERT_EQ(CodeLetterOf(flights[i]), made[i].CodeLetter.chars[0]) << i;
        ASSERT_EQ(MaskBitsOf(flights[i]), made[i].MaskBits) << i;
        ASSERT_EQ(flights[i].Equipment.View(), "   ");
    }
}

TEST(GetRealWorldData, AddsTheChosenAirlinesRoutesTouchingTheTimetable) {
    Merge m;
    m.state.AirlineInfo[3] = Airline("OLD", "Kept");
    const MergeOutcome outcome = m.Run({0, 1});
    ASSERT_EQ(outcome.result, CompileOutcome::Result::Finished) << outcome.reason;
    EXPECT_EQ(outcome.addedRoutes, 3);
    EXPECT_EQ(FileText(m.dir.AddFile()), m.LineOf(0) + m.LineOf(3) + m.LineOf(5));
    EXPECT_EQ(m.port.messages,
              std::vector<std::string>{"Select the .KRX file you will be adding the real world airline data to."});
    EXPECT_EQ(m.port.StatusTexts(),
              (std::vector<std::string>{"Getting VA Data", "Loading Routes", "Loading Indexes", "Adding 1 Routes",
                                        "Adding 2 Routes", "Adding 3 Routes", "Finished Getting Data"}));
    EXPECT_EQ(m.state.AirlineInfo[1], Airline("BA", "British Airways", "SPEEDBIRD"));
    EXPECT_EQ(m.state.AirlineInfo[2], Airline("EZY", "easyJet"));
    EXPECT_EQ(m.state.AirlineInfo[3], Airline("OLD", "Kept"));
    EXPECT_EQ(m.state.MergeAirportCodes, (std::vector<FixedText<3>>{FixedText<3>("AAA"), FixedText<3>("BBB"),
                                                                   FixedText<3>("CCC")}));

    // The same airline twice: the same lines, two airline entries.
    ASSERT_EQ(m.Run({0, 0, 1}).result, CompileOutcome::Result::Finished);
    EXPECT_EQ(FileText(m.dir.AddFile()), m.LineOf(0) + m.LineOf(3) + m.LineOf(5));
    EXPECT_EQ(m.state.AirlineInfo[2], m.state.AirlineInfo[1]);
    EXPECT_EQ(m.state.AirlineInfo[3], Airline("EZY", "easyJet"));

    // Nothing selected: an empty add file.
    m.routes.erase(m.routes.begin() + 1);
    ASSERT_EQ(m.Run({2}).result, CompileOutcome::Result::Finished);
    EXPECT_EQ(FileText(m.dir.AddFile()), "");
}

TEST(GetRealWorldData, AMergeThatDoesNotFinishChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(Merge&)> spoil;
        std::vector<std::int32_t> chosen;
        std::string failedStatus;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"no airline", [](Merge&) {}, {}, "Getting VA Data", "no real-world airline was chosen"},
        {"eleven airlines", [](Merge&) {}, std::vector<std::int32_t>(11, 1), "Getting VA Data",
         "the route set holds at most ten real-world airlines; 11 were chosen"},
        {"unknown item", [](Merge&) {}, {3}, "Getting VA Data", "item number 3 names no real-world airline"},
        {"bad timetable", [](Merge& m) { m.dir.Write("va.KRX", "AAA,BBB,EAAA,EBBB,TWL,x"); }, {0},
         "Getting VA Data", "field 6 (FlightNumber)"},
        {"no routes", [](Merge& m) { m.routes.clear(); }, {0}, "Loading Routes", "Routes.kr1: the real-world route set file is empty"},
        {"no index", [](Merge& m) { m.index.clear(); }, {0}, "Loading Indexes", "index.kr1: the real-world route set file is empty"},
        {"bad index", [](Merge& m) { m.routes[3].DestIndex = 9; }, {0}, "Loading Indexes",
         "record 3: DestIndex 9 names no airport of index.kr1, which holds 4"},
        {"unwritable text", [](Merge& m) { m.routes[3].Destination = "\"A,"; m.routes[3].Origin = "AAA"; }, {0},
         "Loading Indexes", "Routes.kr1, record 3: the text"},
    };
    for (const Case& c : cases) {
        Merge m;
        m.dir.Write("Data/Defaults/carrierADD.txt", "older");
        m.state.AirlineInfo[1] = Airline("OLD", "Kept");
        const auto before = m.state.AirlineInfo;
        c.spoil(m);
        const MergeOutcome outcome = m.Run(c.chosen);
        EXPECT_EQ(outcome.result, CompileOutcome::Result::Failed) << c.name;
        EXPECT_EQ(outcome.failedStatus, c.failedStatus) << c.name;
        EXPECT_NE(outcome.reason.find(c.reason), std::string::npos) << c.name << ": " << outcome.reason;
        EXPECT_EQ(m.port.currentStatus, "Finished Getting Data") << c.name;
        EXPECT_EQ(FileText(m.dir.AddFile()), "older") << c.name;
        EXPECT_FALSE(fs::exists(PendingPath(m.dir.AddFile()))) << c.name;
        EXPECT_TRUE(m.state.AirlineInfo == before) << c.name;
    }

    Merge cancelled;
    cancelled.port.fileToChoose.reset();
    EXPECT_EQ(cancelled.Run({0}).result, CompileOutcome::Result::Cancelled);
    EXPECT_EQ(cancelled.port.StatusTexts(), std::vector<std::string>{"Finished Getting Data"});
    EXPECT_FALSE(fs::exists(cancelled.dir.AddFile()));
}

TEST(ReadMergeTimetable, DistinctCodesInCharacterOrderWithinCapacity) {
    TempProgramFolder dir;
    ProgramState state(dir.Root());
    ReadMergeTimetable(state, dir.Write("t.KRX", Flight("b", "A") + Flight("\" B\"", "A") + Flight("A", "b")));
    EXPECT_EQ(state.MergeAirportCodes, (std::vector<FixedText<3>>{FixedText<3>(" B"), FixedText<3>("A"),
                                                                 FixedText<3>("b")}));
    EXPECT_EQ(state.Schedule.size(), 3u);

    std::string many;
    const auto code = [](int n) { return std::string{char('A' + n / 676), char('A' + n / 26 % 26), char('A' + n % 26)}; };
    for (int i = 0; i < 2501; ++i) many += Flight(code(2 * i), code(2 * i + 1));
    EXPECT_NE(tarnwell::testing::ErrorOf([&] { ReadMergeTimetable(state, dir.Write("m.KRX", many)); })
                  .find("5002 distinct airport codes; the merge holds at most 5001"),
              std::string::npos);
    std::string flights;
    for (int i = 0; i < 50001; ++i) flights += Flight("AAA", "BBB");
    EXPECT_NE(tarnwell::testing::ErrorOf([&] { ReadMergeTimetable(state, dir.Write("f.KRX", flights)); })
                  .find("50001 flights; the merge reads the airports of at most 50000"),
              std::string::npos);
}

// The hashed selection against the literal scan: every chosen airline, then
// every timetable code, trimmed at each comparison.
TEST(SelectRealWorldRoutes, MatchesTheLiteralScanOnRandomTables) {
    std::mt19937 rng(7);
    const std::string chars = "AB a";
    const auto code = [&] {
        std::string s;
        for (int i = 0; i < 3; ++i) s += chars[rng() % chars.size()];
        return FixedText<3>(s);
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<RouteRecord> routes(300);
        for (RouteRecord& r : routes) {
            r.Airline = code();
            r.Origin = code();
            r.Destination = code();
        }
        std::vector<std::string> chosen;
        for (unsigned k = rng() % 4; k > 0; --k) chosen.emplace_back(code().Trimmed());
        std::vector<FixedText<3>> airports;
        for (unsigned k = rng() % 12; k > 0; --k) airports.push_back(code());

        std::vector<std::int32_t> literal;
        for (std::size_t r = 0; r < routes.size(); ++r) {
            bool selected = false;
            for (std::size_t a = 0; a < chosen.size() && !selected; ++a) {
                if (routes[r].Airline.Trimmed() != chosen[a]) continue;
                for (std::size_t q = 0; q < airports.size() && !selected; ++q)
                    selected = routes[r].Destination.Trimmed() == airports[q].Trimmed() ||
                               routes[r].Origin.Trimmed() == airports[q].Trimmed();
            }
            if (selected) literal.push_back(static_cast<std::int32_t>(r));
        }
        ASSERT_EQ(SelectRealWorldRoutes(routes, chosen, airports), literal) << "round " << round;
    }
}

TEST(AirlinePicker, ListsSortedNamesAndKeepsTheChoiceUntilClosed) {
    const std::vector<AirlineRecord> airlines = {Airline("ZZ", "  Zeta Air"), Airline("AL", "Alpha"),
                                                 Airline("ALX", "alpha"), Airline("DUP", "Alpha"),
                                                 Airline("BET", "beta")};
    EXPECT_TRUE(RealAirlineEntries({}).empty());

    AirlinePicker picker(airlines);
    EXPECT_TRUE(picker.ChosenAirlines().empty());  // reading creates the window, hidden
    EXPECT_TRUE(picker.Exists());
    EXPECT_FALSE(picker.Visible());

    AirlineForm& form = picker.Show();
    EXPECT_EQ(form.RealList(), (std::vector<PickerEntry>{{"Alpha", 1}, {"Alpha", 3}, {"alpha", 2}, {"beta", 4},
                                                          {"Zeta Air", 0}}));
    form.AddAirline(std::nullopt);
    form.RemoveAirline(std::nullopt);
    form.AddAirline(99);
    form.AddAirline(4);
    form.AddAirline(0);
    form.AddAirline(0);
    EXPECT_EQ(form.AddedList(), (std::vector<PickerEntry>{{"ZZ  - Zeta Air", 0}, {"AL  - Alpha", 1},
                                                           {"AL  - Alpha", 1}}));
    form.RemoveAirline(1);
    picker.Finish();
    EXPECT_FALSE(picker.Visible());
    EXPECT_EQ(picker.Show().AddedList().size(), 2u);
    EXPECT_EQ(picker.ChosenAirlines(), (std::vector<std::int32_t>{0, 1}));

    picker.Close();
    EXPECT_FALSE(picker.Exists());
    EXPECT_TRUE(picker.Show().AddedList().empty());
    EXPECT_EQ(picker.Show().RealList().size(), airlines.size());
    EXPECT_EQ(AddedEntryText(Airline(" Q", "x"), "Quiet"), "Q  - Quiet");
}

TEST(CommandLine, ListsRealAirlinesAndMergesThem) {
    Merge m;
    WriteFileBytes(m.dir.Data() / "airline.kr1", EncodeAirlineFile(m.state.RealAirlines));
    WriteFileBytes(m.Defaults("Routes.kr1"), EncodeRouteFile(m.routes));
    WriteFileBytes(m.Defaults("index.kr1"), EncodeIndexFile(m.index));
    const std::string root = "--root \"" + PathText(m.dir.Root()) + "\" ";
    const std::string timetable = "\"" + PathText(*m.port.fileToChoose) + "\" ";

    auto r = RunCli(m.dir, root + "airlines");
    EXPECT_EQ(r.out, "#0     BA   British Airways\n#1     EZY  easyJet\n#2     LH   Lufthansa\n");
    EXPECT_EQ(RunCli(m.dir, root + "airlines JET").out, "#1     EZY  easyJet\n");
    EXPECT_EQ(RunCli(m.dir, root + "airlines nothing").exitCode, 1);

    r = RunCli(m.dir, root + "merge " + timetable + "--real-world-airline BA --real-world-airline \"#1\"");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("3 flights"), std::string::npos) << r.out;
    EXPECT_EQ(FileText(m.dir.AddFile()), m.LineOf(0) + m.LineOf(3) + m.LineOf(5));

    // Failures say why and keep the add file.
    r = RunCli(m.dir, root + "merge " + timetable + "--real-world-airline XX");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("\"XX\" names no real-world airline"), std::string::npos) << r.err;
    std::string eleven;
    for (int i = 0; i < 11; ++i) eleven += "--real-world-airline LH ";
    r = RunCli(m.dir, root + "merge " + timetable + eleven);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("at most ten real-world airlines"), std::string::npos) << r.err;
    fs::remove(m.Defaults("Routes.kr1"));
    r = RunCli(m.dir, root + "merge " + timetable + "--real-world-airline LH");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("failed at \"Loading Routes\""), std::string::npos) << r.err;
    EXPECT_EQ(FileText(m.dir.AddFile()), m.LineOf(0) + m.LineOf(3) + m.LineOf(5));

    EXPECT_EQ(RunCli(m.dir, root + "merge " + timetable).exitCode, 2);
    EXPECT_EQ(RunCli(m.dir, root + "check X --real-world-airline BA").exitCode, 2);
}
