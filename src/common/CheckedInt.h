#pragma once
// 16-bit arithmetic that fails instead of wrapping.

#include <cstdint>
#include <limits>
#include <string>

#include "common/Errors.h"

namespace tarnwell {

// Converts to a 16-bit field value; `what` names the value in the error.
inline std::int16_t CheckedInt16(std::int64_t value, const std::string& what, ErrorPlace place = {}) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw TarnwellError(ErrorKind::Overflow,
                            what + " (" + std::to_string(value) + ") is outside the 16-bit range -32768..32767",
                            std::move(place));
    return static_cast<std::int16_t>(value);
}

inline std::int16_t CheckedAdd16(std::int16_t a, std::int16_t b, const std::string& what, ErrorPlace place = {}) {
    return CheckedInt16(static_cast<std::int64_t>(a) + b, what, std::move(place));
}

}  // namespace tarnwell
