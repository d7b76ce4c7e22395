#include "navimport/XPlaneFormats.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/LineSource.h"
#include "common/TextFile.h"

namespace tarnwell {

void SourceReport::Skip(std::int64_t line, std::string_view reason) {
    ++skipped;
    if (firstSkipped.size() < 5) firstSkipped.push_back("line " + std::to_string(line) + ": " + std::string(reason));
}

namespace {

// The blank-separated columns of a line.
class Columns {
public:
    explicit Columns(std::string_view line) : line_(line) {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
            if (i >= line.size()) break;
            const std::size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
            cols_.push_back(line.substr(start, i - start));
        }
    }
    std::size_t size() const { return cols_.size(); }
    std::string_view operator[](std::size_t k) const { return cols_[k]; }
    // Everything from column k to the end of the line, as written.
    std::string Rest(std::size_t k) const {
        if (k >= cols_.size()) return {};
        std::string_view rest = line_.substr(static_cast<std::size_t>(cols_[k].data() - line_.data()));
        while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
        return std::string(rest);
    }

private:
    std::string_view line_;
    std::vector<std::string_view> cols_;
};

bool ToDouble(std::string_view text, double& out) {
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    const auto end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end && std::isfinite(out);
}

bool Position(std::string_view latText, std::string_view lonText, double& lat, double& lon) {
    return ToDouble(latText, lat) && ToDouble(lonText, lon) && std::fabs(lat) <= 90.0 && std::fabs(lon) <= 180.0;
}

// Reads the header ("I" or "A", then the version line) and returns the version.
int ReadVersion(LineSource& source, SourceReport& report) {
    std::string_view line;
    bool sawOrigin = false;
    while (source.Next(line)) {
        const Columns c(line);
        if (c.size() == 0) continue;
        if (!sawOrigin && c.size() == 1 && (c[0] == "I" || c[0] == "A")) {
            sawOrigin = true;
            continue;
        }
        std::int32_t version = 0;
        if (!ParseInt32(c[0], version) || version < 100)
            break;
        report.version = version;
        return version;
    }
    throw TarnwellError(ErrorKind::Input, "not a navigation data file: no version line at its start",
                        {PathText(source.Path()), source.LineNumber()});
}

// Runs `row` for every data line until the end marker "99".
template <typename Row>
void ForEachRow(LineSource& source, const ReadProgress& progress, Row row) {
    std::string_view line;
    std::int64_t sinceProgress = 0;
    while (source.Next(line)) {
        if (progress && ++sinceProgress == 200000) {
            sinceProgress = 0;
            progress(source.Fraction());
        }
        const Columns c(line);
        if (c.size() == 0) continue;
        if (c.size() == 1 && c[0] == "99") break;
        row(c, source.LineNumber());
    }
    if (progress) progress(1.0);
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}

std::string PointKey(std::string_view ident, std::string_view region, char kind) {
    std::string key(ident);
    key += '\x1f';
    key += region;
    key += '\x1f';
    key += kind;
    return key;
}

}  // namespace

NavSource ReadNavDat(const std::filesystem::path& path, SourceReport& report, const ReadProgress& progress) {
    LineSource source(path);
    report.file = PathText(path);
    const bool withRegions = ReadVersion(source, report) >= 1100;
    NavSource nav;
    ForEachRow(source, progress, [&](const Columns& c, std::int64_t line) {
        std::int32_t code = 0;
        if (!ParseInt32(c[0], code)) return report.Skip(line, "the row code is not a number");
        if (code != 2 && code != 3 && code != 4 && code != 5) return;  // other aids are not used
        const bool beacon = code == 2 || code == 3;
        const std::size_t needed = beacon ? (withRegions ? 10 : 8) : (withRegions ? 11 : 10);
        if (c.size() < needed) return report.Skip(line, "too few columns");
        double lat = 0, lon = 0, extra = 0;
        std::int32_t frequency = 0;
        if (!Position(c[1], c[2], lat, lon)) return report.Skip(line, "the position does not parse or is out of range");
        if (!ParseInt32(c[4], frequency) || !ToDouble(c[6], extra)) return report.Skip(line, "a number does not parse");
        if (beacon) {
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
            if (code == 3) {
                b.variation = static_cast<float>(extra);
                nav.vors.push_back(std::move(b));
            } else {
                nav.ndbs.push_back(std::move(b));
            }
        } else {
            SourceLocalizer l;
            l.ident = std::string(c[7]);
            l.airport = std::string(c[8]);
            l.runway = std::string(c[withRegions ? 10 : 9]);
            l.frequency = frequency;
            nav.localizers.push_back(std::move(l));
        }
        ++report.records;
    });
    return nav;
}

