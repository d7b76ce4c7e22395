#include "routeset/AirportInfo.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "records/RecordLayouts.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"

namespace tarnwell {

void EncodeAptRunway(const AptRunwayRecord& r, std::span<std::uint8_t> out) {
    RecordWriter w{out};
    w.Text(0, r.RunwayIdent);
    w.I32(5, r.RunwayData1);
    w.I32(9, r.RunwayData2);
    w.F32(13, r.Heading);
    w.F32(17, r.NetHeading);
    w.Text(21, r.IlsText);
    w.Text(28, r.IlsValue);
}

void EncodeAptValues(const AptValuesRecord& v, std::span<std::uint8_t> out) {
    RecordWriter w{out};
    for (std::size_t k = 0; k < v.Values.size(); ++k) w.Text(6 * k, v.Values[k]);
}

AptRunwayRecord DecodeAptRunway(std::span<const std::uint8_t> in) {
    const RecordReader r{in};
    AptRunwayRecord a;
    a.RunwayIdent = r.Text<5>(0);
    a.RunwayData1 = r.I32(5);
    a.RunwayData2 = r.I32(9);
    a.Heading = r.F32(13);
    a.NetHeading = r.F32(17);
    a.IlsText = r.Text<7>(21);
    a.IlsValue = r.Text<6>(28);
    return a;
}

AptValuesRecord DecodeAptValues(std::span<const std::uint8_t> in) {
    const RecordReader r{in};
    AptValuesRecord v;
    for (std::size_t k = 0; k < v.Values.size(); ++k) v.Values[k] = r.Text<6>(6 * k);
    return v;
}

FixedText<6> FormatValue(float value) {
    if (!std::isfinite(value))
        throw TarnwellError(ErrorKind::Input, "the value " + std::to_string(value) + " is not a number that can be written as 000.00");
    const double magnitude = std::fabs(static_cast<double>(value));
    char digits[64];
    std::snprintf(digits, sizeof digits, "%06.2f", magnitude);  // at least three digits before the point
    std::string text = value < 0.0f ? "-" : "";
    text += digits;
    return FixedText<6>(text);
}

float NetHeading(float heading, float headingOffset) {
    float net = heading - headingOffset;
    if (net < 0) net = net + 360.0f;
    return net;
}

namespace {

namespace fs = std::filesystem;

std::string AirportName(const IndexAirportRecord& a) {
    return std::string(a.IATA.Trimmed()) + " (" + std::string(a.ICAO.Trimmed()) + ")";
}

// FormatValue for a value of an airport's database record, naming the airport on failure.
FixedText<6> FormatFor(float value, const IndexAirportRecord& airport, std::int32_t index, const std::string& what) {
    try {
        return FormatValue(value);
    } catch (const TarnwellError& e) {
        throw TarnwellError(e.Kind(), "airport " + AirportName(airport) + ", " + what + ": " + e.What(),
                            {"index airports", {}, {}, {}, index});
    }
}

// One of the database files read by explicit positions, loaded when an
// airport first needs it. A missing file, or a position whose bytes do not
// all lie inside it, is an error naming the airport.
class PositionedFile {
public:
    PositionedFile(fs::path path, const char* what) : path_(std::move(path)), what_(what) {}

