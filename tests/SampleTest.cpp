// The bundled sample program folder: it compiles over its real navigation
// data, and its real-world files are what the commands make from its sources.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "flightplans/FlightPlanning.h"
#include "shell/MainForm.h"
#include "shell/ProgramState.h"
#include "shell/RecordingPort.h"

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
    EXPECT_EQ(fs::file_size(dir.Data() / "Tarnwell Air (Leeds)" / "routes.kr1"), flights * 32);

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
