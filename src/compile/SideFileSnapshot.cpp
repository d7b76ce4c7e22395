#include "compile/SideFileSnapshot.h"

#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "compile/ProgramState.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

fs::path CopyName(std::size_t i) { return "kept" + std::to_string(i); }

}  // namespace

void SideFileSnapshot::Take(const ProgramState& state) {
    Drop();
    folder_ = state.DataFolder() / SnapshotFolderName;
    kept_ = {{state.UniqueRoutesPath()}, {state.PlanLogPath()}, {state.PlanFolder()}};
    std::error_code ec;
    fs::remove_all(folder_, ec);
    fs::create_directories(folder_, ec);
    if (ec) throw TarnwellError(ErrorKind::File, "cannot set aside the files of the last compile: " + ec.message(),
                                {PathText(folder_)});
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        Kept& k = kept_[i];
        k.existed = fs::exists(k.original, ec);
        if (!k.existed) continue;
        fs::copy(k.original, folder_ / CopyName(i), fs::copy_options::recursive, ec);
        if (ec)
            throw TarnwellError(ErrorKind::File, "cannot set aside a file of the last compile: " + ec.message(),
                                {PathText(k.original)});
    }
}

bool SideFileSnapshot::Restore() noexcept {
    if (folder_.empty()) return true;
    bool whole = true;
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        const Kept& k = kept_[i];
        std::error_code ec;
        fs::remove_all(k.original, ec);
        if (k.existed && !ec) fs::rename(folder_ / CopyName(i), k.original, ec);
        whole = whole && !ec;
    }
    if (whole) Drop();
    return whole;
}

void SideFileSnapshot::Drop() noexcept {
    if (folder_.empty()) return;
    std::error_code ec;
    fs::remove_all(folder_, ec);
    folder_.clear();
}

}  // namespace tarnwell
