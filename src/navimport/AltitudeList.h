#pragma once
// Altitudes.txt: "CODE,elevation" a line, for the airports an import keeps.

#include <cstdint>
#include <string>
#include <vector>

#include "navimport/AirportChoice.h"
#include "navimport/ImportRegion.h"

namespace tarnwell {

struct AltitudeList {
    std::string text;  // the file's contents, CR LF line ends
    std::int64_t count = 0;
};

// The compile holds at most 22001 entries, so a larger region keeps the
// airports nearest its centre (in their order) and says so in `dropped`; with
// `strict` it throws TarnwellError(ErrorKind::Overflow) instead.
AltitudeList MakeAltitudeList(const std::vector<ChosenAirport>& chosen, const ImportRegion& region, bool strict,
                              std::vector<std::string>& dropped);

}  // namespace tarnwell
