#include "common/BinaryIO.h"

#include <fstream>
#include <system_error>

#include "common/Errors.h"

namespace tarnwell {

std::string PathText(const std::filesystem::path& path) {
    const auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

namespace {

const char* NotRegularText(std::filesystem::file_type type) {
    using std::filesystem::file_type;
    switch (type) {
        case file_type::directory: return "not a regular file (it is a folder)";
        case file_type::fifo: return "not a regular file (it is a named pipe)";
        case file_type::block:
        case file_type::character: return "not a regular file (it is a device)";
        case file_type::socket: return "not a regular file (it is a socket)";
        default: return "not a regular file";
    }
}

std::string SizeText(std::uintmax_t bytes) {
    constexpr std::uintmax_t MiB = std::uintmax_t{1} << 20;
    std::string text = std::to_string(bytes) + " bytes";
    if (bytes >= MiB && bytes % MiB == 0) text += " (" + std::to_string(bytes / MiB) + " MiB)";
    return text;
}

// Reads the whole regular file into a byte or character container.
template <typename Buffer>
Buffer ReadWhole(const std::filesystem::path& path, const FileLimit& limit) {
    const std::uintmax_t size = RegularFileSize(path, limit);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw TarnwellError(ErrorKind::File, "cannot open the file for reading", {PathText(path)});
    Buffer data(static_cast<std::size_t>(size), 0);
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size)))
        throw TarnwellError(ErrorKind::File, "cannot read the file", {PathText(path)});
    return data;
}

}  // namespace

std::uintmax_t RegularFileSize(const std::filesystem::path& path, const FileLimit& limit) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        throw TarnwellError(ErrorKind::File, "the file does not exist", {PathText(path)});
    if (ec) throw TarnwellError(ErrorKind::File, "cannot open the file for reading: " + ec.message(), {PathText(path)});
    if (status.type() != std::filesystem::file_type::regular)
        throw TarnwellError(ErrorKind::File, NotRegularText(status.type()), {PathText(path)});
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) throw TarnwellError(ErrorKind::File, "cannot read the file: " + ec.message(), {PathText(path)});
    if (size > limit.bytes)
        throw TarnwellError(ErrorKind::File,
                            "the file is " + std::to_string(size) + " bytes long; " + std::string(limit.what) +
                                " is at most " + SizeText(limit.bytes) + ", so it is not read",
                            {PathText(path)});
    return size;
}

Bytes ReadFileBytes(const std::filesystem::path& path, const FileLimit& limit) { return ReadWhole<Bytes>(path, limit); }

std::string ReadFileText(const std::filesystem::path& path, const FileLimit& limit) {
    return ReadWhole<std::string>(path, limit);
}

void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw TarnwellError(ErrorKind::File, "cannot create the file", {PathText(path)});
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw TarnwellError(ErrorKind::File, "cannot write the file", {PathText(path)});
}

void WriteFileBytesAt(const std::filesystem::path& path, std::int64_t position, std::span<const std::uint8_t> bytes) {
    if (position < 1) throw TarnwellError(ErrorKind::Usage, "byte positions count from 1", {PathText(path)});
    std::fstream f(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!f) throw TarnwellError(ErrorKind::File, "cannot open the file for writing", {PathText(path)});
    f.seekp(static_cast<std::streamoff>(position - 1));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) throw TarnwellError(ErrorKind::File, "cannot write the file", {PathText(path)});
}

}  // namespace tarnwell
