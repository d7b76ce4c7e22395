// The map of the sample's route set (the golden run's files): the scene
// read from it, the SVG drawn of it, and the command line's map command.

#include <gtest/gtest.h>

#include <regex>

#include "TestSupport.h"
#include "map/MapImage.h"
#include "map/MapScene.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {

const char* const SetName = "Tarnwell Air (Leeds)";
const std::vector<std::string> TwoPlans{"LBA-AMS", "lba-dub"};  // along airways; point to point

// A copy of the sample with the golden run's route set compiled into it.
class MapSample : public ::testing::Test {
protected:
    void SetUp() override { CopyGoldenSample(dir, SetName); }
    CliRun Run(const std::string& args) const { return RunCli(dir, "--root \"" + PathText(dir.Root()) + "\" " + args); }
    std::string Out(const char* name) const { return "--out \"" + PathText(dir.Root() / name) + "\""; }

    TempProgramFolder dir;
};

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(MapSample, SceneHoldsEveryAirportTheCityPairsAndTheChosenPlans) {
    const MapScene scene = LoadMapScene(dir.Root(), SetName, TwoPlans);
    EXPECT_EQ(scene.airports.size(), fs::file_size(dir.Data() / SetName / "index.kr1") / 107);
    EXPECT_EQ(scene.cityPairs.size(), 376u);
    EXPECT_EQ(scene.cityPairs.front().plan, 1);
    ASSERT_EQ(scene.plans.size(), 2u);

    const MapPlan& amsterdam = scene.plans[0];
    EXPECT_EQ(amsterdam.pair.Key(), "LBA-AMS");
    EXPECT_EQ(amsterdam.points.size(), 14u);
    ASSERT_EQ(amsterdam.legs.size(), 15u);
    EXPECT_EQ(amsterdam.legs.front().from, scene.airports[amsterdam.pair.originAirport].position);
    EXPECT_EQ(amsterdam.legs.back().to, scene.airports[amsterdam.pair.destinationAirport].position);
    EXPECT_TRUE(amsterdam.legs.front().airway.empty());  // from the airport to the first node
    EXPECT_TRUE(amsterdam.legs.back().airway.empty());
    for (std::size_t k = 1; k + 1 < amsterdam.legs.size(); ++k) EXPECT_FALSE(amsterdam.legs[k].airway.empty()) << k;
    for (const MapPlanPoint& p : amsterdam.points) {
        EXPECT_EQ(p.kind, 'H');
        EXPECT_FALSE(p.ident.empty());
        EXPECT_NEAR(p.position.lat, 53, 2.5);
    }

    const MapPlan& dublin = scene.plans[1];
    EXPECT_EQ(dublin.pair.Key(), "LBA-DUB");
    ASSERT_EQ(dublin.points.size(), 1u);
    EXPECT_EQ(dublin.points[0].kind, 'I');
    EXPECT_EQ(dublin.legs.size(), 2u);
    for (const MapPlanLeg& leg : dublin.legs) EXPECT_TRUE(leg.airway.empty());
}

