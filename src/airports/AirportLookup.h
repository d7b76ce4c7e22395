#pragma once
// Completing the index airports from the navigation airports.

#include <span>

#include "common/Progress.h"
#include "navdata/NavRecords.h"
#include "records/IndexAirportRecord.h"

namespace tarnwell {

// "Looking up Index Airport Information": completes every index airport from
// the first navigation airport whose code matches its four-letter code (both
// trimmed of blanks, case-sensitive): position and altitude as they are,
// City padded to 33 characters, Name cut to 35. An airport the navigation
// data does not know keeps its cleared fields and causes one warning beep
// naming it; the compile goes on.
void LookupIndexAirports(std::span<IndexAirportRecord> IndexAirports, std::span<const NavAirport> NavAirports,
                         Progress& progress);

}  // namespace tarnwell
