#pragma once
// The navigation data importer: turns the simulator text files (nav.dat,
// fix.dat, awy.dat, apt.dat) into every data file the compile reads -
// nav_APT.bin, nav_VOR.bin, nav_NDB.bin, nav_ISC.bin, HighAlt.ab1, LowAlt.ab1,
// nv_apt1.nv2, nv_apt2.nv2, nv_apt3.nv2 and Altitudes.txt.

#include <filesystem>
#include <string>
#include <vector>

#include "common/Progress.h"
#include "navimport/AirwayNetworkBuild.h"
#include "navimport/ImportRegion.h"
#include "navimport/ImportedFiles.h"
#include "navimport/SphereGeometry.h"
#include "navimport/VariationMap.h"
#include "navimport/XPlaneFormats.h"

namespace tarnwell {

struct NavDataImportOptions {
    std::filesystem::path source;  // folder holding the four text files
    ImportRegion region;
    bool strict = false;  // refuse, rather than trim, data beyond a file's capacity
};

struct NavDataImportResult {
    std::vector<SourceReport> sources;
    std::vector<WrittenFile> written;
    std::vector<std::string> dropped;  // what was left out, and why
};

// Reads the four source files from options.source (or its Navaids and
// Airports subfolders; each plain or gzip-compressed, as name or name.gz)
// and writes the data files into `dataFolder`. Every file is first written to
// a temporary beside it; the old files are replaced only once all are
// written. Throws TarnwellError when a source file is missing or unreadable,
// or, with `strict`, when something exceeds a capacity.
NavDataImportResult ImportNavData(const std::filesystem::path& dataFolder, const NavDataImportOptions& options,
                                  Progress& progress);

}  // namespace tarnwell
