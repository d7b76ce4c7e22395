// The real-world pieces: the airline list imported from CSV (the exact
// records, errors that name the line and keep the old list) and offered by
// the picker; the add file line made of a route, the timetable's airport
// codes and the hashed route selection.

#include <array>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "common/FileReplace.h"
#include "realworld/AirlineCsv.h"
#include "realworld/AirlinePicker.h"
#include "realworld/RealWorldFolder.h"
#include "timetable/RouteTable.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

// One record of airline.kr1: code, name and extra, each blank-padded.
static std::string AirlineBytes(const std::string& code, const std::string& name, const std::string& extra) {
    return code + std::string(3 - code.size(), ' ') + name + std::string(39 - name.size(), ' ') + extra +
           std::string(24 - extra.size(), ' ');
}

TEST(ImportAirlines, WritesExactRecordsFromQuotedUtf8CsvOrNothing) {
    TempProgramFolder dir;
    // Columns found by name; "" is a quote; an empty line is skipped; a
    // quoted field may span lines; the last line needs no line end.
    const fs::path csv = dir.Write("a.csv",
                                   "name,Code,extra\r\n"
                                   "British Airways,BAW,SPEEDBIRD\r\n"
                                   "\"Quote \"\"Q\"\", Air\",QQX9,\"A,B\"\r\n"
                                   "\r\n"
                                   "Caf\xC3\xA9 \xCE\xA9 \xE2\x82\xAC Airways of a Very Long Name Indeed,CAF,\n"
                                   "\"Two\r\nLines\",TWO,x");
    EXPECT_EQ(ImportAirlines(dir.Data(), csv).size(), 4u);
    const std::string written = FileText(dir.Data() / "airline.kr1");
    EXPECT_EQ(written, AirlineBytes("BAW", "British Airways", "SPEEDBIRD") +
                           AirlineBytes("QQX", "Quote \"Q\", Air", "A,B") +
                           AirlineBytes("CAF", "Caf\xE9 ? \x80 Airways of a Very Long Name In", "") +
                           AirlineBytes("TWO", "Two\r\nLines", "x"));

    // Malformed files name the line and keep the list as it was.
    const std::pair<std::string, std::string> cases[] = {
        {"code,name,extra\r\nBAW,British Airways,X\r\nDLH,Lufthansa\r\n", "line 3, record 1: the row has 2 fields"},
        {"code,name,extra\r\nBAW,British Airways,X\r\n  ,Nobody,X\r\n",
         "line 3, field 1 (code), record 1: the airline code is empty"},
        {"code,name,extra\r\nBAW,\"Unclosed,X\r\n", "line 2: a quoted field has no closing quote"},
        {"code,name\r\nBAW,British Airways\r\n", "no column \"extra\""},
        {"code,name,extra\r\n", "no airline"},
        {"code,name,extra" + std::string(1 << 20, ','), "line 1: the row has more than 256 fields"},
    };
    for (const auto& [content, expected] : cases) {
        const std::string error = ErrorOf([&] { ImportAirlines(dir.Data(), dir.Write("bad.csv", content)); });
        EXPECT_NE(error.find(expected), std::string::npos) << error;
    }
    EXPECT_EQ(FileText(dir.Data() / "airline.kr1"), written);
    EXPECT_FALSE(fs::exists(PendingPath(dir.Data() / "airline.kr1")));
}

// The picker's window life is driven through the desktop tests; here its
// order: both cases together, ties by character codes, then item number.
TEST(AirlinePicker, SortsNamesAndShowsChosenCodesAtFullWidth) {
    EXPECT_EQ(RealAirlineEntries(std::vector<AirlineRecord>{Airline("ZZ", "  Zeta Air"), Airline("AL", "Alpha"),
                                                            Airline("ALX", "alpha"), Airline("DUP", "Alpha"),
                                                            Airline("BET", "beta")}),
              (std::vector<PickerEntry>{{"Alpha", 1}, {"Alpha", 3}, {"alpha", 2}, {"beta", 4}, {"Zeta Air", 0}}));
    EXPECT_EQ(AddedEntryText(Airline(" Q", "x"), "Quiet"), "Q  - Quiet");
}

TEST(AddedFlight, WritesEveryFieldAndGivesBackTheRoutesFlags) {
    RouteRecord r = RealRoute("BA", "LB", "EDI", 0, 0);
    r.FlightNumber = -12, r.Equipment = "", r.DepartTime = 700, r.ArriveTime = 845;
    r.DayMask = 65, r.CodeLetter = "C", r.MaskBits = 16 + 2;
    EXPECT_EQ(
        ScheduleLine(AddedFlight(r, FixedText<4>("EGNM"), FixedText<4>("EGP"))),
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
                r.DayMask = static_cast<std::uint8_t>(days), r.MaskBits = static_cast<std::uint8_t>(masks);
                r.CodeLetter = std::string(1, letter);
                made.push_back(r);
                text += ScheduleLine(AddedFlight(r, {}, {}));
            }
    const auto flights = ReadScheduleText("add", text, false);
    ASSERT_EQ(flights.size(), made.size());
    for (std::size_t i = 0; i < made.size(); ++i)
        ASSERT_EQ(std::tuple(DayMaskOf(flights[i]), CodeLetterOf(flights[i]), MaskBitsOf(flights[i]),
                             flights[i].Equipment.View()),
                  std::tuple(made[i].DayMask, made[i].CodeLetter.chars[0], made[i].MaskBits, "   "))
            << i;
}

TEST(ReadMergeTimetable, DistinctCodesInCharacterOrderWithinCapacity) {
    TempProgramFolder dir;
    EXPECT_EQ(ReadMergeTimetable(dir.Write("t.KRX", Flight("b", "A") + Flight("\" B\"", "A") + Flight("A", "b"))),
              (std::vector<FixedText<3>>{FixedText<3>(" B"), FixedText<3>("A"), FixedText<3>("b")}));

    const auto code = [](int n) {
        return std::string{char('A' + n / 676), char('A' + n / 26 % 26), char('A' + n % 26)};
    };
    std::string many, flights;
    for (int i = 0; i < 2501; ++i) many += Flight(code(2 * i), code(2 * i + 1));
    for (int i = 0; i < 50001; ++i) flights += Flight("AAA", "BBB");
    EXPECT_NE(ErrorOf([&] { ReadMergeTimetable(dir.Write("m.KRX", many)); })
                  .find("5002 distinct airport codes; the merge holds at most 5001"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { ReadMergeTimetable(dir.Write("m.KRX", flights)); })
                  .find("50001 flights; the merge reads the airports of at most 50000"), std::string::npos);
}

// The hashed selection against the literal scan: every chosen airline, then
// every timetable code, trimmed at each comparison.
TEST(SelectRealWorldRoutes, MatchesTheLiteralScanOnRandomTables) {
    std::mt19937 rng(7);
    const std::string chars = "AB a";
    const auto code = [&] { return FixedText<3>(std::string{chars[rng() % 4], chars[rng() % 4], chars[rng() % 4]}); };
    for (int round = 0; round < 200; ++round) {
        std::vector<RouteRecord> routes(300);
        for (RouteRecord& r : routes) r.Airline = code(), r.Origin = code(), r.Destination = code();
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
