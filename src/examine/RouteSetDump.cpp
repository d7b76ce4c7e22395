#include "examine/RouteSetDump.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <system_error>
#include <tuple>

#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "plans/CityPairs.h"
#include "plans/PlanFile.h"
#include "examine/RouteSetCheck.h"
#include "records/RecordLayouts.h"
#include "routeset/AptFile.h"
#include "routeset/DataFiles.h"
#include "navdata/AirwayNetwork.h"
#include "navdata/NavRecords.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

constexpr std::array<std::string_view, 6> FileNames = {"index.kr1",    "routes.kr1", "airline.kr1",
                                                       "arrivals.kr1", "APT.kr1",    "PLANS.kr1"};
// The largest each can be, in the same order. APT.kr1 takes a values record
// per index airport and a runway record per runway end of the database;
// PLANS.kr1 a position and a plan of the most entries per city pair.
constexpr std::array<FileLimit, 6> FileLimits = {
    IndexFileLimit,
    RouteFileLimit,
    FileLimit{AirlineRecordLength * std::tuple_size_v<AirlineTable>, "a route set's airline.kr1 of 11 airlines"},
    FileLimit{ArrivalsEntryLength * ScheduleCapacity, "an arrivals.kr1 of 100001 routes"},
    FileLimit{AptValuesRecordLength * IndexAirportCapacity + AptRunwayRecordLength * NavFileRecordLimit,
              "an APT.kr1 of 32768 airports and 1000000 runway ends"},
    FileLimit{UniqueRouteCapacity * (4 + 2 + PlanPointLength * PlanPointCapacity), "a PLANS.kr1 of 34000 plans"},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// CSV rows built field by field.
class Csv {
public:
    void Header(std::initializer_list<std::string_view> names) {
        for (const std::string_view name : names) Field(name);
        EndRow();
    }
    void Text(std::string_view stored) { Field(ShownText(stored)); }
    void Int(std::int64_t value) { Field(std::to_string(value)); }
    void Float(float value) {
        std::array<char, 32> buffer{};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        Field(std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())));
    }
    void Empty(int count = 1) {
        for (int k = 0; k < count; ++k) Field({});
    }
    void EndRow() {
        out_ += '\n';
        rowStart_ = true;
    }
    const std::string& Str() const { return out_; }

private:
    void Field(std::string_view value) {
        if (!rowStart_) out_ += ',';
        rowStart_ = false;
        const bool quote = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                           (!value.empty() && (value.front() == ' ' || value.back() == ' '));
        if (!quote) {
            out_ += value;
            return;
        }
        out_ += '"';
        for (const char c : value) {
            if (c == '"') out_ += '"';
            out_ += c;
        }
        out_ += '"';
    }

    std::string out_;
    bool rowStart_ = true;
};

[[noreturn]] void Damaged(const fs::path& path, const std::string& what) {
    throw TarnwellError(ErrorKind::Input, what, {PathText(path)});
}

Bytes ReadRouteSetFile(const fs::path& path, const FileLimit& limit) {
    std::error_code ec;
    if (!fs::exists(path, ec)) throw TarnwellError(ErrorKind::File, "the file is missing", {PathText(path)});
    return ReadFileBytes(path, limit);
}

void DumpIndex(const Bytes& bytes, const fs::path& path, Csv& csv) {
    csv.Header({"Record", "Position", "IATA", "ICAO", "AirportName", "City", "DeparturePos", "DepartureCount",
                "Altitude", "Latitude", "Longitude", "ArrivalsPos", "ArrivalsCount", "RunwayCount", "AptPos"});
    const auto airports = DecodeIndexFile(bytes, PathText(path));
    for (std::size_t k = 0; k < airports.size(); ++k) {
        const IndexAirportRecord& a = airports[k];
        csv.Int(static_cast<std::int64_t>(k));
        csv.Int(RecordPosition(static_cast<std::int64_t>(k), IndexRecordLength));
        csv.Text(a.IATA.View());
        csv.Text(a.ICAO.View());
        csv.Text(a.AirportName.View());
        csv.Text(a.City.View());
        csv.Int(a.DeparturePos);
        csv.Int(a.DepartureCount);
        csv.Int(a.Altitude);
        csv.Float(a.Latitude);
        csv.Float(a.Longitude);
        csv.Int(a.ArrivalsPos);
        csv.Int(a.ArrivalsCount);
        csv.Int(a.RunwayCount);
        csv.Int(a.AptPos);
        csv.EndRow();
    }
}

