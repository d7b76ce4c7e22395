// The bundled sample program folder: it compiles over its real navigation
// data, and its real-world files are what the commands make from its sources.

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "plans/FlightPlans.h"
#include "records/RecordLayouts.h"
#include "timetable/TimetableFile.h"
#include "compile/CompileDriver.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"

namespace tarnwell {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::FileText;
using testing::RunCli;
using testing::TempProgramFolder;

// A scratch copy of the sample, so the committed files are never touched.
void CopySample(const TempProgramFolder& dir) {
    fs::copy(TARNWELL_SAMPLE_DIR, dir.Root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string Root(const TempProgramFolder& dir) { return "--root \"" + PathText(dir.Root()) + "\" "; }

TEST(Sample, CompilesOverItsNavigationDataWithEveryAirportKnown) {
    TempProgramFolder dir;
    CopySample(dir);
    const CliRun r = RunCli(dir, Root(dir) + "compile \"" + PathText(dir.Root() / "VirtualAir.KRX") +
                                     "\" --set-name \"Tarnwell Air (Leeds)\" --airline-iata TWL --airline-name \"Tarnwell Air\"");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.find("warning"), std::string::npos) << r.err;
    std::size_t flights = 0;
    for (char c : FileText(dir.Root() / "VirtualAir.KRX")) flights += c == '\n';
    const fs::path set = dir.Data() / "Tarnwell Air (Leeds)";
    EXPECT_EQ(fs::file_size(set / "routes.kr1"), flights * 32);

    // Every city pair has its plan, nearly all over airways, and every route
    // leads through the position table to a block inside PLANS.kr1.
    const std::string log = FileText(dir.Data() / "PlanLog.txt");
    EXPECT_EQ(log.find("ERROR"), std::string::npos);
    const auto plans = static_cast<std::int32_t>(std::count(log.begin(), log.end(), '\n'));
    const Bytes packed = ReadFileBytes(set / "PLANS.kr1");
    const RecordReader table{packed};
    std::int64_t next = 4 * plans;
    int airway = 0;
    for (std::int32_t p = 1; p <= plans; ++p) {
        const std::int64_t at = table.I32(static_cast<std::size_t>(p - 1) * 4) - 1;
        ASSERT_EQ(at, next) << "plan " << p;
        const std::int16_t entries = table.I16(static_cast<std::size_t>(at));
        next = at + 2 + 10 * entries;
        ASSERT_LE(next, static_cast<std::int64_t>(packed.size()));
        bool allAirway = entries > 0;
        for (int k = 0; k < entries; ++k) allAirway = allAirway && packed[static_cast<std::size_t>(at + 2 + 10 * k)] == 'H';
        airway += allAirway;
    }
    EXPECT_EQ(next, static_cast<std::int64_t>(packed.size()));
    EXPECT_GT(airway, plans * 9 / 10);
    for (const RouteRecord& route : DecodeRouteFile(ReadFileBytes(set / "routes.kr1"), "routes")) {
        EXPECT_GE(route.PlanPointer, 1);
        EXPECT_LE(route.PlanPointer, plans);
    }

    // Every reference between the compiled files holds.
    const CliRun checked = RunCli(dir, Root(dir) + "check \"Tarnwell Air (Leeds)\"");
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;

    // A second compile builds the very same plans.
    const CliRun again = RunCli(dir, Root(dir) + "compile \"" + PathText(dir.Root() / "VirtualAir.KRX") +
                                         "\" --set-name \"Tarnwell Air (Leeds)\" --airline-iata TWL --airline-name \"Tarnwell Air\"");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_TRUE(ReadFileBytes(set / "PLANS.kr1") == packed);
    EXPECT_EQ(FileText(dir.Data() / "PlanLog.txt"), log);

    // Every data file loads, and the airway networks are real ones.
    RecordingPort port;
    ProgramState state(dir.Root());
    StartUp(state, port);
    LoadNdbs(state, port);
    LoadVors(state, port);
    LoadIntersections(state, port);
    LoadHighNodes(state, port);
    LoadLowNodes(state, port);
    EXPECT_GT(state.NavAirportMax(), 1000);
    EXPECT_GT(state.HighNodeCount(), 1000);
    EXPECT_GT(state.LowNodeCount(), 1000);
    EXPECT_GT(state.RealAirlineUBound(), 100);
}

TEST(Sample, MergesRealWorldAirlinesIntoACheckedRouteSet) {
    TempProgramFolder dir;
    CopySample(dir);
    const CliRun r = RunCli(dir, Root(dir) + "compile \"" + PathText(dir.Root() / "VirtualAir.KRX") +
                                     "\" --set-name Merged --airline-iata TWL --airline-name \"Tarnwell Air\" "
                                     "--real-world-airline BAW --real-world-airline EZY");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(fs::exists(dir.AddFile()));  // the compile has used it up
    const fs::path set = dir.Data() / "Merged";
    const auto airlines = DecodeAirlineFile(ReadFileBytes(set / "airline.kr1"), "airline");
    EXPECT_EQ(airlines[0].Code.Trimmed(), "TWL");
    EXPECT_EQ(airlines[1].Code.Trimmed(), "BAW");
    EXPECT_EQ(airlines[2].Code.Trimmed(), "EZY");
    EXPECT_TRUE(airlines[3].Code.NeverAssigned());

    // Every timetable flight is there, and the merged ones each touch a timetable airport.
    ProgramState state(dir.Root());
    state.Schedule = ReadScheduleFile(dir.Root() / "VirtualAir.KRX", true);
    std::set<std::string> airports;
    for (const ScheduleRecord& f : state.Schedule) {
        airports.insert(f.Origin.Str());
        airports.insert(f.Destination.Str());
    }
    std::map<std::string, std::size_t> byAirline;
    for (const RouteRecord& route : DecodeRouteFile(ReadFileBytes(set / "routes.kr1"), "routes")) {
        ++byAirline[route.Airline.Str()];
        if (route.Airline.Trimmed() != "TWL") {
            EXPECT_TRUE(airports.contains(route.Origin.Str()) || airports.contains(route.Destination.Str()));
        }
    }
    EXPECT_EQ(byAirline["TWL"], state.Schedule.size());
    EXPECT_GT(byAirline["BAW"], 10u);
    EXPECT_GT(byAirline["EZY"], 10u);
    EXPECT_EQ(byAirline.size(), 3u);

    const CliRun checked = RunCli(dir, Root(dir) + "check Merged");
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
    EXPECT_NE(checked.out.find("Airlines: 3"), std::string::npos) << checked.out;
}

TEST(Sample, RealWorldFilesAreWhatTheCommandsMakeOfTheirSources) {
    TempProgramFolder dir;
    CopySample(dir);
    const std::string airlines = FileText(dir.Data() / "airline.kr1");
    const std::string routes = FileText(dir.Data() / "Defaults" / "Routes.kr1");
    const std::string index = FileText(dir.Data() / "Defaults" / "index.kr1");
    fs::remove(dir.Data() / "airline.kr1");
    fs::remove(dir.Data() / "Defaults" / "Routes.kr1");
    fs::remove(dir.Data() / "Defaults" / "index.kr1");

    CliRun r = RunCli(dir, Root(dir) + "import-airlines \"" + PathText(dir.Root() / "airlines.csv") + "\"");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = RunCli(dir, Root(dir) + "build-defaults \"" + PathText(dir.Root() / "RealWorld.KRX") + "\"");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.find("warning"), std::string::npos) << r.err;
    EXPECT_TRUE(FileText(dir.Data() / "airline.kr1") == airlines);
    EXPECT_TRUE(FileText(dir.Data() / "Defaults" / "Routes.kr1") == routes);
    EXPECT_TRUE(FileText(dir.Data() / "Defaults" / "index.kr1") == index);
}

}  // namespace
}  // namespace tarnwell
