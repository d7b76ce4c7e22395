#include "timetable/RotatingQueue.h"

namespace tarnwell {

void RotatingQueue::Clear() {
    nodes_.clear();
    root_ = Nil;
}

void RotatingQueue::PushBack(std::int32_t value) {
    nodes_.push_back(Node{Nil, Nil, 1, NextPriority(), value});
    root_ = Join(root_, static_cast<std::int32_t>(nodes_.size() - 1));
}

void RotatingQueue::Rotate(std::int64_t count) {
    if (count == 0) return;
    auto [front, back] = Split(root_, count);
    root_ = Join(back, front);
}

void RotatingQueue::AppendInOrder(std::vector<std::int32_t>& out) const {
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

void RotatingQueue::UpdateSize(std::int32_t node) {
    Node& n = nodes_[Idx(node)];
    n.size = 1 + SizeOf(n.left) + SizeOf(n.right);
}

std::uint64_t RotatingQueue::NextPriority() {
    // splitmix64
    std::uint64_t z = (seed_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::int32_t RotatingQueue::Join(std::int32_t a, std::int32_t b) {
    if (a == Nil) return b;
    if (b == Nil) return a;
    if (nodes_[Idx(a)].priority > nodes_[Idx(b)].priority) {
        const std::int32_t right = Join(nodes_[Idx(a)].right, b);
        nodes_[Idx(a)].right = right;
        UpdateSize(a);
        return a;
    }
    const std::int32_t left = Join(a, nodes_[Idx(b)].left);
    nodes_[Idx(b)].left = left;
    UpdateSize(b);
    return b;
}

std::pair<std::int32_t, std::int32_t> RotatingQueue::Split(std::int32_t node, std::int64_t count) {
    if (node == Nil) return {Nil, Nil};
    const std::int64_t leftSize = SizeOf(nodes_[Idx(node)].left);
    if (count <= leftSize) {
        auto [a, b] = Split(nodes_[Idx(node)].left, count);
        nodes_[Idx(node)].left = b;
        UpdateSize(node);
        return {a, node};
    }
    auto [a, b] = Split(nodes_[Idx(node)].right, count - leftSize - 1);
    nodes_[Idx(node)].right = a;
    UpdateSize(node);
    return {node, b};
}

}  // namespace tarnwell
