#pragma once
// The route-set folder of one compile.
//
// Every file of the route set is written into a staging folder beside the
// route set, which replaces Data/<set name> in one step only when the whole
// compile has succeeded, so a failed compile leaves the previous route set
// as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/FileOps.h"
#include "routeset/SetName.h"

namespace tarnwell {

class RouteSetOutput {
public:
    // Starts a compile into Data/<setName>; removes what a crashed earlier
    // compile of the same name may have left in the staging folder.
    void Begin(const std::filesystem::path& dataFolder, std::string setName);

    // Where to write the route-set file `fileName` during the compile. The
    // staging folder is created on first use (the Data folder must exist).
    std::filesystem::path File(std::string_view fileName);

    // Puts the staged set in place of Data/<set name> in one step and then
    // removes `usedAddFile`, the add file the compile read (CommitRouteSet).
    void Commit(const std::optional<std::filesystem::path>& usedAddFile = std::nullopt);
    // Removes the staging folder and everything in it, unless a commit that
    // could not be undone left it for the next command; never throws.
    void Discard() noexcept;

    // The file operations of the commit (the tests fail them one by one).
    void UseFileOps(const FileOps& ops) { ops_ = &ops; }

    bool Active() const { return active_; }
    std::filesystem::path FinalFolder() const { return SetFolderPath(dataFolder_, setName_); }
    std::filesystem::path StagingFolder() const;

private:
    std::filesystem::path dataFolder_;
    std::string setName_;
    bool active_ = false;
    const FileOps* ops_ = &RealFileOps();
};

}  // namespace tarnwell
