#pragma once
// Everything flight planning reads of the navigation database, in one bundle
// that is built once when the files are loaded and only read afterwards, so
// any number of planners may share it.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <unordered_map>
#include <vector>

#include "common/FixedText.h"
#include "common/Progress.h"
#include "navdata/AirwayNetwork.h"
#include "navdata/NavaidGrid.h"
#include "navdata/NavRecords.h"
#include "navdata/NearestNodeIndex.h"

namespace tarnwell {

class NavigationData {
public:
    NavigationData(std::vector<NavAirport> navAirports, std::vector<NavAid> vors, std::vector<NavAid> ndbs,
                   std::vector<Intersection> intersections, AirwayNetwork highNodes, AirwayNetwork lowNodes);
    NavigationData(const NavigationData&) = delete;
    NavigationData& operator=(const NavigationData&) = delete;

    const std::vector<NavAirport> NavAirports;
    const std::vector<NavAid> Vors;
    const std::vector<NavAid> Ndbs;
    const std::vector<Intersection> Intersections;
    const AirwayNetwork HighNodes;
    const AirwayNetwork LowNodes;
    // The nearest-node index of HighNodes.
    const NearestNodeIndex HighNodeIndex;
    // The VORs, NDBs and intersections filed by position.
    const NavaidGrid VorGrid;
    const NavaidGrid NdbGrid;
    const NavaidGrid IntersectionGrid;

    // The fixed-record tables are indexed from 0 and their Max is the last
    // index; the airway networks are numbered from 1 and their Count is the
    // number of nodes.
    std::int32_t NavAirportMax() const { return static_cast<std::int32_t>(NavAirports.size()) - 1; }
    std::int32_t VorMax() const { return static_cast<std::int32_t>(Vors.size()) - 1; }
    std::int32_t NdbMax() const { return static_cast<std::int32_t>(Ndbs.size()) - 1; }
    std::int32_t IntersectionMax() const { return static_cast<std::int32_t>(Intersections.size()) - 1; }
    std::int32_t HighNodeCount() const { return HighNodes.Count(); }
    std::int32_t LowNodeCount() const { return LowNodes.Count(); }

    // The position of the first NavAirports record whose code matches all
    // four characters exactly; 0 when none does.
    std::int32_t FindNavAirport(const FixedText<4>& ICAO) const;

private:
    std::unordered_map<std::uint32_t, std::int32_t> firstByCode_;
};

// Loads the NDBs, VORs, intersections, the high and the low airway network
// from `dataFolder`, in that order, and bundles them with the navigation
// airports loaded at start-up.
std::shared_ptr<const NavigationData> LoadNavigationData(const std::filesystem::path& dataFolder,
                                                         std::vector<NavAirport> navAirports, Progress& progress);

// FindNavAirport as a scan of the table, record by record.
std::int32_t FindNavAirportByScan(const std::vector<NavAirport>& NavAirports, const FixedText<4>& ICAO);

}  // namespace tarnwell
