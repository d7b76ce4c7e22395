#pragma once
// Little-endian records and binary files at explicit 1-based byte positions.

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Errors.h"
#include "common/FixedText.h"

namespace tarnwell {

using Bytes = std::vector<std::uint8_t>;

// Writes fields into a record buffer at 0-based offsets, little-endian.
class RecordWriter {
public:
    explicit RecordWriter(std::span<std::uint8_t> record) : rec_(record) {}

    void I16(std::size_t off, std::int16_t v) { PutLE(off, static_cast<std::uint16_t>(v), 2); }
    void I32(std::size_t off, std::int32_t v) { PutLE(off, static_cast<std::uint32_t>(v), 4); }
    void U8(std::size_t off, std::uint8_t v) { rec_[off] = v; }
    void F32(std::size_t off, float v) { PutLE(off, std::bit_cast<std::uint32_t>(v), 4); }
    template <std::size_t N>
    void Text(std::size_t off, const FixedText<N>& t) {
        std::memcpy(rec_.data() + off, t.chars.data(), N);
    }

private:
    void PutLE(std::size_t off, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) rec_[off + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::span<std::uint8_t> rec_;
};

// Reads fields of a record buffer at 0-based offsets, little-endian.
class RecordReader {
public:
    explicit RecordReader(std::span<const std::uint8_t> record) : rec_(record) {}

    std::int16_t I16(std::size_t off) const { return static_cast<std::int16_t>(GetLE(off, 2)); }
    std::int32_t I32(std::size_t off) const { return static_cast<std::int32_t>(GetLE(off, 4)); }
    std::uint8_t U8(std::size_t off) const { return rec_[off]; }
    float F32(std::size_t off) const { return std::bit_cast<float>(GetLE(off, 4)); }
    template <std::size_t N>
    FixedText<N> Text(std::size_t off) const {
        FixedText<N> t;
        std::memcpy(t.chars.data(), rec_.data() + off, N);
        return t;
    }

private:
    std::uint32_t GetLE(std::size_t off, int n) const {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) v |= static_cast<std::uint32_t>(rec_[off + static_cast<std::size_t>(i)]) << (8 * i);
        return v;
    }
    std::span<const std::uint8_t> rec_;
};

// The most bytes a whole-file read takes: the largest file a reader can need
// (a record length times its table's capacity, and the like), and what kind
// of file that is the limit of, for the message ("a timetable").
struct FileLimit {
    std::uintmax_t bytes = 0;
    std::string_view what;
};

// Any file that is read whole without a limit of its own.
inline constexpr FileLimit DataFileLimit{std::uintmax_t{256} << 20, "a data file"};

// Whole-file helpers; failures throw TarnwellError(ErrorKind::File) naming the path.
//
// The size of the file at `path`, found before anything is opened: a path
// that names nothing, anything but a regular file (a folder, a named pipe, a
// device) and a file larger than `limit` are errors.
std::uintmax_t RegularFileSize(const std::filesystem::path& path, const FileLimit& limit);
// Every byte of a regular file of at most `limit` bytes.
Bytes ReadFileBytes(const std::filesystem::path& path, const FileLimit& limit = DataFileLimit);
// The same as text, read straight into the string.
std::string ReadFileText(const std::filesystem::path& path, const FileLimit& limit);
// Replaces the file with exactly these bytes (an older, longer file keeps no tail).
void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
// Writes bytes at a 1-based position of an existing file, extending it when needed.
void WriteFileBytesAt(const std::filesystem::path& path, std::int64_t position, std::span<const std::uint8_t> bytes);

// A file of fixed-length records, one after another from the first byte.
template <typename Record, typename Encode>
Bytes EncodeRecords(std::span<const Record> records, std::size_t length, Encode encode) {
    Bytes out(records.size() * length);
    for (std::size_t k = 0; k < records.size(); ++k) encode(records[k], std::span(out).subspan(k * length, length));
    return out;
}

// Decodes every record; a length that is not a whole number of records is an
// error naming `label`.
template <typename Decode>
auto DecodeRecords(std::span<const std::uint8_t> bytes, std::size_t length, const std::string& label, Decode decode) {
    if (bytes.size() % length != 0)
        throw TarnwellError(ErrorKind::Input,
                            "the file is " + std::to_string(bytes.size()) + " bytes long, not a whole number of " +
                                std::to_string(length) + "-byte records",
                            {label});
    std::vector<decltype(decode(bytes))> out;
    out.reserve(bytes.size() / length);
    for (std::size_t off = 0; off < bytes.size(); off += length) out.push_back(decode(bytes.subspan(off, length)));
    return out;
}

// A path as UTF-8 text for messages.
std::string PathText(const std::filesystem::path& path);

}  // namespace tarnwell
