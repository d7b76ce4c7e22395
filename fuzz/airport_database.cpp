// The airport database and the altitude list as the compile reads them for
// the route set's airport information: the input holds nv_apt1.nv2,
// nv_apt2.nv2, nv_apt3.nv2 and Altitudes.txt (fuzz/FuzzSupport.h, SplitFiles).
// Every database airport becomes an index airport, whose runways and
// frequencies are then looked up and written to APT.kr1 and index.kr1.

#include <algorithm>
#include <array>

#include "FuzzSupport.h"
#include "navdata/AirportDatabase.h"
#include "navdata/AirportDatabaseFiles.h"
#include "routeset/AirportInfo.h"
#include "routeset/RouteSetOutput.h"

using namespace tarnwell;

namespace {

template <typename Decode, typename Encode>
void RoundTrip(fuzz::Input bytes, Decode decode, Encode encode) {
    decltype(decode(bytes, std::string())) records;
    if (fuzz::Tolerate([&] { records = decode(bytes, "nv_apt.nv2"); }))
        fuzz::Require(std::ranges::equal(encode(records), bytes), "a database file encodes back as it was read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<fuzz::Input> files = fuzz::SplitFiles({data, size});
    const std::array<const char*, 4> names = {NavennaAirportFileName, NavennaValuesFileName, NavennaRunwayFileName,
                                              AltitudeFileName};
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (k < files.size())
            fuzz::WriteScratch(std::string("Data/") + names[k], files[k]);
        else
            fuzz::RemoveScratch(std::string("Data/") + names[k]);
    }
    RoundTrip(files[0], DecodeNavennaAirports, EncodeNavennaAirports);
    if (files.size() > 1) RoundTrip(files[1], DecodeNavennaValues, EncodeNavennaValues);
    if (files.size() > 2) RoundTrip(files[2], DecodeNavennaRunways, EncodeNavennaRunways);

    const auto dataFolder = fuzz::Scratch() / "Data";
    std::vector<NavennaAirportRecord> database;
    std::vector<AltitudeEntry> altitudes;
    if (!fuzz::Tolerate([&] {
            database = LoadNavennaAirports(dataFolder);
            altitudes = LoadAltitudes(dataFolder);
        }))
        return 0;
    std::vector<IndexAirportRecord> index(std::min<std::size_t>(database.size(), 200));
    for (std::size_t k = 0; k < index.size(); ++k) {
        index[k].IATA = "XXX";
        index[k].ICAO = database[k].ICAO;
    }
    fuzz::QuietProgress progress;
    std::vector<AirportInfoRecord> info;
    FindNavennaData(index, database, altitudes, info, progress);
    RouteSetOutput routeSet;
    routeSet.Begin(dataFolder, "Fuzz");
    fuzz::Tolerate([&] { WriteIndexFile(routeSet, dataFolder, index, info, progress); });
    routeSet.Discard();
    return 0;
}
