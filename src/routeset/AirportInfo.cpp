#include "routeset/AirportInfo.h"

#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "navdata/AirportDatabaseFiles.h"
#include "navdata/NavRecords.h"
#include "records/RecordLayouts.h"
#include "routeset/AptFile.h"

namespace tarnwell {

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
    PositionedFile(fs::path path, const char* what, std::size_t recordLength)
        : path_(std::move(path)), what_(what), limit_(NavFileLimit(recordLength)) {}

    // The `length` bytes at the 1-based position `position`.
    std::span<const std::uint8_t> At(std::int64_t position, std::size_t length, const IndexAirportRecord& airport) {
        if (!bytes_) {
            std::error_code ec;
            if (!fs::exists(path_, ec))
                throw TarnwellError(ErrorKind::File,
                                    "airport " + AirportName(airport) + " needs its " + what_ + " from " +
                                        PathText(path_) + ", which is missing",
                                    {PathText(path_)});
            bytes_ = ReadFileBytes(path_, limit_);
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
    FileLimit limit_;
    std::optional<Bytes> bytes_;
};

}  // namespace

void BuildAirportInfo(RouteSetOutput& routeSet, const fs::path& dataFolder, std::span<IndexAirportRecord> IndexAirports,
                      std::vector<NavennaAirportRecord>& NavennaAirports, std::vector<AltitudeEntry>& Altitudes,
                      std::vector<AirportInfoRecord>& AirportInfo, Progress& progress) {
    AirportInfo.assign(IndexAirports.size(), AirportInfoRecord{});
    progress.SetStatus("Loading Navenna Airports", StatusKind::Step);
    NavennaAirports = LoadNavennaAirports(dataFolder);
    progress.SetStatus("Loading Altitudes", StatusKind::Step);
    Altitudes = LoadAltitudes(dataFolder);
    progress.SetStatus("Finding Navenna Data", StatusKind::Step);
    FindNavennaData(IndexAirports, NavennaAirports, Altitudes, AirportInfo, progress);
    progress.SetStatus("Writing Index File", StatusKind::Step);
    WriteIndexFile(routeSet, dataFolder, IndexAirports, AirportInfo, progress);
}

void FindNavennaData(std::span<IndexAirportRecord> IndexAirports, std::span<const NavennaAirportRecord> NavennaAirports,
                     std::span<const AltitudeEntry> Altitudes, std::vector<AirportInfoRecord>& AirportInfo,
                     Progress& progress) {
    // First record of each trimmed code, and first entry of each four-character code.
    std::unordered_map<std::string_view, std::int32_t> database;
    database.reserve(NavennaAirports.size());
    for (std::int32_t j = 0; j <= static_cast<std::int32_t>(NavennaAirports.size()) - 1; ++j)
        database.try_emplace(NavennaAirports[static_cast<std::size_t>(j)].ICAO.Trimmed(), j);
    std::unordered_map<std::string_view, std::int32_t> altitudes;
    altitudes.reserve(Altitudes.size());
    for (std::int32_t k = 0; k <= static_cast<std::int32_t>(Altitudes.size()) - 1; ++k)
        altitudes.try_emplace(Altitudes[static_cast<std::size_t>(k)].ICAO.View(), k);

    AirportInfo.resize(IndexAirports.size());
    for (std::int32_t i = 0; i <= static_cast<std::int32_t>(IndexAirports.size()) - 1; ++i) {
        const IndexAirportRecord& airport = IndexAirports[static_cast<std::size_t>(i)];
        AirportInfoRecord& info = AirportInfo[static_cast<std::size_t>(i)];
        info = AirportInfoRecord{};
        info.ICAO = airport.ICAO;
        if (const auto found = database.find(airport.ICAO.Trimmed()); found != database.end()) {
            const NavennaAirportRecord& record = NavennaAirports[static_cast<std::size_t>(found->second)];
            info.RunwayPos = record.RunwayPos;
            info.ValuesPos = record.ValuesPos;
            info.RunwayCount = record.RunwayCount;
        }
    }
    for (std::int32_t i = 0; i <= static_cast<std::int32_t>(IndexAirports.size()) - 1; ++i) {
        IndexAirportRecord& airport = IndexAirports[static_cast<std::size_t>(i)];
        if (const auto found = altitudes.find(airport.ICAO.View()); found != altitudes.end()) {
            airport.Altitude = Altitudes[static_cast<std::size_t>(found->second)].Altitude;
        } else {
            progress.Beep(BeepKind::Warning, "airport " + AirportName(airport) +
                                             " is not in the altitude list; it keeps the altitude " +
                                             std::to_string(airport.Altitude));
        }
    }
}

void WriteIndexFile(RouteSetOutput& routeSet, const fs::path& dataFolder,
                    std::span<const IndexAirportRecord> IndexAirports, std::span<const AirportInfoRecord> AirportInfo,
                    Progress& progress) {
    PositionedFile values(dataFolder / NavennaValuesFileName, "frequency values", NavennaValuesRecordLength);
    PositionedFile runways(dataFolder / NavennaRunwayFileName, "runway records", NavennaRunwayRecordLength);

    Bytes index(IndexAirports.size() * IndexRecordLength);
    Bytes apt;
    std::int64_t q = 1;
    for (std::int32_t i = 0; i <= static_cast<std::int32_t>(IndexAirports.size()) - 1; ++i) {
        const IndexAirportRecord& airport = IndexAirports[static_cast<std::size_t>(i)];
        const AirportInfoRecord& info = AirportInfo[static_cast<std::size_t>(i)];
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
    WriteFileBytes(routeSet.File("index.kr1"), index);
    WriteFileBytes(routeSet.File("APT.kr1"), apt);
    progress.Beep(BeepKind::Finished, "the airport information is written");
}

}  // namespace tarnwell
