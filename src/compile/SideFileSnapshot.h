#pragma once
// The files a compile writes outside its route set: Data/UniqueRoutes.txt,
// Data/PlanLog.txt and the plan folder. They are written in place while the
// compile runs (a failed compile leaves its plan log to be read); a
// cancelled compile puts them back exactly as they were before it started.

#include <filesystem>
#include <vector>

namespace tarnwell {

struct ProgramState;

inline constexpr const char* SnapshotFolderName = ".tarnwell-undo";

class SideFileSnapshot {
public:
    // Copies the files aside into Data/.tarnwell-undo, replacing whatever an
    // earlier run left there. Throws TarnwellError when they cannot be copied.
    void Take(const ProgramState& state);
    // Puts every file back as it was when taken: what the compile made is
    // removed, what it changed or erased comes back. Never throws; false
    // when something could not be put back (the copies are then kept).
    bool Restore() noexcept;
    // Removes the copies; never throws.
    void Drop() noexcept;

private:
    struct Kept {
        std::filesystem::path original;
        bool existed = false;
    };
    std::filesystem::path folder_;  // where the copies are
    std::vector<Kept> kept_;        // the two files, then the plan folder
};

}  // namespace tarnwell
