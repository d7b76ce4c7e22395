#pragma once
// Numbers in the texts a plan is exported as: fixed decimals with a point,
// whatever the locale.

#include <charconv>
#include <string>

namespace tarnwell {

inline std::string FixedDecimals(double value, int decimals) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

}  // namespace tarnwell
