#include "timetable/MergeBlockList.h"

#include <algorithm>
#include <utility>

#include "timetable/PackedScheduleKey.h"

namespace tarnwell {

MergeBlockList::MergeBlockList(std::span<const ScheduleKey> added, std::size_t capacityHint) {
    blocks_.reserve(capacityHint / TargetSize + 2);
    for (std::size_t start = 0; start < added.size(); start += TargetSize) {
        Block block;
        const std::size_t end = std::min(added.size(), start + TargetSize);
        for (std::size_t i = start; i < end; ++i) {
            block.keys.push_back(PackScheduleKey(added[i]));
            block.entries.push_back(MergedEntry{false, static_cast<std::int32_t>(i)});
        }
        Refresh(block);
        blocks_.push_back(std::move(block));
    }
    if (blocks_.empty()) blocks_.emplace_back();  // keeps End() valid
    size_ = added.size();
}

std::optional<MergeBlockList::Place> MergeBlockList::FindFirstNotAbove(std::uint64_t key,
                                                                       const PackedKeySet& alsoMatch) const {
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const Block& block = blocks_[b];
        if (block.min >= key && !ContainsAny(block, alsoMatch)) continue;
        for (std::size_t o = 0; o < block.keys.size(); ++o) {
            const std::uint64_t x = block.keys[o];
            if (x < key || alsoMatch.Has(x)) return Place{b, o};
        }
    }
    return std::nullopt;
}

std::optional<MergeBlockList::Place> MergeBlockList::FindFirstNotBelowAfter(Place from, std::uint64_t key,
                                                                            const PackedKeySet& alsoMatch) const {
    std::size_t o = from.offset + 1;
    for (std::size_t b = from.block; b < blocks_.size(); ++b, o = 0) {
        const Block& block = blocks_[b];
        if (block.max <= key && !ContainsAny(block, alsoMatch)) continue;
        for (; o < block.keys.size(); ++o) {
            const std::uint64_t x = block.keys[o];
            if (x > key || alsoMatch.Has(x)) return Place{b, o};
        }
    }
    return std::nullopt;
}

void MergeBlockList::Insert(Place place, std::uint64_t key, MergedEntry entry) {
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

std::vector<MergedEntry> MergeBlockList::Entries() const {
    std::vector<MergedEntry> out;
    out.reserve(size_);
    for (const Block& block : blocks_) out.insert(out.end(), block.entries.begin(), block.entries.end());
    return out;
}

void MergeBlockList::Refresh(Block& block) {
    block.sorted = block.keys;
    std::sort(block.sorted.begin(), block.sorted.end());
    if (!block.sorted.empty()) {
        block.min = block.sorted.front();
        block.max = block.sorted.back();
    }
}

bool MergeBlockList::ContainsAny(const Block& block, const PackedKeySet& set) {
    for (const std::uint64_t x : set) {
        if (x >= block.min && x <= block.max && std::binary_search(block.sorted.begin(), block.sorted.end(), x)) {
            return true;
        }
    }
    return false;
}

void MergeBlockList::SplitBlock(std::size_t index) {
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

}  // namespace tarnwell
