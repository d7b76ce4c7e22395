// The real-world merge behind "2.  Get Real World Airline Data": the add
// file and airline list it makes, its status texts, and a merge that does
// not finish changing nothing.

#include <functional>

#include <gtest/gtest.h>

#include "common/FileReplace.h"
#include "compile/RealWorldMergeDriver.h"
#include "compile/RecordingPort.h"
#include "realworld/RealWorldFolder.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {

struct Merge : RealWorldFolder {
    ProgramState state{dir.Root()};
    RecordingPort port;

    Merge() { state.RealAirlines = airlines; }
    MergeOutcome Run(std::vector<std::int32_t> chosen, bool cancelled = false) {
        WriteFiles();
        port = RecordingPort();
        MergeRequest request{timetable, std::move(chosen)};
        if (cancelled) request.timetable.reset();
        return GetRealWorldData(state, port, request);
    }
};

}  // namespace

TEST(GetRealWorldData, AddsTheChosenAirlinesRoutesTouchingTheTimetable) {
    Merge m;
    m.state.AirlineInfo[3] = Airline("OLD", "Kept");
    const MergeOutcome outcome = m.Run({0, 1});
    ASSERT_EQ(outcome.result, CompileOutcome::Result::Finished) << outcome.reason;
    EXPECT_EQ(outcome.addedRoutes, 3);
    EXPECT_EQ(FileText(m.dir.AddFile()), m.ExpectedAddFile());
    EXPECT_EQ(m.port.StatusTexts(),
              (std::vector<std::string>{"Getting VA Data", "Loading Routes", "Loading Indexes", "Adding 1 Routes",
                                        "Adding 2 Routes", "Adding 3 Routes", "Finished Getting Data"}));
    const AirlineTable& info = m.state.AirlineInfo;
    EXPECT_TRUE(info[1] == Airline("BA", "British Airways", "SPEEDBIRD") && info[2] == Airline("EZY", "easyJet") &&
                info[3] == Airline("OLD", "Kept"));
    EXPECT_EQ(m.state.MergeAirportCodes,
              (std::vector<FixedText<3>>{FixedText<3>("AAA"), FixedText<3>("BBB"), FixedText<3>("CCC")}));

    // The same airline twice: the same lines, two airline entries.
    ASSERT_EQ(m.Run({0, 0, 1}).result, CompileOutcome::Result::Finished);
    EXPECT_EQ(FileText(m.dir.AddFile()), m.ExpectedAddFile());
    EXPECT_TRUE(info[2] == info[1] && info[3] == Airline("EZY", "easyJet"));

    // Nothing selected: an empty add file.
    m.routes.erase(m.routes.begin() + 1);
    ASSERT_EQ(m.Run({2}).result, CompileOutcome::Result::Finished);
    EXPECT_EQ(FileText(m.dir.AddFile()), "");
}

TEST(GetRealWorldData, AMergeThatDoesNotFinishChangesNothing) {
    struct Case { std::function<void(Merge&)> spoil; std::vector<std::int32_t> chosen; std::string status, reason; };
    const Case cases[] = {
        {{}, {}, "Getting VA Data", "no real-world airline was chosen"},
        {{}, std::vector<std::int32_t>(11, 1), "Getting VA Data", "at most ten real-world airlines; 11 were chosen"},
        {{}, {3}, "Getting VA Data", "item number 3 names no real-world airline"},
        {[](Merge& m) { m.dir.Write("va.KRX", "AAA,BBB,EAAA,EBBB,TWL,x"); }, {0}, "Getting VA Data",
         "field 6 (FlightNumber)"},
        {[](Merge& m) { m.routes.clear(); }, {0}, "Loading Routes",
         "Routes.kr1: the real-world route set file is empty"},
        {[](Merge& m) { m.index.clear(); }, {0}, "Loading Indexes",
         "index.kr1: the real-world route set file is empty"},
        {[](Merge& m) { m.routes[3].DestIndex = 9; }, {0}, "Writing Add File",
         "record 3: DestIndex 9 names no airport of index.kr1, which holds 4"},
        // Still selected, but the text cannot be written.
        {[](Merge& m) { m.routes[3].Destination = "\"A,", m.routes[3].Origin = "AAA"; }, {0}, "Writing Add File",
         "Routes.kr1, record 3: the text"},
    };
    for (const Case& c : cases) {
        Merge m;
        m.dir.Write("Data/Defaults/carrierADD.txt", "older");
        m.state.AirlineInfo[1] = Airline("OLD", "Kept");
        const auto before = m.state.AirlineInfo;
        if (c.spoil) c.spoil(m);
        const MergeOutcome outcome = m.Run(c.chosen);
        EXPECT_EQ(std::tuple(outcome.result, outcome.failedStatus, m.port.currentStatus),
                  std::tuple(CompileOutcome::Result::Failed, c.status, "Finished Getting Data")) << c.reason;
        EXPECT_NE(outcome.reason.find(c.reason), std::string::npos) << outcome.reason;
        EXPECT_EQ(FileText(m.dir.AddFile()), "older") << c.reason;
        EXPECT_FALSE(fs::exists(PendingPath(m.dir.AddFile()))) << c.reason;
        EXPECT_TRUE(m.state.AirlineInfo == before) << c.reason;
    }

    Merge cancelled;
    EXPECT_EQ(cancelled.Run({0}, true).result, CompileOutcome::Result::Cancelled);
    EXPECT_EQ(cancelled.port.StatusTexts(), std::vector<std::string>{"Finished Getting Data"});
    EXPECT_FALSE(fs::exists(cancelled.dir.AddFile()));
}
