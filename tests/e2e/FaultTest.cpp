// The program folder under faults: a second writer is turned away while one
// runs, compiles killed part way leave the route set and the add file as
// they were (or the finished result), and two compiles started together
// leave one whole route set.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "compile/ProgramFolderLock.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {

const std::string SetName = "Fault Set";

// A copy of the sample with a route set compiled and a merge's add file waiting.
class FaultFolder {
public:
    FaultFolder() {
        fs::copy(TARNWELL_SAMPLE_DIR, dir.Root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        Prepare();
    }
    explicit FaultFolder(const FaultFolder& from) {
        fs::copy(from.dir.Root(), dir.Root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }

    CliRun Run(const std::string& args) const { return RunCli(dir, "--root \"" + PathText(dir.Root()) + "\" " + args); }
    std::string Compile(const std::string& timetable = "VirtualAir.KRX") const {
        return "compile \"" + PathText(dir.Root() / timetable) + "\" --set-name \"" + SetName +
               "\" --airline-iata TWL --airline-name \"Tarnwell Air\"";
    }
    std::map<std::string, std::string> Set() const { return FolderFiles(dir.Data() / SetName); }

    TempProgramFolder dir;

private:
    void Prepare() {
        ASSERT_EQ(Run(Compile()).exitCode, 0);
        const CliRun merge = Run("merge \"" + PathText(dir.Root() / "VirtualAir.KRX") + "\" --real-world-airline BAW");
        ASSERT_EQ(merge.exitCode, 0) << merge.err;
    }
};

}  // namespace

TEST(Faults, ASecondWriterIsTurnedAwayAndChangesNothing) {
    const FaultFolder f;
    const auto set = f.Set();
    const std::string addFile = FileText(f.dir.AddFile());
    {
        const ProgramFolderLock held = ProgramFolderLock::Acquire(f.dir.Data());
        const std::string writers[] = {
            f.Compile(), "merge \"" + PathText(f.dir.Root() / "VirtualAir.KRX") + "\" --real-world-airline EZY",
            "build-defaults \"" + PathText(f.dir.Root() / "RealWorld.KRX") + "\"",
            "import-airlines \"" + PathText(f.dir.Root() / "airlines.csv") + "\"",
            "import-navdata --xplane \"" + PathText(f.dir.Root()) + "\""};
        for (const std::string& args : writers) {
            const CliRun r = f.Run(args);
            EXPECT_EQ(r.exitCode, 1) << args;
            EXPECT_EQ(r.err, std::string("error: ") + ProgramFolderBusy + "\n") << args;
        }
        EXPECT_EQ(f.Run("check \"" + SetName + "\"").exitCode, 0);  // reading goes on
    }
    EXPECT_TRUE(f.Set() == set);
    EXPECT_EQ(FileText(f.dir.AddFile()), addFile);
    EXPECT_EQ(f.Run(f.Compile()).exitCode, 0);
}

#ifndef _WIN32
// Killed at moments from the start to past the end, a compile leaves the old
// set with the add file or the new set without it; the next compile works.
TEST(Faults, ACompileKilledPartWayLeavesTheOldSetOrTheNewOne) {
    const FaultFolder prepared;
    const auto oldSet = prepared.Set();
    const FaultFolder finished(prepared);
    ASSERT_EQ(finished.Run(finished.Compile()).exitCode, 0);
    const auto newSet = finished.Set();
    ASSERT_TRUE(newSet != oldSet);
    int killedBeforeTheEnd = 0;
    for (const char* seconds : {"0.002", "0.005", "0.01", "0.02", "0.04", "0.07", "0.1", "0.2", "0.5"}) {
        const FaultFolder f(prepared);
        // (In the foreground, timeout kills only the compile and waits until it is gone.)
        const std::string command = std::string("timeout --foreground -s KILL ") + seconds + " \"" + TARNWELL_CLI_PATH +
                                    "\" --root \"" + PathText(f.dir.Root()) + "\" " + f.Compile() + " >/dev/null 2>&1";
        killedBeforeTheEnd += std::system(command.c_str()) != 0;
        ASSERT_EQ(f.Run("check \"" + SetName + "\"").exitCode, 0) << seconds;  // the next command tidies up
        const auto set = f.Set();
        ASSERT_TRUE(set == oldSet || set == newSet) << seconds;
        EXPECT_EQ(fs::exists(f.dir.AddFile()), set == oldSet) << seconds;
        const CliRun again = f.Run(f.Compile());
        EXPECT_EQ(again.exitCode, 0) << again.err;
        EXPECT_EQ(HiddenEntries(f.dir.Data()), std::vector<std::string>{}) << seconds;
    }
    EXPECT_GT(killedBeforeTheEnd, 0);
}

// Two compiles of different timetables started together: one may be turned
// away, never both; the set is wholly one of the two results.
TEST(Faults, TwoCompilesTogetherLeaveOneWholeSet) {
    const FaultFolder prepared;
    FaultFolder small(prepared);
    const std::string all = FileText(small.dir.Root() / "VirtualAir.KRX");
    small.dir.Write("Small.KRX", all.substr(0, all.find("\r\n", 2000) + 2));
    std::vector<std::map<std::string, std::string>> results;
    for (const char* timetable : {"VirtualAir.KRX", "Small.KRX"}) {
        const FaultFolder alone(small);
        ASSERT_EQ(alone.Run(alone.Compile(timetable)).exitCode, 0);
        results.push_back(alone.Set());
    }
    for (int round = 0; round < 4; ++round) {
        const FaultFolder f(small);
        const auto start = [&f](const char* timetable, const char* name) {
            return "(\"" + std::string(TARNWELL_CLI_PATH) + "\" --root \"" + PathText(f.dir.Root()) + "\" " +
                   f.Compile(timetable) + " >/dev/null 2>\"" + PathText(f.dir.Root() / name) + "\"; echo $? >\"" +
                   PathText(f.dir.Root() / name) + ".rc\") &";
        };
        const std::string both = start("VirtualAir.KRX", "a") + " " + start("Small.KRX", "b") + " wait";
        ASSERT_EQ(std::system(("sh -c '" + both + "'").c_str()), 0);
        int refused = 0;
        for (const char* name : {"a", "b"}) {
            const std::string rc = FileText(f.dir.Root() / (std::string(name) + ".rc"));
            if (rc != "0\n") {
                EXPECT_EQ(FileText(f.dir.Root() / name), std::string("error: ") + ProgramFolderBusy + "\n");
                ++refused;
            }
        }
        EXPECT_LT(refused, 2);
        const auto set = f.Set();
        EXPECT_TRUE(set == results[0] || set == results[1]) << round;
    }
}
#endif
