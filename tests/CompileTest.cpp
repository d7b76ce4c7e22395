// The whole compile, through the port and through the command line.

#include <gtest/gtest.h>

#include "records/RecordLayouts.h"
#include "compile/CompileDriver.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"
#include "TestSupport.h"

using namespace tarnwell;
using tarnwell::testing::CliRun;
using tarnwell::testing::FileText;
using tarnwell::testing::Flight;
using tarnwell::testing::NavAirportAt;
using tarnwell::testing::RunCli;
using tarnwell::testing::TempProgramFolder;
using tarnwell::testing::WriteNavData;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> StepTexts = {"Getting VA Data",
                                            "Sorting VA Data",
                                            "Moving Data to Routes",
                                            "Finding Index Airports",
                                            "Looking up Index Airport Information",
                                            "Cross matching Index to Routes",
                                            "Cross Matching Routes to Index",
                                            "Create Flight Plan Unique Routes",
                                            "Loading Flight Plan Data",
                                            "Erasing Old Flight Plan Data",
                                            "Creating Flight Plans",
                                            "Matching Flight Plans to Routes",
                                            "Creating Arrivals Pointers",
                                            "Calculating Orvanta Miles",
                                            "Writing Data Files",
                                            "Loading Navenna Airports",
                                            "Loading Altitudes",
                                            "Finding Navenna Data",
                                            "Writing Index File",
                                            "Finished!"};

// Airports one degree apart: AAA-BBB and AAA-CCC are 60 NM.
void WriteTestNavData(const TempProgramFolder& dir) {
    WriteNavData(dir, {NavAirportAt("EAAA", 0, 0, 100), NavAirportAt("EBBB", 0, 1, 200), NavAirportAt("ECCC", 1, 0),
                       NavAirportAt("EDDD", 1, 1)});
}

struct Compile {
    TempProgramFolder dir;
    ProgramState state{dir.Root()};
    RecordingPort port;

    Compile() {
        port.setName = "Set";
        WriteTestNavData(dir);
        StartUp(state, port);
    }
    std::vector<std::string> StepStatuses() const {
        std::vector<std::string> out;
        for (const auto& s : port.statuses)
            if (s.kind == StatusKind::Step) out.push_back(s.text);
        return out;
    }
    fs::path SetFolder() const { return dir.Data() / "Set"; }
    CompileOutcome Run(const std::string& timetable) {
        port.fileToChoose = dir.Write("t.KRX", timetable);
        return CompileSchedule(state, port);
    }
};

}  // namespace

TEST(CompileSchedule, RunsEveryStepAndEndsWithFinishedAndTwoBeeps) {
    Compile c;
    c.port.name = "Tarnwell Z\u00fcrich";  // typed text is UTF-8; the record holds the ANSI code page
    const auto outcome = c.Run(Flight("BBB", "AAA", 1) + Flight("AAA", "BBB", 2));
    ASSERT_EQ(outcome.result, CompileOutcome::Result::Finished) << outcome.reason;
    EXPECT_EQ(c.StepStatuses(), StepTexts);
    // One when the airport information is written, one when the compile has finished.
    ASSERT_EQ(c.port.beeps.size(), 2u);
    EXPECT_EQ(c.port.beeps[0].kind, BeepKind::Finished);
    EXPECT_EQ(c.port.beeps[1].kind, BeepKind::Finished);
    EXPECT_EQ(c.port.messages, std::vector<std::string>{"Select the .KRX file you will be compiling."});

    const auto routes = DecodeRouteFile(ReadFileBytes(c.SetFolder() / "routes.kr1"), "routes");
    ASSERT_EQ(routes.size(), 2u);
    EXPECT_EQ(routes[0].FlightNumber, 2);
    EXPECT_EQ(routes[0].Miles, 60);
    EXPECT_EQ(routes[1].OriginIndex, 1);
    EXPECT_EQ(routes[1].DestIndex, 0);
    const auto index = DecodeIndexFile(ReadFileBytes(c.SetFolder() / "index.kr1"), "index");
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[1].DeparturePos, 33);
    EXPECT_EQ(index[1].DepartureCount, 1);
    EXPECT_EQ(index[1].AirportName.Trimmed(), "EBBB Airport");
    EXPECT_EQ(index[1].Altitude, 200);
    EXPECT_EQ(index[1].Longitude, 1.0f);
    EXPECT_EQ(FileText(c.dir.Data() / "UniqueRoutes.txt"), " 1 ,AAA,BBB,EAAA,EBBB\r\n 2 ,BBB,AAA,EBBB,EAAA\r\n");
    EXPECT_EQ(c.state.UniqueRouteCount(), 2);
    EXPECT_EQ(FileText(c.SetFolder() / "airline.kr1").substr(0, 19), "TWLTarnwell Z\xFCrich ");
    EXPECT_FALSE(fs::exists(c.state.RouteSet.StagingFolder()));
}

