#include "common/FileReplace.h"

#include <system_error>

#include "common/Errors.h"

namespace fs = std::filesystem;

namespace tarnwell {

void ReplaceFiles(std::span<const PendingFile> files) {
    try {
        for (const PendingFile& f : files) WriteFileBytes(PendingPath(f.target), f.bytes);
        for (const PendingFile& f : files) {
            std::error_code ec;
            fs::rename(PendingPath(f.target), f.target, ec);
            if (ec)
                throw TarnwellError(ErrorKind::File, "cannot replace the file: " + ec.message(), {PathText(f.target)});
        }
    } catch (...) {
        for (const PendingFile& f : files) {
            std::error_code ec;
            fs::remove(PendingPath(f.target), ec);
        }
        throw;
    }
}

fs::path PendingPath(const fs::path& target) {
    fs::path name(".");
    name += target.filename();
    name += ".tarnwell-new";
    return target.parent_path() / name;
}

void RequireFolder(const fs::path& folder, bool create) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return;
    if (create && (fs::create_directory(folder, ec) || fs::is_directory(folder, ec))) return;
    throw TarnwellError(ErrorKind::File, create ? "cannot create the folder: " + ec.message() : "the folder is missing",
                        {PathText(folder)});
}

}  // namespace tarnwell
