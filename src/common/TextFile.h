#pragma once
// The comma-separated text of timetables and the program's own text files.
//
// Reading: fields are separated by commas and line ends; blanks (spaces and
// tabs) around a field are dropped; a field in double quotes may hold commas
// and line ends, and the quotes are not part of its value. Lines holding only
// blanks carry no field. A record is simply the next so many fields, so a
// record broken over two lines still reads as one.
//
// Writing: fields separated by single commas without quotes, text at its
// full width, numbers with one blank before (a minus sign in its place when
// negative) and one blank after, lines ended by CR LF. The one exception is
// a text that would break its line apart when read back: one holding a
// comma or a line end, or starting with a double quote. It goes in double
// quotes, and one that holds a double quote as well cannot be written.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/BinaryIO.h"

namespace tarnwell {

class FieldReader {
public:
    // `label` names the source in error messages.
    FieldReader(std::string label, std::string content);
    // Reads a regular file of at most `limit` bytes (see ReadFileText).
    static FieldReader FromFile(const std::filesystem::path& path, const FileLimit& limit);

    struct Field {
        std::string_view text;
        std::int64_t line = 0;  // 1-based line where the field starts
    };

    // True when no field is left (only blanks and line ends remain).
    bool AtEnd();
    // Reads the next field; throws TarnwellError when none is left (at the
    // line of the last field) or a quoted field is malformed.
    Field Next();

    const std::string& Label() const { return label_; }
    std::int64_t Line() const { return line_; }

private:
    void SkipBlanks();
    bool AtLineEnd() const;
    void ConsumeLineEnd();

    std::string label_;
    std::string content_;
    std::size_t pos_ = 0;
    std::int64_t line_ = 1;
    std::int64_t lastFieldLine_ = 1;  // where the last field read started
    bool lineStart_ = true;  // no field has been read on the current line yet
};

// Parses a whole number in the 16-bit signed range. Empty text reads as 0.
// Returns false for anything else (fractions, letters, out of range).
bool ParseInt16(std::string_view text, std::int16_t& out);
// The same in the 32-bit signed range.
bool ParseInt32(std::string_view text, std::int32_t& out);

class TextLineWriter {
public:
    // Throws TarnwellError(ErrorKind::Input) for a text the format cannot hold.
    void Text(std::string_view fullWidthText);
    void Number(std::int64_t value);
    void EndLine();

    const std::string& Content() const { return out_; }
    void WriteTo(const std::filesystem::path& path) const;

private:
    void Separate();
    std::string out_;
    bool firstField_ = true;
};

}  // namespace tarnwell
