// Stopping a compile or a merge at a progress point: every file of the
// program folder stays byte for byte as it was, whichever point it is.

#include <map>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "compile/CompileDriver.h"
#include "compile/RealWorldMergeDriver.h"
#include "compile/RecordingPort.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {

// Every file below `root` (the lock file aside) with its contents.
std::map<fs::path, std::string> AllFiles(const fs::path& root) {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().filename() != ".tarnwell.lock")
            files[fs::relative(entry.path(), root)] = FileText(entry.path());
    return files;
}

// A program folder after a finished compile of "Set", with the plan files,
// the city pairs and the plan log it wrote and an add file waiting.
struct CompiledFolder {
    TempProgramFolder dir;
    ProgramState state{dir.Root()};
    RecordingPort port;

    CompiledFolder() {
        WriteNavData(dir, {NavAirportAt("EAAA", 0, 0, 100), NavAirportAt("EBBB", 0, 1, 200), NavAirportAt("ECCC", 1, 0),
                           NavAirportAt("EDDD", 1, 1)});
        StartUp(state, port);
        const auto timetable = dir.Write("t.KRX", Flight("AAA", "BBB") + Flight("BBB", "CCC") + Flight("CCC", "DDD") +
                                                      Flight("DDD", "AAA") + Flight("AAA", "CCC"));
        EXPECT_EQ(CompileSchedule(state, port, {"Set", "TWL", "Tarnwell Air", timetable}).result,
                  CompileOutcome::Result::Finished);
        dir.Write("Data/Defaults/carrierADD.txt", Flight("AAA", "DDD") + Flight("BBB", "DDD"));
        // The next compile has fewer city pairs, so it would erase plan files.
        dir.Write("t.KRX", Flight("AAA", "BBB") + Flight("CCC", "AAA"));
    }
};

}  // namespace

TEST(CancelCompile, EveryFileStaysAsItWasWhereverItStops) {
    // The counts of that compile: the merge of the add file (0 to 2 of 2),
    // then the plans (0 to 4 of 4).
    for (std::size_t at : {1u, 2u, 4u, 5u, 7u, 8u}) {
        CompiledFolder c;
        const auto before = AllFiles(c.dir.Root());
        c.port = RecordingPort();
        c.port.cancelAtCount = at;
        const CompileOutcome outcome =
            CompileSchedule(c.state, c.port, {"Set", "TWL", "Tarnwell Air", c.dir.Root() / "t.KRX"});
        ASSERT_EQ(c.port.counts.size(), at);
        EXPECT_EQ(outcome.result, CompileOutcome::Result::Cancelled) << at;
        EXPECT_TRUE(outcome.stoppedByUser);
        EXPECT_EQ(outcome.failedStatus, at <= 3 ? "Sorting VA Data" : "Creating Flight Plans");
        EXPECT_TRUE(AllFiles(c.dir.Root()) == before) << "stopped at count " << at;
        EXPECT_EQ(HiddenEntries(c.dir.Root()), std::vector<std::string>{});
        EXPECT_EQ(c.port.currentStatus.find("Finished"), std::string::npos);
    }
}

TEST(CancelCompile, TheMergeStoppedKeepsTheOlderAddFile) {
    CompiledFolder c;
    const auto before = AllFiles(c.dir.Root());
    // A port that stops the work at its first status text.
    struct StoppingPort : RecordingPort {
        void SetStatus(std::string_view, StatusKind) override { throw WorkCancelled(); }
    } port;
    const MergeOutcome outcome = GetRealWorldData(c.state, port, {c.dir.Root() / "t.KRX", {0}});
    EXPECT_EQ(outcome.result, CompileOutcome::Result::Cancelled);
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(outcome.failedStatus, "Getting VA Data");
    EXPECT_TRUE(AllFiles(c.dir.Root()) == before);
}
