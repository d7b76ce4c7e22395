// The bundled sample program folder on the command line: compiled with its
// real-world merge it gives the route set of the golden run, and its
// real-world files are what the commands make from its sources.

#include <sstream>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "examine/RouteSetCheck.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {

const fs::path GoldenFolder = fs::path(TARNWELL_TEST_DIR) / "e2e" / "golden" / "sample";
const char* const SetName = "Tarnwell Air (Leeds)";

// A scratch copy of the sample, so the committed files are never touched.
class Sample : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(TARNWELL_SAMPLE_DIR, dir.Root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    CliRun Run(const std::string& args) const { return RunCli(dir, "--root \"" + PathText(dir.Root()) + "\" " + args); }

    TempProgramFolder dir;
};

}  // namespace

// The command line's status log is the golden run's, but for its beeps,
// whatever the number of threads building the plans.
TEST_F(Sample, CompilesWithItsMergeIntoTheRouteSetOfTheGoldenRun) {
    const CliRun r = Run("compile \"" + PathText(dir.Root() / "VirtualAir.KRX") + "\" --set-name \"" + SetName +
                         "\" --airline-iata TWL --airline-name \"Tarnwell Air\" --real-world-airline BAW "
                         "--real-world-airline EZY --jobs 3 --status-log \"" +
                         PathText(dir.Root() / "status.log") + "\"");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(" airports, 3 airlines"), std::string::npos) << r.out;
    EXPECT_EQ(r.err.find("warning"), std::string::npos) << r.err;
    // Not a terminal, not verbose: one line per step, no progress texts, and
    // the count of plans built at every tenth.
    EXPECT_NE(r.err.find("\nMoving Data to Routes\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Adding"), std::string::npos) << r.err;
    std::vector<std::string> counts;
    std::istringstream err(r.err);
    for (std::string line; std::getline(err, line);)
        if (line.starts_with("Creating Flight Plans ")) counts.push_back(line.substr(0, line.find(')') + 1));
    ASSERT_EQ(counts.size(), 10u) << r.err;
    EXPECT_EQ(counts.front(), "Creating Flight Plans 38 of 376 (10%)");
    EXPECT_EQ(counts.back(), "Creating Flight Plans 376 of 376 (100%)");
    EXPECT_FALSE(fs::exists(dir.AddFile()));  // the compile has used it up

    std::string statuses;
    std::istringstream golden(FileText(GoldenFolder / "status.log"));
    for (std::string line; std::getline(golden, line);)
        if (!line.starts_with("beep: ")) statuses += line + "\n";
    EXPECT_TRUE(FileText(dir.Root() / "status.log") == statuses);
    for (const char* name : {"index.kr1", "routes.kr1", "airline.kr1", "arrivals.kr1", "APT.kr1", "PLANS.kr1"})
        EXPECT_TRUE(FileText(dir.Data() / SetName / name) == FileText(GoldenFolder / name)) << name;
    EXPECT_TRUE(FileText(dir.Data() / "PlanLog.txt") == FileText(GoldenFolder / "PlanLog.txt"));

    // Every reference between the compiled files holds.
    EXPECT_EQ(CheckRouteSet(dir.Root(), SetName).problems, std::vector<std::string>{});
}

TEST_F(Sample, RealWorldFilesAreWhatTheCommandsMakeOfTheirSources) {
    const char* const files[] = {"Data/airline.kr1", "Data/Defaults/Routes.kr1", "Data/Defaults/index.kr1"};
    for (const char* file : files) fs::remove(dir.Root() / file);
    CliRun r = Run("import-airlines \"" + PathText(dir.Root() / "airlines.csv") + "\"");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = Run("build-defaults \"" + PathText(dir.Root() / "RealWorld.KRX") + "\"");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.find("warning"), std::string::npos) << r.err;
    for (const char* file : files)
        EXPECT_TRUE(FileText(dir.Root() / file) == FileText(fs::path(TARNWELL_SAMPLE_DIR) / file)) << file;
}
