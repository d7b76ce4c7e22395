#include "common/LineSource.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "common/BinaryIO.h"
#include "common/Errors.h"

namespace tarnwell {

namespace {
constexpr std::size_t BufferSize = 1 << 20;
gzFile Gz(void* f) { return static_cast<gzFile>(f); }
}  // namespace

LineSource::LineSource(const std::filesystem::path& path, const TextLimits& limits)
    : path_(path), buffer_(BufferSize), limits_(limits) {
    fileSize_ = RegularFileSize(path, {limits.textBytes, limits.what});
#ifdef _WIN32
    file_ = gzopen_w(path.c_str(), "rb");
#else
    file_ = gzopen(path.c_str(), "rb");
#endif
    if (!file_) throw TarnwellError(ErrorKind::File, "cannot open the file", {PathText(path)});
    gzbuffer(Gz(file_), 256 * 1024);
}

LineSource::~LineSource() {
    if (file_) gzclose(Gz(file_));
}

bool LineSource::Refill() {
    if (eof_) return false;
    // Keep the unread tail at the front of the buffer.
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const int n = gzread(Gz(file_), buffer_.data() + end_, static_cast<unsigned>(buffer_.size() - end_));
    if (n < 0) {
        int code = 0;
        const char* message = gzerror(Gz(file_), &code);
        throw TarnwellError(ErrorKind::File,
                            std::string("the compressed data is damaged (") + (message ? message : "?") + ")",
                            {PathText(path_), lineNumber_ + 1});
    }
    if (n == 0) {
        eof_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(n);
    textRead_ += static_cast<std::uintmax_t>(n);
    if (textRead_ > limits_.textBytes)
        throw TarnwellError(ErrorKind::Input,
                            "the text goes on past " + std::to_string(limits_.textBytes) + " bytes (uncompressed); " +
                                std::string(limits_.what) + " is at most that long, so the rest is not read",
                            {PathText(path_), lineNumber_ + 1});
    return true;
}

void LineSource::CheckLineLength(std::size_t length) const {
    if (length > limits_.lineBytes)
        throw TarnwellError(ErrorKind::Input,
                            "the line is longer than " + std::to_string(limits_.lineBytes) + " bytes; a line of " +
                                std::string(limits_.what) + " is at most that long",
                            {PathText(path_), lineNumber_ + 1});
}

bool LineSource::Next(std::string_view& line) {
    longLine_.clear();
    for (;;) {
        const char* start = buffer_.data() + begin_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        if (newline) {
            std::size_t length = static_cast<std::size_t>(newline - start);
            CheckLineLength(longLine_.size() + length);
            begin_ += length + 1;
            ++lineNumber_;
            if (longLine_.empty()) {
                if (length > 0 && start[length - 1] == '\r') --length;
                line = std::string_view(start, length);
            } else {
                longLine_.append(start, length);
                if (!longLine_.empty() && longLine_.back() == '\r') longLine_.pop_back();
                line = longLine_;
            }
            return true;
        }
        // No line end in the buffer: a buffer-full line goes to longLine_.
        if (begin_ == 0 && end_ == buffer_.size()) {
            CheckLineLength(longLine_.size() + end_);
            longLine_.append(buffer_.data(), end_);
            begin_ = end_ = 0;
        }
        if (!Refill()) {
            if (begin_ == end_ && longLine_.empty()) return false;
            CheckLineLength(longLine_.size() + end_ - begin_);
            longLine_.append(buffer_.data() + begin_, end_ - begin_);
            begin_ = end_ = 0;
            ++lineNumber_;
            if (!longLine_.empty() && longLine_.back() == '\r') longLine_.pop_back();
            line = longLine_;
            return true;
        }
    }
}

double LineSource::Fraction() const {
    if (fileSize_ == 0) return 1.0;
    const auto offset = gzoffset(Gz(file_));
    return std::clamp(static_cast<double>(offset) / static_cast<double>(fileSize_), 0.0, 1.0);
}

}  // namespace tarnwell