TEST(CompileSchedule, MergesAWaitingAddFileOnce) {
    Compile c;
    c.dir.Write("Data/Defaults/carrierADD.txt", Flight("AAA", "AAA", 1) + Flight("CCC", "CCC", 2, "320", "EXYZ"));
    ASSERT_EQ(c.Run(Flight("BBB", "BBB", 3)).result, CompileOutcome::Result::Finished);
    auto routes = DecodeRouteFile(ReadFileBytes(c.SetFolder() / "routes.kr1"), "routes");
    ASSERT_EQ(routes.size(), 3u);
    EXPECT_EQ(routes[1].FlightNumber, 3);
    EXPECT_FALSE(fs::exists(c.dir.AddFile()));
    EXPECT_EQ(c.port.StatusTexts()[2], "Adding VA Data 0000 of 0000");
    // CCC's code EXYZ is neither in the navigation data (it beeps and is
    // measured at 0, 0) nor in the altitude list (another beep).
    ASSERT_EQ(c.port.beeps.size(), 4u);
    EXPECT_EQ(c.port.beeps[0].kind, BeepKind::Warning);
    EXPECT_EQ(c.port.beeps[1].kind, BeepKind::Warning);
    EXPECT_NE(c.port.beeps[0].reason.find("CCC (EXYZ)"), std::string::npos) << c.port.beeps[0].reason;
    EXPECT_NE(c.port.beeps[1].reason.find("CCC (EXYZ)"), std::string::npos) << c.port.beeps[1].reason;

    ASSERT_EQ(c.Run(Flight("BBB", "BBB", 3)).result, CompileOutcome::Result::Finished);
    EXPECT_EQ(DecodeRouteFile(ReadFileBytes(c.SetFolder() / "routes.kr1"), "routes").size(), 1u);
}

TEST(CompileSchedule, FailureLeavesThePreviousRouteSetAndTheAddFile) {
    Compile c;
    ASSERT_EQ(c.Run(Flight("AAA", "BBB")).result, CompileOutcome::Result::Finished);
    const std::string before = FileText(c.SetFolder() / "routes.kr1");
    c.dir.Write("Data/Defaults/carrierADD.txt", Flight("CCC", "DDD"));
    c.port.statuses.clear();

    const auto outcome = c.Run(Flight("AAA", "BBB") + "AAA,BBB,EAAA,EBBB,TWL,1,320,99999\r\n");
    EXPECT_EQ(outcome.result, CompileOutcome::Result::Failed);
    EXPECT_EQ(outcome.failedStatus, "Getting VA Data");
    EXPECT_NE(outcome.reason.find("line 2, field 8 (DepartTime)"), std::string::npos) << outcome.reason;
    EXPECT_EQ(c.port.currentStatus, "Getting VA Data");
    EXPECT_EQ(FileText(c.SetFolder() / "routes.kr1"), before);
    EXPECT_TRUE(fs::exists(c.dir.AddFile()));
    EXPECT_FALSE(fs::exists(c.state.RouteSet.StagingFolder()));
}

