#pragma once
// The airport files of an import: the compile's airport table (nav_APT.bin),
// the airport database (nv_apt1.nv2 airports, nv_apt2.nv2 names and
// frequencies, nv_apt3.nv2 runway ends) and the altitude list.

#include <string>
#include <vector>

#include "navdata/AirportDatabase.h"
#include "navdata/NavRecords.h"
#include "navimport/AltitudeList.h"
#include "navimport/ImportRegion.h"
#include "navimport/SourceRecords.h"

namespace tarnwell {

struct AirportFiles {
    std::vector<NavAirport> navAirports;
    std::vector<NavennaAirportRecord> airports;
    std::vector<NavennaValuesRecord> values;
    std::vector<NavennaRunwayRecord> runways;
    AltitudeList altitudes;
};

// The records of the airports ChooseAirports keeps. A runway end carries its
// length, true heading, the variation of the nearest VOR and the localizer
// serving it, if any. What is left out is said in `dropped`. Throws
// TarnwellError(ErrorKind::Overflow) when the runway file would pass 2 GB,
// and with `strict` when the altitude list would overflow.
AirportFiles BuildAirportFiles(const AirportSource& source, const NavSource& nav, const ImportRegion& region,
                               bool strict, std::vector<std::string>& dropped);

}  // namespace tarnwell
