#include "common/TextFile.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <span>

#include "common/BinaryIO.h"
#include "common/Errors.h"

namespace tarnwell {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

FieldReader::FieldReader(std::string label, std::string content)
    : label_(std::move(label)), content_(std::move(content)) {
    // A byte-order mark written by some editors is not part of the first field.
    if (content_.size() >= 3 && content_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

FieldReader FieldReader::FromFile(const std::filesystem::path& path, const FileLimit& limit) {
    return FieldReader(PathText(path), ReadFileText(path, limit));
}

void FieldReader::SkipBlanks() {
    while (pos_ < content_.size() && IsBlank(content_[pos_])) ++pos_;
}

bool FieldReader::AtLineEnd() const {
    return pos_ < content_.size() && (content_[pos_] == '\r' || content_[pos_] == '\n');
}

void FieldReader::ConsumeLineEnd() {
    if (content_[pos_] == '\r' && pos_ + 1 < content_.size() && content_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
    lineStart_ = true;
}

bool FieldReader::AtEnd() {
    for (;;) {
        SkipBlanks();
        if (pos_ >= content_.size()) return true;
        if (lineStart_ && AtLineEnd()) {
            ConsumeLineEnd();
            continue;
        }
        return false;
    }
}

FieldReader::Field FieldReader::Next() {
    if (AtEnd())
        throw TarnwellError(ErrorKind::Input, "the file ends where a field was expected", {label_, lastFieldLine_});
    Field f;
    f.line = lastFieldLine_ = line_;
    if (content_[pos_] == '"') {
        const std::size_t start = ++pos_;
        while (pos_ < content_.size() && content_[pos_] != '"') {
            if (content_[pos_] == '\n' || (content_[pos_] == '\r' && (pos_ + 1 >= content_.size() || content_[pos_ + 1] != '\n'))) ++line_;
            ++pos_;
        }
        if (pos_ >= content_.size())
            throw TarnwellError(ErrorKind::Input, "a quoted field has no closing quote", {label_, f.line});
        f.text = std::string_view(content_).substr(start, pos_ - start);
        ++pos_;
        SkipBlanks();
        if (pos_ < content_.size() && content_[pos_] != ',' && !AtLineEnd())
            throw TarnwellError(ErrorKind::Input, "unexpected text after a closing quote", {label_, line_});
    } else {
        const std::size_t start = pos_;
        while (pos_ < content_.size() && content_[pos_] != ',' && !AtLineEnd()) ++pos_;
        std::size_t end = pos_;
        while (end > start && IsBlank(content_[end - 1])) --end;
        f.text = std::string_view(content_).substr(start, end - start);
    }
    if (pos_ < content_.size()) {
        if (content_[pos_] == ',') {
            ++pos_;
            lineStart_ = false;
        } else {
            ConsumeLineEnd();
        }
    } else {
        lineStart_ = true;
    }
    return f;
}

namespace {

bool ParseWhole(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& out) {
    if (text.empty()) {
        out = 0;
        return true;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    }
    std::int64_t value = 0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || p != text.data() + text.size()) return false;
    if (value < low || value > high) return false;
    out = value;
    return true;
}

}  // namespace

bool ParseInt16(std::string_view text, std::int16_t& out) {
    std::int64_t v = 0;
    if (!ParseWhole(text, INT16_MIN, INT16_MAX, v)) return false;
    out = static_cast<std::int16_t>(v);
    return true;
}

bool ParseInt32(std::string_view text, std::int32_t& out) {
    std::int64_t v = 0;
    if (!ParseWhole(text, INT32_MIN, INT32_MAX, v)) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

void TextLineWriter::Separate() {
    if (!firstField_) out_ += ',';
    firstField_ = false;
}

void TextLineWriter::Text(std::string_view fullWidthText) {
    const std::size_t first = fullWidthText.find_first_not_of(" \t");
    const bool opensQuote = first != std::string_view::npos && fullWidthText[first] == '"';
    if (!opensQuote && fullWidthText.find_first_of(",\r\n") == std::string_view::npos) {
        Separate();
        out_ += fullWidthText;
        return;
    }
    if (fullWidthText.find('"') != std::string_view::npos)
        throw TarnwellError(ErrorKind::Input,
                            "the text " + QuotedField(fullWidthText) +
                                " cannot be written to a text file: it holds a double quote together with a comma "
                                "or a line end, or starts with one");
    Separate();
    out_ += '"';
    out_ += fullWidthText;
    out_ += '"';
}

void TextLineWriter::Number(std::int64_t value) {
    Separate();
    out_ += value < 0 ? '-' : ' ';
    const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    out_ += std::to_string(magnitude);
    out_ += ' ';
}

void TextLineWriter::EndLine() {
    out_ += "\r\n";
    firstField_ = true;
}

void TextLineWriter::WriteTo(const std::filesystem::path& path) const {
    WriteFileBytes(path, std::span(reinterpret_cast<const std::uint8_t*>(out_.data()), out_.size()));
}

}  // namespace tarnwell