    // The `length` bytes at the 1-based position `position`.
    std::span<const std::uint8_t> At(std::int64_t position, std::size_t length, const IndexAirportRecord& airport) {
        if (!bytes_) {
            std::error_code ec;
            if (!fs::exists(path_, ec))
                throw TarnwellError(ErrorKind::File,
                                    "airport " + AirportName(airport) + " needs its " + what_ + " from " +
                                        PathText(path_) + ", which is missing",
                                    {PathText(path_)});
            bytes_ = ReadFileBytes(path_);
        }
        const std::int64_t offset = position - 1;
        if (offset < 0 || offset + static_cast<std::int64_t>(length) > static_cast<std::int64_t>(bytes_->size()))
            throw TarnwellError(ErrorKind::Input,
                                "airport " + AirportName(airport) + ": its " + what_ + " at byte " +
                                    std::to_string(position) + " (" + std::to_string(length) +
                                    " bytes) lie outside the file of " + std::to_string(bytes_->size()) + " bytes",
                                {PathText(path_)});
        return std::span(*bytes_).subspan(static_cast<std::size_t>(offset), length);
    }

private:
    fs::path path_;
    std::string what_;
    std::optional<Bytes> bytes_;
};

}  // namespace

void BuildAirportInfo(ProgramState& state, Port& port) {
    state.AirportInfo.assign(state.IndexAirports.size(), AirportInfoRecord{});
    port.SetStatus("Loading Navenna Airports", StatusKind::Step);
    LoadNavennaAirports(state, port);
    port.SetStatus("Loading Altitudes", StatusKind::Step);
    LoadAltitudes(state, port);
    port.SetStatus("Finding Navenna Data", StatusKind::Step);
    FindNavennaData(state, port);
    port.SetStatus("Writing Index File", StatusKind::Step);
    WriteIndexFile(state, port);
}

void LoadNavennaAirports(ProgramState& state, Port&) {
    const fs::path path = state.DataFolder() / "nv_apt1.nv2";
    std::error_code ec;
    if (!fs::exists(path, ec))
        throw TarnwellError(ErrorKind::File, "the airport database is missing", {PathText(path)});
    const Bytes bytes = ReadFileBytes(path);
    if (bytes.size() < NavennaAirportRecordLength)
        throw TarnwellError(ErrorKind::Input, "the airport database holds no airport", {PathText(path)});
    state.NavennaAirports = DecodeNavennaAirports(bytes, PathText(path));
}

void LoadAltitudes(ProgramState& state, Port&) {
    const fs::path path = state.DataFolder() / "Altitudes.txt";
    std::error_code ec;
    if (!fs::exists(path, ec))
        throw TarnwellError(ErrorKind::File, "the altitude list is missing", {PathText(path)});
    FieldReader in = FieldReader::FromFile(path);
    std::vector<AltitudeEntry> entries;
    entries.reserve(AltitudeCapacity);
    std::int64_t lastLine = 0;
    while (!in.AtEnd()) {
        const FieldReader::Field code = in.Next();
        auto malformed = [&](const std::string& what, int field, const char* name) {
            return TarnwellError(ErrorKind::Input, what, {in.Label(), code.line, field, name, static_cast<std::int64_t>(entries.size())});
        };
        if (code.line == lastLine)
            throw malformed("the line holds more than an airport code and an altitude", 3, "");
        if (static_cast<std::int32_t>(entries.size()) == AltitudeCapacity)
            throw malformed("the altitude list holds more than " + std::to_string(AltitudeCapacity) + " entries", 1,
                            "ICAO");
        if (in.AtEnd()) throw malformed("the line holds an airport code without an altitude", 2, "Altitude");
        const FieldReader::Field number = in.Next();
        if (number.line != code.line)
            throw malformed("the line holds an airport code without an altitude", 2, "Altitude");
        AltitudeEntry entry;
        entry.ICAO = code.text;
        if (!ParseInt32(number.text, entry.Altitude))
            throw malformed("the altitude \"" + std::string(number.text) + "\" is not a whole number", 2, "Altitude");
        entries.push_back(entry);
        lastLine = number.line;
    }
    state.Altitudes = std::move(entries);
}

void FindNavennaData(ProgramState& state, Port& port) {
    // First record of each trimmed code, and first entry of each four-character code.
    std::unordered_map<std::string_view, std::int32_t> database;
    database.reserve(state.NavennaAirports.size());
    for (std::int32_t j = 0; j <= state.NavennaAirportUBound(); ++j)
        database.try_emplace(state.NavennaAirports[static_cast<std::size_t>(j)].ICAO.Trimmed(), j);
    std::unordered_map<std::string_view, std::int32_t> altitudes;
    altitudes.reserve(state.Altitudes.size());
    for (std::int32_t k = 0; k <= state.AltitudeUBound(); ++k)
        altitudes.try_emplace(state.Altitudes[static_cast<std::size_t>(k)].ICAO.View(), k);

    state.AirportInfo.resize(state.IndexAirports.size());
    for (std::int32_t i = 0; i <= state.IndexUBound(); ++i) {
        const IndexAirportRecord& airport = state.IndexAirports[static_cast<std::size_t>(i)];
        AirportInfoRecord& info = state.AirportInfo[static_cast<std::size_t>(i)];
        info = AirportInfoRecord{};
        info.ICAO = airport.ICAO;
        if (const auto found = database.find(airport.ICAO.Trimmed()); found != database.end()) {
            const NavennaAirportRecord& record = state.NavennaAirports[static_cast<std::size_t>(found->second)];
            info.RunwayPos = record.RunwayPos;
            info.ValuesPos = record.ValuesPos;
            info.RunwayCount = record.RunwayCount;
        }
    }
    for (std::int32_t i = 0; i <= state.IndexUBound(); ++i) {
        IndexAirportRecord& airport = state.IndexAirports[static_cast<std::size_t>(i)];
        if (const auto found = altitudes.find(airport.ICAO.View()); found != altitudes.end()) {
            airport.Altitude = state.Altitudes[static_cast<std::size_t>(found->second)].Altitude;
        } else {
            port.Beep(BeepKind::Warning, "airport " + AirportName(airport) +
                                             " is not in the altitude list; it keeps the altitude " +
                                             std::to_string(airport.Altitude));
        }
    }
}

void WriteIndexFile(ProgramState& state, Port& port) {
    PositionedFile values(state.DataFolder() / "nv_apt2.nv2", "frequency values");
    PositionedFile runways(state.DataFolder() / "nv_apt3.nv2", "runway records");

    Bytes index(state.IndexAirports.size() * IndexRecordLength);
    Bytes apt;
    std::int64_t q = 1;
    for (std::int32_t i = 0; i <= state.IndexUBound(); ++i) {
        const IndexAirportRecord& airport = state.IndexAirports[static_cast<std::size_t>(i)];
        const AirportInfoRecord& info = state.AirportInfo[static_cast<std::size_t>(i)];
        if (q > std::numeric_limits<std::int32_t>::max())
            throw TarnwellError(ErrorKind::Overflow,
                                "airport " + AirportName(airport) + ": APT.kr1 has grown beyond the 32-bit AptPos",
                                {"index airports", {}, {}, "AptPos", i});
        IndexAirportRecord written = airport;
        written.RunwayCount = info.RunwayCount;
        written.AptPos = static_cast<std::int32_t>(q);
        EncodeIndexAirport(written, std::span(index).subspan(static_cast<std::size_t>(i) * IndexRecordLength,
                                                              IndexRecordLength));

        // An airport without runways has nothing in APT.kr1, so its values
        // are not read either.
        const std::int32_t n = info.RunwayCount;
        if (n <= 0) continue;
        // Every runway record must lie in the file before room is made for them.
        runways.At(static_cast<std::int64_t>(info.RunwayPos) + 56 * (static_cast<std::int64_t>(n) - 1) + 4, 48, airport);
        const std::size_t at = apt.size();
        apt.resize(at + static_cast<std::size_t>(n) * AptRunwayRecordLength + AptValuesRecordLength);
        for (std::int32_t k = 0; k < n; ++k) {
            const std::int64_t r = static_cast<std::int64_t>(info.RunwayPos) + 56 * static_cast<std::int64_t>(k);
            const RecordReader in{runways.At(r + 4, 48, airport)};  // positions r + 4 to r + 51
            AptRunwayRecord runway;
            runway.RunwayIdent = in.Text<5>(0);
            runway.RunwayData1 = in.I32(5);
            runway.RunwayData2 = in.I32(9);
            runway.Heading = in.F32(17);
            runway.NetHeading = NetHeading(runway.Heading, in.F32(21));
            runway.IlsText = in.Text<7>(37);
            if (runway.IlsText == FixedText<7>("       ")) runway.IlsText = "NO ILS ";
            runway.IlsValue = FormatFor(in.F32(44), airport, i, "the ILS value of runway " + std::string(runway.RunwayIdent.Trimmed()));
            EncodeAptRunway(runway, std::span(apt).subspan(at + static_cast<std::size_t>(k) * AptRunwayRecordLength,
                                                           AptRunwayRecordLength));
        }
        const RecordReader in{values.At(static_cast<std::int64_t>(info.ValuesPos) + 50, 28, airport)};
        AptValuesRecord record;
        for (std::size_t v = 0; v < record.Values.size(); ++v)
            record.Values[v] = FormatFor(in.F32(4 * v), airport, i, "value " + std::to_string(v + 1));
        EncodeAptValues(record, std::span(apt).subspan(at + static_cast<std::size_t>(n) * AptRunwayRecordLength,
                                                       AptValuesRecordLength));
        q += static_cast<std::int64_t>(n) * 34 + 42;
    }
    WriteFileBytes(state.RouteSet.File("index.kr1"), index);
    WriteFileBytes(state.RouteSet.File("APT.kr1"), apt);
    port.Beep(BeepKind::Finished, "the airport information is written");
}

}  // namespace tarnwell
