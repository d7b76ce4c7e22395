#pragma once
// Airway networks built from nodes and legs (for the route finder's and the
// navigation data's tests), a clock the test drives, and the airway search
// written out literally (a recursive visit with a linear scan of the visited
// list) as the reference for the fast one.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/Clock.h"
#include "common/Errors.h"
#include "geo/GreatCircle.h"
#include "navdata/AirwayNetwork.h"
#include "plans/AirwaySearch.h"
#include "plans/SearchState.h"

namespace tarnwell::testing {

// Gives reading(n) at its n-th reading (from 0); by default it stands still.
class ScriptedClock : public Clock {
public:
    std::function<std::uint32_t(int)> reading = [](int) { return 0u; };
    int readings = 0;
    std::uint32_t GetTickCount() override { return reading(readings++); }
};

// The course GetDistance gives from one point to another, in 0..360.
inline float CourseTo(float lat1, float lon1, float lat2, float lon2) {
    float c = 0.0f;
    GetDistance(lat1, lon1, lat2, lon2, c);
    return c < 0 ? c + 360 : c;
}

struct NetNode {
    std::string ident;
    float lat, lon;
};
// A leg between node numbers, measured by GetDistance unless its length or course is given.
struct NetLeg {
    std::int32_t from, to;
    std::string airway = "UL1";
    std::optional<float> length{}, course{};
};

// An airway network of these nodes, numbered from 1, and legs.
struct NetBuilder {
    std::vector<NetNode> nodes;
    std::vector<NetLeg> legs{};

    const NetNode& At(std::int32_t n) const { return nodes.at(static_cast<std::size_t>(n - 1)); }
    AirwayNetwork Build() const {
        std::vector<std::vector<AirwayLeg>> legsFrom(nodes.size());
        for (const NetLeg& l : legs) {
            const NetNode &a = At(l.from), &b = At(l.to);
            float c = 0.0f;
            const float d = GetDistance(a.lat, a.lon, b.lat, b.lon, c);
            legsFrom.at(static_cast<std::size_t>(l.from - 1))
                .push_back({static_cast<std::int16_t>(l.to), FixedText<5>(l.airway), l.length.value_or(d),
                            l.course.value_or(c < 0 ? c + 360 : c)});
        }
        AirwayNetwork net;
        for (std::size_t i = 0; i < nodes.size(); ++i)
            net.Add({FixedText<7>(nodes[i].ident), nodes[i].lat, nodes[i].lon, FixedText<3>("FIX"),
                     static_cast<std::int16_t>(legsFrom[i].size())},
                    legsFrom[i]);
        return net;
    }
};

// Aims an airway search from node `start` at node `target`, for a trip
// between airports at the two nodes' positions (the departure moved `offset`
// degrees north, the arrival as far west).
inline void AimAt(SearchState& f, const AirwayNetwork& net, std::int32_t start, std::int32_t target, float offset = 0) {
    f.ClearRouteEntries();
    f.RouteCount = 0;
    f.DepLatitude = net.Node(start).Latitude + offset;
    f.DepLongitude = net.Node(start).Longitude;
    f.ArrLatitude = net.Node(target).Latitude;
    f.ArrLongitude = net.Node(target).Longitude - offset;
    f.SetTarget(net.Node(target));
}

// (type, reference, airway) of route entries `first` to `last`; by default
// the stored part of the route, entries 1 to RouteCount.
using EntryView = std::tuple<char, std::int32_t, std::string>;
inline std::vector<EntryView> Entries(const SearchState& f, std::int32_t first = 1, std::int32_t last = -1) {
    std::vector<EntryView> out;
    for (std::int32_t i = first; i <= (last < 0 ? f.RouteCount : last) && i < RouteEntryCapacity; ++i) {
        const RouteEntry& e = f.RouteEntries[static_cast<std::size_t>(i)];
        out.emplace_back(static_cast<char>(e.RouteType), e.RouteRef, e.RouteAirway.Str());
    }
    return out;
}

// One airway search step by step (one search per object), with a fixed
// visited table of (node, distance) that fails when its bound is passed; a
// fault ends the visit it arose in.
class LiteralAirwaySearch {
public:
    LiteralAirwaySearch(const AirwayNetwork& network, SearchState& state, Clock& clock)
        : f_(state), net_(network), clock_(clock), visited_(VisitedCapacity) {}

