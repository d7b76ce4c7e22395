#include "navimport/NavDataImport.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <tuple>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "geo/GreatCircle.h"
#include "navdata/AirportDatabase.h"
#include "common/Progress.h"

namespace tarnwell {

namespace fs = std::filesystem;

namespace {
constexpr double TruePi = 3.14159265358979323846;
constexpr double ToRadians = TruePi / 180.0;
constexpr double EarthRadiusFeet = 6371008.8 / 0.3048;

std::string Count(std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
}  // namespace

// ---------------------------------------------------------------- region

bool ImportRegion::Contains(double lat, double lon) const {
    if (lat < latMin || lat > latMax) return false;
    if (lonMin <= lonMax) return lon >= lonMin && lon <= lonMax;
    return lon >= lonMin || lon <= lonMax;  // across the 180th meridian
}

std::array<double, 2> ImportRegion::Centre() const {
    const double width = lonMin <= lonMax ? lonMax - lonMin : lonMax + 360.0 - lonMin;
    double lon = lonMin + width / 2.0;
    if (lon > 180.0) lon -= 360.0;
    return {(latMin + latMax) / 2.0, lon};
}

void CheckRegion(const ImportRegion& r) {
    auto bad = [](const std::string& what) { throw TarnwellError(ErrorKind::Usage, "the region " + what); };
    for (double v : {r.latMin, r.latMax, r.lonMin, r.lonMax})
        if (!std::isfinite(v)) bad("bounds must be numbers");
    if (r.latMin < -90 || r.latMax > 90) bad("latitudes must lie between -90 and 90");
    if (r.lonMin < -180 || r.lonMin > 180 || r.lonMax < -180 || r.lonMax > 180)
        bad("longitudes must lie between -180 and 180");
    if (r.latMin > r.latMax) bad("needs LATMIN no greater than LATMAX");
}

// ---------------------------------------------------------------- geometry

double TrueHeading(double lat1, double lon1, double lat2, double lon2) {
    const double p1 = lat1 * ToRadians, p2 = lat2 * ToRadians, dl = (lon2 - lon1) * ToRadians;
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    double h = std::atan2(y, x) / ToRadians;
    if (h < 0) h += 360.0;
    return h >= 360.0 ? h - 360.0 : h;
}

double DistanceFeet(double lat1, double lon1, double lat2, double lon2) {
    const double p1 = lat1 * ToRadians, p2 = lat2 * ToRadians;
    const double dp = p2 - p1, dl = (lon2 - lon1) * ToRadians;
    const double a = std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2.0 * EarthRadiusFeet * std::asin(std::min(1.0, std::sqrt(a)));
}

namespace {
std::array<double, 3> UnitVector(double lat, double lon) {
    const double p = lat * ToRadians, l = lon * ToRadians;
    return {std::cos(p) * std::cos(l), std::cos(p) * std::sin(l), std::sin(p)};
}
}  // namespace

VariationMap::VariationMap(const std::vector<SourceBeacon>& vors) {
    for (const SourceBeacon& v : vors) {
        points_.push_back(UnitVector(v.lat, v.lon));
        variation_.push_back(v.variation);
    }
}

float VariationMap::At(double lat, double lon) const {
    // The nearest point on the sphere has the largest dot product.
    const auto p = UnitVector(lat, lon);
    float best = 0;
    double bestDot = -2;
    for (std::size_t k = 0; k < points_.size(); ++k) {
        const double dot = p[0] * points_[k][0] + p[1] * points_[k][1] + p[2] * points_[k][2];
        if (dot > bestDot) {
            bestDot = dot;
            best = variation_[k];
        }
    }
    return best;
}

// ---------------------------------------------------------------- airways

AirwayNetworkBuild BuildAirwayNetwork(const std::vector<SourceAirwaySegment>& segments, bool high,
                                      const ImportRegion& region, std::int32_t capacity, bool strict) {
    struct Node {
        std::string ident;
        float lat, lon;
        char kind;
    };
    struct Leg {
        std::int32_t to;
        std::string name;
    };
    std::vector<Node> nodes;
    std::vector<std::vector<Leg>> legs;
    std::unordered_map<std::string, std::int32_t> numberOf;  // 0-based here
    std::unordered_set<std::string> outside;
    std::unordered_set<std::uint64_t> joined;

    auto key = [](const std::string& ident, float lat, float lon) {
        std::string k = ident;
        k += '\0';
        k.append(reinterpret_cast<const char*>(&lat), sizeof lat);
        k.append(reinterpret_cast<const char*>(&lon), sizeof lon);
        return k;
    };
    auto node = [&](const std::string& ident, double lat, double lon, char kind) {
        const float fl = static_cast<float>(lat), fo = static_cast<float>(lon);
        const auto [it, added] = numberOf.try_emplace(key(ident, fl, fo), static_cast<std::int32_t>(nodes.size()));
        if (added) {
            nodes.push_back({ident, fl, fo, kind});
            legs.emplace_back();
        }
        return it->second;
    };
    auto addLeg = [&](std::int32_t from, std::int32_t to, const std::string& name) {
        const std::uint64_t pair = (static_cast<std::uint64_t>(from) << 32) | static_cast<std::uint32_t>(to);
        if (from != to && joined.insert(pair).second) legs[static_cast<std::size_t>(from)].push_back({to, name});
    };

    for (const SourceAirwaySegment& s : segments) {
        if (s.high != high) continue;
        const bool in1 = region.Contains(s.lat1, s.lon1), in2 = region.Contains(s.lat2, s.lon2);
        if (!in1) outside.insert(key(s.ident1, static_cast<float>(s.lat1), static_cast<float>(s.lon1)));
        if (!in2) outside.insert(key(s.ident2, static_cast<float>(s.lat2), static_cast<float>(s.lon2)));
        if (!in1 || !in2) continue;
        const std::int32_t a = node(s.ident1, s.lat1, s.lon1, s.kind1);
        const std::int32_t b = node(s.ident2, s.lat2, s.lon2, s.kind2);
        const std::string name = s.names.substr(0, s.names.find('-'));
        if (s.direction != AirwayDirection::Backward) addLeg(a, b, name);
        if (s.direction != AirwayDirection::Forward) addLeg(b, a, name);
    }

    AirwayNetworkBuild build;
    build.nodesOutsideRegion = static_cast<std::int64_t>(outside.size());
    const char* which = high ? "high" : "low";

    // Too many nodes: keep those nearest the region's centre.
    std::vector<std::int32_t> newNumber(nodes.size(), 0);  // 1-based, 0 = left out
    if (nodes.size() > static_cast<std::size_t>(capacity)) {
        if (strict)
            throw TarnwellError(ErrorKind::Overflow, "the " + std::string(which) + " airway network of the region has " +
                                                         std::to_string(nodes.size()) + " points, more than the " +
                                                         std::to_string(capacity) + " its file can hold");
        const auto centre = region.Centre();
        std::vector<double> distance(nodes.size());
        for (std::size_t i = 0; i < nodes.size(); ++i)
            distance[i] = DistanceFeet(centre[0], centre[1], nodes[i].lat, nodes[i].lon);
        std::vector<std::int32_t> order(nodes.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](auto x, auto y) { return distance[x] < distance[y]; });
        std::vector<bool> keep(nodes.size(), false);
        for (std::int32_t k = 0; k < capacity; ++k) keep[static_cast<std::size_t>(order[k])] = true;
        std::int32_t next = 0;
        for (std::size_t i = 0; i < nodes.size(); ++i)
            if (keep[i]) newNumber[i] = ++next;
        build.nodesOverCapacity = static_cast<std::int64_t>(nodes.size()) - capacity;
    } else {
        std::iota(newNumber.begin(), newNumber.end(), 1);
    }

    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (newNumber[i] == 0) continue;
        const Node& from = nodes[i];
        std::vector<AirwayLeg> out;
        for (const Leg& l : legs[i]) {
            const std::int32_t to = newNumber[static_cast<std::size_t>(l.to)];
            if (to == 0) continue;
            const Node& other = nodes[static_cast<std::size_t>(l.to)];
            AirwayLeg leg;
            leg.Neighbour = static_cast<std::int16_t>(to);
            leg.AirwayName = l.name;
            float course = 0;
            leg.LegLength = GetDistance(from.lat, from.lon, other.lat, other.lon, course);
            leg.LegCourse = course < 0 ? course + 360.0f : course;
            out.push_back(leg);
        }
        if (out.size() > static_cast<std::size_t>(MaxLegsPerNode)) {
            if (strict)
                throw TarnwellError(ErrorKind::Overflow, "the point " + from.ident + " of the " + which +
                                                             " airway network has " + std::to_string(out.size()) +
                                                             " legs, more than the 76 a point can hold");
            // Keep the shortest legs, in their source order.
            std::vector<std::size_t> order(out.size());
            std::iota(order.begin(), order.end(), std::size_t{0});
            std::stable_sort(order.begin(), order.end(),
                             [&](auto x, auto y) { return out[x].LegLength < out[y].LegLength; });
            order.resize(static_cast<std::size_t>(MaxLegsPerNode));
            std::sort(order.begin(), order.end());
            std::vector<AirwayLeg> kept;
            for (std::size_t k : order) kept.push_back(out[k]);
            build.legsOverCapacity += static_cast<std::int64_t>(out.size() - kept.size());
            out = std::move(kept);
        }
        AirwayNode n;
        n.Ident = from.ident;
        n.Latitude = from.lat;
        n.Longitude = from.lon;
        n.Kind = from.kind == 'V' ? "VOR" : from.kind == 'N' ? "NDB" : from.kind == 'F' ? "FIX" : "   ";
        n.LegCount = static_cast<std::int16_t>(out.size());
        build.network.Add(n, out);
    }
    return build;
}