TEST_F(MapSample, UnknownCityPairsAndMissingFilesAreNamed) {
    const auto failure = [&](const std::vector<std::string>& pairs, const std::string& set = SetName) {
        try {
            LoadMapScene(dir.Root(), set, pairs);
        } catch (const TarnwellError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_NE(failure({"LBA-XXX"}).find("\"LBA-XXX\" is not a city pair"), std::string::npos);
    EXPECT_NE(failure({}, "Nothing").find("no route set folder"), std::string::npos);
    fs::remove(dir.Data() / "nav_ISC.bin");
    EXPECT_NO_THROW(LoadMapScene(dir.Root(), SetName, std::vector<std::string>{"LBA-AMS"}));  // needs no intersection
    EXPECT_NE(failure({"LBA-DUB"}).find("nav_ISC.bin"), std::string::npos) << failure({"LBA-DUB"});
    fs::remove(dir.Data() / SetName / "routes.kr1");
    EXPECT_NE(failure({}).find("routes.kr1"), std::string::npos);
}

TEST_F(MapSample, SvgDrawsOneMarkPerAirportAndBothPlansWithTheirPoints) {
    const MapScene scene = LoadMapScene(dir.Root(), SetName, TwoPlans);
    const Bytes bytes = RenderMapImage(scene, 1200, 900, MapImageFormat::Svg);
    const std::string svg(bytes.begin(), bytes.end());
    EXPECT_TRUE(svg.starts_with("<?xml"));
    EXPECT_EQ(Count(svg, "<circle class=\"airport\""), scene.airports.size());
    EXPECT_EQ(Count(svg, "<rect class=\"point\""), 15u);
    EXPECT_GT(Count(svg, "class=\"coast\""), 10u);
    EXPECT_GT(Count(svg, "<polyline class=\"airway\""), 0u);
    EXPECT_EQ(Count(svg, "<polyline class=\"direct\""), 4u);  // into and out of each plan
    for (const MapPlan& plan : scene.plans)
        for (const MapPlanPoint& p : plan.points)
            EXPECT_NE(svg.find(">" + p.ident + "</text>"), std::string::npos) << p.ident;
    EXPECT_NE(svg.find(">LBA</text>"), std::string::npos);
    EXPECT_TRUE(RenderMapImage(scene, 1200, 900, MapImageFormat::Svg) == bytes);
}

TEST_F(MapSample, CommandWritesTheWholePictureOrNothing) {
    const CliRun svg = Run(std::string("map \"") + SetName + "\" " + Out("map.svg") + " --plans LBA-AMS,LBA-DUB");
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    EXPECT_EQ(svg.out, "Wrote " + PathText(dir.Root() / "map.svg") + ": 57 airports, " +
                           std::to_string(LoadMapScene(dir.Root(), SetName).routes.size()) + " routes, 2 flight plans\n");
    EXPECT_NE(FileText(dir.Root() / "map.svg").find("</svg>"), std::string::npos);

    const CliRun png = Run(std::string("-q map \"") + SetName + "\" " + Out("map.PNG") + " --size=300x200 --plans LBA-DUB");
    ASSERT_EQ(png.exitCode, 0) << png.err;
    EXPECT_EQ(png.out + png.err, "");
    EXPECT_TRUE(FileText(dir.Root() / "map.PNG").starts_with("\x89PNG\r\n\x1a\n"));

    const CliRun unknown = Run(std::string("map \"") + SetName + "\" " + Out("none.svg") + " --plans LBA-XYZ");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("LBA-XYZ"), std::string::npos) << unknown.err;
    EXPECT_FALSE(fs::exists(dir.Root() / "none.svg"));
    EXPECT_EQ(HiddenEntries(dir.Root()), std::vector<std::string>{});
}

TEST_F(MapSample, UsageErrorsNameTheMapHelp) {
    const std::string set = std::string("\"") + SetName + "\" ";
    const std::pair<std::string, std::string> cases[] = {
        {"map " + set, "map needs --out"},
        {"map " + set + Out("m.jpg"), "ending in .svg or .png"},
        {"map " + set + Out("m.svg") + " --size 10x10", "--size needs WIDTHxHEIGHT"},
        {"map " + set + Out("m.svg") + " --size 300", "--size needs WIDTHxHEIGHT"},
        {"map " + set + Out("m.svg") + " --plans LBA", "ORIGIN-DEST"},
        {"map " + Out("m.svg"), "exactly one route set NAME"},
        {"map Defaults " + Out("m.svg"), "Defaults"},
        {"map " + set + Out("m.svg") + " --jobs 2", "--jobs"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find(message), std::string::npos) << args << "\n" << r.err;
        EXPECT_NE(r.err.find("Try 'tarnwell help map'."), std::string::npos) << r.err;
    }
    const CliRun check = Run("check " + set + Out("m.svg"));
    EXPECT_EQ(check.exitCode, 2);
    EXPECT_NE(check.err.find("--out, --plans and --size belong to map"), std::string::npos) << check.err;
    EXPECT_FALSE(fs::exists(dir.Root() / "m.svg"));
}
