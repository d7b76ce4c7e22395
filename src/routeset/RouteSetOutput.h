#pragma once
// The route-set folder of one compile.
//
// Every file of the route set is written into a staging folder beside the
// route set and moved into Data/<set name> only when the whole compile has
// succeeded, so a failed compile leaves the previous route set as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwell {

// Throws TarnwellError(ErrorKind::Usage) unless `setName` names one folder
// directly inside the Data folder that is not the real-world Defaults folder.
void ValidateSetName(std::string_view setName);
// Why ValidateSetName refuses `setName` (its whole message), or nothing.
std::optional<std::string> SetNameRefusal(std::string_view setName);

class RouteSetOutput {
public:
    // Starts a compile into Data/<setName>; removes what a crashed earlier
    // compile of the same name may have left in the staging folder.
    void Begin(const std::filesystem::path& dataFolder, std::string setName);

    // Where to write the route-set file `fileName` during the compile. The
    // staging folder is created on first use (the Data folder must exist).
    std::filesystem::path File(std::string_view fileName);

    // Moves every staged file into Data/<set name>, creating that folder
    // (one level) when needed, and removes the staging folder.
    void Commit();
    // Removes the staging folder and everything in it; never throws.
    void Discard() noexcept;

    bool Active() const { return active_; }
    std::filesystem::path FinalFolder() const { return dataFolder_ / setName_; }
    std::filesystem::path StagingFolder() const;

private:
    std::filesystem::path dataFolder_;
    std::string setName_;
    bool active_ = false;
};

}  // namespace tarnwell
