#pragma once
// Replacing a set of files all together or not at all.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tarnwell {

// Writes every file to a temporary beside it ("name.importing"), then
// replaces the old files. Temporaries not committed are removed when it goes.
class StagedFiles {
public:
    explicit StagedFiles(std::filesystem::path folder);
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Throws TarnwellError(ErrorKind::File) when the temporary cannot be written.
    void Add(const std::string& name, std::span<const std::uint8_t> bytes);
    // Renames every temporary over its file. Throws TarnwellError(ErrorKind::File) when one cannot be replaced.
    void Commit();

private:
    std::filesystem::path Temporary(const std::string& name) const;

    std::filesystem::path folder_;
    std::vector<std::string> names_;
};

}  // namespace tarnwell
