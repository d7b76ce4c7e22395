#include "plans/PlanBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>
#include <system_error>

#include "common/CheckedInt.h"
#include "common/Errors.h"
#include "plans/AirwaySearch.h"
#include "geo/GreatCircle.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

// A position the latitude sweep can reason about.
bool Regular(float lat, float lon) {
    return std::isfinite(lat) && std::isfinite(lon) && std::fabs(lat) <= 90 && std::fabs(lon) <= 180;
}

// The least GetDistance can give between two points `dLat` degrees of
// latitude apart: the arc is at least 60 NM a degree, and GetDistance's
// rounding and its nudging of near-zero differences stay far inside the
// margin (a few millionths of the distance, and under 0.1 NM).
double LeastDistance(double dLat) { return dLat * 60.0 * (1.0 - 1e-4) - 0.5; }

bool Excluded(const AirwayNode& node, const std::optional<NearestNodeIndex::Exclusion>& except) {
    return except && (node.Latitude == except->Latitude || node.Longitude == except->Longitude);
}

// Keeps the nearest node, ties to the lowest number.
struct NearestSoFar {
    float best = 99999.0f;
    std::int32_t node = 0;

    void Offer(const AirwayNetwork& network, std::int32_t i, float Lat, float Lon,
               const std::optional<NearestNodeIndex::Exclusion>& except) {
        const AirwayNode& n = network.Node(i);
        float course = 0.0f;
        const float d = GetDistance(Lat, Lon, n.Latitude, n.Longitude, course);
        if (d < best || (d == best && node != 0 && i < node)) {
            if (Excluded(n, except)) return;
            best = d;
            node = i;
        }
    }
};

std::uint32_t CodeKey(const FixedText<4>& code) {
    std::uint32_t key = 0;
    std::memcpy(&key, code.chars.data(), 4);
    return key;
}

std::int32_t Nearest(ProgramState& state, float Lat, float Lon, std::optional<NearestNodeIndex::Exclusion> except) {
    if (!state.HighNodeIndex.BuiltFor(state.HighNodes)) state.HighNodeIndex.Build(state.HighNodes);
    return state.HighNodeIndex.Nearest(state.HighNodes, Lat, Lon, except);
}

}  // namespace

void NearestNodeIndex::Build(const AirwayNetwork& network) {
    network_ = &network;
    count_ = network.Count();
    byLatitude_.clear();
    irregular_.clear();
    for (std::int32_t i = 1; i <= count_; ++i) {
        const AirwayNode& n = network.Node(i);
        if (Regular(n.Latitude, n.Longitude))
            byLatitude_.push_back({n.Latitude, i});
        else
            irregular_.push_back(i);
    }
    std::stable_sort(byLatitude_.begin(), byLatitude_.end(),
                     [](const Entry& a, const Entry& b) { return a.latitude < b.latitude; });
}

std::int32_t NearestNodeIndex::Nearest(const AirwayNetwork& network, float Lat, float Lon,
                                       std::optional<Exclusion> except) const {
    if (!Regular(Lat, Lon)) return NearestNodeByScan(network, Lat, Lon, except);
    NearestSoFar nearest;
    for (const std::int32_t i : irregular_) nearest.Offer(network, i, Lat, Lon, except);

    // Sweep outwards from the position's latitude, nearer latitudes first,
    // until even the nearer side lies beyond the best distance.
    const double q = Lat;
    auto up = static_cast<std::size_t>(
        std::lower_bound(byLatitude_.begin(), byLatitude_.end(), q,
                         [](const Entry& e, double v) { return e.latitude < v; }) -
        byLatitude_.begin());
    auto down = up;
    constexpr double None = std::numeric_limits<double>::infinity();
    for (;;) {
        const double dUp = up < byLatitude_.size() ? byLatitude_[up].latitude - q : None;
        const double dDown = down > 0 ? q - byLatitude_[down - 1].latitude : None;
        const bool takeUp = dUp <= dDown;
        const double d = takeUp ? dUp : dDown;
        if (d == None || LeastDistance(d) > nearest.best) break;
        nearest.Offer(network, takeUp ? byLatitude_[up++].node : byLatitude_[--down].node, Lat, Lon, except);
    }
    return nearest.node;
}

std::int32_t NearestNodeByScan(const AirwayNetwork& network, float Lat, float Lon,
                               std::optional<NearestNodeIndex::Exclusion> except) {
    float best = 99999.0f;
    std::int32_t found = 0;
    for (std::int32_t i = 1; i <= network.Count(); ++i) {
        const AirwayNode& n = network.Node(i);
        float course = 0.0f;
        const float d = GetDistance(Lat, Lon, n.Latitude, n.Longitude, course);
        if (d < best) {
            if (Excluded(n, except)) continue;
            best = d;
            found = i;
        }
    }
    return found;
}

std::int32_t NearestNode(ProgramState& state, float Lat, float Lon, std::int16_t Mode) {
    if (Mode != 0) return 0;
    return Nearest(state, Lat, Lon, std::nullopt);
}

std::int32_t NearestNodeExceptTarget(ProgramState& state, float Lat, float Lon) {
    if (state.Finder.RouteMode != 0) return 0;
    return Nearest(state, Lat, Lon, NearestNodeIndex::Exclusion{state.Finder.TargetLat, state.Finder.TargetLon});
}

std::int32_t NearestNodeExceptOrigin(ProgramState& state, float Lat, float Lon) {
    if (state.Finder.RouteMode != 0) return 0;
    return Nearest(state, Lat, Lon, NearestNodeIndex::Exclusion{state.Finder.OriginLat, state.Finder.OriginLon});
}

