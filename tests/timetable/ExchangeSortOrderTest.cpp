#include "timetable/ExchangeSortOrder.h"

#include <gtest/gtest.h>

#include "timetable/LiteralOrders.h"
#include "timetable/RandomScheduleKeys.h"

namespace tarnwell::testing {

// Equal keys do not keep their order: the swaps that carry a smaller key
// forward reorder them. Blanks sort below letters, and bytes compare unsigned.
TEST(ExchangeSortOrder, MatchesLiteralSort) {
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        RandomKeys random(seed, 1 + seed % 9);
        const auto keys = random.Many(random.Pick(61));  // the empty list too
        ASSERT_EQ(ExchangeSortOrder(keys), LiteralExchangeSort(keys)) << "seed " << seed;
    }
    // Larger lists: ascending, descending, in sorted runs, one key, as drawn.
    for (std::uint32_t seed = 1001; seed <= 1030; ++seed) {
        RandomKeys random(seed, 1 + (seed - 1000) * 4);
        const auto keys = Shape(random.Many(500 + random.Pick(2500)), seed % 5, random);
        ASSERT_EQ(ExchangeSortOrder(keys), LiteralExchangeSort(keys)) << "seed " << seed;
    }
    // Most records share one key; smaller and larger keys are sprinkled in,
    // so the group is carried around many times by the smaller keys.
    for (int seed = 1; seed <= 8; ++seed) {
        RandomKeys random(static_cast<std::uint32_t>(seed), 0);
        auto keys = std::vector(800 + 500 * seed, PaddedKeys({"MMM"})[0]);
        for (ScheduleKey& key : keys)
            if (const int roll = random.Pick(100); roll >= 50 + seed * 5)
                key[0] = static_cast<char>((roll % 3 != 0 ? 'A' : 'T') + random.Pick(5));
        ASSERT_EQ(ExchangeSortOrder(keys), LiteralExchangeSort(keys)) << "huge group, seed " << seed;
    }
}

}  // namespace tarnwell::testing
