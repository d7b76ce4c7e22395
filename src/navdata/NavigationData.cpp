#include "navdata/NavigationData.h"

#include <cstring>

#include "navdata/NavDataFiles.h"

namespace tarnwell {

namespace {

std::uint32_t CodeKey(const FixedText<4>& code) {
    std::uint32_t key = 0;
    std::memcpy(&key, code.chars.data(), 4);
    return key;
}

NearestNodeIndex IndexOf(const AirwayNetwork& network) {
    NearestNodeIndex index;
    index.Build(network);
    return index;
}

}  // namespace

NavigationData::NavigationData(std::vector<NavAirport> navAirports, std::vector<NavAid> vors,
                               std::vector<NavAid> ndbs, std::vector<Intersection> intersections,
                               AirwayNetwork highNodes, AirwayNetwork lowNodes)
    : NavAirports(std::move(navAirports)),
      Vors(std::move(vors)),
      Ndbs(std::move(ndbs)),
      Intersections(std::move(intersections)),
      HighNodes(std::move(highNodes)),
      LowNodes(std::move(lowNodes)),
      HighNodeIndex(IndexOf(HighNodes)),
      VorGrid(Vors),
      NdbGrid(Ndbs),
      IntersectionGrid(Intersections) {
    firstByCode_.reserve(NavAirports.size());
    for (std::size_t i = 0; i < NavAirports.size(); ++i)
        firstByCode_.try_emplace(CodeKey(NavAirports[i].ICAO), static_cast<std::int32_t>(i));
}

std::int32_t NavigationData::FindNavAirport(const FixedText<4>& ICAO) const {
    const auto found = firstByCode_.find(CodeKey(ICAO));
    return found == firstByCode_.end() ? 0 : found->second;
}

std::int32_t FindNavAirportByScan(const std::vector<NavAirport>& NavAirports, const FixedText<4>& ICAO) {
    for (std::size_t i = 0; i < NavAirports.size(); ++i)
        if (NavAirports[i].ICAO == ICAO) return static_cast<std::int32_t>(i);
    return 0;
}

std::shared_ptr<const NavigationData> LoadNavigationData(const std::filesystem::path& dataFolder,
                                                         std::vector<NavAirport> navAirports, Progress& progress) {
    std::vector<NavAid> ndbs = LoadNdbs(dataFolder);
    std::vector<NavAid> vors = LoadVors(dataFolder);
    std::vector<Intersection> intersections = LoadIntersections(dataFolder);
    AirwayNetwork high = LoadHighNodes(dataFolder, progress);
    AirwayNetwork low = LoadLowNodes(dataFolder, progress);
    return std::make_shared<const NavigationData>(std::move(navAirports), std::move(vors), std::move(ndbs),
                                                  std::move(intersections), std::move(high), std::move(low));
}

}  // namespace tarnwell
