#include "timetable/ScheduleOrder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "common/Errors.h"

namespace tarnwell {
namespace {

constexpr std::size_t KeyWidth = std::tuple_size_v<ScheduleKey>;

// Keys packed big-endian into one number compare like the bytes do.
std::uint64_t Pack(const ScheduleKey& key) {
    std::uint64_t v = 0;
    for (const char c : key) v = (v << 8) | static_cast<unsigned char>(c);
    return v;
}

// ---------------------------------------------------------------------------
// Exchange sort
//
// Keys end ascending, so only the order inside each group of equal keys v
// needs working out. Call the keys below v "smaller", their ascending original
// positions P[0..p-1], and the ascending original positions of the v keys Q.
// Passes p and later put the v records in the order of the positions they
// hold after pass p - 1, and larger keys never disturb where a v record sits.
// Passes i with P[i] < Q[0] leave the v records alone. Every later pass i < p
// moves the v record that sits lowest to position P[i]. Those moved records
// form a queue on P[j..i-1]: while its front P[j] lies below the lowest v
// record still at its original place, each pass sends the front to the back
// (a rotation, done in one step for a whole stretch of passes); otherwise the
// record at the original place joins the back of the queue.
// ---------------------------------------------------------------------------

// Marks positions and answers "how many marked below x" and "where is the
// k-th marked position".
class PositionCounter {
public:
    explicit PositionCounter(std::size_t n) : tree_(n + 1, 0) {
        while (top_ * 2 <= n) top_ *= 2;
    }

    void Mark(std::size_t position) {
        for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
    }

    // Number of marked positions below `position`.
    std::int64_t CountBelow(std::size_t position) const {
        std::int64_t count = 0;
        for (std::size_t i = position; i > 0; i -= i & (~i + 1)) count += tree_[i];
        return count;
    }

    // Position of the marked position with rank k (0-based); k must be below
    // the number of marked positions.
    std::size_t KthMarked(std::int64_t k) const {
        std::size_t at = 0;
        std::int64_t remaining = k + 1;
        for (std::size_t step = top_; step > 0; step /= 2) {
            if (at + step < tree_.size() && tree_[at + step] < remaining) {
                at += step;
                remaining -= tree_[at];
            }
        }
        return at;  // 1-based index at + 1, so 0-based position at
    }

private:
    std::vector<std::int32_t> tree_;
    std::size_t top_ = 1;
};

// A queue of record indices that can be rotated by any amount in O(log n):
// an implicit treap (in-order = queue order).
class RotatingQueue {
public:
    void Clear() {
        nodes_.clear();
        root_ = Nil;
    }

    std::int64_t Size() const { return SizeOf(root_); }

    void PushBack(std::int32_t value) {
        nodes_.push_back(Node{Nil, Nil, 1, NextPriority(), value});
        root_ = Join(root_, static_cast<std::int32_t>(nodes_.size() - 1));
    }

    // Moves the first `count` entries to the back; count < Size().
    void Rotate(std::int64_t count) {
        if (count == 0) return;
        auto [front, back] = Split(root_, count);
        root_ = Join(back, front);
    }

    void AppendInOrder(std::vector<std::int32_t>& out) const {
        std::vector<std::int32_t> stack;
        std::int32_t at = root_;
        while (at != Nil || !stack.empty()) {
            while (at != Nil) {
                stack.push_back(at);
                at = nodes_[Idx(at)].left;
            }
            at = stack.back();
            stack.pop_back();
            out.push_back(nodes_[Idx(at)].value);
            at = nodes_[Idx(at)].right;
        }
    }

private:
    static constexpr std::int32_t Nil = -1;

    struct Node {
        std::int32_t left;
        std::int32_t right;
        std::int64_t size;
        std::uint64_t priority;
        std::int32_t value;
    };

    static std::size_t Idx(std::int32_t node) { return static_cast<std::size_t>(node); }

    std::int64_t SizeOf(std::int32_t node) const { return node == Nil ? 0 : nodes_[Idx(node)].size; }

    void Update(std::int32_t node) {
        Node& n = nodes_[Idx(node)];
        n.size = 1 + SizeOf(n.left) + SizeOf(n.right);
    }

