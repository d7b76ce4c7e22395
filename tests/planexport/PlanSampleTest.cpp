// The plan command on the sample's route set (the golden run's files): the
// listing against an independent read of PLANS.kr1, the CSV of every plan,
// the .fms files and the command line's errors.

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <regex>
#include <string_view>
#include <sstream>

#include "TestSupport.h"
#include "common/Progress.h"
#include "examine/RouteSetCheck.h"
#include "examine/RouteSetDump.h"
#include "navdata/NavDataFiles.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {

const char* const SetName = "Tarnwell Air (Leeds)";

std::vector<std::string> Lines(const std::string& text, char end = '\n') {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, end);) lines.push_back(line);
    if (end == ',' && text.ends_with(',')) lines.emplace_back();
    return lines;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

class PlanSample : public ::testing::Test {
protected:
    void SetUp() override { CopyGoldenSample(dir, SetName); }
    CliRun Run(const std::string& args) const { return RunCli(dir, "--root \"" + PathText(dir.Root()) + "\" " + args); }
    std::string Set() const { return std::string("\"") + SetName + "\" "; }

    TempProgramFolder dir;
};

}  // namespace

// Each listed point is the entry PLANS.kr1 holds at that place (read by the
// dump, its identifier from the navigation file), with the airway stored on
// the entry before it when both are airway nodes.
TEST_F(PlanSample, ListingFollowsThePlanBlockPointForPoint) {
    struct Quiet : Progress {
        void SetStatus(std::string_view, StatusKind) override {}
        void DoEvents() override {}
        void Beep(BeepKind, std::string_view) override {}
        void Warn(std::string_view) override {}
    } quiet;
    const AirwayNetwork high = LoadHighNodes(dir.Data(), quiet);
    const std::vector<Intersection> fixes = LoadIntersections(dir.Data());
    std::ostringstream dump;
    DumpRouteSetFile(dir.Root(), SetName, "PLANS.kr1", dump);
    const auto rows = Lines(dump.str());

    for (const std::string pair : {"LBA AMS", "lba dub", "EGNM EHAM", "ABZ LGW", "AGP EDI"}) {
        const CliRun run = Run("plan " + Set() + pair);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto lines = Lines(run.out);
        const std::string plan = Words(lines.at(0)).at(2);  // "Flight plan N: ..."
        std::vector<std::vector<std::string>> entries;
        for (const std::string& row : rows)
            if (const auto f = Lines(row, ','); f.at(0) + ":" == plan && !f.at(5).empty()) entries.push_back(f);
        ASSERT_EQ(lines.size(), entries.size() + 6) << run.out;  // title, header, airports, distance, route
        for (std::size_t e = 0; e < entries.size(); ++e) {
            const std::string& type = entries[e][5];
            ASSERT_TRUE(type == "H" || type == "I") << type;  // what the sample's plans hold
            const auto ref = std::stoi(entries[e][6]);
            const std::string ident(type == "H" ? high.Node(ref).Ident.Trimmed()
                                                : fixes.at(static_cast<std::size_t>(ref)).Ident.Trimmed());
            const bool alongAirway = e > 0 && type == "H" && entries[e - 1][5] == "H";
            const std::string expected = std::to_string(e + 1) + (type == "H" ? " airway node " : " intersection ") +
                                         ident + " " + (alongAirway ? entries[e - 1][7] : "DCT");
            const auto words = Words(lines[e + 3]);
            std::string shown;
            for (std::size_t w = 0; w + 2 < words.size(); ++w) shown += (w ? " " : "") + words[w];
            EXPECT_EQ(shown, expected) << pair;
        }
        // The route runs from the listed origin to the listed destination.
        EXPECT_TRUE(lines.back().starts_with("Route: " + Words(lines[2])[1] + " ")) << lines.back();
        EXPECT_TRUE(lines.back().ends_with(" " + Words(lines[lines.size() - 3])[1])) << lines.back();
    }
}

TEST_F(PlanSample, AllGivesOneRowPerPlanCountedAsCheckCountsThem) {
    const CliRun all = Run("plan " + Set() + "--all");
    ASSERT_EQ(all.exitCode, 0) << all.err;
    const auto rows = Lines(all.out);
    const RouteSetSummary summary = CheckRouteSet(dir.Root(), SetName).summary;
    ASSERT_EQ(static_cast<std::int64_t>(rows.size()), summary.plans + 1);
    std::map<std::string, std::int64_t> kinds;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const auto f = Lines(rows[r], ',');
        ASSERT_EQ(f.size(), 5u) << rows[r];
        ++kinds[f[3]];
        EXPECT_GT(std::stod(f[2]), 0.0) << rows[r];
        EXPECT_TRUE(std::regex_match(f[4], std::regex("[A-Z]{4} .+ [A-Z]{4}"))) << rows[r];
    }
    EXPECT_EQ(kinds["airway"], summary.airwayPlans);
    EXPECT_EQ(kinds["point-to-point"], summary.pointToPointPlans);
}

TEST_F(PlanSample, FmsFilesAreWrittenWhole) {
    const fs::path file = dir.Root() / "one.fms";
    ASSERT_EQ(Run("plan " + Set() + "LBA AMS --fms \"" + PathText(file) + "\"").exitCode, 0);
    const auto lines = Lines(FileText(file));
    ASSERT_EQ(lines.size(), 6u + 16u);  // 14 points and the two airports
    EXPECT_EQ(lines[5], "NUMENR 16");
    EXPECT_TRUE(lines[6].starts_with("1 EGNM ADEP ")) << lines[6];
    EXPECT_TRUE(lines.back().starts_with("1 EHAM ADES ")) << lines.back();

    const fs::path folder = dir.Root() / "new" / "fms";
    const CliRun all = Run("-q plan " + Set() + "--all --fms-dir \"" + PathText(folder) + "\"");
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out + all.err, "");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 376);
    EXPECT_EQ(FileText(folder / "EGNMEHAM.fms"), FileText(file));
    EXPECT_EQ(HiddenEntries(dir.Root()), std::vector<std::string>{});
}

TEST_F(PlanSample, ErrorsAndUsageErrors) {
    for (const std::string& args : {"plan " + Set() + "LBA XYZ", std::string("plan Nothing LBA AMS")}) {
        const CliRun r = Run(args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_TRUE(r.err.starts_with("error: ")) << r.err;
    }
    const std::pair<std::string, std::string> usage[] = {
        {"plan " + Set() + "LBA", "ORIGIN and a DEST"},
        {"plan " + Set() + "LBA AMS --all", "--all takes only"},
        {"plan " + Set() + "--all --fms a.fms", "--fms-dir"},
        {"plan Defaults LBA AMS", "Defaults"},
        {"check " + Set() + "--all", "--all, --fms and --fms-dir belong to plan"},
    };
    for (const auto& [args, message] : usage) {
        const CliRun r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find(message), std::string::npos) << args << "\n" << r.err;
    }
    EXPECT_FALSE(fs::exists(dir.Root() / "a.fms"));
}
