#include "timetable/PhpVmsAirports.h"

#include <algorithm>
#include <array>

#include "common/CsvReader.h"
#include "common/Errors.h"
#include "common/FixedText.h"

namespace tarnwell {

namespace {

std::string Upper(std::string_view text) {
    std::string out(TrimBlanks(text));
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace

bool AddAirportCode(AirportCodes& codes, std::string_view icao, std::string_view code) {
    const std::string key = Upper(icao);
    const std::string value = Upper(code);
    const bool valid = value.size() == 3 && std::all_of(value.begin(), value.end(), [](char c) {
                           return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
                       });
    return !key.empty() && valid && codes.emplace(key, value).second;
}

AirportCodes ParsePhpVmsAirports(const std::string& label, std::string_view csv) {
    CsvReader reader(label, csv);
    const auto header = reader.Next();
    if (!header) throw TarnwellError(ErrorKind::Input, "the file is empty; it needs a header row", {label});
    std::array<std::size_t, 2> at{};
    constexpr std::array<const char*, 2> Columns = {"icao", "iata"};
    for (std::size_t c = 0; c < Columns.size(); ++c) {
        const auto k = FindCsvColumn(*header, Columns[c]);
        if (!k)
            throw TarnwellError(ErrorKind::Input,
                                std::string("the header row has no column \"") + Columns[c] +
                                    "\"; an airport export names at least icao and iata",
                                {label, header->line});
        at[c] = *k;
    }
    AirportCodes codes;
    while (const auto row = reader.Next())
        if (std::max(at[0], at[1]) < row->fields.size()) AddAirportCode(codes, row->fields[at[0]], row->fields[at[1]]);
    return codes;
}

ThreeLetterCodeLookup LookupIn(const AirportCodes& codes) {
    return [&codes](std::string_view icao) -> std::optional<std::string> {
        const auto found = codes.find(icao);
        if (found == codes.end()) return std::nullopt;
        return found->second;
    };
}

}  // namespace tarnwell
