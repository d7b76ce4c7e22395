#include "routeset/RouteSetOutput.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

fs::path PathFromText(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

void ValidateSetName(std::string_view setName) {
    auto refuse = [&](const std::string& why) {
        throw TarnwellError(ErrorKind::Usage, "the route set name \"" + std::string(setName) + "\" " + why,
                            {"", {}, {}, "route set name"});
    };
    if (TrimBlanks(setName).empty()) refuse("is empty; give the name of the route set folder");
    if (setName == "." || setName == "..") refuse("does not name a folder inside Data");
    if (setName.find_first_of("/\\") != std::string_view::npos)
        refuse("contains a path separator; it must name one folder directly inside Data");
    if (setName.find('\0') != std::string_view::npos) refuse("contains a zero character");
    if (EqualsIgnoringCase(setName, "Defaults"))
        refuse("is reserved: Data/Defaults holds the real-world route set and the add file");
}

std::optional<std::string> SetNameRefusal(std::string_view setName) {
    try {
        ValidateSetName(setName);
    } catch (const TarnwellError& e) {
        return e.what();
    }
    return std::nullopt;
}

fs::path RouteSetOutput::StagingFolder() const {
    return dataFolder_ / PathFromText("." + setName_ + ".tarnwell-staging");
}

void RouteSetOutput::Begin(const fs::path& dataFolder, std::string setName) {
    dataFolder_ = dataFolder;
    setName_ = std::move(setName);
    std::error_code ec;
    fs::remove_all(StagingFolder(), ec);
    active_ = true;
}

fs::path RouteSetOutput::File(std::string_view fileName) {
    if (!active_) throw TarnwellError(ErrorKind::Usage, "no route set is being written");
    const fs::path staging = StagingFolder();
    std::error_code ec;
    if (!fs::is_directory(staging, ec)) {
        if (!fs::create_directory(staging, ec) && !fs::is_directory(staging))
            throw TarnwellError(ErrorKind::File, "cannot create the route set folder: " + ec.message(),
                                {PathText(staging)});
    }
    return staging / PathFromText(fileName);
}

void RouteSetOutput::Commit() {
    if (!active_) return;
    const fs::path staging = StagingFolder();
    const fs::path target = FinalFolder();
    std::error_code ec;
    if (fs::is_directory(staging, ec)) {
        if (!fs::is_directory(target, ec)) {
            if (!fs::create_directory(target, ec) && !fs::is_directory(target))
                throw TarnwellError(ErrorKind::File, "cannot create the route set folder: " + ec.message(),
                                    {PathText(target)});
        }
        for (const auto& entry : fs::directory_iterator(staging)) {
            const fs::path dest = target / entry.path().filename();
            fs::rename(entry.path(), dest, ec);
            if (ec)
                throw TarnwellError(ErrorKind::File, "cannot move the new file into the route set: " + ec.message(),
                                    {PathText(dest)});
        }
    }
    Discard();
}

void RouteSetOutput::Discard() noexcept {
    if (!active_) return;
    std::error_code ec;
    fs::remove_all(StagingFolder(), ec);
    active_ = false;
}

}  // namespace tarnwell
