#pragma once
// Route set names: which names a route set may have, and the folder a name
// stands for.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwell {

inline constexpr std::size_t SetNameMaxBytes = 200;

// Throws TarnwellError(ErrorKind::Usage) unless `setName` names one folder
// directly inside the Data folder that is not the real-world Defaults folder,
// and one every system can store: at most 200 bytes, none of the characters
// < > : " / \ | ? * nor a control character, no dot or blank at its end, and
// no device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any
// case, with or without an extension). Route sets move between machines, so
// every platform refuses the same names.
void ValidateSetName(std::string_view setName);
// Why ValidateSetName refuses `setName` (its whole message), or nothing.
std::optional<std::string> SetNameRefusal(std::string_view setName);

// The folder of the route set `setName` (UTF-8) in `dataFolder`.
std::filesystem::path SetFolderPath(const std::filesystem::path& dataFolder, std::string_view setName);

// Why a compile may not write the route set `setName` in `dataFolder`: the
// name's refusal, or a folder of that name that leads outside the Data folder
// (through a link); nothing when it may.
std::optional<std::string> SetFolderRefusal(const std::filesystem::path& dataFolder, std::string_view setName);

}  // namespace tarnwell