void DumpRoutes(const Bytes& bytes, const fs::path& path, Csv& csv) {
    csv.Header({"Record", "Position", "Origin", "DepartTime", "Destination", "ArriveTime", "Miles", "DayMask",
                "Airline", "FlightNumber", "Equipment", "CodeLetter", "MaskBits", "Reserved", "OriginIndex",
                "DestIndex", "PlanPointer"});
    const auto routes = DecodeRouteFile(bytes, PathText(path));
    for (std::size_t k = 0; k < routes.size(); ++k) {
        const RouteRecord& r = routes[k];
        csv.Int(static_cast<std::int64_t>(k));
        csv.Int(RecordPosition(static_cast<std::int64_t>(k), RouteRecordLength));
        csv.Text(r.Origin.View());
        csv.Int(r.DepartTime);
        csv.Text(r.Destination.View());
        csv.Int(r.ArriveTime);
        csv.Int(r.Miles);
        csv.Int(r.DayMask);
        csv.Text(r.Airline.View());
        csv.Int(r.FlightNumber);
        csv.Text(r.Equipment.View());
        csv.Text(r.CodeLetter.View());
        csv.Int(r.MaskBits);
        csv.Text(r.Reserved.View());
        csv.Int(r.OriginIndex);
        csv.Int(r.DestIndex);
        csv.Int(r.PlanPointer);
        csv.EndRow();
    }
}

void DumpAirlines(const Bytes& bytes, const fs::path& path, Csv& csv) {
    csv.Header({"Record", "Position", "Code", "Name", "Extra"});
    const auto airlines = DecodeAirlineFile(bytes, PathText(path));
    for (std::size_t k = 0; k < airlines.size(); ++k) {
        csv.Int(static_cast<std::int64_t>(k));
        csv.Int(RecordPosition(static_cast<std::int64_t>(k), AirlineRecordLength));
        csv.Text(airlines[k].Code.View());
        csv.Text(airlines[k].Name.View());
        csv.Text(airlines[k].Extra.View());
        csv.EndRow();
    }
}

void DumpArrivals(const Bytes& bytes, const fs::path& path, Csv& csv) {
    csv.Header({"Record", "Position", "RoutePosition"});
    const auto entries = DecodeRecords(bytes, ArrivalsEntryLength, PathText(path),
                                       [](std::span<const std::uint8_t> in) { return RecordReader(in).I32(0); });
    for (std::size_t k = 0; k < entries.size(); ++k) {
        csv.Int(static_cast<std::int64_t>(k));
        csv.Int(RecordPosition(static_cast<std::int64_t>(k), ArrivalsEntryLength));
        csv.Int(entries[k]);
        csv.EndRow();
    }
}

// APT.kr1 holds, for each airport with runways in index order, its runway
// records and then its values record.
void DumpApt(const Bytes& bytes, const fs::path& path, const fs::path& indexPath, Csv& csv) {
    const auto airports = DecodeIndexFile(ReadRouteSetFile(indexPath, IndexFileLimit), PathText(indexPath));
    std::int64_t length = 0;
    for (const IndexAirportRecord& a : airports)
        if (a.RunwayCount > 0)
            length += static_cast<std::int64_t>(AptRunwayRecordLength) * a.RunwayCount +
                      static_cast<std::int64_t>(AptValuesRecordLength);
    if (length != static_cast<std::int64_t>(bytes.size()))
        Damaged(path, "the file is " + std::to_string(bytes.size()) +
                          " bytes long, but the runway counts of index.kr1 call for " + std::to_string(length));

    csv.Header({"Position", "Airport", "IATA", "Kind", "RunwayIdent", "RunwayData1", "RunwayData2", "Heading",
                "NetHeading", "IlsText", "IlsValue", "Value1", "Value2", "Value3", "Value4", "Value5", "Value6",
                "Value7"});
    std::size_t at = 0;
    for (std::size_t i = 0; i < airports.size(); ++i) {
        const IndexAirportRecord& a = airports[i];
        if (a.RunwayCount <= 0) continue;
        const auto start = [&](const char* kind) {
            csv.Int(static_cast<std::int64_t>(at) + 1);
            csv.Int(static_cast<std::int64_t>(i));
            csv.Text(a.IATA.View());
            csv.Text(kind);
        };
        for (std::int32_t k = 0; k < a.RunwayCount; ++k) {
            const AptRunwayRecord r = DecodeAptRunway(std::span(bytes).subspan(at, AptRunwayRecordLength));
            start("runway");
            csv.Text(r.RunwayIdent.View());
            csv.Int(r.RunwayData1);
            csv.Int(r.RunwayData2);
            csv.Float(r.Heading);
            csv.Float(r.NetHeading);
            csv.Text(r.IlsText.View());
            csv.Text(r.IlsValue.View());
            csv.Empty(7);
            csv.EndRow();
            at += AptRunwayRecordLength;
        }
        const AptValuesRecord v = DecodeAptValues(std::span(bytes).subspan(at, AptValuesRecordLength));
        start("values");
        csv.Empty(7);
        for (const auto& value : v.Values) csv.Text(value.View());
        csv.EndRow();
        at += AptValuesRecordLength;
    }
}

