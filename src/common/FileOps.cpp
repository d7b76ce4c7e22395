#include "common/FileOps.h"

#include <system_error>

#include "common/Errors.h"

namespace fs = std::filesystem;

namespace tarnwell {

void FileOps::Rename(const fs::path& from, const fs::path& to) const {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec)
        throw TarnwellError(ErrorKind::File, "cannot rename it to " + PathText(to) + ": " + ec.message(),
                            {PathText(from)});
}

void FileOps::RemoveAll(const fs::path& path) const {
    std::error_code ec;
    fs::remove_all(path, ec);
    if (ec) throw TarnwellError(ErrorKind::File, "cannot remove it: " + ec.message(), {PathText(path)});
}

void FileOps::WriteFile(const fs::path& path, std::span<const std::uint8_t> bytes) const {
    WriteFileBytes(path, bytes);
}

const FileOps& RealFileOps() {
    static const FileOps real;
    return real;
}

}  // namespace tarnwell
