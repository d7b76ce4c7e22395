#pragma once
// Small index-airport and route tables written as codes, for the tests of
// the airport and route-set stages.

#include <string>
#include <vector>

#include "records/IndexAirportRecord.h"
#include "records/RouteRecord.h"

namespace tarnwell::testing {

// One index airport per "IATA/ICAO" code, or per IATA code alone (ICAO "E" + IATA).
inline std::vector<IndexAirportRecord> IndexAirportsOf(const std::vector<std::string>& codes) {
    std::vector<IndexAirportRecord> airports(codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const std::size_t slash = codes[i].find('/');
        airports[i].IATA = codes[i].substr(0, slash);
        airports[i].ICAO = slash == std::string::npos ? "E" + codes[i] : codes[i].substr(slash + 1);
    }
    return airports;
}

// One route per "ORIGIN-DESTINATION" (codes may hold blanks: " DD-AAA").
inline std::vector<RouteRecord> RoutesOf(const std::vector<std::string>& legs) {
    std::vector<RouteRecord> routes(legs.size());
    for (std::size_t r = 0; r < legs.size(); ++r) {
        const std::size_t dash = legs[r].find('-');
        routes[r].Origin = legs[r].substr(0, dash);
        routes[r].Destination = legs[r].substr(dash + 1);
    }
    return routes;
}

}  // namespace tarnwell::testing
