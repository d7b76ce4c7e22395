#include "timetable/ScheduleOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/Errors.h"
#include "common/FixedText.h"

namespace tarnwell {
namespace {

// ---------------------------------------------------------------------------
// The two procedures exactly as the compile runs them, quadratic time.
// ---------------------------------------------------------------------------

bool KeyLess(const ScheduleKey& a, const ScheduleKey& b) {
    return std::memcmp(a.data(), b.data(), a.size()) < 0;  // memcmp compares unsigned bytes
}

bool TrimEqual(const ScheduleKey& a, const ScheduleKey& b) {
    return TrimBlanks({a.data(), a.size()}) == TrimBlanks({b.data(), b.size()});
}

std::vector<std::int32_t> SlowExchangeSort(std::vector<ScheduleKey> keys) {
    std::vector<std::int32_t> index(keys.size());
    std::iota(index.begin(), index.end(), 0);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (std::size_t j = i; j < keys.size(); ++j) {
            if (KeyLess(keys[j], keys[i])) {
                std::swap(keys[i], keys[j]);
                std::swap(index[i], index[j]);
            }
        }
    }
    return index;
}

struct SlowEntry {
    ScheduleKey key;
    MergedEntry entry;
};

std::vector<MergedEntry> SlowMerge(const std::vector<ScheduleKey>& added, const std::vector<ScheduleKey>& timetable) {
    std::vector<SlowEntry> list;
    for (std::size_t i = 0; i < added.size(); ++i) list.push_back({added[i], {false, static_cast<std::int32_t>(i)}});
    for (std::size_t t = 0; t < timetable.size(); ++t) {
        const ScheduleKey& k = timetable[t];
        const SlowEntry item{k, {true, static_cast<std::int32_t>(t)}};
        bool placed = false;
        for (std::size_t i = 0; i + 1 < list.size(); ++i) {
            const ScheduleKey& lo = list[i].key;
            const ScheduleKey& hi = list[i + 1].key;
            if ((KeyLess(lo, k) || TrimEqual(k, lo)) && (KeyLess(k, hi) || TrimEqual(hi, k))) {
                list.insert(list.begin() + static_cast<std::ptrdiff_t>(i) + 1, item);
                placed = true;
                break;
            }
        }
        if (!placed) {
            if (!list.empty() && KeyLess(k, list.front().key)) {
                list.insert(list.begin(), item);
            } else {
                list.push_back(item);
            }
        }
    }
    std::vector<MergedEntry> out;
    for (const SlowEntry& e : list) out.push_back(e.entry);
    return out;
}

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

ScheduleKey Key(std::string_view text) {  // padded on the right with blanks
    ScheduleKey k;
    k.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), k.size()), k.begin());
    return k;
}

std::vector<ScheduleKey> Keys(std::initializer_list<std::string_view> texts) {
    std::vector<ScheduleKey> out;
    for (auto t : texts) out.push_back(Key(t));
    return out;
}

std::vector<MergedEntry> Merge(const std::vector<ScheduleKey>& added, const std::vector<ScheduleKey>& timetable,
                               std::int32_t capacity = 1'000'000) {
    return MergeOrder(added, timetable, capacity, [](std::int32_t) {});
}

// "A3" for added[3], "T0" for timetable[0]: readable failure messages.
std::vector<std::string> Names(const std::vector<MergedEntry>& entries) {
    std::vector<std::string> out;
    for (const MergedEntry& e : entries) out.push_back((e.fromTimetable ? "T" : "A") + std::to_string(e.index));
    return out;
}

std::vector<std::string> Texts(const std::vector<MergedEntry>& entries, const std::vector<ScheduleKey>& added,
                               const std::vector<ScheduleKey>& timetable) {
    std::vector<std::string> out;
    for (const MergedEntry& e : entries) {
        const ScheduleKey& k = e.fromTimetable ? timetable[static_cast<std::size_t>(e.index)]
                                               : added[static_cast<std::size_t>(e.index)];
        out.emplace_back(k.data(), k.size());
    }
    return out;
}

// Random keys drawn from a pool of `distinct` keys. The pools mix plain
// letters, blanks at any place (so many keys are trim-equal without being
// equal: " AB   ", "AB    ", "   AB "), and bytes above 0x7F that only sort
// right when compared unsigned.
class KeyMaker {
public:
    KeyMaker(std::uint32_t seed, std::size_t distinct) : rng_(seed) {
        const int style = Pick(4);
        for (std::size_t i = 0; i < distinct; ++i) pool_.push_back(MakeKey(style == 3 ? Pick(3) : style));
    }

    ScheduleKey Any() { return pool_[static_cast<std::size_t>(Pick(static_cast<int>(pool_.size())))]; }

