#pragma once
// APT.kr1's layout: from position 1, for each airport with runways in index
// order, its runway records and then its values record, where AptPos says;
// the last airport's data ends the file.

#include <cstddef>
#include <optional>

#include "examine/check/AirportPartLayout.h"
#include "examine/check/ProblemText.h"
#include "examine/check/RouteSetFiles.h"

namespace tarnwell::routesetcheck {

// Needs APT.kr1.
class AptLayoutCheck {
public:
    AptLayoutCheck(const RouteSetFiles& files, ProblemLines& problems) : files_(files), problems_(problems) {}

    // The airports in index order.
    void CheckAirport(std::size_t airport);
    // After the last airport.
    void CheckFileEnd();

private:
    const RouteSetFiles& files_;
    ProblemLines& problems_;
    AirportPartLayout layout_{"runway data"};
    std::optional<std::size_t> firstPastEnd_;  // the first airport whose data the file does not hold
};

}  // namespace tarnwell::routesetcheck
