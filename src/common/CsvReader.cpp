#include "common/CsvReader.h"

#include "common/Errors.h"
#include "common/FixedText.h"

namespace tarnwell {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

CsvReader::CsvReader(std::string label, std::string_view content) : label_(std::move(label)), in_(content) {
    if (in_.starts_with("\xEF\xBB\xBF")) in_.remove_prefix(3);
}

std::optional<CsvRow> CsvReader::Next() {
    while (pos_ < in_.size() && IsLineEnd(in_[pos_])) EndLine();
    if (pos_ >= in_.size()) return std::nullopt;
    CsvRow row;
    row.line = line_;
    for (;;) {
        if (row.fields.size() == MostFields)
            throw TarnwellError(ErrorKind::Input, "the row has more than " + std::to_string(MostFields) + " fields",
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

void CsvReader::EndLine() {
    if (in_[pos_] == '\r' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
}

std::string CsvReader::Field() {
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

std::string CsvColumnName(std::string_view header) {
    std::string out(TrimBlanks(header));
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::optional<std::size_t> FindCsvColumn(const CsvRow& header, std::string_view name) {
    for (std::size_t k = 0; k < header.fields.size(); ++k)
        if (CsvColumnName(header.fields[k]) == name) return k;
    return std::nullopt;
}

}  // namespace tarnwell
