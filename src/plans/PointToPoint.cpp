#include "plans/PointToPoint.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/CheckedInt.h"
#include "common/Errors.h"
#include "geo/GreatCircle.h"

namespace tarnwell {

namespace {

constexpr float HopLength = 75.0f;     // NM from one point to the aim of the next hop
constexpr std::int16_t RingStep = 75;  // NM the search ring starts at and grows by
constexpr float SectorHalfWidth = 22.5f;
constexpr float NearbyVor = 15.0f;  // a VOR this close to the aim point is preferred

struct Candidate {
    PointKind kind;
    std::int32_t ref;
    float lat;
    float lon;
};

// One hop's search: the current position, the course to the arrival, the
// aim point 75 NM along it, and the ring.
struct HopSearch {
    float curLat;
    float curLon;
    float course;
    float aimLat;
    float aimLon;
    std::int16_t ring;
    SearchBox box;

    float bestDist = 99999.0f;
    std::optional<Candidate> best;

    // Offers the navaids of one table that lie in the box. A navaid must be
    // strictly nearer to the aim point than the best so far; of equally near
    // ones the first in the table wins, as when the table is read in order.
    template <typename Record>
    void Pass(const std::vector<Record>& table, const NavaidGrid& grid, PointKind kind) {
        const std::int16_t outer = CheckedInt16(2 * static_cast<std::int32_t>(ring), "twice the search ring");
        std::int32_t passBest = -1;
        grid.ForEachInBox(box.SouthLat, box.NorthLat, box.WestLon, box.EastLon, [&](const NavaidGrid::Point& p) {
            float bearing = 0.0f;
            const float fromHere = GetDistance(curLat, curLon, p.Latitude, p.Longitude, bearing);
            if (bearing < 0) bearing += 360;
            if (AngleDiff(bearing, course) > SectorHalfWidth || !(fromHere > ring) || !(fromHere < outer)) return;
            float unused = 0.0f;
            const float fromAim = GetDistance(aimLat, aimLon, p.Latitude, p.Longitude, unused);
            if (fromAim < bestDist || (fromAim == bestDist && passBest >= 0 && p.Index < passBest)) {
                bestDist = fromAim;
                passBest = p.Index;
            }
        });
        if (passBest >= 0) {
            const Record& r = table[static_cast<std::size_t>(passBest)];
            best = Candidate{kind, passBest, r.Latitude, r.Longitude};
        }
    }

    // The arrival lies beyond the ring but within the next 75 NM.
    bool ArrivalIsNext(float toArrival) const {
        return toArrival > ring && toArrival < CheckedAdd16(ring, RingStep, "the search ring");
    }
};

void CheckEntry(std::int32_t entry) {
    if (entry < 0 || entry >= RouteEntryCapacity)
        throw TarnwellError(ErrorKind::Overflow, "route entry " + std::to_string(entry) + " is beyond the route entries");
}

}  // namespace

SearchBox FindSearchBox(float Lat, float Lon, float Course, std::int16_t Ring) {
    float C1 = Course + SectorHalfWidth;
    if (C1 >= 360) C1 -= 360;
    float C2 = Course - SectorHalfWidth;
    if (C2 < 0) C2 += 360;
    const std::int16_t outer = CheckedInt16(2 * static_cast<std::int32_t>(Ring), "twice the search ring");
    const auto corner = [&](float course, std::int16_t dist) {
        const float lat = DestLatitude(Lat, course, dist);
        return std::pair{lat, DestLongitude(Lat, Lon, course, lat, dist)};
    };
    const std::pair<float, float> p[4] = {corner(C1, Ring), corner(C2, Ring), corner(C1, outer), corner(C2, outer)};
    SearchBox box{p[0].first, p[0].first, p[0].second, p[0].second};
    for (const auto& [lat, lon] : p) {
        box.NorthLat = std::max(box.NorthLat, lat);
        box.SouthLat = std::min(box.SouthLat, lat);
        box.EastLon = std::max(box.EastLon, lon);
        box.WestLon = std::min(box.WestLon, lon);
    }
    return box;
}

void PlanPointToPoint(const NavigationData& nav, SearchState& f, float DepLat, float DepLon, float ArrLat, float ArrLon) {
    try {
        f.RouteEntries[0].RouteLat = DepLat;
        f.RouteEntries[0].RouteLon = DepLon;
        f.Mode = RouteMode::PointToPoint;
        f.RouteCount = 1;
        float course = 0.0f;
        float remaining = GetDistance(DepLat, DepLon, ArrLat, ArrLon, course);
        if (remaining <= HopLength) return;

        float curLat = DepLat;
        float curLon = DepLon;
        while (remaining >= HopLength) {
            HopSearch hop{};
            hop.curLat = curLat;
            hop.curLon = curLon;
            const float toArrival = GetDistance(curLat, curLon, ArrLat, ArrLon, hop.course);
            if (hop.course < 0) hop.course += 360;
            hop.aimLat = DestLatitude(curLat, hop.course, HopLength);
            hop.aimLon = DestLongitude(curLat, curLon, hop.course, hop.aimLat, HopLength);
            hop.ring = RingStep;
            hop.box = FindSearchBox(curLat, curLon, hop.course, hop.ring);
            if (hop.ArrivalIsNext(toArrival)) break;

            std::optional<Candidate> chosen;
            bool arrivalNext = false;
            while (!chosen) {
                hop.bestDist = 99999.0f;
                hop.best.reset();
                std::optional<Candidate> setAside;
                hop.Pass(nav.Vors, nav.VorGrid, PointKind::Vor);
                if (hop.best && hop.bestDist > NearbyVor) {
                    setAside = hop.best;  // the distance stays the one to beat
                    hop.best.reset();
                }
                if (!hop.best) hop.Pass(nav.Intersections, nav.IntersectionGrid, PointKind::Intersection);
                if (!hop.best) hop.Pass(nav.Ndbs, nav.NdbGrid, PointKind::Ndb);
                if (!hop.best) hop.best = setAside;
                if (hop.best) {
                    chosen = hop.best;
                    break;
                }
                hop.ring = CheckedAdd16(hop.ring, RingStep, "the search ring");
                hop.box = FindSearchBox(curLat, curLon, hop.course, hop.ring);
                if (hop.ArrivalIsNext(toArrival)) {
                    arrivalNext = true;
                    break;
                }
            }
            if (arrivalNext) break;

            const std::int32_t entry = f.RouteCount;
            CheckEntry(entry);
            RouteEntry& e = f.RouteEntries[static_cast<std::size_t>(entry)];
            e.RouteType = chosen->kind;
            e.RouteRef = chosen->ref;
            e.RouteLat = chosen->lat;
            e.RouteLon = chosen->lon;
            curLat = chosen->lat;
            curLon = chosen->lon;
            f.RouteCount = CheckedAdd16(f.RouteCount, 1, "RouteCount");
            remaining = GetDistance(curLat, curLon, ArrLat, ArrLon, course);
        }

        CheckEntry(f.RouteCount);
        f.RouteEntries[static_cast<std::size_t>(f.RouteCount)].RouteLat = ArrLat;
        f.RouteEntries[static_cast<std::size_t>(f.RouteCount)].RouteLon = ArrLon;
    } catch (const TarnwellError&) {
        // Stop where the fault arose: the navaids found so far stay.
    }
}

}  // namespace tarnwell
