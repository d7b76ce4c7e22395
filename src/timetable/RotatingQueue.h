#pragma once
// A queue of record indices that can be rotated by any amount in O(log n):
// an implicit treap whose in-order sequence is the queue order.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace tarnwell {

class RotatingQueue {
public:
    void Clear();
    void PushBack(std::int32_t value);

    // Moves the first `count` entries to the back; count is below the number
    // of entries.
    void Rotate(std::int64_t count);

    // Appends the entries to `out`, front first.
    void AppendInOrder(std::vector<std::int32_t>& out) const;

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
    void UpdateSize(std::int32_t node);
    std::uint64_t NextPriority();

    // The tree holding a's entries followed by b's.
    std::int32_t Join(std::int32_t a, std::int32_t b);

    // Splits into the first `count` entries and the rest.
    std::pair<std::int32_t, std::int32_t> Split(std::int32_t node, std::int64_t count);

    std::vector<Node> nodes_;
    std::int32_t root_ = Nil;
    std::uint64_t seed_ = 0x2545F4914F6CDD1DULL;
};

}  // namespace tarnwell
