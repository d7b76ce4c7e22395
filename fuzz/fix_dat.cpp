// fix.dat of the simulator data (plain or gzip), and the directory the
// airway file's named points are looked up in.

#include "FuzzSupport.h"
#include "navimport/XPlaneFormats.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = fuzz::WriteScratch("fix.dat", {data, size});
    SourceReport report;
    std::vector<SourceFix> fixes;
    if (!fuzz::Tolerate([&] { fixes = ReadFixDat(path, report); })) return 0;
    fuzz::Require(report.records == static_cast<std::int64_t>(fixes.size()), "every record read is counted");
    PointDirectory points;
    points.AddFixes(fixes);
    for (const SourceFix& f : fixes)
        fuzz::Require(points.Find(f.ident, f.region, 'F').has_value(), "every fix read can be found by its name");
    return 0;
}
