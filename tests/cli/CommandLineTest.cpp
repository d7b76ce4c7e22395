// The command line: the real-world commands' output, and failures that say
// why and change nothing. The sample's tests run whole compiles.

#include <gtest/gtest.h>

#include <regex>

#include "realworld/RealWorldFolder.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {

// The real-world files of RealWorldFolder, and navigation data to compile its timetable.
struct CliFolder : RealWorldFolder {
    CliFolder() {
        WriteFiles();
        WriteNavData(dir, {NavAirportAt("EAAA", 0, 0), NavAirportAt("EBBB", 0, 1), NavAirportAt("ECCC", 1, 0)});
    }
    std::string Quoted(const std::string& relative) const { return "\"" + PathText(dir.Root() / relative) + "\" "; }
    CliRun Run(const std::string& args) const { return RunCli(dir, "--root \"" + PathText(dir.Root()) + "\" " + args); }
};

}  // namespace

TEST(CommandLine, ListsTheRealWorldAirlinesAndMergesThem) {
    CliFolder f;
    EXPECT_EQ(f.Run("airlines").out, "#0     BA   British Airways\n#1     EZY  easyJet\n#2     LH   Lufthansa\n");
    EXPECT_EQ(f.Run("--quiet airlines JET").out, "#1     EZY  easyJet\n");
    // Quiet, the warning that the list is missing goes; the error stays.
    EXPECT_EQ(f.Run("-q --root " + f.Quoted("nowhere") + "airlines").err,
              "error: the real-world airline list holds no airline\n");
    const CliRun r =
        f.Run("merge --verbose " + f.Quoted("va.KRX") + "--real-world-airline=BA --real-world-airline \"#1\"");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Finished: 3 flights"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("Select the .KRX file you will be adding the real world airline data to.\n"), r.err.npos);
    EXPECT_EQ(FileText(f.dir.AddFile()), f.ExpectedAddFile());
    EXPECT_NE(f.Run("--help").out.find("--set-name NAME"), std::string::npos);
}

// After a compile and a merge have finished, every failure leaves the route
// set, the add file and the airline list as they were.
TEST(CommandLine, FailuresSayWhyAndChangeNothing) {
    CliFolder f;
    const std::string compile = "compile --set-name=\"My Set\" --airline-iata A --airline-name=B ";
    const std::string merge = "merge " + f.Quoted("va.KRX");
    // Quiet, a compile prints nothing but still logs.
    const CliRun quiet = f.Run("-q " + compile + f.Quoted("va.KRX") + "--jobs=2 --status-log=" + f.Quoted("s.log"));
    ASSERT_EQ(quiet.exitCode, 0) << quiet.err;
    EXPECT_EQ(quiet.out + quiet.err, "");
    EXPECT_NE(FileText(f.dir.Root() / "s.log").find("\nFinished"), std::string::npos);
    ASSERT_EQ(f.Run(merge + "--real-world-airline BA").exitCode, 0);
    const auto kept = [&f] {
        return FileText(f.dir.Data() / "My Set" / "routes.kr1") + FileText(f.dir.AddFile()) +
               FileText(f.dir.Data() / "airline.kr1");
    };
    const std::string before = kept();
    f.dir.Write("bad.KRX", Flight("AAA", "BBB") + Flight("CCC", "DDD") + "AAA,BBB,EAAA,EBBB,TWL,x1\r\n");
    f.dir.Write("b.csv", "code,name,extra\nBAW,British Airways\n");
    fs::remove(f.dir.Data() / "Defaults" / "Routes.kr1");
    std::string eleven;
    for (int i = 0; i < 11; ++i) eleven += "--real-world-airline BA ";
    const struct { std::string args; int exitCode; std::vector<std::string> errors; } cases[] = {
        {compile + f.Quoted("bad.KRX"), 1,
         {"error: the compile failed at \"Getting VA Data\": " + PathText(f.dir.Root() / "bad.KRX") +
          ", line 3, field 6 (FlightNumber)"}},
        {"--root " + f.Quoted("nowhere") + compile + f.Quoted("va.KRX"), 1, {"cannot start", "nav_APT.bin"}},
        {merge + "--real-world-airline XX", 1, {"\"XX\" names no real-world airline"}},
        {merge + "--real-world-airline LH", 1, {"failed at \"Loading Routes\""}},
        {"airlines nothing", 1, {"no real-world airline's code or name contains \"nothing\""}},
        {"import-airlines " + f.Quoted("b.csv"), 1, {"line 2", "The airline list was not changed."}},
        {merge, 2, {"merge needs at least one --real-world-airline A"}},
        {"compile", 2, {"compile needs exactly one TIMETABLE"}},
        {"frobnicate", 2, {"tarnwell: unknown command 'frobnicate'\nTry 'tarnwell --help'.\n"}},
        {"check", 2, {"tarnwell: check needs exactly one route set NAME\nTry 'tarnwell help check'.\n"}},
        {"help compile dump", 2, {"help takes at most one COMMAND"}},
        {"import-navdata --xplane=x --region=1", 2, {"--region takes its four numbers as separate arguments"}},
        {"-q --verbose airlines", 2, {"--quiet and --verbose cannot be given together\nTry 'tarnwell help airlines'."}},
        {"airlines --verbose=yes", 2, {"option --verbose takes no value"}},
        {"dump X bogus.kr1", 2, {"\"bogus.kr1\" is not a route-set file; give one of index.kr1"}},
        {merge + eleven, 2, {"at most ten --real-world-airline"}},
        {"compile " + f.Quoted("va.KRX") + "--set-name X", 2, {"compile needs --airline-iata CODE"}},
        {"check X --real-world-airline BA", 2, {"--real-world-airline belongs to compile and merge"}},
        {compile + f.Quoted("va.KRX") + "--jobs 0", 2, {"option --jobs needs a number of threads from 1 to 256"}},
        {merge + "--real-world-airline BA --jobs 2", 2, {"merge builds no flight plans and takes no --jobs"}},
        // A set name no system can store is refused before the merge runs.
        {"compile --set-name CON --airline-iata A --airline-name B " + f.Quoted("va.KRX") + "--real-world-airline \"#1\"", 1,
         {"the route set name \"CON\" is a device name"}},
    };
    for (const auto& [args, exitCode, errors] : cases) {
        const CliRun r = f.Run(args);
        EXPECT_EQ(r.exitCode, exitCode) << args;
        EXPECT_EQ(r.out, "") << args;
        if (exitCode == 2) {
            EXPECT_TRUE(std::regex_match(r.err, std::regex("tarnwell: [^\n]+\nTry '[^\n]+'\\.\n"))) << r.err;
        }
        for (const std::string& error : errors) EXPECT_NE(r.err.find(error), std::string::npos) << r.err;
    }
    EXPECT_TRUE(kept() == before);
}
