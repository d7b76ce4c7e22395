#pragma once
// Runway designators as the source files write them: "09L", "9x", "36".

#include <optional>
#include <string>
#include <string_view>

namespace tarnwell {

// The runway designator a matching is done on: upper case, no leading zeros,
// no trailing 'x' (older files pad "4x" for runway 4 without a letter).
std::string RunwayKey(std::string_view ident);
// The designator of the opposite end: "16L" gives "34R", "09" gives "27".
std::optional<std::string> OppositeRunway(std::string_view ident);

}  // namespace tarnwell
