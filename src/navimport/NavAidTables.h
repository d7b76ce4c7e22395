#pragma once
// The beacon and fix tables of an import: nav_VOR.bin, nav_NDB.bin and nav_ISC.bin.

#include <filesystem>
#include <string>
#include <vector>

#include "navdata/NavRecords.h"
#include "navimport/ImportRegion.h"
#include "navimport/SourceRecords.h"

namespace tarnwell {

struct NavAidTables {
    std::vector<NavAid> vors;
    std::vector<NavAid> ndbs;
    std::vector<Intersection> intersections;
};

// The VORs, NDBs and fixes inside the region. The compile cannot size an
// empty table, so a region without any of a kind gets the one nearest its
// centre, and says so in `dropped`. Throws TarnwellError(ErrorKind::Input),
// naming the source file, when the source holds none of a kind at all.
NavAidTables BuildNavAidTables(const NavSource& nav, const std::vector<SourceFix>& fixes, const ImportRegion& region,
                               const std::filesystem::path& navPath, const std::filesystem::path& fixPath,
                               std::vector<std::string>& dropped);

}  // namespace tarnwell
