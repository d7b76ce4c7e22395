#include "compile/ProgramFolderLock.h"

#include <system_error>

#include "common/Errors.h"
#include "routeset/RouteSetCommit.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

[[noreturn]] void CannotLock(const fs::path& file, const std::string& why) {
    throw TarnwellError(ErrorKind::File, "cannot lock the program folder: " + why, {PathText(file)});
}

// The lock's handle, or nothing when another process holds the lock.
std::optional<std::intptr_t> Lock(const fs::path& file) {
#ifdef _WIN32
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) CannotLock(file, "error " + std::to_string(GetLastError()));
    OVERLAPPED at{};
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD error = GetLastError();
        CloseHandle(h);
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return std::nullopt;
        CannotLock(file, "error " + std::to_string(error));
    }
    return reinterpret_cast<std::intptr_t>(h);
#else
    const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) CannotLock(file, std::strerror(errno));
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) return std::nullopt;
        CannotLock(file, std::strerror(error));
    }
    return fd;
#endif
}

void Unlock(std::intptr_t handle) {
#ifdef _WIN32
    CloseHandle(reinterpret_cast<HANDLE>(handle));
#else
    close(static_cast<int>(handle));
#endif
}

}  // namespace

std::optional<ProgramFolderLock> ProgramFolderLock::TryAcquire(const fs::path& dataFolder) {
    std::error_code ec;
    if (!fs::is_directory(dataFolder, ec)) return ProgramFolderLock(NoHandle);
    const std::optional<std::intptr_t> handle = Lock(dataFolder / LockFileName);
    if (!handle) return std::nullopt;
    ProgramFolderLock lock(*handle);
    FinishInterruptedCommit(dataFolder);
    return lock;
}

ProgramFolderLock ProgramFolderLock::Acquire(const fs::path& dataFolder) {
    std::optional<ProgramFolderLock> lock = TryAcquire(dataFolder);
    if (!lock) throw TarnwellError(ErrorKind::Usage, ProgramFolderBusy);
    return std::move(*lock);
}

ProgramFolderLock::~ProgramFolderLock() {
    if (handle_ != NoHandle) Unlock(handle_);
}

void FinishInterruptedCommitIfIdle(const fs::path& dataFolder) {
    std::error_code ec;
    if (fs::exists(CommitNotePath(dataFolder), ec)) ProgramFolderLock::TryAcquire(dataFolder);
}

}  // namespace tarnwell
