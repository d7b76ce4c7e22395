#include "navdata/AirportDatabaseFiles.h"

#include <string>
#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "navdata/NavRecords.h"

namespace fs = std::filesystem;

namespace tarnwell {

std::vector<NavennaAirportRecord> LoadNavennaAirports(const fs::path& dataFolder) {
    const fs::path path = dataFolder / NavennaAirportFileName;
    std::error_code ec;
    if (!fs::exists(path, ec))
        throw TarnwellError(ErrorKind::File, "the airport database is missing", {PathText(path)});
    const Bytes bytes = ReadFileBytes(path, NavFileLimit(NavennaAirportRecordLength));
    if (bytes.size() < NavennaAirportRecordLength)
        throw TarnwellError(ErrorKind::Input, "the airport database holds no airport", {PathText(path)});
    return DecodeNavennaAirports(bytes, PathText(path));
}

std::vector<AltitudeEntry> LoadAltitudes(const fs::path& dataFolder) {
    const fs::path path = dataFolder / AltitudeFileName;
    std::error_code ec;
    if (!fs::exists(path, ec))
        throw TarnwellError(ErrorKind::File, "the altitude list is missing", {PathText(path)});
    // A written line is under 20 bytes; 256 an entry leaves room for hand-edited blanks.
    constexpr FileLimit limit{std::uintmax_t{256} * AltitudeCapacity, "the altitude list"};
    FieldReader in = FieldReader::FromFile(path, limit);
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
            throw malformed("the altitude " + QuotedField(number.text) + " is not a whole number", 2, "Altitude");
        entries.push_back(entry);
        lastLine = number.line;
    }
    return entries;
}

}  // namespace tarnwell
