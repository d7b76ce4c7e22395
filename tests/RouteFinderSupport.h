#pragma once
// Small airway networks for the route finder's tests, a port with a clock the
// test drives, and the airway search written out literally (a recursive visit
// with a linear scan of the visited list) as the reference for the fast one.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "navdata/NavRecords.h"
#include "plans/AirwaySearch.h"
#include "geo/GreatCircle.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"

namespace tarnwell::testing {

// The clock gives clock(n) at its n-th reading (from 0); by default it stands still.
class ClockPort : public RecordingPort {
public:
    std::function<std::uint32_t(int)> clock = [](int) { return 0u; };
    int readings = 0;
    std::uint32_t GetTickCount() override { return clock(readings++); }
};

// The course GetDistance gives from one point to another, in 0..360.
inline float CourseTo(float lat1, float lon1, float lat2, float lon2) {
    float c = 0.0f;
    GetDistance(lat1, lon1, lat2, lon2, c);
    return c < 0 ? c + 360 : c;
}

class NetBuilder {
public:
    std::int32_t Node(const std::string& ident, float lat, float lon) {
        Entry e;
        e.node.Ident = ident;
        e.node.Latitude = lat;
        e.node.Longitude = lon;
        e.node.Kind = "FIX";
        nodes_.push_back(e);
        return static_cast<std::int32_t>(nodes_.size());
    }
    // A leg measured by GetDistance unless its length or course is given.
    void Leg(std::int32_t from, std::int32_t to, const std::string& airway = "UL1",
             std::optional<float> length = std::nullopt, std::optional<float> course = std::nullopt) {
        const AirwayNode& a = nodes_[static_cast<std::size_t>(from - 1)].node;
        const AirwayNode& b = nodes_[static_cast<std::size_t>(to - 1)].node;
        float c = 0.0f;
        const float d = GetDistance(a.Latitude, a.Longitude, b.Latitude, b.Longitude, c);
        AirwayLeg leg{static_cast<std::int16_t>(to), FixedText<5>(airway), length.value_or(d),
                      course.value_or(CourseTo(a.Latitude, a.Longitude, b.Latitude, b.Longitude))};
        nodes_[static_cast<std::size_t>(from - 1)].legs.push_back(leg);
    }
    AirwayNetwork Build() const {
        AirwayNetwork net;
        for (Entry e : nodes_) {
            e.node.LegCount = static_cast<std::int16_t>(e.legs.size());
            net.Add(e.node, e.legs);
        }
        return net;
    }
    const AirwayNode& At(std::int32_t n) const { return nodes_[static_cast<std::size_t>(n - 1)].node; }

private:
    struct Entry {
        AirwayNode node;
        std::vector<AirwayLeg> legs;
    };
    std::vector<Entry> nodes_;
};

// Sets the trip and the target node for a search over `state.HighNodes`.
inline void AimAt(ProgramState& state, std::int32_t target, float depLat, float depLon, float arrLat, float arrLon) {
    RouteFinderState& f = state.Finder;
    f.ClearRouteEntries();
    f.RouteCount = 0;
    f.RouteMode = 0;
    f.DepLatitude = depLat;
    f.DepLongitude = depLon;
    f.ArrLatitude = arrLat;
    f.ArrLongitude = arrLon;
    f.SetTarget(state.HighNodes.Node(target));
}

// The stored part of the route: (type, reference, airway) of entries 1 to RouteCount.
struct EntryView {
    char type;
    std::int32_t ref;
    std::string airway;
    friend bool operator==(const EntryView&, const EntryView&) = default;
};
inline std::vector<EntryView> RouteEntries(const RouteFinderState& f) {
    std::vector<EntryView> out;
    for (std::int32_t i = 1; i <= f.RouteCount && i < RouteEntryCapacity; ++i) {
        const auto e = static_cast<std::size_t>(i);
        out.push_back({f.RouteType[e], f.RouteRef[e], f.RouteAirway[e].Str()});
    }
    return out;
}

// The airway search step by step as it is described, with fixed tables that
// fail when their bounds are passed and a handler around every visit.
class LiteralAirwaySearch {
public:
    LiteralAirwaySearch(ProgramState& state, Port& port)
        : f_(state.Finder), net_(state.HighNodes), port_(port), visited_(VisitedCapacity) {}

    void SearchAirways(std::int32_t start) {
        for (std::int32_t i = 0; i <= f_.VisitCount && i < VisitedCapacity; ++i) visited_[static_cast<std::size_t>(i)] = {};
        f_.VisitCount = 0;
        f_.SearchTimeLimit = 3000;
        f_.PathLen = 1;
        f_.SearchStartTicks = port_.GetTickCount();
        float c = 0.0f;
        f_.MaxRouteDist = GetDistance(f_.DepLatitude, f_.DepLongitude, f_.ArrLatitude, f_.ArrLongitude, c) * 1.25f;
        if (f_.RouteMode == 0) Visit(start, 0.0f);
    }

private:
    struct Visited {
        std::int32_t node = 0;
        float dist = 0.0f;
    };

    void Visit(std::int32_t node, float dist) {
        try {
            VisitBody(node, dist);
        } catch (const TarnwellError&) {
        } catch (const std::out_of_range&) {
        }
    }

    void VisitBody(std::int32_t node, float dist) {
        for (std::int32_t i = 0; i <= f_.VisitCount; ++i) {
            const Visited& v = visited_.at(static_cast<std::size_t>(i));
            if (v.node == node && dist >= v.dist) return;
        }
        ++f_.VisitCount;
        visited_.at(static_cast<std::size_t>(f_.VisitCount)) = {node, dist};
        const AirwayNode& here = net_.Node(node);
        float course = 0.0f;
        const float remaining = GetDistance(here.Latitude, here.Longitude, f_.TargetLat, f_.TargetLon, course);
        if (course < 0) course += 360;
        if (dist + remaining >= f_.MaxRouteDist) return;
        std::int32_t best = 0;
        float bestDev = AngleDiff(net_.Leg(node, 0).LegCourse, course);
        for (std::int32_t k = 1; k < here.LegCount; ++k)
            if (AngleDiff(net_.Leg(node, k).LegCourse, course) < bestDev) {
                best = k;
                bestDev = AngleDiff(net_.Leg(node, k).LegCourse, course);
            }
        if (dist + net_.Leg(node, best).LegLength < f_.MaxRouteDist) {
            if (AngleDiff(net_.Leg(node, best).LegCourse, course) > 90) return;
            if (Take(node, dist, best)) return;
        }
        for (std::int32_t k = 0; k < here.LegCount; ++k) {
            if (port_.GetTickCount() - f_.SearchStartTicks >= static_cast<std::uint32_t>(f_.SearchTimeLimit)) return;
            const AirwayLeg& leg = net_.Leg(node, k);
            if (dist + leg.LegLength < f_.MaxRouteDist && AngleDiff(leg.LegCourse, course) <= 90)
                if (Take(node, dist, k)) return;
        }
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
            f_.SearchStartTicks = port_.GetTickCount();
            --f_.PathLen;
            return true;
        }
        f_.SearchPath.at(static_cast<std::size_t>(f_.PathLen)) = {leg.Neighbour, node, leg.AirwayName};
        ++f_.PathLen;
        Visit(leg.Neighbour, dist + leg.LegLength);
        --f_.PathLen;
        return false;
    }

    RouteFinderState& f_;
    const AirwayNetwork& net_;
    Port& port_;
    std::vector<Visited> visited_;
};

}  // namespace tarnwell::testing
