#pragma once
// The keys trim-equal to a schedule key: the same once leading and trailing
// blanks are removed. They are few (the trimmed text shifted between
// blanks), so a set of them is a short array searched in order.

#include <array>
#include <cstddef>
#include <cstdint>

#include "records/ScheduleRecord.h"
#include "timetable/PackedScheduleKey.h"

namespace tarnwell {

// Up to one more packed key than a key is wide.
struct PackedKeySet {
    std::array<std::uint64_t, ScheduleKeyWidth + 1> keys{};
    std::size_t count = 0;

    void Add(std::uint64_t key) { keys[count++] = key; }
    bool Has(std::uint64_t key) const {
        for (const std::uint64_t k : *this)
            if (k == key) return true;
        return false;
    }
    const std::uint64_t* begin() const { return keys.data(); }
    const std::uint64_t* end() const { return keys.data() + count; }
};

// Every key trim-equal to `key`, itself included, packed.
PackedKeySet TrimEqualKeysOf(const ScheduleKey& key);

}  // namespace tarnwell
