#include "cli/Arguments.h"
#include "cli/CliPort.h"
#include "cli/Commands.h"
#include "common/Errors.h"
#include "navimport/NavDataImport.h"

#include <iomanip>
#include <iostream>

#include "common/BinaryIO.h"

namespace tarnwell::cli {

namespace {

// Imports into the Data folder below `programFolder`, printing progress on
// stderr and what was read, written and left out on stdout (quiet: neither).
// Returns the exit status.
int RunImportNavData(const std::filesystem::path& programFolder, const NavDataImportOptions& options,
                     const CliOptions& portOptions) {
    CliPort port(portOptions);
    const auto dataFolder = programFolder / "Data";
    NavDataImportResult result;
    try {
        std::filesystem::create_directories(dataFolder);
        result = ImportNavData(dataFolder, options, port);
    } catch (const std::exception& e) {
        port.EndStatusLine();
        std::cerr << "error: " << e.what() << "\nNo data file was changed.\n";
        return 1;
    }
    port.EndStatusLine();
    if (portOptions.quiet) return 0;

    std::cout << "Read:\n";
    for (const SourceReport& s : result.sources) {
        std::cout << "  " << s.file << " (version " << s.version << "): " << s.records << " records";
        if (s.skipped) std::cout << ", " << s.skipped << " malformed lines skipped";
        std::cout << '\n';
        for (const std::string& line : s.firstSkipped) std::cout << "      " << line << '\n';
    }
    std::cout << "Wrote into " << PathText(dataFolder) << ":\n";
    for (const WrittenFile& w : result.written)
        std::cout << "  " << std::left << std::setw(14) << w.name << std::right << std::setw(8) << w.records << ' '
                  << w.what << '\n';
    if (!result.dropped.empty()) {
        std::cout << "Left out:\n";
        for (const std::string& d : result.dropped) std::cout << "  " << d << '\n';
    }
    return 0;
}

}  // namespace

int ImportNavDataCommand(const Arguments& a) {
    if (a.positional.size() != 1)
        return UsageError(a, "import-navdata takes no file name; give the folder with --xplane DIR");
    if (!a.xplane) return UsageError(a, "import-navdata needs --xplane DIR");
    if (auto refused = RefuseCompileOptions(a, "import-navdata")) return *refused;
    NavDataImportOptions options;
    options.source = *a.xplane;
    options.strict = a.strict;
    if (a.region) options.region = {(*a.region)[0], (*a.region)[1], (*a.region)[2], (*a.region)[3]};
    try {
        CheckRegion(options.region);
    } catch (const TarnwellError& e) {
        return UsageError(a, e.What());
    }
    const auto lock = LockProgramFolder(a);
    if (!lock) return ExitFailed;
    return RunImportNavData(ProgramFolder(a), options, PortOptions(a));
}

}  // namespace tarnwell::cli
