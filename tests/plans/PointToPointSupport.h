#pragma once
// The point-to-point planner written out literally: every hop reads the
// whole VOR, intersection and NDB tables in order. The reference for the
// planner, which looks only at the navaids filed near its search box.

#include <optional>
#include <vector>

#include "common/CheckedInt.h"
#include "common/Errors.h"
#include "geo/GreatCircle.h"
#include "navdata/NavigationData.h"
#include "plans/PointToPoint.h"
#include "plans/SearchState.h"

namespace tarnwell::testing {

class LiteralPointToPoint {
public:
    LiteralPointToPoint(const NavigationData& nav, SearchState& state) : nav_(nav), f_(state) {}

    void Plan(float DepLat, float DepLon, float ArrLat, float ArrLon) try {
        f_.RouteEntries[0].RouteLat = DepLat;
        f_.RouteEntries[0].RouteLon = DepLon;
        f_.Mode = RouteMode::PointToPoint;
        f_.RouteCount = 1;
        float c = 0.0f;
        float remaining = GetDistance(DepLat, DepLon, ArrLat, ArrLon, c);
        if (remaining <= 75) return;
        curLat_ = DepLat;
        curLon_ = DepLon;
        while (remaining >= 75) {
            const float toArrival = GetDistance(curLat_, curLon_, ArrLat, ArrLon, course_);
            if (course_ < 0) course_ += 360;
            aimLat_ = DestLatitude(curLat_, course_, 75);
            aimLon_ = DestLongitude(curLat_, curLon_, course_, aimLat_, 75);
            ring_ = 75;
            box_ = FindSearchBox(curLat_, curLon_, course_, ring_);
            if (toArrival > ring_ && toArrival < CheckedAdd16(ring_, 75, "ring")) break;
            bool arrivalNext = false;
            for (;;) {
                bestDist_ = 99999;
                best_.reset();
                std::optional<Chosen> setAside;
                Scan(nav_.Vors, PointKind::Vor);
                if (best_ && bestDist_ > 15) {
                    setAside = best_;
                    best_.reset();
                }
                if (!best_) Scan(nav_.Intersections, PointKind::Intersection);
                if (!best_) Scan(nav_.Ndbs, PointKind::Ndb);
                if (!best_) best_ = setAside;
                if (best_) break;
                ring_ = CheckedAdd16(ring_, 75, "ring");
                box_ = FindSearchBox(curLat_, curLon_, course_, ring_);
                if (toArrival > ring_ && toArrival < CheckedAdd16(ring_, 75, "ring")) {
                    arrivalNext = true;
                    break;
                }
            }
            if (arrivalNext) break;
            RouteEntry& e = f_.RouteEntries.at(static_cast<std::size_t>(f_.RouteCount));
            e.RouteType = best_->kind;
            e.RouteRef = best_->ref;
            e.RouteLat = curLat_ = best_->lat;
            e.RouteLon = curLon_ = best_->lon;
            f_.RouteCount = CheckedAdd16(f_.RouteCount, 1, "RouteCount");
            remaining = GetDistance(curLat_, curLon_, ArrLat, ArrLon, c);
        }
        f_.RouteEntries.at(static_cast<std::size_t>(f_.RouteCount)).RouteLat = ArrLat;
        f_.RouteEntries.at(static_cast<std::size_t>(f_.RouteCount)).RouteLon = ArrLon;
    } catch (const TarnwellError&) {
    } catch (const std::out_of_range&) {
    }

private:
    struct Chosen {
        PointKind kind;
        std::int32_t ref;
        float lat, lon;
    };

    template <typename Record>
    void Scan(const std::vector<Record>& table, PointKind kind) {
        const std::int16_t outer = CheckedInt16(2 * static_cast<std::int32_t>(ring_), "ring");
        for (std::size_t i = 0; i < table.size(); ++i) {
            const float lat = table[i].Latitude, lon = table[i].Longitude;
            if (!(lat >= box_.SouthLat && lat <= box_.NorthLat && lon >= box_.WestLon && lon <= box_.EastLon)) continue;
            float bearing = 0.0f;
            const float fromHere = GetDistance(curLat_, curLon_, lat, lon, bearing);
            if (bearing < 0) bearing += 360;
            if (AngleDiff(bearing, course_) > 22.5f || !(fromHere > ring_) || !(fromHere < outer)) continue;
            float unused = 0.0f;
            const float fromAim = GetDistance(aimLat_, aimLon_, lat, lon, unused);
            if (fromAim < bestDist_) {
                bestDist_ = fromAim;
                best_ = Chosen{kind, static_cast<std::int32_t>(i), lat, lon};
            }
        }
    }

    const NavigationData& nav_;
    SearchState& f_;
    float curLat_ = 0, curLon_ = 0, course_ = 0, aimLat_ = 0, aimLon_ = 0, bestDist_ = 0;
    std::int16_t ring_ = 75;
    SearchBox box_{};
    std::optional<Chosen> best_;
};

}  // namespace tarnwell::testing
