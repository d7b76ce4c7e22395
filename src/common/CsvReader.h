#pragma once
// Comma-separated files with a header row, as spreadsheets and web
// applications export them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwell {

struct CsvRow {
    std::vector<std::string> fields;
    std::int64_t line = 0;  // where the row starts
};

// Reads rows one at a time. Fields are separated by commas; a field in
// double quotes may hold commas and line ends, and "" inside it is one
// quote. Lines end in LF or CR LF; a UTF-8 byte order mark at the start is
// skipped. Values are taken as they are, not trimmed. Empty lines are
// skipped. Throws TarnwellError naming `label` and the line for a broken
// quote or a row of more than MostFields fields.
class CsvReader {
public:
    // Far more columns than any export this program reads has; a row is
    // never held with more.
    static constexpr std::size_t MostFields = 256;

    CsvReader(std::string label, std::string_view content);

    // The next row that is not an empty line; nothing at the end.
    std::optional<CsvRow> Next();

    const std::string& Label() const { return label_; }

private:
    void EndLine();
    std::string Field();

    std::string label_;
    std::string_view in_;
    std::size_t pos_ = 0;
    std::int64_t line_ = 1;
};

// The header's name as compared: blanks around it dropped, A-Z in lower case.
std::string CsvColumnName(std::string_view header);

// The position of the header's column called `name` (any case, blanks
// around it ignored), or nothing.
std::optional<std::size_t> FindCsvColumn(const CsvRow& header, std::string_view name);

}  // namespace tarnwell
