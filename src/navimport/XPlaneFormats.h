#pragma once
// Readers of the navigation and airport text files that flight simulators
// and the free flight-simulation data ship: nav.dat (beacons and landing
// aids), fix.dat (named fixes), awy.dat (airway segments) and apt.dat
// (airports). Versions 810 and 1100 onward of nav.dat, 600 and 1100 onward
// of fix.dat, 640 and 1100 onward of awy.dat, and 810, 850, 1000 and later of
// apt.dat are understood (where a later version only adds columns at the end
// or rows this program does not use, it reads as the one before it).
//
// Positions are degrees, latitude positive north, longitude positive east.
// Every reader skips a line it cannot use - too few columns, a number that
// does not parse, a position out of range - and counts it; it never stops on
// one.

#include <filesystem>
#include <vector>

#include "navimport/PointDirectory.h"
#include "navimport/RunwayDesignators.h"
#include "navimport/SourceRecords.h"

namespace tarnwell {

NavSource ReadNavDat(const std::filesystem::path& path, SourceReport& report, const ReadProgress& progress = {});
std::vector<SourceFix> ReadFixDat(const std::filesystem::path& path, SourceReport& report,
                                  const ReadProgress& progress = {});
std::vector<SourceAirwaySegment> ReadAwyDat(const std::filesystem::path& path, const PointDirectory& points,
                                            SourceReport& report, const ReadProgress& progress = {});
AirportSource ReadAptDat(const std::filesystem::path& path, SourceReport& report, const ReadProgress& progress = {});

}  // namespace tarnwell
