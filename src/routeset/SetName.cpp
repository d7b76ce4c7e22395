#include "routeset/SetName.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/FixedText.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsDeviceName(std::string_view name) {
    const std::string_view base = TrimBlanks(name.substr(0, name.find('.')));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (EqualsIgnoringCase(base, device)) return true;
    return base.size() == 4 && (EqualsIgnoringCase(base.substr(0, 3), "COM") || EqualsIgnoringCase(base.substr(0, 3), "LPT")) &&
           base[3] >= '1' && base[3] <= '9';
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
    if (setName.size() > SetNameMaxBytes)
        refuse("is " + std::to_string(setName.size()) + " bytes long; a route set name holds at most " +
               std::to_string(SetNameMaxBytes));
    for (const char c : setName) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            refuse(std::string("contains the control character ") + code);
        }
        if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
            refuse(std::string("contains '") + c + "', which folder names on Windows cannot hold");
    }
    if (setName.back() == '.' || setName.back() == ' ')
        refuse("ends in a dot or a blank, which folder names on Windows cannot");
    if (IsDeviceName(setName)) refuse("is a device name on Windows, which no folder can have");
    if (setName.ends_with(".tarnwell-staging") || setName.ends_with(".tarnwell-old") || setName.starts_with(".tarnwell"))
        refuse("is reserved for the folders a compile works in");
}

std::optional<std::string> SetNameRefusal(std::string_view setName) {
    try {
        ValidateSetName(setName);
    } catch (const TarnwellError& e) {
        return e.what();
    }
    return std::nullopt;
}

fs::path SetFolderPath(const fs::path& dataFolder, std::string_view setName) {
    return dataFolder / fs::path(std::u8string(setName.begin(), setName.end()));
}

std::optional<std::string> SetFolderRefusal(const fs::path& dataFolder, std::string_view setName) {
    if (auto refusal = SetNameRefusal(setName)) return refusal;
    std::error_code ec;
    const fs::path folder = SetFolderPath(dataFolder, setName);
    if (!fs::is_symlink(folder, ec)) return std::nullopt;
    const fs::path data = fs::weakly_canonical(dataFolder, ec);
    const fs::path resolved = fs::weakly_canonical(folder, ec);
    if (!ec && resolved.parent_path() == data) return std::nullopt;
    return "the route set folder " + PathText(folder) + " is a link leading outside the Data folder (to " +
           PathText(resolved) + "); a compile writes only inside Data";
}

}  // namespace tarnwell