    void SearchAirways(std::int32_t start) {
        f_.VisitCount = 0;
        f_.SearchTimeLimit = 3000;
        f_.PathLen = 1;
        f_.SearchStartTicks = clock_.GetTickCount();
        float c = 0.0f;
        f_.MaxRouteDist = GetDistance(f_.DepLatitude, f_.DepLongitude, f_.ArrLatitude, f_.ArrLongitude, c) * 1.25f;
        if (f_.Mode == RouteMode::Airways) Visit(start, 0.0f);
    }

private:
    void Visit(std::int32_t node, float dist) try {
        for (std::int32_t i = 0; i <= f_.VisitCount; ++i) {
            const auto& [seen, shortest] = visited_.at(static_cast<std::size_t>(i));
            if (seen == node && dist >= shortest) return;
        }
        ++f_.VisitCount;
        visited_.at(static_cast<std::size_t>(f_.VisitCount)) = {node, dist};
        const AirwayNode& here = net_.Node(node);
        float course = 0.0f;
        const float remaining = GetDistance(here.Latitude, here.Longitude, f_.TargetLat, f_.TargetLon, course);
        if (course < 0) course += 360;
        if (dist + remaining >= f_.MaxRouteDist) return;
        std::int32_t best = 0;  // the leg pointing most nearly at the target, the first of equals
        for (std::int32_t k = 1; k < here.LegCount; ++k)
            if (AngleDiff(net_.Leg(node, k).LegCourse, course) < AngleDiff(net_.Leg(node, best).LegCourse, course))
                best = k;
        if (dist + net_.Leg(node, best).LegLength < f_.MaxRouteDist) {
            if (AngleDiff(net_.Leg(node, best).LegCourse, course) > 90) return;
            if (Take(node, dist, best)) return;
        }
        for (std::int32_t k = 0; k < here.LegCount; ++k) {
            if (clock_.GetTickCount() - f_.SearchStartTicks >= static_cast<std::uint32_t>(f_.SearchTimeLimit)) return;
            const AirwayLeg& leg = net_.Leg(node, k);
            if (dist + leg.LegLength < f_.MaxRouteDist && AngleDiff(leg.LegCourse, course) <= 90)
                if (Take(node, dist, k)) return;
        }
    } catch (const TarnwellError&) {
    } catch (const std::out_of_range&) {
    }

    // Follows leg k; true when it reached the target and the route was kept.
    bool Take(std::int32_t node, float dist, std::int32_t k) {
        const AirwayLeg& leg = net_.Leg(node, k);
        if (net_.Node(leg.Neighbour).Ident == f_.TargetIdent && f_.PathLen <= 198) {
            f_.MaxRouteDist = dist + leg.LegLength;
            f_.SearchPath.at(static_cast<std::size_t>(f_.PathLen)) = {leg.Neighbour, node, leg.AirwayName};
            ++f_.PathLen;
            f_.RouteCount = static_cast<std::int16_t>(f_.PathLen);
            StoreAirwayRoute(f_);
            f_.SearchStartTicks = clock_.GetTickCount();
            --f_.PathLen;
            return true;
        }
        f_.SearchPath.at(static_cast<std::size_t>(f_.PathLen)) = {leg.Neighbour, node, leg.AirwayName};
        ++f_.PathLen;
        Visit(leg.Neighbour, dist + leg.LegLength);
        --f_.PathLen;
        return false;
    }

    SearchState& f_;
    const AirwayNetwork& net_;
    Clock& clock_;
    std::vector<std::pair<std::int32_t, float>> visited_;  // entry 0 stays unused
};

}  // namespace tarnwell::testing
