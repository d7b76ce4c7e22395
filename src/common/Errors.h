#pragma once
// The one error type of the program: what failed and where.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarnwell {

struct ErrorPlace {
    ErrorPlace(std::string file_ = {}, std::optional<std::int64_t> line_ = {}, std::optional<int> field_ = {},
               std::string fieldName_ = {}, std::optional<std::int64_t> record_ = {})
        : file(std::move(file_)),
          line(line_),
          field(field_),
          fieldName(std::move(fieldName_)),
          record(record_) {}

    std::string file;                    // file name or path, empty when none
    std::optional<std::int64_t> line;    // 1-based text line
    std::optional<int> field;            // 1-based field number of a record
    std::string fieldName;               // name of that field, when known
    std::optional<std::int64_t> record;  // 0-based record number in a table or file
};

enum class ErrorKind {
    Input,     // malformed or out-of-range input data
    File,      // a file or folder could not be opened, read, written or created
    Overflow,  // a number left its field's range or a table its capacity
    Arithmetic,  // a floating-point fault: division by zero, an invalid operation
    Usage,     // a request that cannot be carried out as given
};

class TarnwellError : public std::runtime_error {
public:
    TarnwellError(ErrorKind kind, std::string what, ErrorPlace place = {});

    ErrorKind Kind() const { return kind_; }
    const std::string& What() const { return what_; }
    const ErrorPlace& Place() const { return place_; }

private:
    ErrorKind kind_;
    std::string what_;
    ErrorPlace place_;
};

// "file, line 3, field 8 (DepartTime), record 2: what"
std::string DescribeError(const std::string& what, const ErrorPlace& place);

// The text of a field as a message shows it: in double quotes, every byte
// outside printable ASCII written as \xNN (backslash, x, two hex digits), so
// "AB\x00"; a field longer than 40 bytes is cut after its 40th, the cut
// marked by "..." and the field's length: "<40 bytes>"... (2048 bytes).
std::string QuotedField(std::string_view text);

}  // namespace tarnwell
