#include "examine/check/ArrivalListCheck.h"

#include <algorithm>
#include <string>

namespace tarnwell::routesetcheck {

using std::to_string;

void ArrivalListCheck::CheckAirport(std::size_t airport) {
    const auto i = static_cast<std::int64_t>(airport);
    const IndexAirportRecord& a = files_.airports[airport];
    if (a.ArrivalsCount > 0 && a.ArrivalsPos != layout_.next)
        problems_.push_back(AirportText(i, a) + ": ArrivalsPos " + to_string(a.ArrivalsPos) + ", " +
                            layout_.Expected(files_.airports));
    CheckList(i, a);
    if (a.ArrivalsCount > 0) layout_.Follow(airport, a.ArrivalsPos, EntryLength * a.ArrivalsCount);
}

void ArrivalListCheck::CheckFileEnd() {
    const auto size = static_cast<std::int64_t>(files_.arrivals->size());
    if (layout_.next - 1 != size)
        problems_.push_back("arrivals.kr1: " + to_string(size) + " bytes, but " + layout_.LastPart(files_.airports));
}

void ArrivalListCheck::CheckList(std::int64_t i, const IndexAirportRecord& a) {
    const std::int64_t pos = a.ArrivalsPos;
    const std::int64_t count = a.ArrivalsCount;
    const auto entries = static_cast<std::int64_t>(files_.arrivalEntries.size());
    std::int64_t matched = 0;
    if (count < 0) {
        problems_.push_back(AirportText(i, a) + ": ArrivalsCount " + to_string(count) + " is negative");
        return;
    }
    if (count == 0) {
        if (pos != 0)
            problems_.push_back(AirportText(i, a) + ": ArrivalsPos " + to_string(pos) +
                                " with no arrivals, expected 0");
    } else if (pos < 1 || (pos - 1) % EntryLength != 0) {
        problems_.push_back(AirportText(i, a) + ": ArrivalsPos " + to_string(pos) +
                            " is not the position of an arrivals.kr1 entry (4 k + 1)");
    } else if ((pos - 1) / EntryLength + count > entries) {
        problems_.push_back(AirportText(i, a) + ": the arrival list of " + Count(count, "entry", "entries") +
                            " from position " + to_string(pos) + " runs past the end of arrivals.kr1 (" +
                            Count(entries, "entry", "entries") + ")");
    } else if (files_.routesFile) {
        matched = MatchEntries(i, a, (pos - 1) / EntryLength, count);
    }
    const std::int64_t arriving = files_.arriving[static_cast<std::size_t>(i)];
    if (files_.routesFile && matched != arriving)
        problems_.push_back(AirportText(i, a) + ": " + Count(arriving, "route arrives", "routes arrive") +
                            " at it, its arrival list holds " + to_string(matched) + " of them");
}

std::int64_t ArrivalListCheck::MatchEntries(std::int64_t i, const IndexAirportRecord& a, std::int64_t first,
                                            std::int64_t count) {
    const auto routes = static_cast<std::int64_t>(files_.routes.size());
    const std::string code = Code(a.IATA.View());
    std::int64_t matched = 0;
    std::int64_t previous = 0;
    FirstWrong wrong;
    for (std::int64_t e = first; e < first + count; ++e) {
        const std::int64_t v = files_.arrivalEntries[static_cast<std::size_t>(e)];
        const auto where = [&] {
            return "arrivals.kr1, position " + to_string(4 * e + 1) + " (list of airport " + to_string(i) + ", " +
                   code + "): " + to_string(v);
        };
        if (v < 1 || (v - 1) % RouteLength != 0 || (v - 1) / RouteLength >= routes) {
            wrong.Add([&] {
                return where() + " is not the position of a route record of routes.kr1 (" +
                       Count(routes, "route", "routes") + ")";
            });
            continue;
        }
        const std::int64_t r = (v - 1) / RouteLength;
        const RouteRecord& route = files_.routes[static_cast<std::size_t>(r)];
        if (route.Destination.Trimmed() != a.IATA.Trimmed())
            wrong.Add([&] { return where() + " is " + RouteName(r, route) + ", which does not arrive at " + code; });
        else if (v <= previous)
            wrong.Add([&] {
                return where() + " does not follow the entry before it (" + to_string(previous) + ") in route order";
            });
        else
            ++matched;
        previous = std::max(previous, v);
    }
    if (wrong.Any()) problems_.push_back(wrong.Text("list"));
    return matched;
}

}  // namespace tarnwell::routesetcheck
