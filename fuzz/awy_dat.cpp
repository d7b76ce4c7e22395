// awy.dat of the simulator data (plain or gzip), and the airway networks the
// import builds of it, which the compile must then load as they were built.

#include "FuzzSupport.h"
#include "navimport/AirwayNetworkBuild.h"
#include "navimport/XPlaneFormats.h"

using namespace tarnwell;

namespace {

// The points that airway files of version 1100 and later name.
const PointDirectory& Points() {
    static const PointDirectory points = [] {
        PointDirectory d;
        d.AddFixes({{"ALPHA", "ENRT", "ED", 50.0, 8.0}, {"BRAVO", "ENRT", "ED", 51.0, 9.0},
                    {"CHARL", "ENRT", "EG", 52.0, -1.0}, {"DELTA", "EGLL", "EG", 51.5, -0.5}});
        NavSource nav;
        nav.vors.push_back({"FFM", "ED", "FRANKFURT", 50.05, 8.63, 11420, 1.0f});
        nav.ndbs.push_back({"FW", "ED", "FRANKFURT NDB", 50.1, 8.7, 344, 0.0f});
        d.AddBeacons(nav);
        return d;
    }();
    return points;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = fuzz::WriteScratch("awy.dat", {data, size});
    SourceReport report;
    std::vector<SourceAirwaySegment> segments;
    if (!fuzz::Tolerate([&] { segments = ReadAwyDat(path, Points(), report); })) return 0;
    fuzz::Require(report.records == static_cast<std::int64_t>(segments.size()), "every record read is counted");
    for (const bool high : {true, false}) {
        const std::int32_t capacity = high ? HighNodeCapacity : LowNodeCapacity;
        AirwayNetworkBuild built;
        if (!fuzz::Tolerate([&] { built = BuildAirwayNetwork(segments, high, ImportRegion{}, capacity, false); }))
            continue;
        AirwayNetwork loaded;
        DecodeAirwayNetwork(EncodeAirwayNetwork(built.network), "HighAlt.ab1", capacity, loaded);
        fuzz::Require(EncodeAirwayNetwork(loaded) == EncodeAirwayNetwork(built.network),
                      "a built network loads as it was built");
        for (std::int32_t n = 1; n <= loaded.Count(); ++n)
            for (const AirwayLeg& leg : loaded.Legs(n))
                fuzz::Require(loaded.Contains(leg.Neighbour), "every leg of a built network leads to one of its nodes");
    }
    return 0;
}
