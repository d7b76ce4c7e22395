#pragma once
// One writer per program folder. Every command that changes the program
// folder (compile, merge, build-defaults, the imports, the desktop program
// while its work runs) holds an exclusive lock of the operating system on a
// file in Data; the system releases it when the process ends, however it
// ends. Taking the lock also finishes a route set commit that an earlier
// process left part way.

#include <filesystem>
#include <cstdint>
#include <optional>

namespace tarnwell {

inline constexpr const char* ProgramFolderBusy =
    "another Tarnwell command is changing this program folder; try again when it has finished";
inline constexpr const char* LockFileName = ".tarnwell.lock";

class ProgramFolderLock {
public:
    // Takes the lock of the program folder whose Data folder is `dataFolder`
    // at once, then finishes an interrupted commit. Throws
    // TarnwellError(ErrorKind::Usage) with ProgramFolderBusy when another
    // process holds it. Without a Data folder there is nothing to guard and
    // nothing is locked.
    static ProgramFolderLock Acquire(const std::filesystem::path& dataFolder);
    // The same, but nothing when another process holds the lock.
    static std::optional<ProgramFolderLock> TryAcquire(const std::filesystem::path& dataFolder);

    ProgramFolderLock(ProgramFolderLock&& other) noexcept : handle_(other.handle_) { other.handle_ = NoHandle; }
    ProgramFolderLock& operator=(ProgramFolderLock&&) = delete;
    ProgramFolderLock(const ProgramFolderLock&) = delete;
    ~ProgramFolderLock();

private:
    static constexpr std::intptr_t NoHandle = -1;
    explicit ProgramFolderLock(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_;
};

// For commands that only read (check, dump): finishes an interrupted commit
// when no other command is changing the folder, so that they read whole sets.
void FinishInterruptedCommitIfIdle(const std::filesystem::path& dataFolder);

}  // namespace tarnwell