TEST(CompileSchedule, FailureAfterTheRouteSetWasBegunLeavesNothingHalfDone) {
    Compile c;
    fs::create_directories(c.dir.Data() / "UniqueRoutes.txt");  // the city pairs cannot be written
    const auto outcome = c.Run(Flight("AAA", "BBB"));
    EXPECT_EQ(outcome.result, CompileOutcome::Result::Failed);
    EXPECT_EQ(outcome.failedStatus, "Create Flight Plan Unique Routes");
    EXPECT_FALSE(fs::exists(c.SetFolder()));
    EXPECT_FALSE(fs::exists(c.state.RouteSet.StagingFolder()));

    // A missing beacon file stops the compile at the step that loads it.
    fs::remove(c.dir.Data() / "UniqueRoutes.txt");
    fs::remove(c.dir.Data() / "nav_NDB.bin");
    const auto noNdbs = c.Run(Flight("AAA", "BBB"));
    EXPECT_EQ(noNdbs.failedStatus, "Loading Flight Plan Data");
    EXPECT_NE(noNdbs.reason.find("nav_NDB.bin"), std::string::npos) << noNdbs.reason;
}

TEST(CompileSchedule, CancelAndRefusedSetNamesReadNothing) {
    Compile c;
    c.dir.Write("Data/Defaults/carrierADD.txt", Flight("CCC", "DDD"));
    c.port.fileToChoose.reset();
    EXPECT_EQ(CompileSchedule(c.state, c.port).result, CompileOutcome::Result::Cancelled);
    EXPECT_TRUE(c.port.statuses.empty());
    EXPECT_EQ(c.port.messages.size(), 1u);

    for (const char* name : {"", "Defaults", "..", "a/b"}) {
        c.port.setName = name;
        const auto outcome = c.Run(Flight("AAA", "BBB"));
        EXPECT_EQ(outcome.result, CompileOutcome::Result::Failed);
        EXPECT_NE(outcome.reason.find("route set name"), std::string::npos);
    }
    EXPECT_TRUE(c.port.statuses.empty());
    EXPECT_EQ(c.port.messages.size(), 1u);  // refused before the message box
    EXPECT_TRUE(fs::exists(c.dir.AddFile()));
    EXPECT_FALSE(fs::exists(c.dir.Data() / "airline.kr1"));
}

// ---- The command line ----

namespace {

std::string CompileArgs(const TempProgramFolder& dir, const std::string& timetable, const std::string& extra = "") {
    return "--root \"" + PathText(dir.Root()) + "\" compile \"" + PathText(dir.Root() / timetable) +
           "\" --set-name \"My Set\" --airline-iata TWL --airline-name \"Tarnwell Air\" " + extra;
}

}  // namespace

TEST(CommandLine, CompilesAndLogsEveryStatusText) {
    TempProgramFolder dir;
    WriteTestNavData(dir);
    dir.Write("Data/Defaults/carrierADD.txt", Flight("AAA", "AAA") + Flight("CCC", "CCC"));
    dir.Write("t.KRX", Flight("BBB", "BBB") + Flight("BBB", "CCC"));
    const CliRun r = RunCli(dir, CompileArgs(dir, "t.KRX", "--status-log \"" + PathText(dir.Root() / "s.log") + "\""));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("4 routes, 3 airports"), std::string::npos) << r.out;
    EXPECT_EQ(FileText(dir.Root() / "s.log"),
              "Getting VA Data\nSorting VA Data\nAdding VA Data 0000 of 0001\nAdding VA Data 0001 of 0001\n"
              "Moving Data to Routes\nFinding Index Airports\nLooking up Index Airport Information\n"
              "Cross matching Index to Routes\nCross matching Index to Routes 0 of 2\n"
              "Cross matching Index to Routes 1 of 2\nCross matching Index to Routes 2 of 2\n"
              "Cross Matching Routes to Index\nCross Matching Routes to Index 0 of 3\n"
              "Cross Matching Routes to Index 1 of 3\nCross Matching Routes to Index 2 of 3\n"
              "Cross Matching Routes to Index 3 of 3\nCreate Flight Plan Unique Routes\nLoading Flight Plan Data\n"
              "Erasing Old Flight Plan Data\nCreating Flight Plans\n"
              "Currently Building Plan 1 of 4 Plans.  EAAA to EAAA\n"
              "Currently Building Plan 2 of 4 Plans.  EBBB to EBBB\n"
              "Currently Building Plan 3 of 4 Plans.  EBBB to ECCC\n"
              "Currently Building Plan 4 of 4 Plans.  ECCC to ECCC\n"
              "Finished Creating Assigned Plans!\nPacking File 1\nPacking File 2\nPacking File 3\nPacking File 4\n"
              "Finished Creating Packed Plans File\nMatching Flight Plans to Routes\n"
              "Matching Flight Plans to Routes 0 of 3\nMatching Flight Plans to Routes 1 of 3\n"
              "Matching Flight Plans to Routes 2 of 3\nMatching Flight Plans to Routes 3 of 3\n"
              "Creating Arrivals Pointers\nCalculating Orvanta Miles\nWriting Data Files\n"
              "Loading Navenna Airports\nLoading Altitudes\nFinding Navenna Data\nWriting Index File\nFinished!\n");
    // Not a terminal, not verbose: one line per step, no progress counts.
    EXPECT_EQ(r.err.find("Adding VA Data"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Cross Matching Routes to Index 0"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Moving Data to Routes\n"), std::string::npos) << r.err;
    EXPECT_EQ(fs::file_size(dir.Data() / "My Set" / "routes.kr1"), 4 * RouteRecordLength);
}

