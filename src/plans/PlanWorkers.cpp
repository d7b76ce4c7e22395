#include "plans/PlanWorkers.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "plans/SearchState.h"

namespace tarnwell {

namespace {

// The plans built so far, each waiting in its slot until the caller takes it.
class PlanSlots {
public:
    explicit PlanSlots(std::int32_t count) : slots_(static_cast<std::size_t>(count) + 1) {}

    void Put(std::int32_t i, PlanBuildResult result) {
        {
            std::lock_guard lock(mutex_);
            slots_[static_cast<std::size_t>(i)] = std::move(result);
        }
        ready_.notify_all();
    }
    void Fail(std::exception_ptr error) {
        {
            std::lock_guard lock(mutex_);
            if (!error_) error_ = error;
        }
        ready_.notify_all();
    }
    // Waits for plan i (or a worker's failure, which it rethrows).
    PlanBuildResult Take(std::int32_t i) {
        std::unique_lock lock(mutex_);
        auto& slot = slots_[static_cast<std::size_t>(i)];
        ready_.wait(lock, [&] { return slot.has_value() || error_; });
        if (error_) std::rethrow_exception(error_);
        PlanBuildResult result = std::move(*slot);
        slot.reset();
        return result;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<std::optional<PlanBuildResult>> slots_;
    std::exception_ptr error_;
};

}  // namespace

int DefaultPlanJobs() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

void BuildPlansInOrder(const NavigationData& nav, std::span<const UniqueRoute> UniqueRoutes, int jobs,
                       ClockSource& clocks, const std::function<void(std::int32_t)>& before,
                       const std::function<void(std::int32_t, PlanBuildResult&)>& take) {
    const std::int32_t count = UniqueRouteCount(UniqueRoutes);
    const auto route = [&](std::int32_t i) -> const UniqueRoute& { return UniqueRoutes[static_cast<std::size_t>(i)]; };
    const int workers = std::clamp(jobs > 0 ? jobs : DefaultPlanJobs(), 1, std::max(count, 1));
    if (workers == 1) {
        SearchState search;
        const std::unique_ptr<Clock> clock = clocks.NewClock();
        for (std::int32_t i = 1; i <= count; ++i) {
            before(i);
            PlanBuildResult result = BuildPlan(nav, search, *clock, route(i));
            take(i, result);
        }
        return;
    }

    PlanSlots slots(count);
    std::atomic<std::int32_t> next{1};
    std::vector<std::unique_ptr<Clock>> workerClocks;
    for (int w = 0; w < workers; ++w) workerClocks.push_back(clocks.NewClock());
    // Declared last: leaving this function stops the workers and waits for
    // them before the slots and clocks they use go away.
    std::vector<std::jthread> threads;
    for (int w = 0; w < workers; ++w)
        threads.emplace_back([&, clock = workerClocks[static_cast<std::size_t>(w)].get()](std::stop_token stop) {
            try {
                SearchState search;
                for (std::int32_t i = next++; i <= count && !stop.stop_requested(); i = next++)
                    slots.Put(i, BuildPlan(nav, search, *clock, route(i)));
            } catch (...) {
                slots.Fail(std::current_exception());
            }
        });
    for (std::int32_t i = 1; i <= count; ++i) {
        before(i);
        PlanBuildResult result = slots.Take(i);
        take(i, result);
    }
}

}  // namespace tarnwell