    std::uint64_t NextPriority() {
        // splitmix64
        std::uint64_t z = (seed_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    std::int32_t Join(std::int32_t a, std::int32_t b) {
        if (a == Nil) return b;
        if (b == Nil) return a;
        if (nodes_[Idx(a)].priority > nodes_[Idx(b)].priority) {
            const std::int32_t right = Join(nodes_[Idx(a)].right, b);
            nodes_[Idx(a)].right = right;
            Update(a);
            return a;
        }
        const std::int32_t left = Join(a, nodes_[Idx(b)].left);
        nodes_[Idx(b)].left = left;
        Update(b);
        return b;
    }

    // Splits into the first `count` entries and the rest.
    std::pair<std::int32_t, std::int32_t> Split(std::int32_t node, std::int64_t count) {
        if (node == Nil) return {Nil, Nil};
        const std::int64_t leftSize = SizeOf(nodes_[Idx(node)].left);
        if (count <= leftSize) {
            auto [a, b] = Split(nodes_[Idx(node)].left, count);
            nodes_[Idx(node)].left = b;
            Update(node);
            return {a, node};
        }
        auto [a, b] = Split(nodes_[Idx(node)].right, count - leftSize - 1);
        nodes_[Idx(node)].right = a;
        Update(node);
        return {node, b};
    }

    std::vector<Node> nodes_;
    std::int32_t root_ = Nil;
    std::uint64_t seed_ = 0x2545F4914F6CDD1DULL;
};

// Appends the final order of one group of equal keys, whose original
// positions `group` are ascending; `smaller` has the positions of all smaller
// keys marked, `p` of them.
void OrderGroup(std::span<const std::int32_t> group, const PositionCounter& smaller, std::int64_t p,
                RotatingQueue& queue, std::vector<std::int32_t>& scratch,
                std::vector<std::int32_t>& out) {
    const auto m = group.size();
    auto at = [&group](std::size_t r) { return static_cast<std::size_t>(group[r]); };

    std::int64_t i = p > 0 ? smaller.CountBelow(at(0)) : 0;
    if (i >= p) {  // every smaller key already lies before the group
        out.insert(out.end(), group.begin(), group.end());
        return;
    }

    // The queue sits on P[j..i-1]; group[r..] are still at their places.
    queue.Clear();
    std::int64_t j = i;
    std::size_t r = 0;
    while (i < p) {
        const std::int64_t queued = i - j;
        if (queued == 0) {
            queue.PushBack(group[r++]);
            ++i;
            continue;
        }
        std::int64_t stretch = p - i;
        if (r < m) stretch = std::min(stretch, smaller.CountBelow(at(r)) - j);
        if (stretch > 0) {
            queue.Rotate(stretch % queued);
            i += stretch;
            j += stretch;
        } else {
            queue.PushBack(group[r++]);
            ++i;
        }
    }

    // Queue entry t sits at P[j + t]; merge with the records never moved.
    scratch.clear();
    queue.AppendInOrder(scratch);
    std::size_t t = 0;
    std::size_t nextSlot = scratch.empty() ? 0 : smaller.KthMarked(j);
    while (t < scratch.size() || r < m) {
        if (t < scratch.size() && (r == m || nextSlot < at(r))) {
            out.push_back(scratch[t++]);
            if (t < scratch.size()) nextSlot = smaller.KthMarked(j + static_cast<std::int64_t>(t));
        } else {
            out.push_back(group[r++]);
        }
    }
}

// ---------------------------------------------------------------------------
// Merge placement
//
// With le(x) = "x below K or trim-equal to K" and ge(x) = "x above K or
// trim-equal to K", the first enclosing pair (k, k + 1) is found from i0, the
// first entry with le, and j, the first entry after i0 with ge: any k with
// le(L[k]) is at least i0, entries strictly between i0 and j are below K and
// not trim-equal, so L[j - 1] has le and no earlier k has ge(L[k + 1]).
// Hence K goes in front of L[j], or nowhere when i0 or j does not exist.
//
// The keys trim-equal to K are few (the trimmed text shifted between blanks),
// so "trim-equal to K" is a look-up of at most seven packed keys. The list is
// kept as a sequence of blocks, each knowing its least and greatest key and a
// sorted copy of its keys, so whole blocks are ruled out quickly.
// ---------------------------------------------------------------------------

// All keys trim-equal to `key`, as packed numbers.
struct TrimClass {
    std::array<std::uint64_t, KeyWidth + 1> keys{};
    std::size_t count = 0;
};

TrimClass TrimClassOf(const ScheduleKey& key) {
    std::size_t first = 0;
    while (first < KeyWidth && key[first] == ' ') ++first;
    TrimClass cls;
    if (first == KeyWidth) {
        cls.keys[cls.count++] = Pack(key);
        return cls;
    }
    std::size_t last = KeyWidth - 1;
    while (key[last] == ' ') --last;
    const std::size_t length = last - first + 1;
    for (std::size_t offset = 0; offset + length <= KeyWidth; ++offset) {
        ScheduleKey shifted;
        shifted.fill(' ');
        std::copy_n(key.begin() + static_cast<std::ptrdiff_t>(first), length,
                    shifted.begin() + static_cast<std::ptrdiff_t>(offset));
        cls.keys[cls.count++] = Pack(shifted);
    }
    return cls;
}

// A few packed keys looked up by linear search.
struct KeySet {
    std::array<std::uint64_t, KeyWidth + 1> keys{};
    std::size_t count = 0;

    bool Has(std::uint64_t x) const {
        for (std::size_t i = 0; i < count; ++i)
            if (keys[i] == x) return true;
        return false;
    }
};

class BlockList {
public:
    struct Place {
        std::size_t block;
        std::size_t offset;
    };

    BlockList(std::span<const ScheduleKey> added, std::size_t capacityHint) {
        blocks_.reserve(capacityHint / TargetSize + 2);
        for (std::size_t start = 0; start < added.size(); start += TargetSize) {
            Block b;
            const std::size_t end = std::min(added.size(), start + TargetSize);
            for (std::size_t i = start; i < end; ++i) {
                b.keys.push_back(Pack(added[i]));
                b.entries.push_back(MergedEntry{false, static_cast<std::int32_t>(i)});
            }
            Refresh(b);
            blocks_.push_back(std::move(b));
        }
        if (blocks_.empty()) blocks_.emplace_back();  // keeps End() valid
        size_ = added.size();
    }

    std::size_t Size() const { return size_; }
    std::uint64_t First() const { return blocks_.front().keys.front(); }
    Place End() const { return {blocks_.size() - 1, blocks_.back().keys.size()}; }

    // First entry that is below `key` or in `alsoMatch` (keys >= key).
    std::optional<Place> FindFirstNotAbove(std::uint64_t key, const KeySet& alsoMatch) const {
        for (std::size_t b = 0; b < blocks_.size(); ++b) {
            const Block& block = blocks_[b];
            if (block.min >= key && !Contains(block, alsoMatch)) continue;
            for (std::size_t o = 0; o < block.keys.size(); ++o) {
                const std::uint64_t x = block.keys[o];
                if (x < key || alsoMatch.Has(x)) return Place{b, o};
            }
        }
        return std::nullopt;
    }

    // First entry after `from` that is above `key` or in `alsoMatch` (keys <= key).
    std::optional<Place> FindFirstNotBelowAfter(Place from, std::uint64_t key, const KeySet& alsoMatch) const {
        std::size_t o = from.offset + 1;
        for (std::size_t b = from.block; b < blocks_.size(); ++b, o = 0) {
            const Block& block = blocks_[b];
            if (block.max <= key && !Contains(block, alsoMatch)) continue;
            for (; o < block.keys.size(); ++o) {
                const std::uint64_t x = block.keys[o];
                if (x > key || alsoMatch.Has(x)) return Place{b, o};
            }
        }
        return std::nullopt;
    }

    void Insert(Place place, std::uint64_t key, MergedEntry entry) {
        Block& block = blocks_[place.block];
        const auto at = static_cast<std::ptrdiff_t>(place.offset);
        block.keys.insert(block.keys.begin() + at, key);
        block.entries.insert(block.entries.begin() + at, entry);
        block.sorted.insert(std::upper_bound(block.sorted.begin(), block.sorted.end(), key), key);
        block.min = std::min(block.min, key);
        block.max = std::max(block.max, key);
        ++size_;
        if (block.keys.size() >= 2 * TargetSize) SplitBlock(place.block);
    }

    std::vector<MergedEntry> Entries() const {
        std::vector<MergedEntry> out;
        out.reserve(size_);
        for (const Block& b : blocks_) out.insert(out.end(), b.entries.begin(), b.entries.end());
        return out;
    }

private:
    static constexpr std::size_t TargetSize = 256;

    struct Block {
        std::vector<std::uint64_t> keys;     // list order
        std::vector<MergedEntry> entries;    // list order
        std::vector<std::uint64_t> sorted;   // the same keys, ascending
        std::uint64_t min = ~std::uint64_t{0};  // empty: no key in range
        std::uint64_t max = 0;
    };

    static void Refresh(Block& b) {
        b.sorted = b.keys;
        std::sort(b.sorted.begin(), b.sorted.end());
        if (!b.sorted.empty()) {
            b.min = b.sorted.front();
            b.max = b.sorted.back();
        }
    }

    static bool Contains(const Block& b, const KeySet& set) {
        for (std::size_t i = 0; i < set.count; ++i) {
            const std::uint64_t x = set.keys[i];
            if (x >= b.min && x <= b.max && std::binary_search(b.sorted.begin(), b.sorted.end(), x)) return true;
        }
        return false;
    }

    void SplitBlock(std::size_t index) {
        Block upper;
        {
            Block& lower = blocks_[index];
            const auto half = static_cast<std::ptrdiff_t>(lower.keys.size() / 2);
            upper.keys.assign(lower.keys.begin() + half, lower.keys.end());
            upper.entries.assign(lower.entries.begin() + half, lower.entries.end());
            lower.keys.erase(lower.keys.begin() + half, lower.keys.end());
            lower.entries.erase(lower.entries.begin() + half, lower.entries.end());
            Refresh(lower);
            Refresh(upper);
        }
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(index) + 1, std::move(upper));
    }

    std::vector<Block> blocks_;
    std::size_t size_ = 0;
};

}  // namespace

std::vector<std::int32_t> ExchangeSortOrder(std::span<const ScheduleKey> keys) {
    const std::size_t n = keys.size();
    std::vector<std::pair<std::uint64_t, std::int32_t>> byKey(n);
    for (std::size_t i = 0; i < n; ++i) byKey[i] = {Pack(keys[i]), static_cast<std::int32_t>(i)};
    std::sort(byKey.begin(), byKey.end());

    std::vector<std::int32_t> positions(n);
    for (std::size_t i = 0; i < n; ++i) positions[i] = byKey[i].second;

    PositionCounter smaller(n);
    RotatingQueue queue;
    std::vector<std::int32_t> scratch;
    std::vector<std::int32_t> out;
    out.reserve(n);
    for (std::size_t start = 0; start < n;) {
        std::size_t end = start + 1;
        while (end < n && byKey[end].first == byKey[start].first) ++end;
        const std::span<const std::int32_t> group(positions.data() + start, end - start);
        OrderGroup(group, smaller, static_cast<std::int64_t>(start), queue, scratch, out);
        for (const std::int32_t pos : group) smaller.Mark(static_cast<std::size_t>(pos));
        start = end;
    }
    return out;
}

std::vector<MergedEntry> MergeOrder(std::span<const ScheduleKey> added, std::span<const ScheduleKey> timetable,
                                    std::int32_t capacity, const std::function<void(std::int32_t)>& beforeEach) {
    BlockList list(added, added.size() + timetable.size());
    for (std::size_t t = 0; t < timetable.size(); ++t) {
        const auto flight = static_cast<std::int32_t>(t);
        if (beforeEach) beforeEach(flight);
        if (capacity < 0 || list.Size() >= static_cast<std::size_t>(capacity)) {
            throw TarnwellError(ErrorKind::Overflow,
                                "timetable flight " + std::to_string(flight) +
                                    " does not fit: the schedule holds at most " + std::to_string(capacity) +
                                    " flights");
        }

        const std::uint64_t key = Pack(timetable[t]);
        const TrimClass cls = TrimClassOf(timetable[t]);
        KeySet notBelow;  // trim-equal keys >= key, which count as "not above"
        KeySet notAbove;  // trim-equal keys <= key, which count as "not below"
        for (std::size_t c = 0; c < cls.count; ++c) {
            const std::uint64_t x = cls.keys[c];
            if (x >= key) notBelow.keys[notBelow.count++] = x;
            if (x <= key) notAbove.keys[notAbove.count++] = x;
        }

        const MergedEntry entry{true, flight};
        std::optional<BlockList::Place> place;
        if (const auto low = list.FindFirstNotAbove(key, notBelow)) {
            place = list.FindFirstNotBelowAfter(*low, key, notAbove);
        }
        if (!place) place = list.Size() > 0 && key < list.First() ? BlockList::Place{0, 0} : list.End();
        list.Insert(*place, key, entry);
    }
    return list.Entries();
}

}  // namespace tarnwell
