// The compile behind "3.  Compile Schedule" and the real-world route set
// built with its steps: the step table's order, what a finished run writes
// and shows, and what a failed one leaves behind.

#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "common/FileReplace.h"
#include "compile/BuildDefaults.h"
#include "compile/CompileDriver.h"
#include "compile/CompileSteps.h"
#include "compile/RecordingPort.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {


// A program folder after start-up, its navigation data over airports one
// degree apart: AAA-BBB and AAA-CCC are 60 NM.
struct CompileFolder {
    TempProgramFolder dir;
    ProgramState state{dir.Root()};
    RecordingPort port;

    CompileFolder() {
        WriteNavData(dir, {NavAirportAt("EAAA", 0, 0, 100), NavAirportAt("EBBB", 0, 1, 200), NavAirportAt("ECCC", 1, 0),
                           NavAirportAt("EDDD", 1, 1)});
        StartUp(state, port);
    }
    fs::path SetFolder() const { return dir.Data() / "Set"; }
    fs::path Defaults(const char* name) const { return dir.Data() / "Defaults" / name; }
    // Compiles `timetable` into the route set "Set", recording the steps afresh.
    CompileOutcome Compile(const std::string& timetable, const std::string& airlineName = "Tarnwell Air") {
        RecordAfresh();
        return CompileSchedule(state, port, {"Set", "TWL", airlineName, dir.Write("t.KRX", timetable)});
    }
    CompileOutcome BuildDefaults(const std::string& timetable) {
        RecordAfresh();
        return tarnwell::BuildDefaults(state, port, dir.Write("real.KRX", timetable));
    }
    void RecordAfresh() {
        port = RecordingPort();
        port.recordProgress = false;
    }
};

const std::vector<std::string> StepTexts = {
    "Getting VA Data", "Sorting VA Data", "Moving Data to Routes", "Finding Index Airports",
    "Looking up Index Airport Information", "Cross matching Index to Routes", "Cross Matching Routes to Index",
    "Create Flight Plan Unique Routes", "Loading Flight Plan Data", "Erasing Old Flight Plan Data",
    "Creating Flight Plans", "Matching Flight Plans to Routes", "Creating Arrivals Pointers",
    "Calculating Orvanta Miles", "Writing Data Files"};

}  // namespace

TEST(CompileSchedule, RunsEveryStepOfTheTableAndEndsWithFinishedAndTwoBeeps) {
    EXPECT_EQ(CompileStepTexts(), StepTexts);
    for (const std::string& text : StepTexts) EXPECT_EQ(CompileStepNamed(text).status, text);
    EXPECT_THROW(CompileStepNamed("Finished!"), std::logic_error);
    CompileFolder c;
    // Typed text is UTF-8; the record holds the ANSI code page.
    const CompileOutcome outcome = c.Compile(Flight("BBB", "AAA", 1) + Flight("AAA", "BBB", 2), "Tarnwell Z\u00fcrich");
    ASSERT_EQ(outcome.result, CompileOutcome::Result::Finished) << outcome.reason;
    std::vector<std::string> shown = StepTexts;
    shown.insert(shown.end(), {"Loading Navenna Airports", "Loading Altitudes", "Finding Navenna Data",
                               "Writing Index File", "Finished!"});
    EXPECT_EQ(c.port.StatusTexts(), shown);
    // One when the airport information is written, one when the compile has finished.
    ASSERT_EQ(c.port.beeps.size(), 2u);
    EXPECT_TRUE(c.port.beeps[0].kind == BeepKind::Finished && c.port.beeps[1].kind == BeepKind::Finished);

    EXPECT_EQ(FileText(c.SetFolder() / "airline.kr1").substr(0, 19), "TWLTarnwell Z\xFCrich ");
    EXPECT_EQ(HiddenEntries(c.dir.Root()), std::vector<std::string>{});
}

