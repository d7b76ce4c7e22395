#pragma once
// A schedule key packed big-endian into one number: packed keys compare like
// the key bytes do, taken unsigned.

#include <cstddef>
#include <cstdint>
#include <tuple>

#include "records/ScheduleRecord.h"

namespace tarnwell {

inline constexpr std::size_t ScheduleKeyWidth = std::tuple_size_v<ScheduleKey>;
static_assert(ScheduleKeyWidth <= sizeof(std::uint64_t), "a packed key must fit one 64-bit number");

inline std::uint64_t PackScheduleKey(const ScheduleKey& key) {
    std::uint64_t v = 0;
    for (const char c : key) v = (v << 8) | static_cast<unsigned char>(c);
    return v;
}

}  // namespace tarnwell
