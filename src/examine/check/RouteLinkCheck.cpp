#include "examine/check/RouteLinkCheck.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tarnwell::routesetcheck {

using std::to_string;

void CheckRouteLinks(const RouteSetFiles& files, ProblemLines& problems) {
    const auto airports = static_cast<std::int64_t>(files.airports.size());
    for (std::size_t k = 0; k < files.routes.size(); ++k) {
        const RouteRecord& route = files.routes[k];
        const auto where = [&] { return "routes.kr1, " + RouteName(static_cast<std::int64_t>(k), route); };
        if (files.index) {
            const auto link = [&](const char* field, std::int64_t value, const FixedText<3>& code) {
                if (value < 0 || value >= airports)
                    problems.push_back(where() + ": " + field + " " + to_string(value) + " is outside index.kr1 (" +
                                       Count(airports, "airport", "airports") + ")");
                else if (const IndexAirportRecord& a = files.airports[static_cast<std::size_t>(value)];
                         a.IATA.Trimmed() != code.Trimmed())
                    problems.push_back(where() + ": " + field + " " + to_string(value) + " names airport " +
                                       Code(a.IATA.View()));
            };
            link("OriginIndex", route.OriginIndex, route.Origin);
            link("DestIndex", route.DestIndex, route.Destination);
        }
        const std::optional<std::int64_t>& plans = files.planCount;
        if (plans && (route.PlanPointer < 1 || route.PlanPointer > *plans))
            problems.push_back(where() + ": PlanPointer " + to_string(route.PlanPointer) +
                               " is not a plan of PLANS.kr1 (" +
                               (*plans == 0 ? std::string("it holds none") : "1 to " + to_string(*plans)) + ")");
    }
}

}  // namespace tarnwell::routesetcheck
