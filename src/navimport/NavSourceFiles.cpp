#include "navimport/NavSourceFiles.h"

#include <array>
#include <cmath>
#include <string>
#include <unordered_map>
#include <utility>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "navimport/XPlaneFormats.h"

namespace tarnwell {

namespace fs = std::filesystem;

namespace {

fs::path FindSource(const fs::path& folder, std::initializer_list<const char*> names) {
    const fs::path places[] = {folder, folder / "Navaids", folder / "Airports", folder / "Resources" / "default data",
                               folder / "Custom Scenery" / "Global Airports" / "Earth nav data"};
    std::error_code ec;
    for (const fs::path& place : places)
        for (const char* name : names)
            for (const char* suffix : {"", ".gz"}) {
                const fs::path candidate = place / (std::string(name) + suffix);
                if (fs::is_regular_file(candidate, ec)) return candidate;
            }
    throw TarnwellError(ErrorKind::File, std::string("no ") + *names.begin() + " (or " + *names.begin() +
                                             ".gz) in the folder, nor in its Navaids or Airports folder",
                        {PathText(folder)});
}

// Marks the airway points that are beacons (older airway files give only
// identifiers and positions).
void MarkPointKinds(std::vector<SourceAirwaySegment>& segments, const NavSource& nav) {
    std::unordered_multimap<std::string, std::pair<std::array<double, 2>, char>> beacons;
    for (const auto& v : nav.vors) beacons.emplace(v.ident, std::pair{std::array{v.lat, v.lon}, 'V'});
    for (const auto& n : nav.ndbs) beacons.emplace(n.ident, std::pair{std::array{n.lat, n.lon}, 'N'});
    auto kindOf = [&](const std::string& ident, double lat, double lon) {
        const auto [first, last] = beacons.equal_range(ident);
        for (auto it = first; it != last; ++it)
            if (std::fabs(it->second.first[0] - lat) < 0.01 && std::fabs(it->second.first[1] - lon) < 0.01)
                return it->second.second;
        return 'F';
    };
    for (auto& s : segments) {
        if (!s.kind1) s.kind1 = kindOf(s.ident1, s.lat1, s.lon1);
        if (!s.kind2) s.kind2 = kindOf(s.ident2, s.lat2, s.lon2);
    }
}

// Shows the share of `name` read so far on the status line.
ReadProgress ReadingProgress(Progress& progress, const char* name) {
    return [&progress, name](double fraction) {
        progress.SetStatus("Reading " + std::string(name) + " " + std::to_string(static_cast<int>(fraction * 100)) + "%",
                           StatusKind::Progress);
    };
}

}  // namespace

NavSourcePaths FindNavSources(const fs::path& folder) {
    NavSourcePaths paths;
    paths.nav = FindSource(folder, {"nav.dat", "earth_nav.dat"});
    paths.fix = FindSource(folder, {"fix.dat", "earth_fix.dat"});
    paths.awy = FindSource(folder, {"awy.dat", "earth_awy.dat"});
    paths.apt = FindSource(folder, {"apt.dat"});
    return paths;
}

NavSources ReadNavSources(const NavSourcePaths& paths, Progress& progress) {
    NavSources read;
    SourceReport navReport, fixReport, awyReport, aptReport;
    progress.SetStatus("Reading nav.dat", StatusKind::Step);
    read.nav = ReadNavDat(paths.nav, navReport, ReadingProgress(progress, "nav.dat"));
    progress.SetStatus("Reading fix.dat", StatusKind::Step);
    read.fixes = ReadFixDat(paths.fix, fixReport, ReadingProgress(progress, "fix.dat"));
    progress.SetStatus("Reading awy.dat", StatusKind::Step);
    PointDirectory points;
    points.AddFixes(read.fixes);
    points.AddBeacons(read.nav);
    read.segments = ReadAwyDat(paths.awy, points, awyReport, ReadingProgress(progress, "awy.dat"));
    MarkPointKinds(read.segments, read.nav);
    progress.SetStatus("Reading apt.dat", StatusKind::Step);
    read.airports = ReadAptDat(paths.apt, aptReport, ReadingProgress(progress, "apt.dat"));
    read.reports = {navReport, fixReport, awyReport, aptReport};
    return read;
}

}  // namespace tarnwell
