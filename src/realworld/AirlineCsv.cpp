#include "realworld/AirlineCsv.h"

#include <array>
#include <cstdint>
#include <system_error>

#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "common/CsvReader.h"
#include "common/Errors.h"
#include "common/FileReplace.h"
#include "realworld/RealAirlineList.h"
#include "records/RecordLayouts.h"

namespace fs = std::filesystem;

namespace tarnwell {

std::vector<AirlineRecord> ParseAirlineCsv(const std::string& label, std::string_view content) {
    CsvReader reader(label, content);
    const auto header = reader.Next();
    if (!header) throw TarnwellError(ErrorKind::Input, "the file is empty; it needs a header row", {label});

    constexpr std::array<const char*, 3> Columns = {"code", "name", "extra"};
    std::array<std::size_t, 3> at{};
    for (std::size_t c = 0; c < Columns.size(); ++c) {
        const auto k = FindCsvColumn(*header, Columns[c]);
        if (!k)
            throw TarnwellError(ErrorKind::Input,
                                std::string("the header row has no column \"") + Columns[c] +
                                    "\"; it must name the columns code, name and extra",
                                {label, header->line});
        at[c] = *k;
    }

    std::vector<AirlineRecord> airlines;
    while (const auto row = reader.Next()) {
        const auto record = static_cast<std::int64_t>(airlines.size());
        if (record == RealAirlineCapacity)
            throw TarnwellError(ErrorKind::Overflow,
                                "more than " + std::to_string(RealAirlineCapacity) +
                                    " airlines; the real-world airline list holds at most that many",
                                {label, row->line, {}, {}, record});
        if (row->fields.size() != header->fields.size())
            throw TarnwellError(ErrorKind::Input,
                                "the row has " + std::to_string(row->fields.size()) + " fields; the header row has " +
                                    std::to_string(header->fields.size()),
                                {label, row->line, {}, {}, record});
        AirlineRecord airline;
        for (std::size_t c = 0; c < Columns.size(); ++c) {
            const std::string& field = row->fields[at[c]];
            // The list holds one byte per character in Windows-1252: each
            // character of the UTF-8 text that has a code there is stored as
            // that code, any other becomes '?'.
            const std::string text = Utf8ToAnsi(field);
            if (c == 0 && TrimBlanks(text).empty())
                throw TarnwellError(ErrorKind::Input, "the airline code is empty",
                                    {label, row->line, static_cast<int>(at[c] + 1), Columns[c], record});
            if (c == 0) airline.Code = text;
            else if (c == 1) airline.Name = text;
            else airline.Extra = text;
        }
        airlines.push_back(airline);
    }
    if (airlines.empty())
        throw TarnwellError(ErrorKind::Input, "the file holds no airline below its header row", {label});
    return airlines;
}

std::vector<AirlineRecord> ImportAirlines(const fs::path& dataFolder, const fs::path& csv) {
    // 512 bytes a row: the three columns in UTF-8 and others beside them.
    constexpr FileLimit limit{std::uintmax_t{512} * RealAirlineCapacity, "an airline CSV file"};
    const Bytes bytes = ReadFileBytes(csv, limit);
    std::vector<AirlineRecord> airlines =
        ParseAirlineCsv(PathText(csv), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    RequireFolder(dataFolder, false);
    const std::array<PendingFile, 1> file = {
        PendingFile{dataFolder / RealAirlineListName, EncodeAirlineFile(airlines)}};
    ReplaceFiles(file);
    return airlines;
}

}  // namespace tarnwell
