#include "plans/PlanBuilder.h"

#include <algorithm>
#include <vector>

#include "common/Errors.h"
#include "plans/PlanFile.h"
#include "plans/RouteAssembly.h"

namespace tarnwell {

namespace {

// The route between the trip's airports in the state's route entries.
void FindRoute(const NavigationData& nav, SearchState& f, Clock& clock, const UniqueRoute& route) {
    f.RouteCount = 0;
    f.ClearRouteEntries();
    f.Mode = RouteMode::Airways;
    const std::int32_t d = nav.FindNavAirport(route.OriginICAO);
    const std::int32_t a = nav.FindNavAirport(route.DestinationICAO);
    if (nav.NavAirports.empty()) throw TarnwellError(ErrorKind::Input, "the navigation airport table is empty");
    const NavAirport& dep = nav.NavAirports[static_cast<std::size_t>(d)];
    const NavAirport& arr = nav.NavAirports[static_cast<std::size_t>(a)];
    f.DepLatitude = dep.Latitude;
    f.DepLongitude = dep.Longitude;
    f.ArrLatitude = arr.Latitude;
    f.ArrLongitude = arr.Longitude;

    const std::int32_t o = NearestNode(nav, f, f.DepLatitude, f.DepLongitude, f.Mode);
    const std::int32_t t = NearestNode(nav, f, f.ArrLatitude, f.ArrLongitude, f.Mode);
    if (o == 0 || t == 0)
        throw TarnwellError(ErrorKind::Input, "the high-altitude airway network has no node to start from");
    f.SetOrigin(nav.HighNodes.Node(o));
    f.SetTarget(nav.HighNodes.Node(t));

    AssembleRoute(nav, f, clock, o);
}

}  // namespace

PlanBuildResult BuildPlan(const NavigationData& nav, SearchState& f, Clock& clock, const UniqueRoute& route) {
    PlanBuildResult result;
    try {
        FindRoute(nav, f, clock, route);
        const std::int32_t n = f.RouteCount - 1;
        if (n + 1 >= RouteEntryCapacity)
            throw TarnwellError(ErrorKind::Overflow, "the route has more entries than a plan holds");
        std::vector<PlanPoint> points;
        points.reserve(static_cast<std::size_t>(std::max(n, 0)));
        for (std::int32_t k = 1; k <= n; ++k) {
            const RouteEntry& e = f.RouteEntries[static_cast<std::size_t>(k)];
            points.push_back({static_cast<char>(e.RouteType), e.RouteRef, e.RouteAirway});
        }
        result.plan = EncodePlan(points);
        result.built = true;
        result.entryCount = n;
    } catch (const TarnwellError& e) {
        result.built = false;
        result.entryCount = f.RouteCount - 1;
        result.failure = e.what();
    }
    return result;
}

}  // namespace tarnwell
