// The bundled sample compiled with its real-world merge under a clock that
// stands still, its plans built on 1, 2 and 8 threads: every file it writes,
// and every status text it shows, must be byte for byte what is committed in
// tests/e2e/golden/sample. Run the
// tests with TARNWELL_UPDATE_GOLDEN=1 to write the expected files anew after
// an intended change of output.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "compile/CompileDriver.h"
#include "compile/ProgramState.h"
#include "compile/RealWorldMergeDriver.h"
#include "compile/RecordingPort.h"
#include "plans/PlanBuilder.h"
#include "plans/PlanFile.h"
#include "realworld/RealWorldMerge.h"

namespace tarnwell {
namespace {

namespace fs = std::filesystem;
using testing::TempProgramFolder;

const fs::path GoldenFolder = fs::path(TARNWELL_TEST_DIR) / "e2e" / "golden" / "sample";
const char* const SetName = "Tarnwell Air (Leeds)";

bool UpdatingGolden() {
    const char* update = std::getenv("TARNWELL_UPDATE_GOLDEN");
    return update && *update && std::string(update) != "0";
}

// Compares `actual` with the committed file `name`, or writes it when updating.
void ExpectGolden(const std::string& name, const Bytes& actual) {
    const fs::path expected = GoldenFolder / name;
    if (UpdatingGolden()) {
        fs::create_directories(GoldenFolder);
        WriteFileBytes(expected, actual);
        return;
    }
    ASSERT_TRUE(fs::exists(expected)) << name << " has no committed expected file";
    const Bytes want = ReadFileBytes(expected);
    const auto diff = std::mismatch(want.begin(), want.end(), actual.begin(), actual.end());
    EXPECT_TRUE(want == actual) << name << ": " << actual.size() << " bytes written, " << want.size()
                                << " expected; first difference at byte " << (diff.first - want.begin());
}

Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The block of plan `p` (from 1) in a packed PLANS.kr1.
Bytes PlanBlock(const Bytes& packed, std::int32_t p) {
    const RecordReader table{packed};
    const auto at = static_cast<std::size_t>(table.I32(static_cast<std::size_t>(p - 1) * 4) - 1);
    const auto entries = static_cast<std::size_t>(table.I16(at));
    return Bytes(packed.begin() + static_cast<std::ptrdiff_t>(at),
                 packed.begin() + static_cast<std::ptrdiff_t>(at + 2 + entries * PlanPointLength));
}

class GoldenSample : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        fs::copy(TARNWELL_SAMPLE_DIR, dir.Root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        port.ticks = 0;  // the search's time limit never runs out
        StartUp(state, port);
    }

    // Merges British Airways and easyJet, then compiles; returns the add file
    // the merge wrote.
    Bytes MergeAndCompile() {
        const fs::path timetable = dir.Root() / "VirtualAir.KRX";
        MergeRequest merge{timetable, {}};
        for (const char* code : {"BAW", "EZY"}) merge.chosenAirlines.push_back(*FindRealAirline(state.RealAirlines, code));
        const MergeOutcome merged = GetRealWorldData(state, port, merge);
        EXPECT_EQ(merged.result, CompileOutcome::Result::Finished) << merged.reason;
        const Bytes addFile = ReadFileBytes(dir.AddFile());
        const CompileOutcome compiled =
            CompileSchedule(state, port, {SetName, "TWL", "Tarnwell Air", timetable, GetParam()});
        EXPECT_EQ(compiled.result, CompileOutcome::Result::Finished) << compiled.failedStatus << compiled.reason;
        return addFile;
    }

    TempProgramFolder dir;
    RecordingPort port;
    ProgramState state{dir.Root()};
};

TEST_P(GoldenSample, EveryOutputFileAndStatusTextIsUnchanged) {
    const Bytes addFile = MergeAndCompile();
    ExpectGolden("carrierADD.txt", addFile);
    const fs::path set = dir.Data() / SetName;
    for (const char* name : {"index.kr1", "routes.kr1", "airline.kr1", "arrivals.kr1", "APT.kr1", "PLANS.kr1"})
        ExpectGolden(name, ReadFileBytes(set / name));
    ExpectGolden("PlanLog.txt", ReadFileBytes(dir.Data() / "PlanLog.txt"));
    ExpectGolden("UniqueRoutes.txt", ReadFileBytes(dir.Data() / "UniqueRoutes.txt"));

    std::string statusLog;
    for (const auto& status : port.statuses) statusLog += status.text + "\n";
    for (const auto& beep : port.beeps) statusLog += "beep: " + beep.reason + "\n";
    for (const auto& warning : port.warnings) statusLog += "warning: " + warning + "\n";
    ExpectGolden("status.log", TextBytes(statusLog));

    // Each plan file is the block PLANS.kr1 holds for it, and there is no other.
    const Bytes packed = ReadFileBytes(set / "PLANS.kr1");
    const auto plans = static_cast<std::int32_t>(*PackedPlanCount(packed));
    ASSERT_EQ(plans, state.UniqueRouteCount());
    for (std::int32_t p = 1; p <= plans; ++p)
        ASSERT_TRUE(ReadFileBytes(PlanFilePath(state.PlanFolder(), p)) == PlanBlock(packed, p)) << "plan " << p;
    EXPECT_FALSE(fs::exists(PlanFilePath(state.PlanFolder(), plans + 1)));
}

// No plan depends on what the plan before it left behind: built in a
// shuffled order, each from a fresh search state, every plan comes out as
// the in-order compile made it.
TEST_P(GoldenSample, PlansDoNotDependOnTheOrderTheyAreBuiltIn) {
    MergeAndCompile();
    const Bytes packed = ReadFileBytes(dir.Data() / SetName / "PLANS.kr1");
    std::vector<std::int32_t> order;
    for (std::int32_t p = 1; p <= state.UniqueRouteCount(); ++p) order.push_back(p);
    std::shuffle(order.begin(), order.end(), std::mt19937(17));

    for (const std::int32_t p : order) {
        SearchState fresh;
        StillClock clock(0);
        const PlanBuildResult result =
            BuildPlan(*state.Navigation, fresh, clock, state.UniqueRoutes[static_cast<std::size_t>(p)]);
        ASSERT_TRUE(result.built) << "plan " << p << ": " << result.failure;
        ASSERT_TRUE(result.plan == PlanBlock(packed, p)) << "plan " << p;
    }
}

INSTANTIATE_TEST_SUITE_P(Jobs, GoldenSample, ::testing::Values(1, 2, 8),
                         [](const auto& info) { return std::to_string(info.param) + "Threads"; });

}  // namespace
}  // namespace tarnwell
