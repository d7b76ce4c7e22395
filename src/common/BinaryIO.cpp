#include "common/BinaryIO.h"

#include <fstream>

#include "common/Errors.h"

namespace tarnwell {

std::string PathText(const std::filesystem::path& path) {
    const auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw TarnwellError(ErrorKind::File, "cannot open the file for reading", {PathText(path)});
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::streamoff>(in.tellg());
    in.seekg(0, std::ios::beg);
    Bytes data(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size))
        throw TarnwellError(ErrorKind::File, "cannot read the file", {PathText(path)});
    return data;
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
