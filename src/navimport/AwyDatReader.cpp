// awy.dat: one airway segment a line. Version 640 gives each end point by
// identifier and position; from version 1100 on an end point is named by
// identifier, region and kind and looked up in the point directory, and the
// segment carries a direction.

#include "navimport/XPlaneFormats.h"

#include "common/BinaryIO.h"
#include "common/TextFile.h"
#include "navimport/SourceLines.h"

namespace tarnwell {

namespace {

char PointKindLetter(std::int32_t kind) { return kind == 11 ? 'F' : kind == 3 ? 'V' : kind == 2 ? 'N' : 0; }

// ident region kind, ident region kind, direction, level, base, top, names.
// False (with the line counted as skipped) when the line is not usable.
bool ReadNamedSegment(const SourceColumns& c, std::int64_t line, const PointDirectory& points,
                      SourceReport& report, SourceAirwaySegment& s, std::int32_t& level) {
    auto skip = [&](std::string_view reason) {
        report.Skip(line, reason);
        return false;
    };
    if (c.size() < 11) return skip("too few columns");
    std::int32_t kinds[2] = {0, 0};
    if (!ParseInt32(c[2], kinds[0]) || !ParseInt32(c[5], kinds[1]) || !ParseInt32(c[7], level))
        return skip("a number does not parse");
    char kindLetters[2] = {0, 0};
    for (int e = 0; e < 2; ++e) {
        kindLetters[e] = PointKindLetter(kinds[e]);
        if (!kindLetters[e]) return skip("an end point is of an unknown kind");
    }
    const auto p1 = points.Find(c[0], c[1], kindLetters[0]);
    const auto p2 = points.Find(c[3], c[4], kindLetters[1]);
    if (!p1 || !p2) return skip("an end point is in neither nav.dat nor fix.dat");
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
    else return skip("the direction is not N, F or B");
    s.names = std::string(c[10]);
    return true;
}

// ident lat lon, ident lat lon, level, base, top, names.
bool ReadPositionedSegment(const SourceColumns& c, std::int64_t line, SourceReport& report,
                           SourceAirwaySegment& s, std::int32_t& level) {
    auto skip = [&](std::string_view reason) {
        report.Skip(line, reason);
        return false;
    };
    if (c.size() < 10) return skip("too few columns");
    if (!ParseSourcePosition(c[1], c[2], s.lat1, s.lon1) || !ParseSourcePosition(c[4], c[5], s.lat2, s.lon2))
        return skip("a position does not parse or is out of range");
    if (!ParseInt32(c[6], level)) return skip("a number does not parse");
    s.ident1 = std::string(c[0]);
    s.ident2 = std::string(c[3]);
    s.names = std::string(c[9]);
    return true;
}

}  // namespace

std::vector<SourceAirwaySegment> ReadAwyDat(const std::filesystem::path& path, const PointDirectory& points,
                                            SourceReport& report, const ReadProgress& progress) {
    LineSource source(path, NavSourceLimits);
    report.file = PathText(path);
    const bool byName = ReadSourceVersion(source, report) >= 1100;
    std::vector<SourceAirwaySegment> segments;
    ForEachSourceRow(source, progress, [&](const SourceColumns& c, std::int64_t line) {
        SourceAirwaySegment s;
        std::int32_t level = 0;
        const bool usable = byName ? ReadNamedSegment(c, line, points, report, s, level)
                                   : ReadPositionedSegment(c, line, report, s, level);
        if (!usable) return;
        if (level != 1 && level != 2) return report.Skip(line, "the airway level is neither 1 (low) nor 2 (high)");
        s.high = level == 2;
        segments.push_back(std::move(s));
        ++report.records;
    });
    return segments;
}

}  // namespace tarnwell
