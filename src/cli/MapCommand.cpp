// The command line's map command: a picture of a route set.

#include <charconv>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/FileReplace.h"
#include "common/FixedText.h"
#include "compile/ProgramFolderLock.h"
#include "map/MapImage.h"
#include "map/MapScene.h"
#include "routeset/SetName.h"

namespace fs = std::filesystem;

namespace tarnwell::cli {

namespace {

constexpr int DefaultWidth = 1200, DefaultHeight = 900;
constexpr int MaxSide = 4000;

// WxH, each side 16 to 4000 pixels.
std::optional<std::pair<int, int>> ReadSize(const std::string& text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return std::nullopt;
    int w = 0, h = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto [wEnd, wError] = std::from_chars(begin, begin + x, w);
    const auto [hEnd, hError] = std::from_chars(begin + x + 1, end, h);
    if (wError != std::errc() || hError != std::errc() || wEnd != begin + x || hEnd != end) return std::nullopt;
    if (w < 16 || h < 16 || w > MaxSide || h > MaxSide) return std::nullopt;
    return std::pair{w, h};
}

// The city pairs of every --plans, split at commas, blanks around dropped.
std::vector<std::string> CityPairs(const std::vector<std::string>& lists) {
    std::vector<std::string> pairs;
    for (const std::string& list : lists) {
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t comma = std::min(list.find(',', start), list.size());
            const std::string_view pair = TrimBlanks(std::string_view(list).substr(start, comma - start));
            if (!pair.empty()) pairs.emplace_back(pair);
            start = comma + 1;
        }
    }
    return pairs;
}

std::optional<MapImageFormat> FormatOf(const fs::path& out) {
    std::string extension = PathText(out.extension());
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == ".svg") return MapImageFormat::Svg;
    if (extension == ".png") return MapImageFormat::Png;
    return std::nullopt;
}

}  // namespace

int MapCommand(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError(a, "map needs exactly one route set NAME");
    if (auto refused = RefuseCompileOptions(a, "map")) return *refused;
    if (a.statusLog) return UsageError(a, "map writes no status log");
    try {
        ValidateSetName(a.positional[1]);
    } catch (const TarnwellError& e) {
        return UsageError(a, e.What());
    }
    if (!a.out) return UsageError(a, "map needs --out FILE.svg or --out FILE.png");
    const std::optional<MapImageFormat> format = FormatOf(*a.out);
    if (!format) return UsageError(a, "--out names a file ending in .svg or .png");
    std::pair<int, int> size{DefaultWidth, DefaultHeight};
    if (a.size) {
        const auto read = ReadSize(*a.size);
        if (!read) return UsageError(a, "--size needs WIDTHxHEIGHT, each 16 to 4000 pixels, such as 1200x900");
        size = *read;
    }
    const std::vector<std::string> pairs = CityPairs(a.plans);
    for (const std::string& pair : pairs)
        if (pair.find('-') == std::string::npos || pair.front() == '-' || pair.back() == '-')
            return UsageError(a, "--plans takes city pairs as ORIGIN-DEST, such as LBA-AMS, separated by commas");
    try {
        const fs::path root = ProgramFolder(a);
        FinishInterruptedCommitIfIdle(root / "Data");
        const MapScene scene = LoadMapScene(root, a.positional[1], pairs);
        const PendingFile file{*a.out, RenderMapImage(scene, size.first, size.second, *format)};
        ReplaceFiles(std::span(&file, 1));
        if (!a.quiet)
            std::cout << "Wrote " << PathText(*a.out) << ": " << scene.airports.size() << " airports, "
                      << scene.routes.size() << " routes, " << scene.plans.size()
                      << (scene.plans.size() == 1 ? " flight plan\n" : " flight plans\n");
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return ExitFailed;
    }
    return ExitOk;
}

}  // namespace tarnwell::cli
