#pragma once
// Schedule keys for the order tests: written ones, padded with blanks, and
// random lists of keys drawn from small pools, so many are equal.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string_view>
#include <vector>

#include "records/ScheduleRecord.h"
#include "timetable/LiteralOrders.h"

namespace tarnwell::testing {

inline std::vector<ScheduleKey> PaddedKeys(std::initializer_list<std::string_view> texts) {
    std::vector<ScheduleKey> out;
    for (const std::string_view text : texts) {
        ScheduleKey& key = out.emplace_back();
        key.fill(' ');
        std::copy_n(text.begin(), std::min(text.size(), key.size()), key.begin());
    }
    return out;
}

// Keys drawn from a pool of `distinct` keys. The pools mix plain letters,
// blanks at any place (so many keys are trim-equal without being equal:
// " AB   ", "AB    ", "   AB "), and bytes above 0x7F that only sort right
// when compared unsigned.
class RandomKeys {
public:
    RandomKeys(std::uint32_t seed, int distinct) : rng_(seed) {
        const int style = Pick(4);
        for (int i = 0; i < distinct; ++i) pool_.push_back(MakeKey(style == 3 ? Pick(3) : style));
    }

    std::vector<ScheduleKey> Many(int n) {
        std::vector<ScheduleKey> out(static_cast<std::size_t>(n));
        for (auto& k : out) k = pool_[static_cast<std::size_t>(Pick(static_cast<int>(pool_.size())))];
        return out;
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

private:
    ScheduleKey MakeKey(int style) {
        ScheduleKey k;
        k.fill(' ');
        if (style < 2) {  // letters only, or blanks anywhere
            for (auto& c : k) c = (style == 0 ? "ABCa" : " AB\xC9")[Pick(4)];
            return k;
        }
        // a short text shifted between blanks, now and then all blanks
        const int length = 1 + Pick(3);
        const int offset = Pick(7 - length);
        for (int i = offset; i < offset + length; ++i) k[static_cast<std::size_t>(i)] = "AB\xC9"[Pick(3)];
        if (Pick(8) == 0) k.fill(' ');
        return k;
    }

    std::mt19937 rng_;
    std::vector<ScheduleKey> pool_;
};

// The keys reordered: 0 ascending, 1 descending, 2 in ascending runs of
// random length, 3 the first key throughout, else as they are.
inline std::vector<ScheduleKey> Shape(std::vector<ScheduleKey> keys, int shape, RandomKeys& random) {
    if (shape == 0 || shape == 1) std::sort(keys.begin(), keys.end(), KeyLess);
    if (shape == 1) std::reverse(keys.begin(), keys.end());
    for (auto run = keys.begin(); shape == 2 && run != keys.end();) {
        const auto end = run + std::min<std::ptrdiff_t>(keys.end() - run, 1 + random.Pick(30));
        std::sort(run, end, KeyLess);
        run = end;
    }
    if (shape == 3) std::fill(keys.begin(), keys.end(), keys.front());
    return keys;
}

}  // namespace tarnwell::testing
