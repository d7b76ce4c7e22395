#include "realworld/AirlineCsv.h"

#include <array>
#include <cstdint>
#include <optional>
#include <system_error>

#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/FileReplace.h"
#include "realworld/RealAirlineList.h"
#include "records/RecordLayouts.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

struct CsvRow {
    std::vector<std::string> fields;
    std::int64_t line = 0;  // where the row starts
};

class CsvReader {
public:
    CsvReader(const std::string& label, std::string_view content) : label_(label), in_(content) {
        if (in_.starts_with("\xEF\xBB\xBF")) in_.remove_prefix(3);
    }

    // The next row that is not an empty line; nothing at the end.
    std::optional<CsvRow> Next() {
        while (pos_ < in_.size() && IsLineEnd(in_[pos_])) EndLine();
        if (pos_ >= in_.size()) return std::nullopt;
        CsvRow row;
        row.line = line_;
        for (;;) {
            if (row.fields.size() == MostFields)
                throw TarnwellError(ErrorKind::Input,
                                    "the row has more than " + std::to_string(MostFields) + " fields",
                                    {label_, row.line});
            row.fields.push_back(Field());
            if (pos_ >= in_.size()) break;
            if (in_[pos_] == ',') {
                ++pos_;
                continue;
            }
            EndLine();
            break;
        }
        return row;
    }

private:
    // Far more columns than any airline table has; a row is never held with more.
    static constexpr std::size_t MostFields = 256;

    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

    void EndLine() {
        if (in_[pos_] == '\r' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }

    std::string Field() {
        std::string value;
        if (pos_ >= in_.size() || in_[pos_] != '"') {
            while (pos_ < in_.size() && in_[pos_] != ',' && !IsLineEnd(in_[pos_])) value += in_[pos_++];
            return value;
        }
        const std::int64_t opened = line_;
        ++pos_;
        for (;;) {
            if (pos_ >= in_.size())
                throw TarnwellError(ErrorKind::Input, "a quoted field has no closing quote", {label_, opened});
            const char c = in_[pos_];
            if (c == '"') {
                if (pos_ + 1 < in_.size() && in_[pos_ + 1] == '"') {
                    value += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            if (c == '\n' || (c == '\r' && !(pos_ + 1 < in_.size() && in_[pos_ + 1] == '\n'))) ++line_;
            value += c;
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] != ',' && !IsLineEnd(in_[pos_]))
            throw TarnwellError(ErrorKind::Input, "unexpected text after a closing quote", {label_, line_});
        return value;
    }

    std::string label_;
    std::string_view in_;
    std::size_t pos_ = 0;
    std::int64_t line_ = 1;
};

std::string LowerTrimmed(std::string_view s) {
    std::string out(TrimBlanks(s));
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::vector<AirlineRecord> ParseAirlineCsv(const std::string& label, std::string_view content) {
    CsvReader reader(label, content);
    const auto header = reader.Next();
    if (!header) throw TarnwellError(ErrorKind::Input, "the file is empty; it needs a header row", {label});

    constexpr std::array<const char*, 3> Columns = {"code", "name", "extra"};
    std::array<std::size_t, 3> at{};
    for (std::size_t c = 0; c < Columns.size(); ++c) {
        std::size_t k = 0;
        while (k < header->fields.size() && LowerTrimmed(header->fields[k]) != Columns[c]) ++k;
        if (k == header->fields.size())
            throw TarnwellError(ErrorKind::Input,
                                std::string("the header row has no column \"") + Columns[c] +
                                    "\"; it must name the columns code, name and extra",
                                {label, header->line});
        at[c] = k;
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
