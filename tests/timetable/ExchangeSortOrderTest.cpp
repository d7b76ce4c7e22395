#include "timetable/ExchangeSortOrder.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "timetable/LiteralOrders.h"
#include "timetable/RandomScheduleKeys.h"

namespace tarnwell::testing {
namespace {

TEST(ExchangeSortOrder, SmallCases) {
    const std::pair<std::vector<ScheduleKey>, std::vector<std::int32_t>> cases[] = {
        {{}, {}},
        {PaddedKeys({"B", "B", "A"}), {2, 1, 0}},  // the swaps that carry A forward reorder the Bs
        {PaddedKeys({"B", "B", "B"}), {0, 1, 2}},
        {PaddedKeys({"AB", " AB", "\xC9", "a"}), {1, 0, 3, 2}},  // a blank sorts below letters; bytes are unsigned
    };
    for (const auto& [keys, order] : cases) EXPECT_EQ(ExchangeSortOrder(keys), order);
}

TEST(ExchangeSortOrder, MatchesLiteralSortOnRandomKeys) {
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        RandomKeys random(seed, 1 + seed % 9);
        const auto keys = random.Many(1 + random.Pick(60));
        ASSERT_EQ(ExchangeSortOrder(keys), LiteralExchangeSort(keys)) << "seed " << seed;
    }
    // Larger lists: ascending, descending, in sorted runs, one key, as drawn.
    for (std::uint32_t seed = 1001; seed <= 1030; ++seed) {
        RandomKeys random(seed, 1 + (seed - 1000) * 4);
        const auto keys = Shape(random.Many(500 + random.Pick(2500)), seed % 5, random);
        ASSERT_EQ(ExchangeSortOrder(keys), LiteralExchangeSort(keys)) << "seed " << seed;
    }
}

TEST(ExchangeSortOrder, MatchesLiteralSortForOneHugeGroup) {
    // Most records share one key; smaller and larger keys are sprinkled in,
    // so the group is carried around many times by the smaller keys.
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        std::mt19937 rng(seed);
        std::vector<ScheduleKey> keys(800 + 500 * seed, PaddedKeys({"MMM"})[0]);
        for (ScheduleKey& key : keys) {
            if (const auto roll = rng() % 100; roll >= 50 + seed * 5) {
                const auto letter = static_cast<char>((roll % 3 != 0 ? 'A' : 'T') + rng() % 5);
                key = PaddedKeys({std::string_view(&letter, 1)})[0];
            }
        }
        ASSERT_EQ(ExchangeSortOrder(keys), LiteralExchangeSort(keys)) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tarnwell::testing