std::vector<SourceFix> ReadFixDat(const std::filesystem::path& path, SourceReport& report,
                                  const ReadProgress& progress) {
    LineSource source(path);
    report.file = PathText(path);
    const bool withRegions = ReadVersion(source, report) >= 1100;
    std::vector<SourceFix> fixes;
    ForEachRow(source, progress, [&](const Columns& c, std::int64_t line) {
        if (c.size() < (withRegions ? 5u : 3u)) return report.Skip(line, "too few columns");
        SourceFix f;
        if (!Position(c[0], c[1], f.lat, f.lon)) return report.Skip(line, "the position does not parse or is out of range");
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

void PointDirectory::AddFixes(const std::vector<SourceFix>& fixes) {
    // An en-route fix wins over a terminal fix of the same name and region.
    for (const SourceFix& f : fixes) {
        auto [it, added] = places_.try_emplace(PointKey(f.ident, f.region, 'F'), std::array{f.lat, f.lon});
        if (!added && f.terminal == "ENRT") it->second = {f.lat, f.lon};
    }
}

void PointDirectory::AddBeacons(const NavSource& nav) {
    for (const SourceBeacon& b : nav.vors) places_.try_emplace(PointKey(b.ident, b.region, 'V'), std::array{b.lat, b.lon});
    for (const SourceBeacon& b : nav.ndbs) places_.try_emplace(PointKey(b.ident, b.region, 'N'), std::array{b.lat, b.lon});
}

std::optional<std::array<double, 2>> PointDirectory::Find(std::string_view ident, std::string_view region,
                                                          char kind) const {
    const auto it = places_.find(PointKey(ident, region, kind));
    if (it == places_.end()) return std::nullopt;
    return it->second;
}

std::vector<SourceAirwaySegment> ReadAwyDat(const std::filesystem::path& path, const PointDirectory& points,
                                            SourceReport& report, const ReadProgress& progress) {
    LineSource source(path);
    report.file = PathText(path);
    const bool byName = ReadVersion(source, report) >= 1100;
    std::vector<SourceAirwaySegment> segments;
    ForEachRow(source, progress, [&](const Columns& c, std::int64_t line) {
        SourceAirwaySegment s;
        std::int32_t level = 0;
        if (byName) {
            // ident region kind, ident region kind, direction, level, base, top, names
            if (c.size() < 11) return report.Skip(line, "too few columns");
            std::int32_t kinds[2] = {0, 0};
            if (!ParseInt32(c[2], kinds[0]) || !ParseInt32(c[5], kinds[1]) || !ParseInt32(c[7], level))
                return report.Skip(line, "a number does not parse");
            char kindLetters[2] = {0, 0};
            for (int e = 0; e < 2; ++e) {
                kindLetters[e] = kinds[e] == 11 ? 'F' : kinds[e] == 3 ? 'V' : kinds[e] == 2 ? 'N' : 0;
                if (!kindLetters[e]) return report.Skip(line, "an end point is of an unknown kind");
            }
            const auto p1 = points.Find(c[0], c[1], kindLetters[0]);
            const auto p2 = points.Find(c[3], c[4], kindLetters[1]);
            if (!p1 || !p2) return report.Skip(line, "an end point is in neither nav.dat nor fix.dat");
            s.ident1 = std::string(c[0]);
            s.ident2 = std::string(c[3]);
            s.lat1 = (*p1)[0];
            s.lon1 = (*p1)[1];
            s.lat2 = (*p2)[0];
            s.lon2 = (*p2)[1];
            s.kind1 = kindLetters[0];
            s.kind2 = kindLetters[1];
            if (c[6] == "N") s.direction = AirwayDirection::Both;
            else if (c[6] == "F") s.direction = AirwayDirection::Forward;
            else if (c[6] == "B") s.direction = AirwayDirection::Backward;
            else return report.Skip(line, "the direction is not N, F or B");
            s.names = std::string(c[10]);
        } else {
            // ident lat lon, ident lat lon, level, base, top, names
            if (c.size() < 10) return report.Skip(line, "too few columns");
            if (!Position(c[1], c[2], s.lat1, s.lon1) || !Position(c[4], c[5], s.lat2, s.lon2))
                return report.Skip(line, "a position does not parse or is out of range");
            if (!ParseInt32(c[6], level)) return report.Skip(line, "a number does not parse");
            s.ident1 = std::string(c[0]);
            s.ident2 = std::string(c[3]);
            s.names = std::string(c[9]);
        }
        if (level != 1 && level != 2) return report.Skip(line, "the airway level is neither 1 (low) nor 2 (high)");
        s.high = level == 2;
        segments.push_back(std::move(s));
        ++report.records;
    });
    return segments;
}

namespace {

void RunwayRow100(const Columns& c, std::int64_t line, SourceAirport& a, SourceReport& report) {
    if (c.size() < 20) return report.Skip(line, "too few columns for a runway");
    SourceRunway r;
    double widthMetres = 0;
    std::int32_t surface = 0;
    if (!ToDouble(c[1], widthMetres) || !ParseInt32(c[2], surface)) return report.Skip(line, "a number does not parse");
    for (std::size_t e = 0; e < 2; ++e) {
        const std::size_t base = 8 + 9 * e;
        r.ends[e].ident = std::string(c[base]);
        if (!Position(c[base + 1], c[base + 2], r.ends[e].lat, r.ends[e].lon))
            return report.Skip(line, "a runway end's position does not parse or is out of range");
    }
    r.widthFeet = widthMetres / 0.3048;
    r.surface = surface;
    a.runways.push_back(std::move(r));
}

void RunwayRow101(const Columns& c, std::int64_t line, SourceAirport& a, SourceReport& report) {
    if (c.size() < 9) return report.Skip(line, "too few columns for a water runway");
    SourceRunway r;
    double widthMetres = 0;
    if (!ToDouble(c[1], widthMetres)) return report.Skip(line, "a number does not parse");
    for (std::size_t e = 0; e < 2; ++e) {
        const std::size_t base = 3 + 3 * e;
        r.ends[e].ident = std::string(c[base]);
        if (!Position(c[base + 1], c[base + 2], r.ends[e].lat, r.ends[e].lon))
            return report.Skip(line, "a runway end's position does not parse or is out of range");
    }
    r.widthFeet = widthMetres / 0.3048;
    r.surface = 13;  // water
    a.runways.push_back(std::move(r));
}

// The older one-line runway: centre, true heading, length and width in feet;
// the ends are worked out from them.
void RunwayRow10(const Columns& c, std::int64_t line, SourceAirport& a, SourceReport& report) {
    if (c.size() < 9) return report.Skip(line, "too few columns for a runway");
    const std::string_view ident = c[3];
    if (ident == "xxx" || ident.empty() || ident[0] == 'H') return;  // taxiway or helipad
    double lat = 0, lon = 0, heading = 0, length = 0, width = 0;
    if (!Position(c[1], c[2], lat, lon)) return report.Skip(line, "the position does not parse or is out of range");
    if (!ToDouble(c[4], heading) || !ToDouble(c[5], length) || !ToDouble(c[8], width))
        return report.Skip(line, "a number does not parse");
    const auto opposite = OppositeRunway(ident);
    if (!opposite) return report.Skip(line, "the runway designator is not understood");
    constexpr double toRad = 3.14159265358979323846 / 180.0;
    constexpr double earthRadiusFeet = 6371008.8 / 0.3048;
    const double half = length / 2.0 / earthRadiusFeet;  // radians of arc
    auto along = [&](double bearingDeg) {
        const double p1 = lat * toRad, l1 = lon * toRad, b = bearingDeg * toRad;
        const double p2 = std::asin(std::sin(p1) * std::cos(half) + std::cos(p1) * std::sin(half) * std::cos(b));
        double l2 = l1 + std::atan2(std::sin(b) * std::sin(half) * std::cos(p1), std::cos(half) - std::sin(p1) * std::sin(p2));
        l2 = std::remainder(l2, 2 * 3.14159265358979323846);
        return std::array{p2 / toRad, l2 / toRad};
    };
    SourceRunway r;
    std::string first(ident);
    while (!first.empty() && (first.back() == 'x' || first.back() == 'X')) first.pop_back();
    const auto start = along(heading + 180.0);
    const auto end = along(heading);
    r.ends[0] = {first, start[0], start[1]};
    r.ends[1] = {*opposite, end[0], end[1]};
    r.widthFeet = width;
    a.runways.push_back(std::move(r));
}

}  // namespace

AirportSource ReadAptDat(const std::filesystem::path& path, SourceReport& report, const ReadProgress& progress) {
    LineSource source(path);
    report.file = PathText(path);
    ReadVersion(source, report);
    AirportSource out;
    SourceAirport* current = nullptr;  // the land airport whose rows follow
    ForEachRow(source, progress, [&](const Columns& c, std::int64_t line) {
        std::int32_t code = 0;
        if (!ParseInt32(c[0], code)) return report.Skip(line, "the row code is not a number");
        if (code == 1 || code == 16 || code == 17) {
            current = nullptr;
            if (code != 1) {
                ++out.seaAndHeliports;
                return;
            }
            if (c.size() < 5) return report.Skip(line, "too few columns for an airport");
            SourceAirport a;
            if (!ParseInt32(c[1], a.elevation)) return report.Skip(line, "the elevation does not parse");
            a.line = line;
            a.ident = std::string(c[4]);
            a.name = c.Rest(5);
            out.airports.push_back(std::move(a));
            current = &out.airports.back();
            ++report.records;
            return;
        }
        if (!current) return;
        SourceAirport& a = *current;
        switch (code) {
            case 100: return RunwayRow100(c, line, a, report);
            case 101: return RunwayRow101(c, line, a, report);
            case 10: return RunwayRow10(c, line, a, report);
            case 14:
            case 15:
            case 102:
            case 1300: {
                const std::size_t at = code == 102 ? 2 : 1;
                double lat = 0, lon = 0;
                if (c.size() < at + 2 || !Position(c[at], c[at + 1], lat, lon))
                    return report.Skip(line, "the position does not parse or is out of range");
                if (!a.otherPlace) a.otherPlace = std::array{lat, lon};
                return;
            }
            case 1302: {
                if (c.size() < 3) return;  // a key without a value
                const std::string_view key = c[1];
                if (key == "city") a.city = c.Rest(2);
                else if (key == "icao_code") a.icao = std::string(c[2]);
                else if (key == "datum_lat" || key == "datum_lon") {
                    double v = 0;
                    if (!ToDouble(c[2], v) || std::fabs(v) > (key == "datum_lat" ? 90.0 : 180.0))
                        return report.Skip(line, "the reference point does not parse or is out of range");
                    if (!a.datum) a.datum = std::array{1000.0, 1000.0};
                    (*a.datum)[key == "datum_lat" ? 0 : 1] = v;
                }
                return;
            }
            default: break;
        }
        const bool tenKhz = code >= 50 && code <= 56;
        const bool kHz = code >= 1050 && code <= 1056;
        if (tenKhz || kHz) {
            std::int32_t value = 0;
            if (c.size() < 2 || !ParseInt32(c[1], value)) return report.Skip(line, "the frequency does not parse");
            const int kind = (code % 1000) - 50;
            const int precision = kHz ? 2 : 1;
            // The first of each kind is kept; the finer-grained rows win.
            if (a.frequencyPrecision[kind] < precision) {
                a.frequencies[kind] = kHz ? static_cast<float>(value / 1000.0) : static_cast<float>(value / 100.0);
                a.frequencyPrecision[kind] = precision;
            }
        }
    });
    // A reference point needs both of its halves.
    for (SourceAirport& a : out.airports)
        if (a.datum && ((*a.datum)[0] > 90.0 || (*a.datum)[1] > 180.0)) a.datum.reset();
    return out;
}

std::string RunwayKey(std::string_view ident) {
    std::string key = Upper(ident);
    while (!key.empty() && key.back() == 'X') key.pop_back();
    std::size_t zeros = 0;
    while (zeros + 1 < key.size() && key[zeros] == '0') ++zeros;
    return key.substr(zeros);
}

std::optional<std::string> OppositeRunway(std::string_view ident) {
    std::size_t digits = 0;
    while (digits < ident.size() && std::isdigit(static_cast<unsigned char>(ident[digits]))) ++digits;
    if (digits == 0 || digits > 2) return std::nullopt;
    const int number = std::stoi(std::string(ident.substr(0, digits)));
    if (number < 1 || number > 36) return std::nullopt;
    std::string suffix(ident.substr(digits));
    while (!suffix.empty() && (suffix.back() == 'x' || suffix.back() == 'X')) suffix.pop_back();
    if (suffix == "L") suffix = "R";
    else if (suffix == "R") suffix = "L";
    else if (!suffix.empty() && suffix != "C" && suffix != "T" && suffix != "S" && suffix != "G" && suffix != "W")
        return std::nullopt;
    const int other = (number + 18 - 1) % 36 + 1;
    std::string out = std::to_string(other);
    if (other < 10) out.insert(out.begin(), '0');
    return out + suffix;
}

}  // namespace tarnwell
