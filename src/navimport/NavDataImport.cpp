#include "navimport/NavDataImport.h"

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "navimport/AirportFiles.h"
#include "navimport/CountPhrase.h"
#include "navimport/NavAidTables.h"
#include "navimport/NavSourceFiles.h"

namespace tarnwell {

namespace fs = std::filesystem;

namespace {

void ReportNetworksOverCapacity(const AirwayNetworkBuild& high, const AirwayNetworkBuild& low,
                                std::vector<std::string>& dropped) {
    for (const auto& [build, which] : {std::pair{&high, "high"}, std::pair{&low, "low"}}) {
        if (build->nodesOverCapacity)
            dropped.push_back(CountPhrase(build->nodesOverCapacity, "point", "points") + " of the " + which +
                              " airway network farthest from the region's centre (the file holds at most " +
                              std::to_string(build == &high ? HighNodeCapacity : LowNodeCapacity) + ")");
        if (build->legsOverCapacity)
            dropped.push_back(CountPhrase(build->legsOverCapacity, "leg", "legs") + " of the " + which +
                              " airway network at points with more than 76 (the longest)");
    }
}

void ReportPointsOutside(const AirwayNetworkBuild& high, const AirwayNetworkBuild& low,
                         std::vector<std::string>& dropped) {
    for (const auto& [build, which] : {std::pair{&high, "high"}, std::pair{&low, "low"}})
        if (build->nodesOutsideRegion)
            dropped.push_back(CountPhrase(build->nodesOutsideRegion, "point", "points") + " of the " + which +
                              " airway network outside the region (with their legs)");
}

}  // namespace

NavDataImportResult ImportNavData(const fs::path& dataFolder, const NavDataImportOptions& options,
                                  Progress& progress) {
    CheckRegion(options.region);
    std::error_code ec;
    if (!fs::is_directory(dataFolder, ec))
        throw TarnwellError(ErrorKind::File, "the Data folder does not exist", {PathText(dataFolder)});
    const NavSourcePaths paths = FindNavSources(options.source);

    NavDataImportResult result;
    const NavSources sources = ReadNavSources(paths, progress);
    result.sources = sources.reports;

    progress.SetStatus("Building airway networks", StatusKind::Step);
    const AirwayNetworkBuild high =
        BuildAirwayNetwork(sources.segments, true, options.region, HighNodeCapacity, options.strict);
    const AirwayNetworkBuild low =
        BuildAirwayNetwork(sources.segments, false, options.region, LowNodeCapacity, options.strict);
    ReportNetworksOverCapacity(high, low, result.dropped);

    progress.SetStatus("Building airports", StatusKind::Step);
    const AirportFiles airports =
        BuildAirportFiles(sources.airports, sources.nav, options.region, options.strict, result.dropped);
    if (airports.navAirports.empty())
        throw TarnwellError(ErrorKind::Input, "the region holds no airport; the compile cannot start without one",
                            {PathText(paths.apt)});
    const NavAidTables aids =
        BuildNavAidTables(sources.nav, sources.fixes, options.region, paths.nav, paths.fix, result.dropped);

    progress.SetStatus("Writing data files", StatusKind::Step);
    WriteImportedFiles(dataFolder, airports, aids, high.network, low.network);
    result.written = DescribeImportedFiles(airports, aids, high.network, low.network);
    ReportPointsOutside(high, low, result.dropped);
    return result;
}

}  // namespace tarnwell
