// apt.dat: an airport header row (1 land airport, 16 seaplane base, 17
// heliport) followed by the rows that describe it - runways, helipads, the
// tower and start positions, metadata and frequencies.

#include "navimport/XPlaneFormats.h"

#include <cmath>

#include "common/BinaryIO.h"
#include "common/TextFile.h"
#include "navimport/RunwayDesignators.h"
#include "navimport/SourceLines.h"
#include "navimport/SphereGeometry.h"

namespace tarnwell {

namespace {

constexpr double MetresPerFoot = 0.3048;
constexpr int WaterSurface = 13;

// Row 100: a land runway by its two ends, width in metres.
void ReadLandRunwayRow(const SourceColumns& c, std::int64_t line, SourceAirport& a, SourceReport& report) {
    if (c.size() < 20) return report.Skip(line, "too few columns for a runway");
    SourceRunway r;
    double widthMetres = 0;
    std::int32_t surface = 0;
    if (!ParseSourceDouble(c[1], widthMetres) || !ParseInt32(c[2], surface))
        return report.Skip(line, "a number does not parse");
    for (std::size_t e = 0; e < 2; ++e) {
        const std::size_t base = 8 + 9 * e;
        r.ends[e].ident = std::string(c[base]);
        if (!ParseSourcePosition(c[base + 1], c[base + 2], r.ends[e].lat, r.ends[e].lon))
            return report.Skip(line, "a runway end's position does not parse or is out of range");
    }
    r.widthFeet = widthMetres / MetresPerFoot;
    r.surface = surface;
    a.runways.push_back(std::move(r));
}

// Row 101: a water runway by its two ends, width in metres.
void ReadWaterRunwayRow(const SourceColumns& c, std::int64_t line, SourceAirport& a, SourceReport& report) {
    if (c.size() < 9) return report.Skip(line, "too few columns for a water runway");
    SourceRunway r;
    double widthMetres = 0;
    if (!ParseSourceDouble(c[1], widthMetres)) return report.Skip(line, "a number does not parse");
    for (std::size_t e = 0; e < 2; ++e) {
        const std::size_t base = 3 + 3 * e;
        r.ends[e].ident = std::string(c[base]);
        if (!ParseSourcePosition(c[base + 1], c[base + 2], r.ends[e].lat, r.ends[e].lon))
            return report.Skip(line, "a runway end's position does not parse or is out of range");
    }
    r.widthFeet = widthMetres / MetresPerFoot;
    r.surface = WaterSurface;
    a.runways.push_back(std::move(r));
}

// Row 10: a runway by its centre, true heading, length and width in feet;
// taxiways and helipads on the same row code are passed over.
void ReadCentreLineRunwayRow(const SourceColumns& c, std::int64_t line, SourceAirport& a, SourceReport& report) {
    if (c.size() < 9) return report.Skip(line, "too few columns for a runway");
    const std::string_view ident = c[3];
    if (ident == "xxx" || ident.empty() || ident[0] == 'H') return;  // taxiway or helipad
    double lat = 0, lon = 0, heading = 0, length = 0, width = 0;
    if (!ParseSourcePosition(c[1], c[2], lat, lon))
        return report.Skip(line, "the position does not parse or is out of range");
    if (!ParseSourceDouble(c[4], heading) || !ParseSourceDouble(c[5], length) || !ParseSourceDouble(c[8], width))
        return report.Skip(line, "a number does not parse");
    const auto opposite = OppositeRunway(ident);
    if (!opposite) return report.Skip(line, "the runway designator is not understood");
    SourceRunway r;
    std::string first(ident);
    while (!first.empty() && (first.back() == 'x' || first.back() == 'X')) first.pop_back();
    const auto start = PointAlong(lat, lon, heading + 180.0, length / 2.0);
    const auto end = PointAlong(lat, lon, heading, length / 2.0);
    r.ends[0] = {first, start[0], start[1]};
    r.ends[1] = {*opposite, end[0], end[1]};
    r.widthFeet = width;
    a.runways.push_back(std::move(r));
}

// Rows 14 (tower), 15 (start position), 102 (helipad) and 1300 (start
// position): the first of them places an airport that has no runway.
void ReadOtherPlaceRow(const SourceColumns& c, std::int32_t code, std::int64_t line, SourceAirport& a,
                       SourceReport& report) {
    const std::size_t at = code == 102 ? 2 : 1;
    double lat = 0, lon = 0;
    if (c.size() < at + 2 || !ParseSourcePosition(c[at], c[at + 1], lat, lon))
        return report.Skip(line, "the position does not parse or is out of range");
    if (!a.otherPlace) a.otherPlace = std::array{lat, lon};
}

// Row 1302: one metadata key and its value.
void ReadMetadataRow(const SourceColumns& c, std::int64_t line, SourceAirport& a, SourceReport& report) {
    if (c.size() < 3) return;  // a key without a value
    const std::string_view key = c[1];
    if (key == "city") a.city = c.Rest(2);
    else if (key == "icao_code") a.icao = std::string(c[2]);
    else if (key == "datum_lat" || key == "datum_lon") {
        double v = 0;
        if (!ParseSourceDouble(c[2], v) || std::fabs(v) > (key == "datum_lat" ? 90.0 : 180.0))
            return report.Skip(line, "the reference point does not parse or is out of range");
        if (!a.datum) a.datum = std::array{1000.0, 1000.0};
        (*a.datum)[key == "datum_lat" ? 0 : 1] = v;
    }
}

// Rows 50 to 56 (10 kHz units) and 1050 to 1056 (kHz): the seven frequency kinds.
void ReadFrequencyRow(const SourceColumns& c, std::int32_t code, std::int64_t line, SourceAirport& a,
                      SourceReport& report) {
    const bool kHz = code >= 1050;
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

bool IsFrequencyRow(std::int32_t code) { return (code >= 50 && code <= 56) || (code >= 1050 && code <= 1056); }

// Row 1: a land airport's elevation, code and name. Nothing when the row is not usable.
std::optional<SourceAirport> ReadAirportRow(const SourceColumns& c, std::int64_t line, SourceReport& report) {
    if (c.size() < 5) {
        report.Skip(line, "too few columns for an airport");
        return std::nullopt;
    }
    SourceAirport a;
    if (!ParseInt32(c[1], a.elevation)) {
        report.Skip(line, "the elevation does not parse");
        return std::nullopt;
    }
    a.line = line;
    a.ident = std::string(c[4]);
    a.name = c.Rest(5);
    return a;
}

void ReadAirportDetailRow(const SourceColumns& c, std::int32_t code, std::int64_t line, SourceAirport& a,
                          SourceReport& report) {
    switch (code) {
        case 100: return ReadLandRunwayRow(c, line, a, report);
        case 101: return ReadWaterRunwayRow(c, line, a, report);
        case 10: return ReadCentreLineRunwayRow(c, line, a, report);
        case 14:
        case 15:
        case 102:
        case 1300: return ReadOtherPlaceRow(c, code, line, a, report);
        case 1302: return ReadMetadataRow(c, line, a, report);
        default: break;
    }
    if (IsFrequencyRow(code)) ReadFrequencyRow(c, code, line, a, report);
}

}  // namespace

AirportSource ReadAptDat(const std::filesystem::path& path, SourceReport& report, const ReadProgress& progress) {
    LineSource source(path, AptDatLimits);
    report.file = PathText(path);
    ReadSourceVersion(source, report);
    AirportSource out;
    SourceAirport* current = nullptr;  // the land airport whose rows follow
    ForEachSourceRow(source, progress, [&](const SourceColumns& c, std::int64_t line) {
        std::int32_t code = 0;
        if (!ParseInt32(c[0], code)) return report.Skip(line, "the row code is not a number");
        if (code == 1 || code == 16 || code == 17) {
            current = nullptr;
            if (code != 1) {
                ++out.seaAndHeliports;
                return;
            }
            std::optional<SourceAirport> airport = ReadAirportRow(c, line, report);
            if (!airport) return;
            out.airports.push_back(std::move(*airport));
            current = &out.airports.back();
            ++report.records;
            return;
        }
        if (current) ReadAirportDetailRow(c, code, line, *current, report);
    });
    // A reference point needs both of its halves.
    for (SourceAirport& a : out.airports)
        if (a.datum && ((*a.datum)[0] > 90.0 || (*a.datum)[1] > 180.0)) a.datum.reset();
    return out;
}

}  // namespace tarnwell
