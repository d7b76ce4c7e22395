#pragma once
// The arrival lists of arrivals.kr1: each airport's list lies where
// ArrivalsPos and ArrivalsCount say, right after the list of the airport
// before it, and holds exactly the routes reaching the airport, in route
// order; the last list ends the file.

#include <cstddef>
#include <cstdint>

#include "examine/check/AirportPartLayout.h"
#include "examine/check/ProblemText.h"
#include "examine/check/RouteSetFiles.h"

namespace tarnwell::routesetcheck {

// Needs arrivals.kr1; the entries are matched to routes only when
// routes.kr1 could be read too.
class ArrivalListCheck {
public:
    ArrivalListCheck(const RouteSetFiles& files, ProblemLines& problems) : files_(files), problems_(problems) {}

    // The airports in index order.
    void CheckAirport(std::size_t airport);
    // After the last airport.
    void CheckFileEnd();

private:
    void CheckList(std::int64_t i, const IndexAirportRecord& a);
    // Matches the `count` entries from entry `first` to the routes reaching
    // `a`, in route order; returns how many match.
    std::int64_t MatchEntries(std::int64_t i, const IndexAirportRecord& a, std::int64_t first, std::int64_t count);

    const RouteSetFiles& files_;
    ProblemLines& problems_;
    AirportPartLayout layout_{"arrival list"};
};

}  // namespace tarnwell::routesetcheck
