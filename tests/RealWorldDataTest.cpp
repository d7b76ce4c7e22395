// The real-world airline list from CSV, and the real-world route set built
// from a timetable of real flights.

#include <gtest/gtest.h>

#include "plans/FlightPlans.h"
#include "realworld/RealWorldData.h"
#include "records/RecordLayouts.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"
#include "TestSupport.h"

using namespace tarnwell;
using tarnwell::testing::ErrorOf;
using tarnwell::testing::FileText;
using tarnwell::testing::Flight;
using tarnwell::testing::NavAirportAt;
using tarnwell::testing::RunCli;
using tarnwell::testing::TempProgramFolder;
using tarnwell::testing::WriteNavData;
namespace fs = std::filesystem;

namespace {

std::string AirlineBytes(const std::string& code, const std::string& name, const std::string& extra) {
    return code + std::string(3 - code.size(), ' ') + name + std::string(39 - name.size(), ' ') + extra +
           std::string(24 - extra.size(), ' ');
}

std::string Root(const TempProgramFolder& dir) { return "--root \"" + PathText(dir.Root()) + "\" "; }

}  // namespace

TEST(ImportAirlines, WritesExactRecordsFromQuotedUtf8Csv) {
    TempProgramFolder dir;
    ProgramState state(dir.Root());
    // Columns found by name; "" is a quote; an empty line is skipped; a
    // quoted field may span lines; the last line needs no line end.
    const fs::path csv = dir.Write("a.csv",
                                   "name,Code,extra\r\n"
                                   "British Airways,BAW,SPEEDBIRD\r\n"
                                   "\"Quote \"\"Q\"\", Air\",QQX9,\"A,B\"\r\n"
                                   "\r\n"
                                   "Caf\xC3\xA9 \xCE\xA9 \xE2\x82\xAC Airways of a Very Long Name Indeed,CAF,\n"
                                   "\"Two\r\nLines\",TWO,x");
    EXPECT_EQ(ImportAirlines(state, csv), 4u);
    EXPECT_EQ(FileText(dir.Data() / "airline.kr1"),
              AirlineBytes("BAW", "British Airways", "SPEEDBIRD") + AirlineBytes("QQX", "Quote \"Q\", Air", "A,B") +
                  AirlineBytes("CAF", "Caf\xE9 ? \x80 Airways of a Very Long Name In", "") +
                  AirlineBytes("TWO", "Two\r\nLines", "x"));
    EXPECT_EQ(state.RealAirlines.size(), 4u);
    EXPECT_EQ(state.RealAirlines[1].Name.Trimmed(), "Quote \"Q\", Air");
}

TEST(ImportAirlines, MalformedFilesNameTheLineAndKeepTheOldList) {
    TempProgramFolder dir;
    ProgramState state(dir.Root());
    const std::string old = AirlineBytes("OLD", "Old Airline", "");
    dir.Write("Data/airline.kr1", old);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"code,name,extra\r\nBAW,British Airways,X\r\nDLH,Lufthansa\r\n", "line 3, record 1: the row has 2 fields"},
        {"code,name,extra\r\nBAW,British Airways,X\r\n  ,Nobody,X\r\n",
         "line 3, field 1 (code), record 1: the airline code is empty"},
        {"code,name,extra\r\nBAW,\"Unclosed,X\r\n", "line 2: a quoted field has no closing quote"},
        {"code,name\r\nBAW,British Airways\r\n", "no column \"extra\""},
        {"code,name,extra\r\n", "no airline"},
    };
    for (const auto& [content, expected] : cases) {
        const fs::path csv = dir.Write("bad.csv", content);
        const std::string error = ErrorOf([&] { ImportAirlines(state, csv); });
        EXPECT_NE(error.find(expected), std::string::npos) << error;
    }
    EXPECT_EQ(FileText(dir.Data() / "airline.kr1"), old);
    EXPECT_FALSE(fs::exists(PendingPath(dir.Data() / "airline.kr1")));
}

namespace {

struct DefaultsBuild {
    TempProgramFolder dir;
    ProgramState state{dir.Root()};
    RecordingPort port;

    DefaultsBuild() {
        // DDD is not in the navigation airports.
        WriteNavData(dir, {NavAirportAt("EAAA", 0, 0, 100), NavAirportAt("EBBB", 0, 1), NavAirportAt("ECCC", 1, 0)});
        LoadNavAirports(state, port);
    }
    fs::path Defaults(const char* name) const { return dir.Data() / "Defaults" / name; }
    CompileOutcome Run(const std::string& timetable) {
        return BuildDefaults(state, port, dir.Write("real.KRX", timetable));
    }
};

const std::string RealTimetable = Flight("BBB", "AAA", 1) + Flight("AAA", "DDD", 2) + Flight("AAA", "BBB", 3);

}  // namespace

