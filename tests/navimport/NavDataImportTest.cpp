// A whole import: the files it writes (loaded by the compile's own loaders and
// read back byte by byte), what it reports, and failures that change nothing.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "compile/RecordingPort.h"
#include "navimport/NavDataImport.h"
#include "navimport/SourceFileText.h"
#include "navdata/NavDataFiles.h"
#include "navdata/NavigationData.h"

namespace tarnwell {
namespace {

using testing::ErrorOf;
using testing::FileText;
using testing::SourceHeader;
using testing::TempProgramFolder;

// A small world: two airports with runways, an ILS, a VOR, an NDB, fixes and
// airways; the airports compressed, in the Airports subfolder.
void WriteSmallWorld(const std::filesystem::path& folder) {
    auto put = [&](const char* name, const std::string& text) {
        std::filesystem::create_directories(folder);
        std::ofstream(folder / name, std::ios::binary) << text;
    };
    put("nav.dat", SourceHeader(810) +
        "3  51.0 0.0 100 11360 130 -2.0 LON  LONDON VOR-DME\r\n"
        "3  10.0 0.0 100 11370 130 9.0 FAR  FAR AWAY VOR\r\n"
        "2  51.5 0.5 0 396 50 0.0 NB  SOME NDB\r\n"
        "4  51.47769700 -000.42708100 83 11030 18 89.691 IAA  EGLL 09L ILS-cat-I\r\n"
        "99\r\n");
    put("fix.dat", SourceHeader(600) + " 51.2 0.2 FIXAA\r\n 52.0 1.0 FIXBB\r\n 10.0 1.0 FIXCC\r\n99\r\n");
    put("awy.dat", SourceHeader(640) +
        "FIXAA 51.2 0.2 FIXBB 52.0 1.0 2 180 450 UL1\r\n"
        "LON 51.0 0.0 FIXAA 51.2 0.2 1 50 180 L1\r\n"
        "99\r\n");
    testing::WriteGzip(folder / "Airports" / "apt.dat.gz", SourceHeader(1000) +
        "1       83 1 0 EGLL London Heathrow\r\n"
        "100   49.99   1   0 0.00 1 3 0 09L  51.47747035 -000.48962591  306.02    0.00 5  4 1 1 27R  51.47767520 -000.43326100    0.00   21.03 5  4 1 1\r\n"
        "50 12807 Heathrow Information\r\n"
        "1       10 0 0 EGXX No Runway Field\r\n"
        "14 51.6 0.6 0 0 Tower\r\n"
        "1       10 0 0 FAR1 Far Away\r\n"
        "14 10.0 0.6 0 0 Tower\r\n"
        "99\r\n");
}

class NavDataImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteSmallWorld(source);
        options.source = source;
    }
    NavDataImportResult Import(const ImportRegion& region) {
        options.region = region;
        return ImportNavData(dir.Data(), options, port);
    }
    void ExpectNoTemporaryLeft() const {
        for (const auto& entry : std::filesystem::directory_iterator(dir.Data()))
            EXPECT_NE(entry.path().extension(), ".importing");
    }

