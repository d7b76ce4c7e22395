// fix.dat: one named fix a line; from version 1100 on with its terminal area
// ("ENRT" for en-route fixes) and region.

#include "navimport/XPlaneFormats.h"

#include "common/BinaryIO.h"
#include "navimport/SourceLines.h"

namespace tarnwell {

std::vector<SourceFix> ReadFixDat(const std::filesystem::path& path, SourceReport& report,
                                  const ReadProgress& progress) {
    LineSource source(path, NavSourceLimits);
    report.file = PathText(path);
    const bool withRegions = ReadSourceVersion(source, report) >= 1100;
    std::vector<SourceFix> fixes;
    ForEachSourceRow(source, progress, [&](const SourceColumns& c, std::int64_t line) {
        if (c.size() < (withRegions ? 5u : 3u)) return report.Skip(line, "too few columns");
        SourceFix f;
        if (!ParseSourcePosition(c[0], c[1], f.lat, f.lon))
            return report.Skip(line, "the position does not parse or is out of range");
        f.ident = std::string(c[2]);
        if (withRegions) {
            f.terminal = std::string(c[3]);
            f.region = std::string(c[4]);
        }
        fixes.push_back(std::move(f));
        ++report.records;
    });
    return fixes;
}

}  // namespace tarnwell
