// nav.dat of the simulator data (plain or gzip), and the VOR and NDB tables
// the import makes of it.

#include "FuzzSupport.h"
#include "navimport/NavAidTables.h"
#include "navimport/XPlaneFormats.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = fuzz::WriteScratch("nav.dat", {data, size});
    SourceReport report;
    NavSource nav;
    if (!fuzz::Tolerate([&] { nav = ReadNavDat(path, report); })) return 0;
    fuzz::Require(report.records == static_cast<std::int64_t>(nav.vors.size() + nav.ndbs.size() + nav.localizers.size()),
                  "every record read is counted");
    SourceFix fix;
    fix.ident = "FIXIT";
    fix.lat = 51.5;
    fix.lon = -0.5;
    std::vector<std::string> dropped;
    fuzz::Tolerate([&] { BuildNavAidTables(nav, {fix}, ImportRegion{50, 60, -10, 10}, path, "fix.dat", dropped); });
    return 0;
}