    std::vector<ScheduleKey> Many(std::size_t n) {
        std::vector<ScheduleKey> out(n);
        for (auto& k : out) k = Any();
        return out;
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::mt19937& Rng() { return rng_; }

private:
    ScheduleKey MakeKey(int style) {
        static constexpr std::string_view Letters = "AB\xC9";
        ScheduleKey k;
        k.fill(' ');
        switch (style) {
            case 0:  // letters only
                for (auto& c : k) c = "ABCa"[Pick(4)];
                break;
            case 1:  // blanks anywhere
                for (auto& c : k) c = " AB\xC9"[Pick(4)];
                break;
            default: {  // a short text shifted between blanks
                const int length = 1 + Pick(3);
                const int offset = Pick(7 - length);
                for (int i = 0; i < length; ++i) {
                    k[static_cast<std::size_t>(offset + i)] = Letters[static_cast<std::size_t>(Pick(3))];
                }
                if (Pick(8) == 0) k.fill(' ');
                break;
            }
        }
        return k;
    }

    std::mt19937 rng_;
    std::vector<ScheduleKey> pool_;
};

// Lists of different shapes built from one set of random keys.
std::vector<ScheduleKey> Shape(std::vector<ScheduleKey> keys, int shape, KeyMaker& make) {
    switch (shape) {
        case 0:  // ascending
            std::sort(keys.begin(), keys.end(), KeyLess);
            break;
        case 1:  // descending
            std::sort(keys.begin(), keys.end(), KeyLess);
            std::reverse(keys.begin(), keys.end());
            break;
        case 2:  // ascending runs of random length
            for (std::size_t start = 0; start < keys.size();) {
                const std::size_t end = std::min(keys.size(), start + 1 + static_cast<std::size_t>(make.Pick(30)));
                std::sort(keys.begin() + static_cast<std::ptrdiff_t>(start),
                          keys.begin() + static_cast<std::ptrdiff_t>(end), KeyLess);
                start = end;
            }
            break;
        case 3:  // one key throughout
            std::fill(keys.begin(), keys.end(), keys.front());
            break;
        default:  // as drawn
            break;
    }
    return keys;
}

// ---------------------------------------------------------------------------
// Exchange sort order
// ---------------------------------------------------------------------------

TEST(ExchangeSortOrder, SmallCases) {
    EXPECT_TRUE(ExchangeSortOrder({}).empty());
    EXPECT_EQ(ExchangeSortOrder(Keys({"AAABBB"})), (std::vector<std::int32_t>{0}));
    // Equal keys are reordered by the swaps that carry smaller keys forward.
    EXPECT_EQ(ExchangeSortOrder(Keys({"B", "B", "A"})), (std::vector<std::int32_t>{2, 1, 0}));
    EXPECT_EQ(ExchangeSortOrder(Keys({"B", "B", "B"})), (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(ExchangeSortOrder(Keys({"A", "B", "C"})), (std::vector<std::int32_t>{0, 1, 2}));
    // Blank sorts below letters wherever it sits; bytes compare unsigned.
    EXPECT_EQ(ExchangeSortOrder(Keys({"AB", " AB", "\xC9", "a"})), (std::vector<std::int32_t>{1, 0, 3, 2}));
}

void ExpectSortMatches(const std::vector<ScheduleKey>& keys, const std::string& what) {
    ASSERT_EQ(ExchangeSortOrder(keys), SlowExchangeSort(keys)) << what << ", n=" << keys.size();
}

TEST(ExchangeSortOrder, MatchesSlowSortOnRandomKeys) {
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        KeyMaker make(seed, 1 + seed % 9);
        ExpectSortMatches(make.Many(static_cast<std::size_t>(1 + make.Pick(60))), "seed " + std::to_string(seed));
    }
    // Larger lists: ascending, descending, in sorted runs, one key, as drawn.
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        KeyMaker make(1000 + seed, 1 + seed * 4);
        ExpectSortMatches(Shape(make.Many(static_cast<std::size_t>(500 + make.Pick(2500))),
                                static_cast<int>(seed % 5), make),
                          "large seed " + std::to_string(seed));
    }
}

TEST(ExchangeSortOrder, MatchesSlowSortForOneHugeGroup) {
    // Most records share one key; smaller and larger keys are sprinkled in,
    // so the group is carried around many times by the smaller keys.
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        std::mt19937 rng(seed);
        const std::size_t n = 800 + 500 * seed;
        const int percentBig = 50 + static_cast<int>(seed) * 5;
        std::vector<ScheduleKey> keys;
        for (std::size_t i = 0; i < n; ++i) {
            const int roll = static_cast<int>(rng() % 100);
            if (roll < percentBig) {
                keys.push_back(Key("MMM"));
            } else if (roll % 3 != 0) {
                keys.push_back(Key(std::string(1, static_cast<char>('A' + rng() % 5))));
            } else {
                keys.push_back(Key(std::string(1, static_cast<char>('T' + rng() % 5))));
            }
        }
        ExpectSortMatches(keys, "seed " + std::to_string(seed));
    }
}

// ---------------------------------------------------------------------------
// Merge placement
// ---------------------------------------------------------------------------

