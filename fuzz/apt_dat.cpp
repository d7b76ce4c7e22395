// apt.dat of the simulator data (plain or gzip), and the airport files the
// import makes of it, which the compile must then accept: the altitude list
// loads, and every airport's runways and frequencies are found where its
// database record says.

#include "FuzzSupport.h"
#include "navdata/AirportDatabaseFiles.h"
#include "navimport/AirportFiles.h"
#include "navimport/XPlaneFormats.h"
#include "routeset/AirportInfo.h"
#include "routeset/RouteSetOutput.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = fuzz::WriteScratch("apt.dat", {data, size});
    SourceReport report;
    AirportSource source;
    if (!fuzz::Tolerate([&] { source = ReadAptDat(path, report); })) return 0;
    fuzz::Require(report.records == static_cast<std::int64_t>(source.airports.size()), "every airport read is counted");
    std::vector<std::string> dropped;
    AirportFiles files;
    if (!fuzz::Tolerate([&] { files = BuildAirportFiles(source, NavSource{}, ImportRegion{}, false, dropped); }))
        return 0;
    if (files.airports.empty()) return 0;

    const auto dataFolder = fuzz::Scratch() / "Data";
    WriteFileBytes(dataFolder / NavennaAirportFileName, EncodeNavennaAirports(files.airports));
    WriteFileBytes(dataFolder / NavennaValuesFileName, EncodeNavennaValues(files.values));
    WriteFileBytes(dataFolder / NavennaRunwayFileName, EncodeNavennaRunways(files.runways));
    fuzz::WriteScratch(std::string("Data/") + AltitudeFileName,
                       {reinterpret_cast<const std::uint8_t*>(files.altitudes.text.data()), files.altitudes.text.size()});
    const std::vector<NavennaAirportRecord> database = LoadNavennaAirports(dataFolder);
    const std::vector<AltitudeEntry> altitudes = LoadAltitudes(dataFolder);
    fuzz::Require(static_cast<std::int64_t>(altitudes.size()) == files.altitudes.count,
                  "the altitude list loads every airport it holds");

    std::vector<IndexAirportRecord> index(database.size());
    for (std::size_t k = 0; k < index.size(); ++k) index[k].ICAO = database[k].ICAO;
    fuzz::QuietProgress progress;
    std::vector<AirportInfoRecord> info;
    FindNavennaData(index, database, altitudes, info, progress);
    RouteSetOutput routeSet;
    routeSet.Begin(dataFolder, "Fuzz");
    WriteIndexFile(routeSet, dataFolder, index, info, progress);
    routeSet.Discard();
    return 0;
}
