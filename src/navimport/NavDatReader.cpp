// nav.dat: VORs (row code 3), NDBs (2) and localizers (4 with a glide slope,
// 5 without). From version 1100 on, beacons and localizers carry a region
// column (and localizers a terminal-region column) before the name.

#include "navimport/XPlaneFormats.h"

#include "common/BinaryIO.h"
#include "common/TextFile.h"
#include "navimport/SourceLines.h"

namespace tarnwell {

namespace {

SourceBeacon Beacon(const SourceColumns& c, double lat, double lon, std::int32_t frequency, bool withRegions) {
    SourceBeacon b;
    b.ident = std::string(c[7]);
    b.lat = lat;
    b.lon = lon;
    b.frequency = frequency;
    if (withRegions) {
        b.region = std::string(c[9]);
        b.name = c.Rest(10);
    } else {
        b.name = c.Rest(8);
    }
    return b;
}

SourceLocalizer Localizer(const SourceColumns& c, std::int32_t frequency, bool withRegions) {
    SourceLocalizer l;
    l.ident = std::string(c[7]);
    l.airport = std::string(c[8]);
    l.runway = std::string(c[withRegions ? 10 : 9]);
    l.frequency = frequency;
    return l;
}

}  // namespace

NavSource ReadNavDat(const std::filesystem::path& path, SourceReport& report, const ReadProgress& progress) {
    LineSource source(path, NavSourceLimits);
    report.file = PathText(path);
    const bool withRegions = ReadSourceVersion(source, report) >= 1100;
    NavSource nav;
    ForEachSourceRow(source, progress, [&](const SourceColumns& c, std::int64_t line) {
        std::int32_t code = 0;
        if (!ParseInt32(c[0], code)) return report.Skip(line, "the row code is not a number");
        if (code != 2 && code != 3 && code != 4 && code != 5) return;  // other aids are not used
        const bool beacon = code == 2 || code == 3;
        const std::size_t needed = beacon ? (withRegions ? 10 : 8) : (withRegions ? 11 : 10);
        if (c.size() < needed) return report.Skip(line, "too few columns");
        double lat = 0, lon = 0, extra = 0;
        std::int32_t frequency = 0;
        if (!ParseSourcePosition(c[1], c[2], lat, lon))
            return report.Skip(line, "the position does not parse or is out of range");
        if (!ParseInt32(c[4], frequency) || !ParseSourceDouble(c[6], extra))
            return report.Skip(line, "a number does not parse");
        if (code == 3) {
            SourceBeacon b = Beacon(c, lat, lon, frequency, withRegions);
            b.variation = static_cast<float>(extra);
            nav.vors.push_back(std::move(b));
        } else if (code == 2) {
            nav.ndbs.push_back(Beacon(c, lat, lon, frequency, withRegions));
        } else {
            nav.localizers.push_back(Localizer(c, frequency, withRegions));
        }
        ++report.records;
    });
    return nav;
}

}  // namespace tarnwell