std::int32_t FindNavAirport(const ProgramState& state, const FixedText<4>& ICAO) {
    for (std::int32_t i = 0; i <= state.NavAirportMax(); ++i)
        if (state.NavAirports[static_cast<std::size_t>(i)].ICAO == ICAO) return i;
    return 0;
}

PlanBuildContext::PlanBuildContext(const ProgramState& state) {
    const fs::path folder = PlanFilePath(state, 1).parent_path();
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        fs::create_directory(folder, ec);
        if (ec)
            throw TarnwellError(ErrorKind::File, "the plan folder cannot be created: " + ec.message(),
                                {PathText(folder)});
    }
    firstByCode_.reserve(state.NavAirports.size());
    for (std::size_t i = 0; i < state.NavAirports.size(); ++i)
        firstByCode_.try_emplace(CodeKey(state.NavAirports[i].ICAO), static_cast<std::int32_t>(i));
}

std::int32_t PlanBuildContext::FindNavAirport(const FixedText<4>& ICAO) const {
    const auto found = firstByCode_.find(CodeKey(ICAO));
    return found == firstByCode_.end() ? 0 : found->second;
}

std::filesystem::path PlanFilePath(const ProgramState& state, std::int32_t number) {
    return state.ProgramFolder / "KRplans" / (std::to_string(number) + ".krp");
}

void EncodePlanPoint(const PlanPoint& point, std::span<std::uint8_t> record) {
    RecordWriter w{record};
    w.U8(0, static_cast<std::uint8_t>(point.PointType));
    w.I32(1, point.PointRef);
    w.Text(5, point.AirwayName);
}

PlanPoint DecodePlanPoint(std::span<const std::uint8_t> record) {
    const RecordReader r{record};
    PlanPoint p;
    p.PointType = static_cast<char>(r.U8(0));
    p.PointRef = r.I32(1);
    p.AirwayName = r.Text<5>(5);
    return p;
}

std::optional<std::int64_t> PackedPlanCount(std::span<const std::uint8_t> packed) {
    if (packed.empty()) return 0;
    if (packed.size() < 4) return std::nullopt;
    const std::int64_t first = RecordReader{packed}.I32(0);
    if (first < 5 || (first - 1) % 4 != 0 || first - 1 > static_cast<std::int64_t>(packed.size())) return std::nullopt;
    return (first - 1) / 4;
}

Bytes EncodePlan(std::span<const PlanPoint> points) {
    Bytes out(2 + points.size() * PlanPointLength);
    RecordWriter{out}.I16(0, CheckedInt16(static_cast<std::int64_t>(points.size()), "the plan's entry count"));
    for (std::size_t k = 0; k < points.size(); ++k)
        EncodePlanPoint(points[k], std::span(out).subspan(2 + k * PlanPointLength, PlanPointLength));
    return out;
}

PlanBuildResult BuildPlan(ProgramState& state, Port& port, const PlanBuildContext& context, const UniqueRoute& route) {
    // No plan of an earlier compile may stand in for this one if it fails.
    const fs::path file = PlanFilePath(state, route.PlanNumber);
    std::error_code ec;
    fs::remove(file, ec);
    if (ec)
        throw TarnwellError(ErrorKind::File, "the old plan file cannot be deleted: " + ec.message(), {PathText(file)});

    RouteFinderState& f = state.Finder;
    PlanBuildResult result;
    try {
        f.RouteCount = 0;
        f.ClearRouteEntries();
        f.RouteMode = 0;
        const std::int32_t d = context.FindNavAirport(route.OriginICAO);
        const std::int32_t a = context.FindNavAirport(route.DestinationICAO);
        if (state.NavAirports.empty())
            throw TarnwellError(ErrorKind::Input, "the navigation airport table is empty");
        const NavAirport& dep = state.NavAirports[static_cast<std::size_t>(d)];
        const NavAirport& arr = state.NavAirports[static_cast<std::size_t>(a)];
        f.DepLatitude = dep.Latitude;
        f.DepLongitude = dep.Longitude;
        f.ArrLatitude = arr.Latitude;
        f.ArrLongitude = arr.Longitude;

        const std::int32_t o = NearestNode(state, f.DepLatitude, f.DepLongitude, f.RouteMode);
        const std::int32_t t = NearestNode(state, f.ArrLatitude, f.ArrLongitude, f.RouteMode);
        if (o == 0 || t == 0)
            throw TarnwellError(ErrorKind::Input, "the high-altitude airway network has no node to start from");
        f.SetOrigin(state.HighNodes.Node(o));
        f.SetTarget(state.HighNodes.Node(t));

        AssembleRoute(state, port, o);

        const std::int32_t n = f.RouteCount - 1;
        if (n + 1 >= RouteEntryCapacity)
            throw TarnwellError(ErrorKind::Overflow, "the route has more entries than a plan holds");
        std::vector<PlanPoint> points;
        points.reserve(static_cast<std::size_t>(std::max(n, 0)));
        for (std::int32_t k = 1; k <= n; ++k) {
            const auto e = static_cast<std::size_t>(k);
            points.push_back({f.RouteType[e], f.RouteRef[e], f.RouteAirway[e]});
        }
        WriteFileBytes(file, EncodePlan(points));
        result.built = true;
        result.entryCount = n;
    } catch (const std::exception& e) {
        fs::remove(file, ec);  // a plan file cut short is no plan
        result.built = false;
        result.entryCount = f.RouteCount - 1;
        result.failure = e.what();
    }
    return result;
}

}  // namespace tarnwell
