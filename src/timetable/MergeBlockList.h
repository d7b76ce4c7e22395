#pragma once
// The list the timetable flights are merged into, as packed keys with their
// entries. It is kept as a sequence of blocks of a few hundred entries, each
// knowing its least and greatest key and holding a sorted copy of its keys,
// so the searches rule out whole blocks quickly.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "records/ScheduleRecord.h"
#include "timetable/MergeOrder.h"
#include "timetable/TrimEqualKeys.h"

namespace tarnwell {

class MergeBlockList {
public:
    struct Place {
        std::size_t block;
        std::size_t offset;
    };

    // The list of the added keys, with room reserved for `capacityHint` entries.
    MergeBlockList(std::span<const ScheduleKey> added, std::size_t capacityHint);

    std::size_t Size() const { return size_; }
    // The first key; the list must not be empty.
    std::uint64_t First() const { return blocks_.front().keys.front(); }
    Place End() const { return {blocks_.size() - 1, blocks_.back().keys.size()}; }

    // First entry that is below `key` or in `alsoMatch` (keys >= key).
    std::optional<Place> FindFirstNotAbove(std::uint64_t key, const PackedKeySet& alsoMatch) const;

    // First entry after `from` that is above `key` or in `alsoMatch` (keys <= key).
    std::optional<Place> FindFirstNotBelowAfter(Place from, std::uint64_t key, const PackedKeySet& alsoMatch) const;

    // Inserts in front of the entry at `place` (or at the end).
    void Insert(Place place, std::uint64_t key, MergedEntry entry);

    std::vector<MergedEntry> Entries() const;

private:
    static constexpr std::size_t TargetSize = 256;

    struct Block {
        std::vector<std::uint64_t> keys;     // list order
        std::vector<MergedEntry> entries;    // list order
        std::vector<std::uint64_t> sorted;   // the same keys, ascending
        std::uint64_t min = ~std::uint64_t{0};  // empty: no key in range
        std::uint64_t max = 0;
    };

    // Sorted copy, least and greatest key from the keys.
    static void Refresh(Block& block);
    static bool ContainsAny(const Block& block, const PackedKeySet& set);
    void SplitBlock(std::size_t index);

    std::vector<Block> blocks_;
    std::size_t size_ = 0;
};

}  // namespace tarnwell
