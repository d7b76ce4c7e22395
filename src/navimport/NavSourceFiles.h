#pragma once
// Finding and reading the four source files of an import.

#include <filesystem>
#include <vector>

#include "common/Progress.h"
#include "navimport/SourceRecords.h"

namespace tarnwell {

struct NavSourcePaths {
    std::filesystem::path nav, fix, awy, apt;
};

// Finds nav.dat, fix.dat, awy.dat and apt.dat (each plain or as name.gz;
// the first three also as earth_nav.dat and so on) in `folder`, its Navaids
// or Airports subfolder or where a simulator installation keeps them. Throws
// TarnwellError(ErrorKind::File) for the first one missing.
NavSourcePaths FindNavSources(const std::filesystem::path& folder);

struct NavSources {
    NavSource nav;
    std::vector<SourceFix> fixes;
    std::vector<SourceAirwaySegment> segments;  // every end point's kind known
    AirportSource airports;
    std::vector<SourceReport> reports;  // nav.dat, fix.dat, awy.dat, apt.dat
};

// Reads the four files in turn, showing each as a step and its progress.
NavSources ReadNavSources(const NavSourcePaths& paths, Progress& progress);

}  // namespace tarnwell
