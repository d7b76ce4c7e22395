#pragma once
// Writing the data files of an import, and the account of what was written.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "navdata/AirwayNetwork.h"
#include "navdata/NavRecords.h"
#include "navimport/AirportFiles.h"
#include "navimport/NavAidTables.h"

namespace tarnwell {

struct WrittenFile {
    std::string name;
    std::int64_t records = 0;
    std::string what;  // "airports", "runway ends", ...
};

// Encodes every data file, checks with the compile's own decoder that the
// airway networks load, and writes all files into `dataFolder` through
// temporaries, replacing the old files only once every one is written.
void WriteImportedFiles(const std::filesystem::path& dataFolder, const AirportFiles& airports,
                        const NavAidTables& aids, const AirwayNetwork& high, const AirwayNetwork& low);

// Each file WriteImportedFiles writes, in its order, with what it holds.
std::vector<WrittenFile> DescribeImportedFiles(const AirportFiles& airports, const NavAidTables& aids,
                                               const AirwayNetwork& high, const AirwayNetwork& low);

}  // namespace tarnwell
