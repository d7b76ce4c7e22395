#include "navimport/NavAidTables.h"

#include <algorithm>
#include <cstdio>

#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "navimport/SphereGeometry.h"

namespace tarnwell {

namespace {

// The records of `source` inside the region, converted; when there are none,
// the one record nearest the region's centre.
template <typename Source, typename Convert>
auto InRegion(const std::vector<Source>& source, const ImportRegion& region, const char* what,
              const std::filesystem::path& file, std::vector<std::string>& dropped, Convert convert) {
    std::vector<decltype(convert(source.front()))> out;
    for (const Source& s : source)
        if (region.Contains(s.lat, s.lon)) out.push_back(convert(s));
    if (!out.empty()) return out;
    if (source.empty())
        throw TarnwellError(ErrorKind::Input, std::string("the file holds no ") + what +
                                                  "; the compile needs at least one", {PathText(file)});
    const auto centre = region.Centre();
    const auto nearest = std::min_element(source.begin(), source.end(), [&](const Source& x, const Source& y) {
        return DistanceFeet(centre[0], centre[1], x.lat, x.lon) < DistanceFeet(centre[0], centre[1], y.lat, y.lon);
    });
    out.push_back(convert(*nearest));
    dropped.push_back(std::string("no ") + what + " in the region: the one nearest its centre (" + nearest->ident +
                      ") was written, as the compile needs at least one");
    return out;
}

std::string FormatFrequency(double value, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A beacon with its frequency as the table writes it: `scale` source units to
// the unit shown, then `format`.
NavAid BeaconRecord(const SourceBeacon& b, const char* format, double scale) {
    NavAid aid;
    aid.Ident = b.ident;
    aid.Name = Utf8ToAnsi(b.name);
    aid.Latitude = static_cast<float>(b.lat);
    aid.Longitude = static_cast<float>(b.lon);
    aid.Frequency = FormatFrequency(b.frequency / scale, format);
    return aid;
}

Intersection FixRecord(const SourceFix& f) {
    Intersection i;
    i.Ident = f.ident;
    i.ReservedText = f.terminal.empty() ? std::string() : f.terminal + " " + f.region;
    i.Latitude = static_cast<float>(f.lat);
    i.Longitude = static_cast<float>(f.lon);
    return i;
}

}  // namespace

NavAidTables BuildNavAidTables(const NavSource& nav, const std::vector<SourceFix>& fixes, const ImportRegion& region,
                               const std::filesystem::path& navPath, const std::filesystem::path& fixPath,
                               std::vector<std::string>& dropped) {
    NavAidTables tables;
    tables.vors = InRegion(nav.vors, region, "VOR", navPath, dropped,
                           [](const SourceBeacon& b) { return BeaconRecord(b, "%06.2f", 100.0); });
    tables.ndbs = InRegion(nav.ndbs, region, "NDB", navPath, dropped,
                           [](const SourceBeacon& b) { return BeaconRecord(b, "%06.1f", 1.0); });
    tables.intersections = InRegion(fixes, region, "fix", fixPath, dropped, FixRecord);
    return tables;
}

}  // namespace tarnwell
