#pragma once
// Reads a text file line by line, plain or gzip-compressed alike (the
// compression is recognised from the file's contents, not its name). Line
// ends may be LF or CR LF; the line handed out never holds either. Only a
// regular file is read, and only so far as its limits allow: a line longer
// than the longest one expected, or more text than expected (counted as
// uncompressed), stops the reading with an error instead of taking memory
// and time without end.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwell {

struct TextLimits {
    std::size_t lineBytes = 0;       // the longest line (a CR before its LF counted)
    std::uintmax_t textBytes = 0;    // the whole text, uncompressed
    std::string_view what;           // the kind of file, for messages ("a navigation data file")
};

class LineSource {
public:
    // Throws TarnwellError(ErrorKind::File) when the file cannot be opened,
    // is not a regular file or is more than limits.textBytes long.
    LineSource(const std::filesystem::path& path, const TextLimits& limits);
    ~LineSource();
    LineSource(const LineSource&) = delete;
    LineSource& operator=(const LineSource&) = delete;

    // The next line, valid until the next call; false at the end of the file.
    // A damaged compressed stream, a line over the limit or text past the
    // limit throws TarnwellError naming the file and the line.
    bool Next(std::string_view& line);
    // 1-based number of the line last handed out.
    std::int64_t LineNumber() const { return lineNumber_; }
    // How far through the file the reading is, 0 to 1 (by compressed bytes).
    double Fraction() const;
    const std::filesystem::path& Path() const { return path_; }

private:
    bool Refill();
    void CheckLineLength(std::size_t length) const;

    std::filesystem::path path_;
    void* file_ = nullptr;  // the zlib stream
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // unread data is buffer_[begin_, end_)
    std::size_t end_ = 0;
    bool eof_ = false;
    std::string longLine_;  // a line that did not fit the buffer
    std::int64_t lineNumber_ = 0;
    std::uintmax_t fileSize_ = 0;
    TextLimits limits_;
    std::uintmax_t textRead_ = 0;  // uncompressed bytes read so far
};

}  // namespace tarnwell
