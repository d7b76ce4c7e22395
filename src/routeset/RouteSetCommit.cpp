#include "routeset/RouteSetCommit.h"

#include <string_view>
#include <system_error>

#include "common/Errors.h"
#include "common/TextFile.h"
#include "routeset/SetName.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

// The note: the set name, then the add file to remove (empty for none), each
// on its own line, UTF-8.
struct CommitNote {
    std::string setName;
    std::optional<fs::path> usedAddFile;
};

std::string PathUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void WriteNote(const fs::path& dataFolder, const CommitNote& note, const FileOps& ops) {
    const std::string text = note.setName + "\n" + (note.usedAddFile ? PathUtf8(*note.usedAddFile) : "") + "\n";
    const fs::path path = CommitNotePath(dataFolder);
    fs::path written = path;
    written += ".new";
    ops.WriteFile(written, Bytes(text.begin(), text.end()));
    ops.Rename(written, path);
}

std::optional<CommitNote> ReadNote(const fs::path& dataFolder) {
    std::error_code ec;
    const fs::path path = CommitNotePath(dataFolder);
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    const Bytes bytes = ReadFileBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t first = text.find('\n');
    const std::size_t second = first == std::string::npos ? first : text.find('\n', first + 1);
    if (second == std::string::npos || SetNameRefusal(text.substr(0, first)))
        throw TarnwellError(ErrorKind::Input,
                            "the note of an unfinished route set commit is damaged; check the route sets in Data and "
                            "remove the note",
                            {PathText(path)});
    CommitNote note{text.substr(0, first), std::nullopt};
    const std::string addFile = text.substr(first + 1, second - first - 1);
    if (!addFile.empty()) note.usedAddFile = fs::path(std::u8string(addFile.begin(), addFile.end()));
    return note;
}

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// The new set is in place: the rest goes.
void Complete(const fs::path& dataFolder, const CommitNote& note, const FileOps& ops) {
    if (note.usedAddFile) ops.RemoveAll(*note.usedAddFile);
    ops.RemoveAll(PlacesOf(dataFolder, note.setName).aside);
    ops.RemoveAll(CommitNotePath(dataFolder));
}

// The new set is not in place: the old one goes back.
void Undo(const fs::path& dataFolder, const CommitNote& note, const FileOps& ops) {
    const RouteSetPlaces places = PlacesOf(dataFolder, note.setName);
    if (!Exists(places.target) && Exists(places.aside)) ops.Rename(places.aside, places.target);
    ops.RemoveAll(places.staging);
    ops.RemoveAll(CommitNotePath(dataFolder));
}

}  // namespace

RouteSetPlaces PlacesOf(const fs::path& dataFolder, const std::string& setName) {
    return {SetFolderPath(dataFolder, setName), SetFolderPath(dataFolder, "." + setName + ".tarnwell-staging"),
            SetFolderPath(dataFolder, "." + setName + ".tarnwell-old")};
}

fs::path CommitNotePath(const fs::path& dataFolder) { return dataFolder / ".tarnwell-commit"; }

void CommitRouteSet(const fs::path& dataFolder, const std::string& setName, const std::optional<fs::path>& usedAddFile,
                    const FileOps& ops) {
    const RouteSetPlaces places = PlacesOf(dataFolder, setName);
    const CommitNote note{setName, usedAddFile};
    if (!Exists(places.staging)) return;  // nothing was staged
    const bool hadOld = Exists(places.target);
    ops.RemoveAll(places.aside);  // what an undone exchange may have left
    WriteNote(dataFolder, note, ops);
    try {
        if (hadOld) ops.Rename(places.target, places.aside);
        ops.Rename(places.staging, places.target);
    } catch (const TarnwellError&) {
        try {
            Undo(dataFolder, note, ops);
        } catch (const TarnwellError&) {
            // The note stays: the next command puts the old set back.
        }
        throw;
    }
    try {
        Complete(dataFolder, note, ops);
    } catch (const TarnwellError&) {
        // The new set is in place; the note stays and the next command
        // removes what is left of the old one.
    }
}

void FinishInterruptedCommit(const fs::path& dataFolder, const FileOps& ops) {
    if (const std::optional<CommitNote> note = ReadNote(dataFolder)) {
        if (Exists(PlacesOf(dataFolder, note->setName).staging))
            Undo(dataFolder, *note, ops);
        else
            Complete(dataFolder, *note, ops);
    }
    // With no commit under way, what a stopped compile left is of no use:
    // its staged set, an old set no longer needed, a note half written.
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dataFolder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with('.') && (name.ends_with(".tarnwell-staging") || name.ends_with(".tarnwell-old") ||
                                      name == ".tarnwell-commit.new"))
            ops.RemoveAll(entry.path());
    }
}

}  // namespace tarnwell
