#include "navimport/StagedFiles.h"

#include "common/BinaryIO.h"
#include "common/Errors.h"

namespace tarnwell {

namespace fs = std::filesystem;

StagedFiles::StagedFiles(fs::path folder) : folder_(std::move(folder)) {}

StagedFiles::~StagedFiles() {
    std::error_code ec;
    for (const auto& name : names_) fs::remove(Temporary(name), ec);
}

void StagedFiles::Add(const std::string& name, std::span<const std::uint8_t> bytes) {
    WriteFileBytes(Temporary(name), bytes);
    names_.push_back(name);
}

void StagedFiles::Commit() {
    for (const auto& name : names_) {
        std::error_code ec;
        fs::rename(Temporary(name), folder_ / name, ec);
        if (ec)
            throw TarnwellError(ErrorKind::File, "cannot replace the file: " + ec.message(), {PathText(folder_ / name)});
    }
    names_.clear();
}

fs::path StagedFiles::Temporary(const std::string& name) const { return folder_ / (name + ".importing"); }

}  // namespace tarnwell
