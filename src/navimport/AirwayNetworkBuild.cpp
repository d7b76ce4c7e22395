#include "navimport/AirwayNetworkBuild.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "common/Errors.h"
#include "geo/GreatCircle.h"
#include "navimport/SphereGeometry.h"

namespace tarnwell {

namespace {

// The network of one level as its segments inside the region give it, before
// any capacity: nodes numbered from 0 in the order the segments first name
// them, each with its legs in segment order.
class SegmentGraph {
public:
    struct Node {
        std::string ident;
        float lat, lon;
        char kind;
    };
    struct Leg {
        std::int32_t to;
        std::string name;
    };

    void AddSegment(const SourceAirwaySegment& s, const ImportRegion& region) {
        const bool in1 = region.Contains(s.lat1, s.lon1), in2 = region.Contains(s.lat2, s.lon2);
        if (!in1) outside_.insert(Key(s.ident1, static_cast<float>(s.lat1), static_cast<float>(s.lon1)));
        if (!in2) outside_.insert(Key(s.ident2, static_cast<float>(s.lat2), static_cast<float>(s.lon2)));
        if (!in1 || !in2) return;
        const std::int32_t a = NodeNumber(s.ident1, s.lat1, s.lon1, s.kind1);
        const std::int32_t b = NodeNumber(s.ident2, s.lat2, s.lon2, s.kind2);
        const std::string name = s.names.substr(0, s.names.find('-'));
        if (s.direction != AirwayDirection::Backward) AddLeg(a, b, name);
        if (s.direction != AirwayDirection::Forward) AddLeg(b, a, name);
    }

    const std::vector<Node>& Nodes() const { return nodes_; }
    const std::vector<Leg>& LegsOf(std::size_t node) const { return legs_[node]; }
    // Distinct points the segments named outside the region.
    std::int64_t PointsOutside() const { return static_cast<std::int64_t>(outside_.size()); }

private:
    // A node is its identifier and its position as the network file stores it.
    static std::string Key(const std::string& ident, float lat, float lon) {
        std::string k = ident;
        k += '\0';
        k.append(reinterpret_cast<const char*>(&lat), sizeof lat);
        k.append(reinterpret_cast<const char*>(&lon), sizeof lon);
        return k;
    }

    std::int32_t NodeNumber(const std::string& ident, double lat, double lon, char kind) {
        const float fl = static_cast<float>(lat), fo = static_cast<float>(lon);
        const auto [it, added] = numberOf_.try_emplace(Key(ident, fl, fo), static_cast<std::int32_t>(nodes_.size()));
        if (added) {
            nodes_.push_back({ident, fl, fo, kind});
            legs_.emplace_back();
        }
        return it->second;
    }

    void AddLeg(std::int32_t from, std::int32_t to, const std::string& name) {
        const std::uint64_t pair = (static_cast<std::uint64_t>(from) << 32) | static_cast<std::uint32_t>(to);
        if (from != to && joined_.insert(pair).second) legs_[static_cast<std::size_t>(from)].push_back({to, name});
    }

