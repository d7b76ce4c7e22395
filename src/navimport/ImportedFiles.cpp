#include "navimport/ImportedFiles.h"

#include "common/BinaryIO.h"
#include "navdata/AirportDatabase.h"
#include "navimport/StagedFiles.h"

namespace tarnwell {

namespace {
std::int64_t LegCount(const AirwayNetwork& n) {
    std::int64_t legs = 0;
    for (std::int32_t i = 1; i <= n.Count(); ++i) legs += n.Node(i).LegCount;
    return legs;
}
}  // namespace

void WriteImportedFiles(const std::filesystem::path& dataFolder, const AirportFiles& apt, const NavAidTables& aids,
                        const AirwayNetwork& high, const AirwayNetwork& low) {
    const Bytes aptBytes = EncodeNavAirports(apt.navAirports);
    const Bytes vorBytes = EncodeNavAids(aids.vors);
    const Bytes ndbBytes = EncodeNavAids(aids.ndbs);
    const Bytes iscBytes = EncodeIntersections(aids.intersections);
    const Bytes highBytes = EncodeAirwayNetwork(high);
    const Bytes lowBytes = EncodeAirwayNetwork(low);
    // What is written must load: the compile's own decoders check it.
    AirwayNetwork check;
    DecodeAirwayNetwork(highBytes, "HighAlt.ab1", HighNodeCapacity, check);
    DecodeAirwayNetwork(lowBytes, "LowAlt.ab1", LowNodeCapacity, check);

    const std::string& altitudes = apt.altitudes.text;
    StagedFiles staged(dataFolder);
    staged.Add("nav_APT.bin", aptBytes);
    staged.Add("nav_VOR.bin", vorBytes);
    staged.Add("nav_NDB.bin", ndbBytes);
    staged.Add("nav_ISC.bin", iscBytes);
    staged.Add("HighAlt.ab1", highBytes);
    staged.Add("LowAlt.ab1", lowBytes);
    staged.Add("nv_apt1.nv2", EncodeNavennaAirports(apt.airports));
    staged.Add("nv_apt2.nv2", EncodeNavennaValues(apt.values));
    staged.Add("nv_apt3.nv2", EncodeNavennaRunways(apt.runways));
    staged.Add("Altitudes.txt", std::span(reinterpret_cast<const std::uint8_t*>(altitudes.data()), altitudes.size()));
    staged.Commit();
}

std::vector<WrittenFile> DescribeImportedFiles(const AirportFiles& apt, const NavAidTables& aids,
                                               const AirwayNetwork& high, const AirwayNetwork& low) {
    return {
        {"nav_APT.bin", static_cast<std::int64_t>(apt.navAirports.size()), "airports"},
        {"nav_VOR.bin", static_cast<std::int64_t>(aids.vors.size()), "VORs"},
        {"nav_NDB.bin", static_cast<std::int64_t>(aids.ndbs.size()), "NDBs"},
        {"nav_ISC.bin", static_cast<std::int64_t>(aids.intersections.size()), "fixes"},
        {"HighAlt.ab1", high.Count(), "points, " + std::to_string(LegCount(high)) + " legs"},
        {"LowAlt.ab1", low.Count(), "points, " + std::to_string(LegCount(low)) + " legs"},
        {"nv_apt1.nv2", static_cast<std::int64_t>(apt.airports.size()), "airports"},
        {"nv_apt2.nv2", static_cast<std::int64_t>(apt.values.size()), "airport frequency records"},
        {"nv_apt3.nv2", static_cast<std::int64_t>(apt.runways.size()), "runway ends"},
        {"Altitudes.txt", apt.altitudes.count, "airport elevations"},
    };
}

}  // namespace tarnwell
