#include "timetable/ExchangeSortOrder.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "timetable/PackedScheduleKey.h"
#include "timetable/PositionCounter.h"
#include "timetable/RotatingQueue.h"

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

namespace tarnwell {
namespace {

// Where passes ..i-1 have left a group: the moved records form the queue on
// P[queueStart..i-1], and group[unmoved..] still sit at their original places.
struct GroupAfterPasses {
    std::int64_t queueStart;
    std::size_t unmoved;
};

// Works out the groups of equal keys in ascending key order; each group is
// counted among the smaller keys of the groups after it.
class GroupOrderer {
public:
    explicit GroupOrderer(std::size_t recordCount) : smaller_(recordCount) {}

    // Appends the final order of a group whose original positions `group`
    // are ascending; `smallerCount` records have smaller keys.
    void AppendGroup(std::span<const std::int32_t> group, std::int64_t smallerCount,
                     std::vector<std::int32_t>& out) {
        const std::int64_t firstPass = smallerCount > 0 ? smaller_.CountBelow(PositionOf(group, 0)) : 0;
        if (firstPass >= smallerCount) {  // every smaller key already lies before the group
            out.insert(out.end(), group.begin(), group.end());
        } else {
            const GroupAfterPasses after = RunSmallerPasses(group, firstPass, smallerCount);
            AppendQueueAndUnmoved(group, after, out);
        }
        for (const std::int32_t position : group) smaller_.Mark(static_cast<std::size_t>(position));
    }

private:
    static std::size_t PositionOf(std::span<const std::int32_t> group, std::size_t r) {
        return static_cast<std::size_t>(group[r]);
    }

    // Runs passes firstPass..smallerCount-1 over the group; before firstPass
    // every group record is still at its original place.
    GroupAfterPasses RunSmallerPasses(std::span<const std::int32_t> group, std::int64_t firstPass,
                                      std::int64_t smallerCount) {
        queue_.Clear();
        std::int64_t pass = firstPass;
        GroupAfterPasses at{firstPass, 0};
        while (pass < smallerCount) {
            const std::int64_t queued = pass - at.queueStart;
            if (queued == 0) {
                queue_.PushBack(group[at.unmoved++]);
                ++pass;
                continue;
            }
            // The passes that only rotate the queue: those while its front
            // lies below the lowest unmoved record.
            std::int64_t stretch = smallerCount - pass;
            if (at.unmoved < group.size()) {
                stretch = std::min(stretch, smaller_.CountBelow(PositionOf(group, at.unmoved)) - at.queueStart);
            }
            if (stretch > 0) {
                queue_.Rotate(stretch % queued);
                pass += stretch;
                at.queueStart += stretch;
            } else {
                queue_.PushBack(group[at.unmoved++]);
                ++pass;
            }
        }
        return at;
    }

    // Queue entry t sits at P[queueStart + t]; merges the queue by position
    // with the records never moved.
    void AppendQueueAndUnmoved(std::span<const std::int32_t> group, GroupAfterPasses after,
                               std::vector<std::int32_t>& out) {
        queued_.clear();
        queue_.AppendInOrder(queued_);
        std::size_t t = 0;
        std::size_t r = after.unmoved;
        std::size_t nextSlot = queued_.empty() ? 0 : smaller_.KthMarked(after.queueStart);
        while (t < queued_.size() || r < group.size()) {
            if (t < queued_.size() && (r == group.size() || nextSlot < PositionOf(group, r))) {
                out.push_back(queued_[t++]);
                if (t < queued_.size()) nextSlot = smaller_.KthMarked(after.queueStart + static_cast<std::int64_t>(t));
            } else {
                out.push_back(group[r++]);
            }
        }
    }

    PositionCounter smaller_;
    RotatingQueue queue_;
    std::vector<std::int32_t> queued_;
};

// Original indices ordered by key, equal keys by index.
std::vector<std::pair<std::uint64_t, std::int32_t>> IndicesByKey(std::span<const ScheduleKey> keys) {
    std::vector<std::pair<std::uint64_t, std::int32_t>> byKey(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) byKey[i] = {PackScheduleKey(keys[i]), static_cast<std::int32_t>(i)};
    std::sort(byKey.begin(), byKey.end());
    return byKey;
}

}  // namespace

std::vector<std::int32_t> ExchangeSortOrder(std::span<const ScheduleKey> keys) {
    const std::size_t n = keys.size();
    const auto byKey = IndicesByKey(keys);
    std::vector<std::int32_t> positions(n);
    for (std::size_t i = 0; i < n; ++i) positions[i] = byKey[i].second;

    GroupOrderer orderer(n);
    std::vector<std::int32_t> out;
    out.reserve(n);
    for (std::size_t start = 0; start < n;) {
        std::size_t end = start + 1;
        while (end < n && byKey[end].first == byKey[start].first) ++end;
        orderer.AppendGroup({positions.data() + start, end - start}, static_cast<std::int64_t>(start), out);
        start = end;
    }
    return out;
}

}  // namespace tarnwell