    std::vector<Node> nodes_;
    std::vector<std::vector<Leg>> legs_;
    std::unordered_map<std::string, std::int32_t> numberOf_;
    std::unordered_set<std::string> outside_;
    std::unordered_set<std::uint64_t> joined_;
};

// The nodes' numbers in the network file, 1-based, 0 for a node left out:
// beyond `capacity` only the nodes nearest the region's centre stay.
std::vector<std::int32_t> NumberNodes(const std::vector<SegmentGraph::Node>& nodes, const ImportRegion& region,
                                      std::int32_t capacity, bool strict, const char* which,
                                      std::int64_t& nodesOverCapacity) {
    std::vector<std::int32_t> newNumber(nodes.size(), 0);
    if (nodes.size() <= static_cast<std::size_t>(capacity)) {
        std::iota(newNumber.begin(), newNumber.end(), 1);
        return newNumber;
    }
    if (strict)
        throw TarnwellError(ErrorKind::Overflow, "the " + std::string(which) + " airway network of the region has " +
                                                     std::to_string(nodes.size()) + " points, more than the " +
                                                     std::to_string(capacity) + " its file can hold");
    const auto centre = region.Centre();
    std::vector<double> distance(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i)
        distance[i] = DistanceFeet(centre[0], centre[1], nodes[i].lat, nodes[i].lon);
    std::vector<std::int32_t> order(nodes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](auto x, auto y) { return distance[x] < distance[y]; });
    std::vector<bool> keep(nodes.size(), false);
    for (std::int32_t k = 0; k < capacity; ++k) keep[static_cast<std::size_t>(order[k])] = true;
    std::int32_t next = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (keep[i]) newNumber[i] = ++next;
    nodesOverCapacity = static_cast<std::int64_t>(nodes.size()) - capacity;
    return newNumber;
}

// The legs of node `i` to the nodes that stay, with the route finder's length and course.
std::vector<AirwayLeg> NetworkLegs(const SegmentGraph& graph, std::size_t i, const std::vector<std::int32_t>& newNumber) {
    const SegmentGraph::Node& from = graph.Nodes()[i];
    std::vector<AirwayLeg> out;
    for (const SegmentGraph::Leg& l : graph.LegsOf(i)) {
        const std::int32_t to = newNumber[static_cast<std::size_t>(l.to)];
        if (to == 0) continue;
        const SegmentGraph::Node& other = graph.Nodes()[static_cast<std::size_t>(l.to)];
        AirwayLeg leg;
        leg.Neighbour = static_cast<std::int16_t>(to);
        leg.AirwayName = l.name;
        float course = 0;
        leg.LegLength = GetDistance(from.lat, from.lon, other.lat, other.lon, course);
        leg.LegCourse = course < 0 ? course + 360.0f : course;
        out.push_back(leg);
    }
    return out;
}

// Beyond the 76 legs a node can hold, keeps the shortest, in their source order.
void KeepShortestLegs(std::vector<AirwayLeg>& out, const std::string& ident, const char* which, bool strict,
                      std::int64_t& legsOverCapacity) {
    if (out.size() <= static_cast<std::size_t>(MaxLegsPerNode)) return;
    if (strict)
        throw TarnwellError(ErrorKind::Overflow, "the point " + QuotedField(ident) + " of the " + which +
                                                     " airway network has " + std::to_string(out.size()) +
                                                     " legs, more than the 76 a point can hold");
    std::vector<std::size_t> order(out.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](auto x, auto y) { return out[x].LegLength < out[y].LegLength; });
    order.resize(static_cast<std::size_t>(MaxLegsPerNode));
    std::sort(order.begin(), order.end());
    std::vector<AirwayLeg> kept;
    for (std::size_t k : order) kept.push_back(out[k]);
    legsOverCapacity += static_cast<std::int64_t>(out.size() - kept.size());
    out = std::move(kept);
}

AirwayNode NetworkNode(const SegmentGraph::Node& from, std::size_t legCount) {
    AirwayNode n;
    n.Ident = from.ident;
    n.Latitude = from.lat;
    n.Longitude = from.lon;
    n.Kind = from.kind == 'V' ? "VOR" : from.kind == 'N' ? "NDB" : from.kind == 'F' ? "FIX" : "   ";
    n.LegCount = static_cast<std::int16_t>(legCount);
    return n;
}

}  // namespace

AirwayNetworkBuild BuildAirwayNetwork(const std::vector<SourceAirwaySegment>& segments, bool high,
                                      const ImportRegion& region, std::int32_t capacity, bool strict) {
    SegmentGraph graph;
    for (const SourceAirwaySegment& s : segments)
        if (s.high == high) graph.AddSegment(s, region);

    AirwayNetworkBuild build;
    build.nodesOutsideRegion = graph.PointsOutside();
    const char* which = high ? "high" : "low";
    const std::vector<std::int32_t> newNumber =
        NumberNodes(graph.Nodes(), region, capacity, strict, which, build.nodesOverCapacity);
    for (std::size_t i = 0; i < graph.Nodes().size(); ++i) {
        if (newNumber[i] == 0) continue;
        std::vector<AirwayLeg> legs = NetworkLegs(graph, i, newNumber);
        KeepShortestLegs(legs, graph.Nodes()[i].ident, which, strict, build.legsOverCapacity);
        build.network.Add(NetworkNode(graph.Nodes()[i], legs.size()), legs);
    }
    return build;
}

}  // namespace tarnwell