TEST(MergeOrder, PlacesBetweenEnclosingNeighboursElseAtFrontOrEnd) {
    const auto added = Keys({"AAAAAA", "BBBBBB", "CCCCCC"});
    const auto timetable = Keys({"BBBAAA", "BBBCCC"});
    EXPECT_EQ(Texts(Merge(added, timetable), added, timetable),
              (std::vector<std::string>{"AAAAAA", "BBBAAA", "BBBBBB", "BBBCCC", "CCCCCC"}));
    // The first enclosing pair wins, even in an unsorted list.
    EXPECT_EQ(Names(Merge(Keys({"A", "C", "A", "C"}), Keys({"B"}))),
              (std::vector<std::string>{"A0", "T0", "A1", "A2", "A3"}));
    // Equal keys placed at one spot end in reverse file order.
    EXPECT_EQ(Names(Merge(Keys({"A", "C"}), Keys({"B", "B", "B"}))),
              (std::vector<std::string>{"A0", "T2", "T1", "T0", "A1"}));
    // No enclosing pair: in front only when strictly below the first key.
    EXPECT_EQ(Names(Merge(Keys({"B", "C"}), Keys({"A"}))), (std::vector<std::string>{"T0", "A0", "A1"}));
    EXPECT_EQ(Names(Merge(Keys({"C", "A"}), Keys({"D"}))), (std::vector<std::string>{"A0", "A1", "T0"}));
    EXPECT_EQ(Names(Merge(Keys({"B"}), Keys({"B"}))), (std::vector<std::string>{"A0", "T0"}));
}

TEST(MergeOrder, TrimEqualKeysCountAsEnclosing) {
    // "ABCDE " lies above " ABCDE" but is trim-equal to it, so it may stand
    // before it.
    EXPECT_EQ(Names(Merge(Keys({"ABCDE ", "ZZZZZZ"}), Keys({" ABCDE"}))),
              (std::vector<std::string>{"A0", "T0", "A1"}));
    // ... and after it.
    EXPECT_EQ(Names(Merge(Keys({"AAAAAA", " ABCDE"}), Keys({"ABCDE "}))),
              (std::vector<std::string>{"A0", "T0", "A1"}));
    // A blank inside the text is not trimmed: "AB CDE" is simply above "AB".
    EXPECT_EQ(Names(Merge(Keys({"AAAAAA", "AB    "}), Keys({"AB CDE"}))),
              (std::vector<std::string>{"A0", "A1", "T0"}));
}

TEST(MergeOrder, CallsBeforeEachInOrderAndStopsAtCapacity) {
    const auto added = Keys({"B", "D", "F"});
    const auto timetable = Keys({"A", "C", "E", "G"});

    std::vector<std::int32_t> calls;
    const auto record = [&calls](std::int32_t i) { calls.push_back(i); };
    EXPECT_EQ(MergeOrder(added, timetable, 7, record).size(), 7u);  // exactly full
    EXPECT_EQ(calls, (std::vector<std::int32_t>{0, 1, 2, 3}));

    calls.clear();
    try {
        MergeOrder(added, timetable, 5, record);
        FAIL() << "expected an overflow";
    } catch (const TarnwellError& e) {
        EXPECT_EQ(e.Kind(), ErrorKind::Overflow);
        EXPECT_NE(e.What().find("flight 2"), std::string::npos) << e.What();
    }
    EXPECT_EQ(calls, (std::vector<std::int32_t>{0, 1, 2}));  // told about the flight that failed

    calls.clear();
    EXPECT_EQ(MergeOrder(added, {}, 3, record).size(), 3u);
    EXPECT_TRUE(calls.empty());
}

void ExpectMergeMatches(const std::vector<ScheduleKey>& added, const std::vector<ScheduleKey>& timetable,
                        const std::string& what) {
    const auto fast = Merge(added, timetable);
    const auto slow = SlowMerge(added, timetable);
    ASSERT_EQ(Names(fast), Names(slow)) << what << ", added " << added.size() << ", timetable " << timetable.size();
}

TEST(MergeOrder, MatchesSlowMergeOnRandomKeys) {
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        KeyMaker make(seed, 1 + seed % 11);
        const auto added = Shape(make.Many(static_cast<std::size_t>(1 + make.Pick(40))), make.Pick(5), make);
        const auto timetable = make.Many(static_cast<std::size_t>(make.Pick(60)));
        ExpectMergeMatches(added, timetable, "seed " + std::to_string(seed));
    }
}

TEST(MergeOrder, MatchesSlowMergeOnLargeLists) {
    // Sizes past several blocks of the fast list, every added shape, and a
    // sorted timetable as well as a random one.
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        KeyMaker make(9000 + seed, 3 + seed * 3);
        const int shape = static_cast<int>(seed % 5);
        const auto added = Shape(make.Many(static_cast<std::size_t>(200 + make.Pick(1800))), shape, make);
        auto timetable = make.Many(static_cast<std::size_t>(200 + make.Pick(1800)));
        if (seed % 4 == 0) std::sort(timetable.begin(), timetable.end(), KeyLess);
        ExpectMergeMatches(added, timetable, "seed " + std::to_string(seed) + ", shape " + std::to_string(shape));
    }
}

}  // namespace
}  // namespace tarnwell
