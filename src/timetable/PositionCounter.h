#pragma once
// Marks positions 0..n-1 and answers "how many marked below x" and "where is
// the k-th marked position", each in O(log n) (a Fenwick tree). Small and on
// the hot path of the exchange sort order, so it is defined here in full.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnwell {

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

    // The marked position of rank k (0-based); k must be below the number of
    // marked positions.
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

}  // namespace tarnwell
