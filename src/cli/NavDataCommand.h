#pragma once
// The command line's import-navdata command.

#include <filesystem>

#include "navimport/NavDataImport.h"
#include "cli/CliPort.h"

namespace tarnwell {

// Imports into the Data folder below `programFolder`, printing progress on
// stderr and what was written and left out on stdout. Returns the exit status.
int RunImportNavData(const std::filesystem::path& programFolder, const NavDataImportOptions& options,
                     const CliOptions& portOptions);

}  // namespace tarnwell