// Each failure after a finished compile, with an add file waiting: the route
// set is as the finished compile left it, nothing is left half written, and
// the add file stays exactly as it was.
TEST(CompileSchedule, AFailureLeavesThePreviousRouteSetWhole) {
    struct Failure { std::string setName; std::function<void(CompileFolder&)> spoil;
                     std::string failedStatus, statusLeft, reason; };
    const auto remove = [](const char* name) { return [name](CompileFolder& c) { fs::remove(c.dir.Data() / name); }; };
    const auto badLine = [](CompileFolder& c) {
        c.dir.Write("t.KRX", Flight("AAA", "BBB") + "AAA,BBB,EAAA,EBBB,TWL,1,320,99999\r\n");
    };
    const auto blockCityPairs = [](CompileFolder& c) {
        fs::remove(c.dir.Data() / "UniqueRoutes.txt"), fs::create_directory(c.dir.Data() / "UniqueRoutes.txt");
    };
    const Failure failures[] = {
        {"Set", badLine, "Getting VA Data", "Getting VA Data", "line 2, field 8 (DepartTime)"},
        {"Set", blockCityPairs, "Create Flight Plan Unique Routes", "Create Flight Plan Unique Routes",
         "UniqueRoutes.txt"},
        {"Set", remove("nav_NDB.bin"), "Loading Flight Plan Data", "Loading Flight Plan Data", "nav_NDB.bin"},
        // Added flights out of the merge's order would give wrong departure blocks.
        {"Set", [](CompileFolder& c) { c.dir.Write("Data/Defaults/carrierADD.txt", Flight("DDD", "EEE") + Flight("CCC", "DDD")); },
         "Getting VA Data", "Getting VA Data", "carrierADD.txt, line 2, record 1: the added flights are out of the order"},
        {"Set", remove("nv_apt1.nv2"), "Writing Data Files", "Loading Navenna Airports", "nv_apt1.nv2"},
        // Names that would write outside their own folder are refused before anything runs.
        {"", {}, "", "", "the route set name \"\" is empty"},
        {"defaults", {}, "", "", "is reserved"},
        {"..", {}, "", "", "does not name a folder inside Data"},
        {std::string(201, 'x'), {}, "", "", "is 201 bytes long"},
    };
    for (const Failure& f : failures) {
        CompileFolder c;
        ASSERT_EQ(c.Compile(Flight("AAA", "BBB")).result, CompileOutcome::Result::Finished);
        const auto before = FolderFiles(c.SetFolder());
        c.dir.Write("Data/Defaults/carrierADD.txt", Flight("CCC", "DDD"));
        c.dir.Write("t.KRX", Flight("AAA", "BBB") + Flight("BBB", "CCC"));
        if (f.spoil) f.spoil(c);
        const std::string addFile = FileText(c.dir.AddFile());
        c.port = RecordingPort();
        const CompileOutcome outcome =
            CompileSchedule(c.state, c.port, {f.setName, "TWL", "Tarnwell Air", c.dir.Root() / "t.KRX"});
        EXPECT_EQ(std::tuple(outcome.result, outcome.failedStatus, c.port.currentStatus),
                  std::tuple(CompileOutcome::Result::Failed, f.failedStatus, f.statusLeft)) << f.reason;
        EXPECT_NE(outcome.reason.find(f.reason), std::string::npos) << outcome.reason;
        EXPECT_TRUE(FolderFiles(c.SetFolder()) == before) << f.reason;
        EXPECT_EQ(FileText(c.dir.AddFile()), addFile) << f.reason;
        EXPECT_EQ(HiddenEntries(c.dir.Root()), std::vector<std::string>{}) << f.reason;
        EXPECT_FALSE(fs::exists(c.dir.Data() / "airline.kr1")) << f.reason;
    }
}

// A route set folder that is a link leading out of Data is never written through.
TEST(CompileSchedule, RefusesASetFolderLinkedOutsideData) {
    CompileFolder c;
    fs::create_directory(c.dir.Root() / "outside");
    std::error_code linkError;
    fs::create_directory_symlink(c.dir.Root() / "outside", c.SetFolder(), linkError);
    if (linkError) GTEST_SKIP() << "this system makes no folder links here: " << linkError.message();
    c.dir.Write("t.KRX", Flight("AAA", "BBB"));
    const CompileOutcome outcome = c.Compile(Flight("AAA", "BBB"));
    EXPECT_EQ(outcome.result, CompileOutcome::Result::Failed);
    EXPECT_NE(outcome.reason.find("is a link leading outside the Data folder"), std::string::npos) << outcome.reason;
    EXPECT_TRUE(fs::is_empty(c.dir.Root() / "outside"));
}

// The records' bytes are checked against the sample's committed pair.
TEST(BuildDefaults, RunsItsStepsLeavesTheAddFileAndAFailureKeepsTheOldPair) {
    CompileFolder b;
    b.dir.Write("Data/Defaults/carrierADD.txt", "not even a timetable");
    // XXX is not in the navigation airports.
    const CompileOutcome outcome =
        b.BuildDefaults(Flight("BBB", "AAA", 1) + Flight("AAA", "XXX", 2) + Flight("AAA", "BBB", 3));
    ASSERT_EQ(outcome.result, CompileOutcome::Result::Finished) << outcome.reason;
    // The compile's steps up to the cross matching, then its last two.
    std::vector<std::string> steps(StepTexts.begin(), StepTexts.begin() + 7);
    steps.insert(steps.end(), {StepTexts[13], StepTexts[14], "Finished!"});
    EXPECT_EQ(b.port.StatusTexts(), steps);
    ASSERT_EQ(b.port.beeps.size(), 2u);
    EXPECT_NE(b.port.beeps[0].reason.find("XXX"), std::string::npos);
    EXPECT_EQ(FileText(b.dir.AddFile()), "not even a timetable");

    const std::string routes = FileText(b.Defaults("Routes.kr1")), index = FileText(b.Defaults("index.kr1"));
    const CompileOutcome bad = b.BuildDefaults(Flight("CCC", "AAA") + "AAA,BBB,EAAA,EBBB,TWL,x\r\n");
    EXPECT_EQ(bad.failedStatus, "Getting VA Data");
    EXPECT_NE(bad.reason.find("line 2, field 6 (FlightNumber)"), std::string::npos) << bad.reason;
    // The routes are complete but the index cannot be written: neither file changes.
    fs::create_directory(PendingPath(b.Defaults("index.kr1")));
    EXPECT_EQ(b.BuildDefaults(Flight("CCC", "AAA")).failedStatus, "Writing Data Files");
    EXPECT_EQ(FileText(b.Defaults("Routes.kr1")) + FileText(b.Defaults("index.kr1")), routes + index);
    EXPECT_FALSE(fs::exists(PendingPath(b.Defaults("Routes.kr1"))));
}
