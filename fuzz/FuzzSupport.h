#pragma once
// What the fuzz targets share: the one failure a reader may answer bad input
// with, a scratch program folder per process, and one input cut into files.
//
// A TarnwellError is the expected answer to bad input. Anything else - another
// exception, a crash, a sanitizer report, a hang - ends the run as a finding.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/Errors.h"
#include "common/Progress.h"

namespace tarnwell::fuzz {

using Input = std::span<const std::uint8_t>;

// Runs `read`; false when it gave up with a TarnwellError.
template <typename Read>
bool Tolerate(Read&& read) {
    try {
        read();
        return true;
    } catch (const TarnwellError&) {
        return false;
    }
}

// Stops the run as a finding when a promise of the code does not hold.
inline void Require(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

inline std::string Text(Input bytes) { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }

// A program folder (Data, Data/Defaults) of this process alone, removed when it ends.
inline const std::filesystem::path& Scratch() {
    struct Folder {
        std::filesystem::path root = std::filesystem::temp_directory_path() /
                                     ("tarnwell-fuzz-" + std::to_string(::getpid()));
        Folder() { std::filesystem::create_directories(root / "Data" / "Defaults"); }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(root, ec);
        }
    };
    static const Folder folder;
    return folder.root;
}

// Writes `bytes` to `relative` below the scratch folder and gives its path.
inline std::filesystem::path WriteScratch(const std::string& relative, Input bytes) {
    const std::filesystem::path path = Scratch() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline void RemoveScratch(const std::string& relative) {
    std::error_code ec;
    std::filesystem::remove(Scratch() / relative, ec);
}

// Inputs holding several files give them one after another, each before the
// next separator (tools/fuzz-seeds.py packs them the same way).
inline constexpr std::string_view FileSeparator = "\n=tarnwell-next-file=\n";

inline std::vector<Input> SplitFiles(Input input) {
    std::vector<Input> files;
    const std::string_view all(reinterpret_cast<const char*>(input.data()), input.size());
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = all.find(FileSeparator, start);
        if (end == std::string_view::npos) break;
        files.push_back(input.subspan(start, end - start));
        start = end + FileSeparator.size();
    }
    files.push_back(input.subspan(start));
    return files;
}

// A Progress that shows nothing.
class QuietProgress : public Progress {
public:
    void SetStatus(std::string_view, StatusKind) override {}
    void DoEvents() override {}
    void Beep(BeepKind, std::string_view) override {}
    void Warn(std::string_view) override {}
};

// The route set "Fuzz" in the scratch program folder made from `files`:
// index.kr1, routes.kr1, airline.kr1, arrivals.kr1, APT.kr1 and PLANS.kr1 in
// turn (a file the input does not reach is missing), beside the sample's
// navigation files, which plan entries refer to.
inline void WriteFuzzRouteSet(const std::vector<Input>& files) {
    static const bool copied = [] {
        for (const char* name : {"HighAlt.ab1", "nav_VOR.bin", "nav_NDB.bin", "nav_ISC.bin"})
            std::filesystem::copy_file(std::filesystem::path(TARNWELL_SAMPLE_DIR) / "Data" / name,
                                       Scratch() / "Data" / name, std::filesystem::copy_options::overwrite_existing);
        return true;
    }();
    (void)copied;
    const char* const names[] = {"index.kr1", "routes.kr1", "airline.kr1", "arrivals.kr1", "APT.kr1", "PLANS.kr1"};
    for (std::size_t k = 0; k < std::size(names); ++k) {
        const std::string relative = std::string("Data/Fuzz/") + names[k];
        if (k < files.size())
            WriteScratch(relative, files[k]);
        else
            RemoveScratch(relative);
    }
}

}  // namespace tarnwell::fuzz