TEST(BuildDefaults, WritesTheCompilesRecordsAndLeavesTheAddFile) {
    DefaultsBuild b;
    const std::string addFile = "not even a timetable";
    b.dir.Write("Data/Defaults/carrierADD.txt", addFile);
    const CompileOutcome outcome = b.Run(RealTimetable);
    ASSERT_EQ(outcome.result, CompileOutcome::Result::Finished) << outcome.reason;
    std::vector<std::string> steps;
    for (const auto& s : b.port.statuses)
        if (s.kind == StatusKind::Step) steps.push_back(s.text);
    EXPECT_EQ(steps, (std::vector<std::string>{"Getting VA Data", "Sorting VA Data", "Moving Data to Routes",
                                               "Finding Index Airports", "Looking up Index Airport Information",
                                               "Cross matching Index to Routes", "Cross Matching Routes to Index",
                                               "Calculating Orvanta Miles", "Writing Data Files", "Finished!"}));
    ASSERT_EQ(b.port.beeps.size(), 2u);
    EXPECT_NE(b.port.beeps[0].reason.find("DDD"), std::string::npos);
    EXPECT_EQ(FileText(b.dir.AddFile()), addFile);

    // A compile of the same timetable writes the same records, but for the
    // plan numbers, arrivals and airport information, which the real-world
    // set has no use for.
    fs::remove(b.dir.AddFile());
    b.port.setName = "Set";
    b.port.fileToChoose = b.dir.Root() / "real.KRX";
    ASSERT_EQ(CompileSchedule(b.state, b.port).result, CompileOutcome::Result::Finished);
    auto compiled = DecodeRouteFile(ReadFileBytes(b.dir.Data() / "Set" / "routes.kr1"), "routes");
    for (RouteRecord& r : compiled) r.PlanPointer = 0;
    EXPECT_EQ(ReadFileBytes(b.Defaults("Routes.kr1")), EncodeRouteFile(compiled));
    auto index = DecodeIndexFile(ReadFileBytes(b.dir.Data() / "Set" / "index.kr1"), "index");
    for (IndexAirportRecord& a : index) a.ArrivalsPos = a.ArrivalsCount = a.RunwayCount = a.AptPos = 0;
    EXPECT_EQ(ReadFileBytes(b.Defaults("index.kr1")), EncodeIndexFile(index));
    EXPECT_EQ(fs::file_size(b.Defaults("Routes.kr1")), 3 * 32u);
}

TEST(BuildDefaults, AFailedBuildKeepsTheOldPair) {
    DefaultsBuild b;
    ASSERT_EQ(b.Run(RealTimetable).result, CompileOutcome::Result::Finished);
    const std::string routes = FileText(b.Defaults("Routes.kr1"));
    const std::string index = FileText(b.Defaults("index.kr1"));

    const CompileOutcome bad = b.Run(Flight("CCC", "AAA") + "AAA,BBB,EAAA,EBBB,TWL,x\r\n");
    EXPECT_EQ(bad.failedStatus, "Getting VA Data");
    EXPECT_NE(bad.reason.find("line 2, field 6 (FlightNumber)"), std::string::npos) << bad.reason;

    // The routes are complete but the index cannot be written: neither file changes.
    fs::create_directory(PendingPath(b.Defaults("index.kr1")));
    const CompileOutcome blocked = b.Run(Flight("CCC", "AAA"));
    EXPECT_EQ(blocked.failedStatus, "Writing Data Files");
    EXPECT_EQ(FileText(b.Defaults("Routes.kr1")), routes);
    EXPECT_EQ(FileText(b.Defaults("index.kr1")), index);
    EXPECT_FALSE(fs::exists(PendingPath(b.Defaults("Routes.kr1"))));
}

// The successful runs are covered by the sample's tests; here the failures.
TEST(CommandLine, ImportAirlinesAndBuildDefaultsFailures) {
    TempProgramFolder dir;
    dir.Write("b.csv", "code,name,extra\nBAW,British Airways\n");
    const auto refused = RunCli(dir, Root(dir) + "import-airlines \"" + PathText(dir.Root() / "b.csv") + "\"");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("line 2"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir.Data() / "airline.kr1"));
    EXPECT_EQ(RunCli(dir, Root(dir) + "build-defaults").exitCode, 2);
}
