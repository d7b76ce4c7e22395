#pragma once
// "1 airport", "3 airports": how the import's reports count things.

#include <cstdint>
#include <string>

namespace tarnwell {

inline std::string CountPhrase(std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace tarnwell
