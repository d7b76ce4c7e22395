#include "plans/AirwaySearch.h"

#include <cmath>
#include <limits>

#include "common/Errors.h"
#include "geo/GreatCircle.h"

namespace tarnwell {

namespace {

constexpr float NotArrived = std::numeric_limits<float>::infinity();

// A found route is stored as entries 1 to L + 1 for L legs; the route
// entries end at 199, so a chain of more than 198 legs cannot be kept.
constexpr std::int32_t MostLegsStored = RouteEntryCapacity - 2;

// One visit in progress: the node, how far it was reached, the course from
// it to the target, and where the visit stands.
struct Visit {
    enum class Stage { Greedy, AfterGreedy, AllLegs, AfterLeg };
    std::int32_t node;
    float dist;
    float course;
    const AirwayLeg* legs;
    std::int32_t legCount;
    std::int32_t k = 0;
    Stage stage = Stage::Greedy;
};

// The recursive visits of one SearchNode call, run on an explicit stack so
// that the 5,000-leg chains the path allows need no deep call stack. "Ending
// a visit" drops its entry; its parent then carries on with its next leg,
// just as a visit that fails does.
class VisitRunner {
public:
    VisitRunner(const AirwayNetwork& network, SearchState& state, Clock& clock)
        : f_(state), net_(network), clock_(clock), targetKey_(AirwayNetwork::IdentKeyOf(state.TargetIdent)) {}

    void Run(std::int32_t node, float dist) {
        Open(node, dist);
        while (!stack_.empty()) Step();
    }

private:
    // The start of a visit: the visited test, the record, the bound. Pushes the visit
    // unless it ends already.
    void Open(std::int32_t node, float dist) {
        if (!net_.Contains(node)) return;
        // The visited list is full: its scan and its next entry fail.
        if (f_.VisitCount >= VisitedCapacity) return;
        float& shortest = f_.ShortestArrival[static_cast<std::size_t>(node)];
        if (dist >= shortest) return;
        ++f_.VisitCount;
        if (f_.VisitCount >= VisitedCapacity) return;
        if (shortest == NotArrived) f_.ArrivedNodes.push_back(node);
        shortest = dist;

        const AirwayNode& here = net_.NodeUnchecked(node);
        SearchState::TargetBearing& toTarget = f_.ToTarget[static_cast<std::size_t>(node)];
        if (toTarget.search != f_.SearchNumber) {
            toTarget.search = f_.SearchNumber;
            try {
                toTarget.remaining =
                    GetDistance(here.Latitude, here.Longitude, f_.TargetLat, f_.TargetLon, toTarget.course);
                toTarget.fault = false;
            } catch (const TarnwellError&) {
                toTarget.fault = true;
            }
            if (toTarget.course < 0) toTarget.course += 360;
        }
        if (toTarget.fault) return;
        const float bound = dist + toTarget.remaining;
        if (!std::isfinite(bound) || bound >= f_.MaxRouteDist) return;
        if (here.LegCount <= 0) return;  // no leg to choose from
        stack_.push_back(Visit{node, dist, toTarget.course, net_.LegsUnchecked(node), here.LegCount});
    }

    void End() { stack_.pop_back(); }

    void Step() {
        Visit& v = stack_.back();
        switch (v.stage) {
            case Visit::Stage::Greedy: return Greedy(v);
            case Visit::Stage::AfterGreedy:
                --f_.PathLen;
                v.stage = Visit::Stage::AllLegs;
                v.k = 0;
                return;
            case Visit::Stage::AllLegs: return NextLeg(v);
            case Visit::Stage::AfterLeg:
                --f_.PathLen;
                ++v.k;
                v.stage = Visit::Stage::AllLegs;
                return;
        }
    }

    // The leg pointing most nearly at the target is tried first, whether or
    // not it fits the budget; ties keep the lower slot.
    void Greedy(Visit& v) {
        const AirwayLeg* legs = v.legs;
        std::int32_t best = 0;
        float bestDev = AngleDiff(legs[0].LegCourse, v.course);
        for (std::int32_t k = 1; k < v.legCount; ++k) {
            const float dev = AngleDiff(legs[k].LegCourse, v.course);
            if (dev < bestDev) {
                best = k;
                bestDev = dev;
            }
        }
        const AirwayLeg& leg = legs[best];
        const float next = v.dist + leg.LegLength;
        if (!std::isfinite(next)) return End();
        if (next < f_.MaxRouteDist) {
            if (bestDev > 90) return End();
            v.stage = Visit::Stage::AfterGreedy;
            return Follow(v, leg, next);
        }
        v.stage = Visit::Stage::AllLegs;
        v.k = 0;
    }