    TempProgramFolder dir;
    std::filesystem::path source = dir.Root() / "source";
    RecordingPort port;
    NavDataImportOptions options;
};

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(NavDataImportTest, WritesEveryFileTheCompileReads) {
    const NavDataImportResult result = Import({40, 60, -10, 20});
    ASSERT_EQ(result.written.size(), 10u);
    EXPECT_EQ(result.written[0].records, 2);  // EGLL, EGXX
    EXPECT_EQ(result.written[4].records, 2);  // high network: FIXAA, FIXBB
    EXPECT_EQ(port.StatusTexts(), (std::vector<std::string>{
                                      "Reading nav.dat", "Reading nav.dat 100%", "Reading fix.dat",
                                      "Reading fix.dat 100%", "Reading awy.dat", "Reading awy.dat 100%",
                                      "Reading apt.dat", "Reading apt.dat 100%", "Building airway networks",
                                      "Building airports", "Writing data files"}));

    // The compile's own loaders take every file.
    const auto nav = LoadNavigationData(dir.Data(), LoadNavAirports(dir.Data()), port);
    EXPECT_EQ(std::tuple(nav->NavAirportMax(), nav->VorMax(), nav->IntersectionMax(), nav->HighNodeCount(),
                         nav->LowNodeCount(), nav->NavAirports[0].Altitude),
              std::tuple(1, 0, 1, 2, 2, 83));
    EXPECT_EQ(std::tuple(nav->Vors[0].Frequency.View(), nav->Ndbs[0].Frequency.View(),
                         nav->LowNodes.Node(1).Kind.View()),
              std::tuple("113.60", "0396.0", "VOR"));

    // The airport database at its fixed positions.
    const Bytes apt1 = ReadFileBytes(dir.Data() / "nv_apt1.nv2");
    const Bytes apt2 = ReadFileBytes(dir.Data() / "nv_apt2.nv2");
    const Bytes apt3 = ReadFileBytes(dir.Data() / "nv_apt3.nv2");
    ASSERT_EQ(std::tuple(apt1.size(), apt3.size()), std::tuple(50u, 112u));
    // RunwayPos, ValuesPos and RunwayCount of each airport.
    const RecordReader egll{std::span(apt1).subspan(0, 25)}, egxx{std::span(apt1).subspan(25, 25)};
    EXPECT_EQ(egll.Text<4>(0).View(), "EGLL");
    EXPECT_EQ(std::tuple(egll.I32(12), egll.I32(16), egll.I32(21)), std::tuple(1, 1, 2));
    EXPECT_EQ(std::tuple(egxx.I32(12), egxx.I32(16), egxx.I32(21)), std::tuple(0, 79, 0));
    EXPECT_EQ(RecordReader{apt2}.F32(50), 128.07f);  // ATIS at ValuesPos + 50 (1-based)
    EXPECT_EQ(RecordReader{apt2}.F32(66), 0.0f);     // no tower
    const RecordReader r09L{std::span(apt3).subspan(0, 56)};
    const RecordReader r27R{std::span(apt3).subspan(56, 56)};
    EXPECT_EQ(r09L.Text<5>(4).View(), "09L  ");
    EXPECT_NEAR(r09L.I32(9), 12807, 10);               // length, feet
    EXPECT_EQ(r09L.I32(13), 164);                      // width, feet
    EXPECT_NEAR(r09L.F32(21), 89.64f, 0.01f);          // true heading
    EXPECT_EQ(r09L.F32(25), -2.0f);                    // variation of the nearest VOR
    EXPECT_EQ(r09L.Text<7>(41).View(), "IAA    ");
    EXPECT_EQ(r09L.F32(48), 110.3f);
    EXPECT_NEAR(r27R.F32(21), 269.69f, 0.01f);
    EXPECT_EQ(std::tuple(r27R.Text<7>(41).View(), r27R.F32(48)), std::tuple("       ", 0.0f));
    EXPECT_EQ(FileText(dir.Data() / "Altitudes.txt"), "EGLL,83\r\nEGXX,10\r\n");

    EXPECT_TRUE(Holds(result.dropped, "1 airport outside the region"));
    ExpectNoTemporaryLeft();

    // A region without an NDB gets the nearest, so that the compile can load it.
    const NavDataImportResult far = Import({5, 15, -5, 5});  // FAR1, the FAR VOR and FIXCC
    const std::vector<NavAid> ndbs = LoadNdbs(dir.Data());
    ASSERT_EQ(ndbs.size(), 1u);
    EXPECT_EQ(ndbs[0].Ident.View(), "NB ");
    EXPECT_TRUE(Holds(far.dropped, "no NDB in the region: the one nearest its centre (NB) was written, as the "
                                   "compile needs at least one"));
}

TEST_F(NavDataImportTest, AFailedImportChangesNoFile) {
    testing::WriteNavData(dir);
    const std::string before = FileText(dir.Data() / "nav_APT.bin");
    const std::string database = FileText(dir.Data() / "nv_apt1.nv2");
    const struct {
        ImportRegion region;
        const char* removed;  // a source file taken away first
        const char* error;
    } failures[] = {
        {{0, 5, 0, 5}, nullptr, "no airport"},
        {{}, "awy.dat", "no awy.dat"},
        {{50, 40, 0, 5}, nullptr, "LATMIN"},
    };
    for (const auto& f : failures) {
        if (f.removed) std::filesystem::remove(source / f.removed);
        EXPECT_NE(ErrorOf([&] { Import(f.region); }).find(f.error), std::string::npos) << f.error;
    }
    EXPECT_EQ(FileText(dir.Data() / "nav_APT.bin"), before);
    EXPECT_EQ(FileText(dir.Data() / "nv_apt1.nv2"), database);
    ExpectNoTemporaryLeft();
}

TEST_F(NavDataImportTest, CommandLineReportsWhatItWroteAndRefusesBadRegions) {
    const std::string root = "--root \"" + PathText(dir.Root()) + "\" ";
    const std::string xplane = "--xplane \"" + PathText(source) + "\"";
    const auto ok = testing::RunCli(dir, root + "import-navdata " + xplane + " --region 40 60 -10 20");
    ASSERT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_NE(ok.out.find("nav_APT.bin          2 airports"), std::string::npos) << ok.out;
    EXPECT_NE(ok.out.find("1 airport outside the region"), std::string::npos) << ok.out;

    for (const std::string& args : {std::string("import-navdata"), std::string("build-defaults t.KRX --strict"),
                                    "import-navdata " + xplane + " --region 40 60 -200 20"})
        EXPECT_EQ(testing::RunCli(dir, root + args).exitCode, 2) << args;
    const auto missing = testing::RunCli(dir, root + "import-navdata --xplane \"" + PathText(dir.Root()) + "\"");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no nav.dat"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("No data file was changed."), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace tarnwell
