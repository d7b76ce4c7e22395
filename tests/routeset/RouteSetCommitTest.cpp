// Putting a compiled route set in place: whichever file operation of the
// commit fails, and whether the program then goes on or stops dead, the set
// folder holds one whole set (old or new) once the next command has started,
// and the add file is gone exactly when the new set is in place.

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>

#include "TestSupport.h"
#include "common/Errors.h"
#include "routeset/RouteSetCommit.h"
#include "routeset/RouteSetOutput.h"

namespace tarnwell {
namespace {

namespace fs = std::filesystem;
using testing::FileText;

// Fails operation number `failAt` (from 1); with `dies`, every operation
// after it fails too, as when the program is killed there.
class FailingOps : public FileOps {
public:
    int failAt = 0;
    bool dies = false;
    mutable int count = 0;

    void Rename(const fs::path& from, const fs::path& to) const override { Step(from), FileOps::Rename(from, to); }
    void RemoveAll(const fs::path& path) const override { Step(path), FileOps::RemoveAll(path); }
    void WriteFile(const fs::path& path, std::span<const std::uint8_t> bytes) const override {
        Step(path), FileOps::WriteFile(path, bytes);
    }

private:
    void Step(const fs::path& path) const {
        ++count;
        if (count == failAt || (dies && count > failAt && failAt > 0))
            throw TarnwellError(ErrorKind::File, "injected failure", {PathText(path)});
    }
};

TEST(RouteSetCommit, EveryFailureLeavesOneWholeSetAndTheAddFileWithTheOldOne) {
    const std::map<std::string, std::string> oldSet{{"index.kr1", "old"}, {"routes.kr1", "old"}};
    const std::map<std::string, std::string> newSet{{"index.kr1", "new"}, {"APT.kr1", "new"}};
    int operations = 0;
    for (const bool dies : {false, true}) {
        for (int failAt = 1;; ++failAt) {
            testing::TempProgramFolder dir;
            for (const auto& [name, text] : oldSet) dir.Write("Data/My Set/" + name, text);
            dir.Write("Data/Defaults/carrierADD.txt", "added");
            FailingOps ops;
            ops.failAt = failAt;
            ops.dies = dies;
            RouteSetOutput output;
            output.UseFileOps(ops);
            output.Begin(dir.Data(), "My Set");
            for (const auto& [name, text] : newSet) dir.Write(fs::relative(output.File(name), dir.Root()).string(), text);
            bool committed = true;
            try {
                output.Commit(dir.AddFile());
            } catch (const TarnwellError&) {
                committed = false;
                if (!dies) output.Discard();  // as the compile does; a killed program does nothing more
            }
            FinishInterruptedCommit(dir.Data());  // the next command
            const std::string when = (dies ? "stopped at operation " : "failed at operation ") + std::to_string(failAt);
            const auto set = testing::FolderFiles(dir.Data() / "My Set");
            ASSERT_TRUE(set == oldSet || set == newSet) << when;
            EXPECT_EQ(fs::exists(dir.AddFile()), set == oldSet) << when;
            if (!dies) {
                EXPECT_EQ(committed, set == newSet) << when;
            }
            EXPECT_EQ(testing::HiddenEntries(dir.Data()), std::vector<std::string>{}) << when;
            if (ops.count < failAt) {  // no operation failed: every one has been tried
                operations = ops.count;
                break;
            }
        }
    }
    EXPECT_EQ(operations, 8);
}

TEST(RouteSetCommit, ADamagedNoteIsReportedNotGuessedAt) {
    testing::TempProgramFolder dir;
    dir.Write("Data/.tarnwell-commit", "no end of line");
    EXPECT_NE(testing::ErrorOf([&] { FinishInterruptedCommit(dir.Data()); }).find("is damaged"), std::string::npos);
}

}  // namespace
}  // namespace tarnwell
