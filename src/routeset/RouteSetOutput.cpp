#include "routeset/RouteSetOutput.h"

#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "routeset/RouteSetCommit.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

fs::path PathFromText(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

fs::path RouteSetOutput::StagingFolder() const { return PlacesOf(dataFolder_, setName_).staging; }

void RouteSetOutput::Begin(const fs::path& dataFolder, std::string setName) {
    dataFolder_ = dataFolder;
    setName_ = std::move(setName);
    std::error_code ec;
    fs::remove_all(StagingFolder(), ec);
    active_ = true;
}

fs::path RouteSetOutput::File(std::string_view fileName) {
    if (!active_) throw TarnwellError(ErrorKind::Usage, "no route set is being written");
    const fs::path staging = StagingFolder();
    std::error_code ec;
    if (!fs::is_directory(staging, ec)) {
        if (!fs::create_directory(staging, ec) && !fs::is_directory(staging))
            throw TarnwellError(ErrorKind::File, "cannot create the route set folder: " + ec.message(),
                                {PathText(staging)});
    }
    return staging / PathFromText(fileName);
}

void RouteSetOutput::Commit(const std::optional<fs::path>& usedAddFile) {
    if (!active_) return;
    CommitRouteSet(dataFolder_, setName_, usedAddFile, *ops_);
    active_ = false;
}

void RouteSetOutput::Discard() noexcept {
    if (!active_) return;
    active_ = false;
    std::error_code ec;
    // The note of an exchange that could not be undone: the staged set tells
    // the next command that the old set must go back, so it stays.
    if (fs::exists(CommitNotePath(dataFolder_), ec)) return;
    fs::remove_all(StagingFolder(), ec);
}

}  // namespace tarnwell
