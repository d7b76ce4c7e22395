// The command line's import-timetable command: a timetable from the flight
// export of a virtual-airline web manager.

#include <array>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/FileReplace.h"
#include "realworld/DefaultRouteSet.h"
#include "records/RecordLayouts.h"
#include "timetable/PhpVmsAirports.h"
#include "timetable/PhpVmsFlights.h"

namespace fs = std::filesystem;

namespace tarnwell::cli {

namespace {

std::string_view Text(const Bytes& bytes) { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }

// The three-letter codes the program folder knows. The navigation files
// hold four-letter codes only; the one file of Data that pairs them with
// three-letter codes is the real-world route set's index (build-defaults
// writes it), so the codes come from there.
AirportCodes ProgramFolderCodes(const fs::path& programFolder) {
    const fs::path index = programFolder / "Data" / DefaultsFolderName / DefaultIndexName;
    if (!fs::exists(index))
        throw TarnwellError(ErrorKind::Usage,
                            "the program folder knows no three-letter airport codes: its navigation files hold "
                            "four-letter codes only, and there is no real-world route set (" +
                                PathText(index) +
                                ") to take them from; give the airport export with --phpvms-airports AIRPORTS.csv");
    AirportCodes codes;
    for (const IndexAirportRecord& airport : DecodeIndexFile(ReadFileBytes(index, IndexFileLimit), PathText(index)))
        AddAirportCode(codes, airport.ICAO.View(), airport.IATA.View());
    return codes;
}

std::string Plural(std::int64_t n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Names every row that cannot be converted and every airport without a
// three-letter code.
void ReportProblems(const PhpVmsConversion& result, const std::string& codeSource) {
    for (const ImportProblem& p : result.problems) std::cerr << "error: " << DescribeError(p.what, p.place) << '\n';
    if (!result.airportsWithoutCode.empty()) {
        std::string list;
        for (const std::string& icao : result.airportsWithoutCode) list += (list.empty() ? "" : ", ") + icao;
        std::cerr << "error: no three-letter code for "
                  << Plural(static_cast<std::int64_t>(result.airportsWithoutCode.size()), "airport", "airports")
                  << ": " << list << " (" << codeSource << ")\n";
    }
}

}  // namespace

int ImportTimetableCommand(const Arguments& a) {
    if (a.positional.size() != 1)
        return UsageError(a, "import-timetable takes no file name; give the export with --phpvms-flights FILE");
    if (!a.phpvmsFlights) return UsageError(a, "import-timetable needs --phpvms-flights FLIGHTS.csv");
    if (!a.out) return UsageError(a, "import-timetable needs --out FILE.KRX");
    if (auto refused = RefuseCompileOptions(a, "import-timetable")) return *refused;
    try {
        std::string codeSource;
        AirportCodes codes;
        if (a.phpvmsAirports) {
            const std::string airports = PathText(*a.phpvmsAirports);
            codes = ParsePhpVmsAirports(airports, Text(ReadFileBytes(*a.phpvmsAirports)));
            codeSource = "looked up in " + airports;
        } else {
            codes = ProgramFolderCodes(ProgramFolder(a));
            codeSource = "looked up in the real-world route set of the program folder; give an airport export "
                         "with --phpvms-airports";
        }
        const std::string label = PathText(*a.phpvmsFlights);
        const PhpVmsConversion result =
            ConvertPhpVmsFlights(label, Text(ReadFileBytes(*a.phpvmsFlights)), LookupIn(codes));
        if (!result.Ok()) {
            ReportProblems(result, codeSource);
            std::cerr << "Nothing was written.\n";
            return ExitFailed;
        }
        const std::string timetable = TimetableText(result.flights);
        const std::array<PendingFile, 1> file = {PendingFile{*a.out, Bytes(timetable.begin(), timetable.end())}};
        ReplaceFiles(file);
        if (!a.quiet)
            std::cout << "Wrote " << Plural(static_cast<std::int64_t>(result.flights.size()), "flight", "flights")
                      << " to " << PathText(*a.out) << "; left out "
                      << Plural(result.inactiveRows, "inactive row", "inactive rows") << '\n';
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\nNothing was written.\n";
        return ExitFailed;
    }
    return ExitOk;
}

}  // namespace tarnwell::cli