namespace {

// ---------------------------------------------------------------- sources

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

std::string FormatFrequency(double value, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A code the compile's files and the altitude list can carry.
bool UsableAirportCode(const std::string& code) {
    if (code.empty() || code.size() > 4) return false;
    return std::all_of(code.begin(), code.end(), [](char c) {
        return c > ' ' && c < 127 && c != ',' && c != '"';
    });
}

struct AirportFiles {
    std::vector<NavAirport> navAirports;
    std::vector<NavennaAirportRecord> airports;
    std::vector<NavennaValuesRecord> values;
    std::vector<NavennaRunwayRecord> runways;
    std::string altitudes;
    std::int64_t altitudeCount = 0;
};

AirportFiles BuildAirports(const AirportSource& source, const NavSource& nav, const NavDataImportOptions& options,
                           NavDataImportResult& result) {
    const VariationMap variation(nav.vors);
    std::unordered_map<std::string, const SourceLocalizer*> localizers;
    for (const SourceLocalizer& l : nav.localizers) {
        std::string k = l.airport + "|" + RunwayKey(l.runway);
        localizers.try_emplace(std::move(k), &l);
    }

    std::unordered_set<std::string> seen;
    std::int64_t badCode = 0, duplicate = 0, noPlace = 0, outside = 0;
    struct Chosen {
        const SourceAirport* airport;
        std::string code;
        double lat, lon;
    };
    std::vector<Chosen> chosen;
    for (const SourceAirport& a : source.airports) {
        const std::string code = a.icao.size() == 4 ? a.icao : a.ident;
        if (!UsableAirportCode(code)) {
            ++badCode;
            continue;
        }
        double lat = 0, lon = 0;
        if (a.datum) {
            lat = (*a.datum)[0];
            lon = (*a.datum)[1];
        } else if (!a.runways.empty()) {
            double x = 0, y = 0, z = 0;
            for (const auto& r : a.runways)
                for (const auto& e : r.ends) {
                    const auto u = UnitVector(e.lat, e.lon);
                    x += u[0], y += u[1], z += u[2];
                }
            lat = std::atan2(z, std::hypot(x, y)) / ToRadians;
            lon = std::atan2(y, x) / ToRadians;
        } else if (a.otherPlace) {
            lat = (*a.otherPlace)[0];
            lon = (*a.otherPlace)[1];
        } else {
            ++noPlace;
            continue;
        }
        if (!options.region.Contains(lat, lon)) {
            ++outside;
            continue;
        }
        if (!seen.insert(code).second) {
            ++duplicate;
            continue;
        }
        chosen.push_back({&a, code, lat, lon});
    }
    if (badCode) result.dropped.push_back(Count(badCode, "airport", "airports") + " whose code is not 1 to 4 plain characters");
    if (noPlace) result.dropped.push_back(Count(noPlace, "airport", "airports") + " without any position");
    if (outside) result.dropped.push_back(Count(outside, "airport", "airports") + " outside the region");
    if (duplicate) result.dropped.push_back(Count(duplicate, "airport", "airports") + " whose code an earlier airport has");
    if (source.seaAndHeliports)
        result.dropped.push_back(Count(source.seaAndHeliports, "seaplane base or heliport", "seaplane bases and heliports"));

    AirportFiles files;
    std::int64_t runwayPos = 1, valuesPos = 1;
    for (const Chosen& c : chosen) {
        const SourceAirport& a = *c.airport;
        const float lat = static_cast<float>(c.lat), lon = static_cast<float>(c.lon);
        const std::string name = Utf8ToAnsi(a.name);

        NavAirport n;
        n.ICAO = c.code;
        n.Name = name;
        n.City = Utf8ToAnsi(a.city);
        n.Latitude = lat;
        n.Longitude = lon;
        n.Altitude = a.elevation;
        files.navAirports.push_back(n);

        const float offset = variation.At(c.lat, c.lon);
        const std::size_t firstRunway = files.runways.size();
        for (const SourceRunway& r : a.runways)
            for (std::size_t e = 0; e < 2; ++e) {
                const SourceRunwayEnd& end = r.ends[e];
                const SourceRunwayEnd& other = r.ends[1 - e];
                NavennaRunwayRecord w;
                w.ICAO = c.code;
                w.RunwayIdent = end.ident;
                w.RunwayData1 = static_cast<std::int32_t>(std::lround(DistanceFeet(end.lat, end.lon, other.lat, other.lon)));
                w.RunwayData2 = static_cast<std::int32_t>(std::lround(r.widthFeet));
                w.Surface = r.surface;
                w.Heading = static_cast<float>(TrueHeading(end.lat, end.lon, other.lat, other.lon));
                w.HeadingOffset = offset;
                w.Latitude = static_cast<float>(end.lat);
                w.Longitude = static_cast<float>(end.lon);
                w.IlsText = "";
                const std::string runway = RunwayKey(end.ident);
                auto found = localizers.find(a.ident + "|" + runway);
                if (found == localizers.end()) found = localizers.find(c.code + "|" + runway);
                if (found != localizers.end()) {
                    w.IlsText = found->second->ident;
                    w.IlsValue = static_cast<float>(found->second->frequency / 100.0);
                }
                files.runways.push_back(w);
            }
        const auto runwayCount = static_cast<std::int32_t>(files.runways.size() - firstRunway);

        NavennaValuesRecord v;
        v.ICAO = c.code;
        v.Name = name;
        v.Latitude = lat;
        v.Longitude = lon;
        v.Values = a.frequencies;
        files.values.push_back(v);

        NavennaAirportRecord rec;
        rec.ICAO = c.code;
        rec.Reserved1 = std::bit_cast<std::uint32_t>(lat);
        rec.Reserved2 = std::bit_cast<std::uint32_t>(lon);
        rec.RunwayPos = runwayCount > 0 ? static_cast<std::int32_t>(runwayPos) : 0;
        rec.ValuesPos = static_cast<std::int32_t>(valuesPos);
        rec.Reserved3 = "L";
        rec.RunwayCount = runwayCount;
        files.airports.push_back(rec);
        runwayPos += static_cast<std::int64_t>(runwayCount) * static_cast<std::int64_t>(NavennaRunwayRecordLength);
        valuesPos += static_cast<std::int64_t>(NavennaValuesRecordLength);
        if (runwayPos > INT32_MAX)
            throw TarnwellError(ErrorKind::Overflow, "the runway file would pass 2 GB; choose a smaller region");
    }

    // The altitude list: the compile holds at most 22001 entries, so a
    // larger region keeps the airports nearest its centre.
    std::vector<std::size_t> listed(chosen.size());
    std::iota(listed.begin(), listed.end(), std::size_t{0});
    if (listed.size() > static_cast<std::size_t>(AltitudeCapacity)) {
        if (options.strict)
            throw TarnwellError(ErrorKind::Overflow, "the region holds " + std::to_string(listed.size()) +
                                                         " airports, more than the 22001 the altitude list can hold");
        const auto centre = options.region.Centre();
        std::vector<double> distance(chosen.size());
        for (std::size_t i = 0; i < chosen.size(); ++i)
            distance[i] = DistanceFeet(centre[0], centre[1], chosen[i].lat, chosen[i].lon);
        std::stable_sort(listed.begin(), listed.end(), [&](auto x, auto y) { return distance[x] < distance[y]; });
        listed.resize(AltitudeCapacity);
        std::sort(listed.begin(), listed.end());
        result.dropped.push_back(Count(static_cast<std::int64_t>(chosen.size() - static_cast<std::size_t>(AltitudeCapacity)), "airport", "airports") +
                                 " farthest from the region's centre left out of Altitudes.txt (it holds at most 22001)");
    }
    for (std::size_t i : listed) {
        files.altitudes += chosen[i].code + "," + std::to_string(chosen[i].airport->elevation) + "\r\n";
        ++files.altitudeCount;
    }
    return files;
}

// Writes every file to a temporary beside it, then replaces the old files.
class StagedFiles {
public:
    explicit StagedFiles(fs::path folder) : folder_(std::move(folder)) {}
    ~StagedFiles() {
        std::error_code ec;
        for (const auto& name : names_) fs::remove(Temporary(name), ec);
    }
    void Add(const std::string& name, std::span<const std::uint8_t> bytes) {
        WriteFileBytes(Temporary(name), bytes);
        names_.push_back(name);
    }
    void Commit() {
        for (const auto& name : names_) {
            std::error_code ec;
            fs::rename(Temporary(name), folder_ / name, ec);
            if (ec)
                throw TarnwellError(ErrorKind::File, "cannot replace the file: " + ec.message(), {PathText(folder_ / name)});
        }
        names_.clear();
    }

private:
    fs::path Temporary(const std::string& name) const { return folder_ / (name + ".importing"); }
    fs::path folder_;
    std::vector<std::string> names_;
};

// The records of `source` inside the region, converted. The compile cannot
// size an empty beacon or fix table, so a region without any gets the one
// record nearest its centre.
template <typename Source, typename Convert>
auto InRegion(const std::vector<Source>& source, const ImportRegion& region, const char* what,
              const fs::path& file, NavDataImportResult& result, Convert convert) {
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
    result.dropped.push_back(std::string("no ") + what + " in the region: the one nearest its centre (" +
                             nearest->ident + ") was written, as the compile needs at least one");
    return out;
}

}  // namespace

NavDataImportResult ImportNavData(const fs::path& dataFolder, const NavDataImportOptions& options, Progress& progress) {
    CheckRegion(options.region);
    std::error_code ec;
    if (!fs::is_directory(dataFolder, ec))
        throw TarnwellError(ErrorKind::File, "the Data folder does not exist", {PathText(dataFolder)});
    const fs::path navPath = FindSource(options.source, {"nav.dat", "earth_nav.dat"});
    const fs::path fixPath = FindSource(options.source, {"fix.dat", "earth_fix.dat"});
    const fs::path awyPath = FindSource(options.source, {"awy.dat", "earth_awy.dat"});
    const fs::path aptPath = FindSource(options.source, {"apt.dat"});

    NavDataImportResult result;
    auto reading = [&](const char* name) {
        return [&progress, name](double fraction) {
            progress.SetStatus("Reading " + std::string(name) + " " + std::to_string(static_cast<int>(fraction * 100)) + "%",
                           StatusKind::Progress);
        };
    };
    SourceReport navReport, fixReport, awyReport, aptReport;
    progress.SetStatus("Reading nav.dat", StatusKind::Step);
    const NavSource nav = ReadNavDat(navPath, navReport, reading("nav.dat"));
    progress.SetStatus("Reading fix.dat", StatusKind::Step);
    const std::vector<SourceFix> fixes = ReadFixDat(fixPath, fixReport, reading("fix.dat"));
    progress.SetStatus("Reading awy.dat", StatusKind::Step);
    PointDirectory points;
    points.AddFixes(fixes);
    points.AddBeacons(nav);
    std::vector<SourceAirwaySegment> segments = ReadAwyDat(awyPath, points, awyReport, reading("awy.dat"));
    MarkPointKinds(segments, nav);
    progress.SetStatus("Reading apt.dat", StatusKind::Step);
    const AirportSource airports = ReadAptDat(aptPath, aptReport, reading("apt.dat"));
    result.sources = {navReport, fixReport, awyReport, aptReport};

    progress.SetStatus("Building airway networks", StatusKind::Step);
    const AirwayNetworkBuild high = BuildAirwayNetwork(segments, true, options.region, HighNodeCapacity, options.strict);
    const AirwayNetworkBuild low = BuildAirwayNetwork(segments, false, options.region, LowNodeCapacity, options.strict);
    for (const auto& [build, which] : {std::pair{&high, "high"}, std::pair{&low, "low"}}) {
        if (build->nodesOverCapacity)
            result.dropped.push_back(Count(build->nodesOverCapacity, "point", "points") + " of the " + which +
                                     " airway network farthest from the region's centre (the file holds at most " +
                                     std::to_string(build == &high ? HighNodeCapacity : LowNodeCapacity) + ")");
        if (build->legsOverCapacity)
            result.dropped.push_back(Count(build->legsOverCapacity, "leg", "legs") + " of the " + which +
                                     " airway network at points with more than 76 (the longest)");
    }

    progress.SetStatus("Building airports", StatusKind::Step);
    AirportFiles apt = BuildAirports(airports, nav, options, result);
    if (apt.navAirports.empty())
        throw TarnwellError(ErrorKind::Input, "the region holds no airport; the compile cannot start without one",
                            {PathText(aptPath)});

    auto beacon = [](const SourceBeacon& b, const char* format, double scale) {
        NavAid aid;
        aid.Ident = b.ident;
        aid.Name = Utf8ToAnsi(b.name);
        aid.Latitude = static_cast<float>(b.lat);
        aid.Longitude = static_cast<float>(b.lon);
        aid.Frequency = FormatFrequency(b.frequency / scale, format);
        return aid;
    };
    const std::vector<NavAid> vors = InRegion(nav.vors, options.region, "VOR", navPath, result,
                                              [&](const SourceBeacon& b) { return beacon(b, "%06.2f", 100.0); });
    const std::vector<NavAid> ndbs = InRegion(nav.ndbs, options.region, "NDB", navPath, result,
                                              [&](const SourceBeacon& b) { return beacon(b, "%06.1f", 1.0); });
    const std::vector<Intersection> intersections =
        InRegion(fixes, options.region, "fix", fixPath, result, [](const SourceFix& f) {
            Intersection i;
            i.Ident = f.ident;
            i.ReservedText = f.terminal.empty() ? std::string() : f.terminal + " " + f.region;
            i.Latitude = static_cast<float>(f.lat);
            i.Longitude = static_cast<float>(f.lon);
            return i;
        });

    progress.SetStatus("Writing data files", StatusKind::Step);
    const Bytes aptBytes = EncodeNavAirports(apt.navAirports);
    const Bytes vorBytes = EncodeNavAids(vors);
    const Bytes ndbBytes = EncodeNavAids(ndbs);
    const Bytes iscBytes = EncodeIntersections(intersections);
    const Bytes highBytes = EncodeAirwayNetwork(high.network);
    const Bytes lowBytes = EncodeAirwayNetwork(low.network);
    // What is written must load: the compile's own decoders check it.
    AirwayNetwork check;
    DecodeAirwayNetwork(highBytes, "HighAlt.ab1", HighNodeCapacity, check);
    DecodeAirwayNetwork(lowBytes, "LowAlt.ab1", LowNodeCapacity, check);

    StagedFiles staged(dataFolder);
    staged.Add("nav_APT.bin", aptBytes);
    staged.Add("nav_VOR.bin", vorBytes);
    staged.Add("nav_NDB.bin", ndbBytes);
    staged.Add("nav_ISC.bin", iscBytes);
    staged.Add("HighAlt.ab1", highBytes);
    staged.Add("LowAlt.ab1", lowBytes);
    staged.Add("nv_apt1.nv2", EncodeNavennaAirports(apt.airports));
    staged.Add("nv_apt2.nv2", EncodeNavennaValues(apt.values));
    staged.Add("nv_apt3.nv2", EncodeNavennaRunways(apt.runways));
    staged.Add("Altitudes.txt", std::span(reinterpret_cast<const std::uint8_t*>(apt.altitudes.data()), apt.altitudes.size()));
    staged.Commit();

    auto legsOf = [](const AirwayNetwork& n) {
        std::int64_t legs = 0;
        for (std::int32_t i = 1; i <= n.Count(); ++i) legs += n.Node(i).LegCount;
        return legs;
    };
    result.written = {
        {"nav_APT.bin", static_cast<std::int64_t>(apt.navAirports.size()), "airports"},
        {"nav_VOR.bin", static_cast<std::int64_t>(vors.size()), "VORs"},
        {"nav_NDB.bin", static_cast<std::int64_t>(ndbs.size()), "NDBs"},
        {"nav_ISC.bin", static_cast<std::int64_t>(intersections.size()), "fixes"},
        {"HighAlt.ab1", high.network.Count(), "points, " + std::to_string(legsOf(high.network)) + " legs"},
        {"LowAlt.ab1", low.network.Count(), "points, " + std::to_string(legsOf(low.network)) + " legs"},
        {"nv_apt1.nv2", static_cast<std::int64_t>(apt.airports.size()), "airports"},
        {"nv_apt2.nv2", static_cast<std::int64_t>(apt.values.size()), "airport frequency records"},
        {"nv_apt3.nv2", static_cast<std::int64_t>(apt.runways.size()), "runway ends"},
        {"Altitudes.txt", apt.altitudeCount, "airport elevations"},
    };
    for (const auto& [build, which] : {std::pair{&high, "high"}, std::pair{&low, "low"}})
        if (build->nodesOutsideRegion)
            result.dropped.push_back(Count(build->nodesOutsideRegion, "point", "points") + " of the " + which +
                                     " airway network outside the region (with their legs)");
    return result;
}

}  // namespace tarnwell
