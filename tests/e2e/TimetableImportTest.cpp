// import-timetable on the sample's web-manager export: the timetable it
// writes compiles with the sample's navigation data, and a faulty export
// writes nothing.

#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {

class TimetableImport : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(TARNWELL_SAMPLE_DIR, dir.Root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    CliRun Run(const std::string& args) const { return RunCli(dir, "--root \"" + PathText(dir.Root()) + "\" " + args); }
    std::string In(const std::string& relative) const { return "\"" + PathText(dir.Root() / relative) + "\""; }
    std::string Import(const std::string& flights, const std::string& airports) const {
        return "import-timetable --phpvms-flights " + In(flights) +
               (airports.empty() ? "" : " --phpvms-airports " + In(airports)) + " --out " + In("Export.KRX");
    }

    TempProgramFolder dir;
};

}  // namespace

TEST_F(TimetableImport, WritesATimetableTheSampleCompiles) {
    const CliRun r = Run(Import("phpvms/flights.csv", "phpvms/airports.csv"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote 9 flights to " + PathText(dir.Root() / "Export.KRX") + "; left out 1 inactive row\n");
    const std::string timetable = FileText(dir.Root() / "Export.KRX");
    EXPECT_TRUE(timetable.starts_with("LBA,AMS,EGNM,EHAM,TWL, 400 ,B73, 700 , 920 , 1 , 1 , 1 , 1 , 1 , 0 , 0 ,"))
        << timetable;
    EXPECT_TRUE(HiddenEntries(dir.Root()).empty());

    // The real-world route set's codes give the same timetable.
    fs::remove(dir.Root() / "Export.KRX");
    const CliRun fallback = Run("-q " + Import("phpvms/flights.csv", ""));
    ASSERT_EQ(fallback.exitCode, 0) << fallback.err;
    EXPECT_EQ(fallback.out, "");
    EXPECT_EQ(FileText(dir.Root() / "Export.KRX"), timetable);

    const CliRun compile = Run("compile " + In("Export.KRX") +
                               " --set-name Imported --airline-iata TWL --airline-name \"Tarnwell Air\"");
    ASSERT_EQ(compile.exitCode, 0) << compile.err;
    EXPECT_EQ(compile.err.find("warning"), std::string::npos) << compile.err;
    const CliRun check = Run("check Imported");
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_NE(check.out.find("\nRoutes: 9\n"), std::string::npos) << check.out;
}

TEST_F(TimetableImport, WritesNothingWhenARowOrAnAirportCodeIsMissing) {
    const std::string flights = FileText(dir.Root() / "phpvms" / "flights.csv");
    dir.Write("bad.csv", flights + "TWL,450,,,,EGNM,LFPG,,12345,25:00,09:20,,,,,,,,,,,,1,B738,,,,\n"
                                   "TWL,451,,,,LFPG,EGNM,,12345,10:00,10:25,,,,,,,,,,,,1,B738,,,,\n"
                                   "TWL,452,,,,EGNM,EHAM,,9,10:00,10:25,,,,,,,,,,,,1,B738,,,,\n");
    dir.Write("Export.KRX", "old");
    const CliRun r = Run(Import("bad.csv", "phpvms/airports.csv"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("line 12, field 10 (dpt_time): \"25:00\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 14, field 9 (days)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("no three-letter code for 1 airport: LFPG (looked up in "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Nothing was written."), std::string::npos) << r.err;
    EXPECT_EQ(FileText(dir.Root() / "Export.KRX"), "old");
    EXPECT_TRUE(HiddenEntries(dir.Root()).empty());

    // Without an airport export, a program folder without a real-world route
    // set knows no three-letter codes, and says so.
    fs::remove(dir.Data() / "Defaults" / "index.kr1");
    const CliRun none = Run(Import("phpvms/flights.csv", ""));
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.err.find("knows no three-letter airport codes"), std::string::npos) << none.err;
    EXPECT_EQ(FileText(dir.Root() / "Export.KRX"), "old");

    for (const char* args : {"import-timetable --out x.KRX", "import-timetable --phpvms-flights f.csv",
                             "check x --phpvms-flights f.csv", "import-timetable x --phpvms-flights f.csv --out x.KRX",
                             "import-timetable --phpvms-flights f.csv --out x.KRX --size 9x9"}) {
        const CliRun usage = Run(args);
        EXPECT_EQ(usage.exitCode, 2) << args;
        EXPECT_NE(usage.err.find("Try 'tarnwell help "), std::string::npos) << usage.err;
    }
}