void DumpPlans(const Bytes& bytes, const fs::path& path, Csv& csv) {
    csv.Header({"Plan", "BlockPosition", "EntryCount", "Entry", "Position", "PointType", "PointRef", "AirwayName"});
    if (bytes.empty()) return;
    const auto size = static_cast<std::int64_t>(bytes.size());
    const RecordReader file(bytes);
    const std::optional<std::int64_t> count = PackedPlanCount(bytes);
    if (!count)
        Damaged(path, "the file does not begin with a position table (its first entry " +
                          std::to_string(size < 4 ? 0 : file.I32(0)) + " is not 4 n + 1 for n plans, within the file's " +
                          std::to_string(size) + " bytes)");
    const std::int64_t plans = *count;

    // The blocks are checked before any row is written.
    struct Block {
        std::int64_t at;
        std::int64_t count;
    };
    std::vector<Block> blocks;
    blocks.reserve(static_cast<std::size_t>(plans));
    for (std::int64_t p = 1; p <= plans; ++p) {
        const std::int64_t at = file.I32(static_cast<std::size_t>(4 * (p - 1))) - 1;
        if (at < 4 * plans || at + 2 > size)
            Damaged(path, "plan " + std::to_string(p) + ": its position " + std::to_string(at + 1) +
                              " lies outside the plan blocks");
        const std::int64_t count = file.I16(static_cast<std::size_t>(at));
        if (count < 0 || count > PlanPointCapacity || at + 2 + 10 * count > size)
            Damaged(path, "plan " + std::to_string(p) + ": the block at " + std::to_string(at + 1) + " of " +
                              std::to_string(count) + " entries does not lie inside the file");
        blocks.push_back({at, count});
    }
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const std::int64_t at = blocks[k].at;
        const std::int64_t count = blocks[k].count;
        const auto start = [&] {
            csv.Int(static_cast<std::int64_t>(k) + 1);
            csv.Int(at + 1);
            csv.Int(count);
        };
        if (count == 0) {
            start();
            csv.Empty(5);
            csv.EndRow();
        }
        for (std::int64_t e = 0; e < count; ++e) {
            const std::int64_t off = at + 2 + static_cast<std::int64_t>(PlanPointLength) * e;
            const PlanPoint point =
                DecodePlanPoint(std::span(bytes).subspan(static_cast<std::size_t>(off), PlanPointLength));
            start();
            csv.Int(e + 1);
            csv.Int(off + 1);
            csv.Text(std::string_view(&point.PointType, 1));
            csv.Int(point.PointRef);
            csv.Text(point.AirwayName.View());
            csv.EndRow();
        }
    }
}

}  // namespace

std::span<const std::string_view> DumpableRouteSetFiles() { return FileNames; }

FileLimit RouteSetFileLimit(std::string_view fileName) {
    const auto known = std::find(FileNames.begin(), FileNames.end(), fileName);
    return known == FileNames.end() ? DataFileLimit : FileLimits[static_cast<std::size_t>(known - FileNames.begin())];
}

std::string ShownText(std::string_view stored) {
    const std::size_t end = stored.find_last_not_of(std::string_view(" \0", 2));
    std::string text = AnsiToUtf8(stored.substr(0, end == std::string_view::npos ? 0 : end + 1));
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\0')
            out += "\xEF\xBF\xBD";  // U+FFFD
        else
            out += c;
    }
    return out;
}

void DumpRouteSetFile(const fs::path& programFolder, const std::string& setName, const std::string& fileName,
                      std::ostream& out) {
    const fs::path folder = RouteSetFolder(programFolder, setName);
    const auto known = std::find_if(FileNames.begin(), FileNames.end(),
                                    [&](std::string_view name) { return SameIgnoringCase(name, fileName); });
    if (known == FileNames.end()) {
        std::string names;
        for (const std::string_view name : FileNames) names += (names.empty() ? "" : ", ") + std::string(name);
        throw TarnwellError(ErrorKind::Usage, QuotedField(fileName) + " is not a route-set file; give one of " + names);
    }
    const std::string_view name = *known;
    const fs::path path = folder / name;
    const Bytes bytes = ReadRouteSetFile(path, RouteSetFileLimit(name));
    Csv csv;
    if (name == "index.kr1")
        DumpIndex(bytes, path, csv);
    else if (name == "routes.kr1")
        DumpRoutes(bytes, path, csv);
    else if (name == "airline.kr1")
        DumpAirlines(bytes, path, csv);
    else if (name == "arrivals.kr1")
        DumpArrivals(bytes, path, csv);
    else if (name == "APT.kr1")
        DumpApt(bytes, path, folder / "index.kr1", csv);
    else
        DumpPlans(bytes, path, csv);
    out << csv.Str();
}

}  // namespace tarnwell