TEST(CommandLine, FailureExitsNonZeroNamingTheStepAndKeepsTheRouteSet) {
    TempProgramFolder dir;
    WriteTestNavData(dir);
    dir.Write("good.KRX", Flight("AAA", "BBB"));
    ASSERT_EQ(RunCli(dir, CompileArgs(dir, "good.KRX")).exitCode, 0);
    const std::string before = FileText(dir.Data() / "My Set" / "routes.kr1");

    dir.Write("bad.KRX", Flight("AAA", "BBB") + Flight("CCC", "DDD") + "AAA,BBB,EAAA,EBBB,TWL,x1\r\n");
    dir.Write("Data/Defaults/carrierADD.txt", Flight("XXX", "YYY"));
    const CliRun r = RunCli(dir, CompileArgs(dir, "bad.KRX"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("error: the compile failed at \"Getting VA Data\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("bad.KRX, line 3, field 6 (FlightNumber)"), std::string::npos) << r.err;
    EXPECT_EQ(FileText(dir.Data() / "My Set" / "routes.kr1"), before);
    EXPECT_TRUE(fs::exists(dir.AddFile()));

    const CliRun missing = RunCli(dir, CompileArgs(dir, "nowhere.KRX"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;
}

TEST(CommandLine, UsageErrorsAndHelp) {
    TempProgramFolder dir;
    const CliRun help = RunCli(dir, "--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--set-name NAME"), std::string::npos);
    EXPECT_NE(help.out.find("--status-log FILE"), std::string::npos);
    EXPECT_EQ(RunCli(dir, "compile").exitCode, 2);
    EXPECT_EQ(RunCli(dir, "frobnicate").exitCode, 2);
    EXPECT_EQ(RunCli(dir, "--root \"" + PathText(dir.Root()) + "\" compile t.KRX --set-name X").exitCode, 2);

    WriteTestNavData(dir);
    dir.Write("t.KRX", Flight("AAA", "BBB"));
    const CliRun refused = RunCli(dir, "--root \"" + PathText(dir.Root()) + "\" compile \"" +
                                           PathText(dir.Root() / "t.KRX") +
                                           "\" --set-name defaults --airline-iata A --airline-name B");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("reserved"), std::string::npos) << refused.err;

    fs::remove(dir.Data() / "nav_APT.bin");
    const CliRun cannotStart = RunCli(dir, "--root \"" + PathText(dir.Root()) + "\" compile \"" +
                                               PathText(dir.Root() / "t.KRX") +
                                               "\" --set-name S --airline-iata A --airline-name B");
    EXPECT_EQ(cannotStart.exitCode, 1);
    EXPECT_NE(cannotStart.err.find("cannot start"), std::string::npos) << cannotStart.err;
    EXPECT_NE(cannotStart.err.find("nav_APT.bin"), std::string::npos) << cannotStart.err;
}
