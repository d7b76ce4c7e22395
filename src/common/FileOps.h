#pragma once
// The file operations that move whole sets of files into place, behind one
// seam: the program uses the real ones, and the tests fail each in turn to
// show that no failure leaves a half-done result.

#include <filesystem>
#include <span>

#include "common/BinaryIO.h"

namespace tarnwell {

class FileOps {
public:
    virtual ~FileOps() = default;
    // Each throws TarnwellError(ErrorKind::File) naming the path when it fails.
    virtual void Rename(const std::filesystem::path& from, const std::filesystem::path& to) const;
    // Removes a file or a folder with everything in it; nothing there is no failure.
    virtual void RemoveAll(const std::filesystem::path& path) const;
    virtual void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) const;
};

// The real operations.
const FileOps& RealFileOps();

}  // namespace tarnwell
