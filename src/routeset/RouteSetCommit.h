#pragma once
// Putting a compiled route set in place in one step. The new set is staged
// in a hidden folder beside Data/<set name>; committing renames the old set
// aside, renames the staged one into its place, and only then removes the
// old one and the add file the compile used up. A note in the Data folder
// says what is under way, so that when the program stops part way the next
// command finishes or undoes the exchange: Data/<set name> always holds one
// whole set, the old one or the new one, and the add file goes exactly when
// the new set is in place.

#include <filesystem>
#include <optional>
#include <string>

#include "common/FileOps.h"

namespace tarnwell {

struct RouteSetPlaces {
    std::filesystem::path target;   // Data/<set name>
    std::filesystem::path staging;  // where the new set is written
    std::filesystem::path aside;    // where the old set waits during the exchange
};
RouteSetPlaces PlacesOf(const std::filesystem::path& dataFolder, const std::string& setName);

// The note of a commit under way.
std::filesystem::path CommitNotePath(const std::filesystem::path& dataFolder);

// Exchanges the staged set for the old one (see above); `usedAddFile` is
// removed once the new set is in place. A failure before the new set is in
// place puts the old set back and throws; a failure after it is left for
// the next FinishInterruptedCommit (the compile has committed).
void CommitRouteSet(const std::filesystem::path& dataFolder, const std::string& setName,
                    const std::optional<std::filesystem::path>& usedAddFile, const FileOps& ops = RealFileOps());

// Finishes or undoes a commit that stopped part way, as its note says:
// before the new set was in place, the old set goes back and the add file
// stays; after it, the old set and the add file are removed. Does nothing
// when no commit was under way. Run by every command that changes the
// program folder, holding its lock, before anything else.
void FinishInterruptedCommit(const std::filesystem::path& dataFolder, const FileOps& ops = RealFileOps());

}  // namespace tarnwell
