#pragma once
// Replacing files whole: each new file is written beside its target under a
// hidden name and renamed over it only when every one is complete.

#include <filesystem>
#include <span>

#include "common/BinaryIO.h"

namespace tarnwell {

// Where a file is written before it replaces `target` (a hidden name in the
// same folder, so that the replacement is a rename).
std::filesystem::path PendingPath(const std::filesystem::path& target);

struct PendingFile {
    std::filesystem::path target;
    Bytes bytes;
};

// Writes every file beside its target, then renames them over the targets.
// On any failure the written ones are removed and the targets stay as they
// were (a failing rename after an earlier one succeeded is not undone).
void ReplaceFiles(std::span<const PendingFile> files);

// Throws TarnwellError naming `folder` unless it is a folder; with `create`,
// one that is missing is created first (one level).
void RequireFolder(const std::filesystem::path& folder, bool create);

}  // namespace tarnwell
