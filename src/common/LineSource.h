#pragma once
// Reads a text file line by line, plain or gzip-compressed alike (the
// compression is recognised from the file's contents, not its name). Line
// ends may be LF or CR LF; the line handed out never holds either.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwell {

class LineSource {
public:
    // Throws TarnwellError(ErrorKind::File) when the file cannot be opened.
    explicit LineSource(const std::filesystem::path& path);
    ~LineSource();
    LineSource(const LineSource&) = delete;
    LineSource& operator=(const LineSource&) = delete;

    // The next line, valid until the next call; false at the end of the file.
    // A damaged compressed stream throws TarnwellError naming the file.
    bool Next(std::string_view& line);
    // 1-based number of the line last handed out.
    std::int64_t LineNumber() const { return lineNumber_; }
    // How far through the file the reading is, 0 to 1 (by compressed bytes).
    double Fraction() const;
    const std::filesystem::path& Path() const { return path_; }

private:
    bool Refill();

    std::filesystem::path path_;
    void* file_ = nullptr;  // the zlib stream
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // unread data is buffer_[begin_, end_)
    std::size_t end_ = 0;
    bool eof_ = false;
    std::string longLine_;  // a line that did not fit the buffer
    std::int64_t lineNumber_ = 0;
    std::uintmax_t fileSize_ = 0;
};

}  // namespace tarnwell
