#include "examine/check/DepartureBlockCheck.h"

#include <string>

namespace tarnwell::routesetcheck {

using std::to_string;

void CheckDepartureBlock(const RouteSetFiles& files, std::size_t airport, ProblemLines& problems) {
    const auto i = static_cast<std::int64_t>(airport);
    const IndexAirportRecord& a = files.airports[airport];
    const std::int64_t pos = a.DeparturePos;
    const std::int64_t count = a.DepartureCount;
    const auto routes = static_cast<std::int64_t>(files.routes.size());
    std::int64_t matched = 0;
    if (count < 0) {
        problems.push_back(AirportText(i, a) + ": DepartureCount " + to_string(count) + " is negative");
        return;
    }
    if (count == 0) {
        if (pos != 0)
            problems.push_back(AirportText(i, a) + ": DeparturePos " + to_string(pos) +
                               " with no departures, expected 0");
    } else if (pos < 1 || (pos - 1) % RouteLength != 0) {
        problems.push_back(AirportText(i, a) + ": DeparturePos " + to_string(pos) +
                           " is not the position of a route record (32 r + 1)");
    } else if ((pos - 1) / RouteLength + count > routes) {
        problems.push_back(AirportText(i, a) + ": the departure block of " + Count(count, "route", "routes") +
                           " from position " + to_string(pos) + " runs past the end of routes.kr1 (" +
                           Count(routes, "route", "routes") + ")");
    } else {
        const std::int64_t first = (pos - 1) / RouteLength;
        FirstWrong wrong;
        for (std::int64_t r = first; r < first + count; ++r) {
            const RouteRecord& route = files.routes[static_cast<std::size_t>(r)];
            if (route.Origin.Trimmed() == a.IATA.Trimmed())
                ++matched;
            else
                wrong.Add([&] {
                    return AirportText(i, a) + ": the departure block (routes " + to_string(first) + " to " +
                           to_string(first + count - 1) + ") holds " + RouteName(r, route) +
                           ", which does not leave " + Code(a.IATA.View());
                });
        }
        if (wrong.Any()) problems.push_back(wrong.Text("block"));
    }
    const std::int64_t leaving = files.leaving[airport];
    if (matched != leaving)
        problems.push_back(AirportText(i, a) + ": " + Count(leaving, "route leaves", "routes leave") +
                           " it, its departure block holds " + to_string(matched) + " of them");
}

}  // namespace tarnwell::routesetcheck
