// Route strings, distances, kinds, CSV rows and .fms files of small made-up
// plans.

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "planexport/FmsFile.h"
#include "planexport/PlanText.h"

using namespace tarnwell;

namespace {

// A point of a made-up plan and the airway of the leg to it ("" direct).
struct Step {
    char kind;
    std::string ident, airway;
    std::string nodeKind = "FIX";
};

// Two airports (LBA at 53N 1W, AMS at 52N 5E) and a plan between them
// through `steps`, each a tenth of a degree further east along 53N.
MapScene Scene(const std::vector<Step>& steps) {
    MapScene scene;
    scene.airports = {{"LBA", "EGNM", "Leeds", {53, -1}, 681}, {"AMS", "EHAM", "Schiphol", {52, 5}, -11}};
    MapPlan plan;
    plan.pair = {"LBA", "AMS", 7, 0, 1};
    GeoPoint from = scene.airports[0].position;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const GeoPoint at{53, -1 + 0.1 * static_cast<double>(k + 1)};
        plan.points.push_back({steps[k].kind, steps[k].ident, at, steps[k].kind == 'H' ? steps[k].nodeKind : ""});
        plan.legs.push_back({from, at, steps[k].airway});
        from = at;
    }
    plan.legs.push_back({from, scene.airports[1].position, {}});
    scene.cityPairs.push_back(plan.pair);
    scene.plans.push_back(plan);
    return scene;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(RouteString, CollapsesAirwaysAndWritesDirectLegs) {
    const struct {
        std::vector<Step> steps;
        std::string route;
    } cases[] = {
        {{}, "EGNM DCT EHAM"},
        {{{'I', "WAL30", ""}}, "EGNM WAL30 EHAM"},
        {{{'H', "A", ""}, {'H', "B", "UL1"}, {'H', "C", "UL1"}, {'H', "D", "UL1"}}, "EGNM A UL1 D EHAM"},
        {{{'H', "A", ""}, {'H', "B", "UL1"}, {'H', "C", "UN2"}, {'H', "D", "UN2"}}, "EGNM A UL1 B UN2 D EHAM"},
        // the same airway again after a direct leg is a new run
        {{{'H', "A", ""}, {'H', "B", "UL1"}, {'V', "POL", ""}, {'H', "C", ""}, {'H', "D", "UL1"}},
         "EGNM A UL1 B DCT POL DCT C UL1 D EHAM"},
        {{{'V', "POL", ""}, {'N', "NB", ""}, {'I', "FIX", ""}}, "EGNM POL DCT NB DCT FIX EHAM"},
        // airway, other airway, back to the first: three runs
        {{{'H', "A", ""}, {'H', "B", "UL1"}, {'H', "C", "UN2"}, {'H', "D", "UL1"}}, "EGNM A UL1 B UN2 C UL1 D EHAM"},
    };
    for (const auto& c : cases) {
        const MapScene scene = Scene(c.steps);
        EXPECT_EQ(RouteString(scene.plans[0], "EGNM", "EHAM"), c.route);
    }
}

TEST(PlanText, KindDistanceAndCsv) {
    EXPECT_EQ(KindOf(Scene({{'V', "POL", ""}, {'I', "X", ""}}).plans[0]), PlanKind::PointToPoint);
    MapPlan meridian;  // 60 NM to the degree, summed over every leg
    meridian.legs = {{{50, 0}, {51, 0}, {}}, {{51, 0}, {52.5, 0}, {}}};
    EXPECT_NEAR(PlanDistance(meridian), 150.0, 0.01);

    MapScene scene = Scene({{'H', "A", ""}, {'H', "B", "UL1"}, {'I', "WAL30", ""}});
    scene.plans.push_back(Scene({}).plans[0]);
    std::ostringstream csv;
    WritePlansCsv(scene, scene.plans, csv);
    const auto rows = Lines(csv.str());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "Origin,Destination,Distance,Kind,Route");
    EXPECT_TRUE(std::regex_match(rows[1], std::regex(R"(LBA,AMS,\d+\.\d,airway,EGNM A UL1 B DCT WAL30 EHAM)"))) << rows[1];
    EXPECT_TRUE(rows[2].ends_with(",empty,EGNM DCT EHAM")) << rows[2];
}

TEST(FmsFile, HeaderWaypointsTypesAndVia) {
    const MapScene scene = Scene({{'H', "A", "", "VOR"}, {'H', "B", "UL1", "NDB"}, {'H', "C", "UL1", "FIX"},
                                  {'H', "D", "UL1", ""}, {'V', "POL", ""}, {'N', "NB", ""}, {'I', "WAL30", ""}});
    const auto lines = Lines(FmsText(scene, scene.plans[0]));
    ASSERT_EQ(lines.size(), 6u + 9u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
              (std::vector<std::string>{"I", "1100 Version", std::string("CYCLE ") + FmsCycle, "ADEP EGNM",
                                        "ADES EHAM", "NUMENR 9"}));
    const std::vector<std::string> waypoints(lines.begin() + 6, lines.end());
    const std::vector<std::string> expected{
        "1 EGNM ADEP 681.000000 53.000000 -1.000000", "3 A DRCT 0.000000 53.000000 -0.900000",
        "2 B UL1 0.000000 53.000000 -0.800000",      "11 C UL1 0.000000 53.000000 -0.700000",
        "28 D UL1 0.000000 53.000000 -0.600000",     "3 POL DRCT 0.000000 53.000000 -0.500000",
        "2 NB DRCT 0.000000 53.000000 -0.400000",    "11 WAL30 DRCT 0.000000 53.000000 -0.300000",
        "1 EHAM ADES -11.000000 52.000000 5.000000"};
    EXPECT_EQ(waypoints, expected);
}

TEST(FmsFile, FilesAreNamedByIcaoCodesUnlessTheyClash) {
    MapScene scene = Scene({});
    scene.airports.push_back({"XXX", "", "", {50, 0}, 0});  // no ICAO code
    scene.airports.push_back({"AM2", "eham", "", {52, 5}, 0});  // the same code in another case
    MapPlan second = scene.plans[0], third = scene.plans[0];
    second.pair = {"LBA", "XXX", 8, 0, 2};
    third.pair = {"LBA", "AM2", 9, 0, 3};
    scene.plans.push_back(second);
    scene.plans.push_back(third);
    const auto files = FmsFiles(scene, scene.plans, "out");
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].target, std::filesystem::path("out") / "EGNMEHAM.fms");
    EXPECT_EQ(files[1].target, std::filesystem::path("out") / "LBA-XXX.fms");
    EXPECT_EQ(files[2].target, std::filesystem::path("out") / "LBA-AM2.fms");
    const std::string text(files[0].bytes.begin(), files[0].bytes.end());
    EXPECT_EQ(text, FmsText(scene, scene.plans[0]));
}