    void NextLeg(Visit& v) {
        if (v.k >= v.legCount) return End();
        if (clock_.GetTickCount() - f_.SearchStartTicks >= static_cast<std::uint32_t>(f_.SearchTimeLimit)) return End();
        const AirwayLeg& leg = v.legs[v.k];
        const float next = v.dist + leg.LegLength;
        if (!std::isfinite(next)) return End();
        if (next < f_.MaxRouteDist && AngleDiff(leg.LegCourse, v.course) <= 90) {
            v.stage = Visit::Stage::AfterLeg;
            return Follow(v, leg, next);
        }
        ++v.k;
    }

    // Takes a leg of the visit: a route when it reaches the target,
    // otherwise a visit of the node it leads to. `v.stage` already says where
    // the visit resumes after the child visit.
    void Follow(Visit& v, const AirwayLeg& leg, float next) {
        const std::int32_t to = leg.Neighbour;
        if (!net_.Contains(to)) return End();
        if (net_.IdentKey(to) == targetKey_ && f_.PathLen <= MostLegsStored) {
            Finish(v, leg, next);
            return End();
        }
        if (f_.PathLen >= SearchPathCapacity) return End();  // the path is full
        Push(to, v.node, leg.AirwayName);
        Open(to, next);  // may move `v`: not used after this
    }

    // Adds a leg to the path, field by field (a whole PathLeg built first
    // and copied costs the search a stall at every leg).
    void Push(std::int32_t to, std::int32_t from, const FixedText<5>& airway) {
        PathLeg& leg = f_.SearchPath[static_cast<std::size_t>(f_.PathLen)];
        leg.ToNode = to;
        leg.FromNode = from;
        leg.AirwayName.chars = airway.chars;
        ++f_.PathLen;
    }

    // A route has been found: it becomes the budget and the route entries,
    // and the time limit starts again.
    void Finish(const Visit& v, const AirwayLeg& leg, float next) {
        f_.MaxRouteDist = next;
        Push(leg.Neighbour, v.node, leg.AirwayName);
        f_.RouteCount = static_cast<std::int16_t>(f_.PathLen);
        StoreAirwayRoute(f_);
        f_.SearchStartTicks = clock_.GetTickCount();
        --f_.PathLen;
    }

    SearchState& f_;
    const AirwayNetwork& net_;
    Clock& clock_;
    const std::uint64_t targetKey_;  // the target's identifier as one number
    std::vector<Visit> stack_;
};

}  // namespace

float InitialBudget(const SearchState& f) {
    float course = 0.0f;
    return GetDistance(f.DepLatitude, f.DepLongitude, f.ArrLatitude, f.ArrLongitude, course) * 1.25f;
}

void StoreAirwayRoute(SearchState& f) {
    const std::int32_t L = f.PathLen - 1;
    if (L + 1 >= RouteEntryCapacity)
        throw TarnwellError(ErrorKind::Overflow, "a route of " + std::to_string(L) + " legs exceeds the route entries");
    for (std::int32_t i = 1; i <= L; ++i) {
        const PathLeg& leg = f.SearchPath[static_cast<std::size_t>(i)];
        RouteEntry& entry = f.RouteEntries[static_cast<std::size_t>(i)];
        entry.RouteType = PointKind::AirwayNode;
        entry.RouteRef = leg.FromNode;
        entry.RouteAirway = leg.AirwayName;
    }
    const PathLeg& last = f.SearchPath[static_cast<std::size_t>(L)];
    RouteEntry& end = f.RouteEntries[static_cast<std::size_t>(L + 1)];
    end.RouteType = PointKind::AirwayNode;
    end.RouteRef = last.ToNode;
    end.RouteAirway = last.AirwayName;
}

void SearchNode(const AirwayNetwork& HighNodes, SearchState& state, Clock& clock, std::int32_t Node, float Dist) {
    VisitRunner(HighNodes, state, clock).Run(Node, Dist);
}

void SearchAirways(const AirwayNetwork& HighNodes, SearchState& f, Clock& clock, std::int32_t Start) {
    const auto slots = static_cast<std::size_t>(HighNodes.Count()) + 1;
    if (f.ShortestArrival.size() != slots) {
        f.ShortestArrival.assign(slots, NotArrived);
        f.ArrivedNodes.clear();
        f.ToTarget.assign(slots, {});
    }
    if (++f.SearchNumber == 0) {  // the numbers wrapped: forget every measurement
        f.ToTarget.assign(slots, {});
        f.SearchNumber = 1;
    }
    for (const std::int32_t node : f.ArrivedNodes) f.ShortestArrival[static_cast<std::size_t>(node)] = NotArrived;
    f.ArrivedNodes.clear();
    f.VisitCount = 0;

    f.SearchTimeLimit = SearchTimeLimitMs;
    f.PathLen = 1;
    f.SearchStartTicks = clock.GetTickCount();
    f.MaxRouteDist = InitialBudget(f);
    if (f.Mode == RouteMode::Airways) SearchNode(HighNodes, f, clock, Start, 0.0f);
}

}  // namespace tarnwell
