#pragma once
// Schedule keys for the order tests: written ones, padded with blanks, and
// random lists of keys drawn from small pools, so many are equal.

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string_view>

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
struct RandomKeys {
    std::mt19937 rng;
    std::vector<ScheduleKey> pool;

    RandomKeys(std::uint32_t seed, int distinct) : rng(seed) {
        const int style = Pick(4);
        for (int i = 0; i < distinct; ++i) pool.push_back(MakeKey(style == 3 ? Pick(3) : style));
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    std::vector<ScheduleKey> Many(int n) {
        std::vector<ScheduleKey> out(static_cast<std::size_t>(n));
        for (auto& k : out) k = pool[static_cast<std::size_t>(Pick(static_cast<int>(pool.size())))];
        return out;
    }
    ScheduleKey MakeKey(int style) {
        ScheduleKey k;
        k.fill(' ');
        if (style < 2) {  // letters only, or blanks anywhere
            for (auto& c : k) c = (style == 0 ? "ABCa" : " AB\xC9")[Pick(4)];
        } else if (Pick(8) != 0) {  // a short text shifted between blanks; now and then all blanks
            const int length = 1 + Pick(3), offset = Pick(7 - length);
            std::generate_n(k.begin() + offset, length, [this] { return "AB\xC9"[Pick(3)]; });
        }
        return k;
    }
};

// The keys reordered: 0 ascending, 1 descending, 2 in ascending runs of
// random length, 3 the first key throughout, else as they are.
inline std::vector<ScheduleKey> Shape(std::vector<ScheduleKey> keys, int shape, RandomKeys& random) {
    if (shape == 0 || shape == 1) std::sort(keys.begin(), keys.end(), KeyLess);
    if (shape == 1) std::reverse(keys.begin(), keys.end());
    for (auto run = keys.begin(), end = run; shape == 2 && run != keys.end(); run = end) {
        end = run + std::min<std::ptrdiff_t>(keys.end() - run, 1 + random.Pick(30));
        std::sort(run, end, KeyLess);
    }
    if (shape == 3) std::fill(keys.begin(), keys.end(), keys.front());
    return keys;
}

}  // namespace tarnwell::testing
