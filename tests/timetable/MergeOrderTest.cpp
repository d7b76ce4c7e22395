#include "timetable/MergeOrder.h"

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "timetable/LiteralOrders.h"
#include "timetable/RandomScheduleKeys.h"

namespace tarnwell::testing {

using Names = std::vector<std::string>;

// "A3" for added[3], "T0" for timetable[0], as the literal merge names them.
static Names Merge(const std::vector<ScheduleKey>& added, const std::vector<ScheduleKey>& timetable) {
    Names names;
    for (const MergedEntry& e : MergeOrder(added, timetable, 1'000'000, [](std::int32_t) {}))
        names.push_back((e.fromTimetable ? "T" : "A") + std::to_string(e.index));
    return names;
}

TEST(MergeOrder, SmallCases) {
    const std::tuple<std::vector<ScheduleKey>, std::vector<ScheduleKey>, Names> cases[] = {
        {PaddedKeys({"AAAAAA", "BBBBBB", "CCCCCC"}), PaddedKeys({"BBBAAA", "BBBCCC"}), {"A0", "T0", "A1", "T1", "A2"}},
        // The first enclosing pair wins, even in an unsorted list.
        {PaddedKeys({"A", "C", "A", "C"}), PaddedKeys({"B"}), {"A0", "T0", "A1", "A2", "A3"}},
        // Equal keys placed at one spot end in reverse file order.
        {PaddedKeys({"A", "C"}), PaddedKeys({"B", "B", "B"}), {"A0", "T2", "T1", "T0", "A1"}},
        // No enclosing pair: in front only when strictly below the first key.
        {PaddedKeys({"B", "C"}), PaddedKeys({"A"}), {"T0", "A0", "A1"}},
        // "ABCDE " lies above " ABCDE" but is trim-equal to it: it may stand
        // before it, and after it.
        {PaddedKeys({"ABCDE ", "ZZZZZZ"}), PaddedKeys({" ABCDE"}), {"A0", "T0", "A1"}},
        {PaddedKeys({"AAAAAA", " ABCDE"}), PaddedKeys({"ABCDE "}), {"A0", "T0", "A1"}},
        // A blank inside the text is not trimmed: "AB CDE" is simply above "AB".
        {PaddedKeys({"AAAAAA", "AB    "}), PaddedKeys({"AB CDE"}), {"A0", "A1", "T0"}},
    };
    for (const auto& [added, timetable, merged] : cases) EXPECT_EQ(Merge(added, timetable), merged);
}

TEST(MergeOrder, CallsBeforeEachInOrderAndStopsAtCapacity) {
    const auto added = PaddedKeys({"B", "D", "F"});
    const auto timetable = PaddedKeys({"A", "C", "E", "G"});
    std::vector<std::int32_t> calls;
    const auto record = [&calls](std::int32_t i) { calls.push_back(i); };
    EXPECT_EQ(MergeOrder(added, timetable, 7, record).size(), 7u);  // exactly full
    try {
        MergeOrder(added, timetable, 5, record);
        ADD_FAILURE() << "expected an overflow";
    } catch (const TarnwellError& e) {
        EXPECT_TRUE(e.Kind() == ErrorKind::Overflow && e.What().find("flight 2") != std::string::npos) << e.What();
    }
    // Every flight of the first merge, then the second up to the flight that failed.
    EXPECT_EQ(calls, (std::vector<std::int32_t>{0, 1, 2, 3, 0, 1, 2}));
}

TEST(MergeOrder, MatchesLiteralMergeOnRandomKeys) {
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        RandomKeys random(seed, 1 + seed % 11);
        const int shape = random.Pick(5);
        const auto added = Shape(random.Many(1 + random.Pick(40)), shape, random);
        const auto timetable = random.Many(random.Pick(60));
        ASSERT_EQ(Merge(added, timetable), LiteralMerge(added, timetable)) << "seed " << seed;
    }
    // Sizes past several blocks of the fast list, every added shape, and a
    // sorted timetable as well as a random one.
    for (std::uint32_t seed = 9001; seed <= 9030; ++seed) {
        RandomKeys random(seed, 3 + (seed - 9000) * 3);
        const auto added = Shape(random.Many(200 + random.Pick(1800)), seed % 5, random);
        auto timetable = random.Many(200 + random.Pick(1800));
        if (seed % 4 == 0) std::sort(timetable.begin(), timetable.end(), KeyLess);
        ASSERT_EQ(Merge(added, timetable), LiteralMerge(added, timetable)) << "seed " << seed;
    }
}

}  // namespace tarnwell::testing
