#pragma once
// Which of the source airports an import keeps, under which code and where.

#include <string>
#include <vector>

#include "navimport/ImportRegion.h"
#include "navimport/SourceRecords.h"

namespace tarnwell {

struct ChosenAirport {
    const SourceAirport* airport;
    std::string code;  // the ICAO code from the metadata when it has 4 characters, else the file's code
    double lat, lon;
};

// The land airports, in file order, that have a usable code (1 to 4 plain
// characters) and a position inside the region, the first of each code only.
// An airport's position is its reference point, else the centre of its
// runway ends, else its first helipad, tower or start position. What is left
// out, and why, is counted in `dropped`.
std::vector<ChosenAirport> ChooseAirports(const AirportSource& source, const ImportRegion& region,
                                          std::vector<std::string>& dropped);

}  // namespace tarnwell
