#include "map/MapScene.h"

#include <algorithm>
#include <map>
#include <set>
#include <system_error>
#include <utility>

#include "common/Errors.h"
#include "examine/RouteSetCheck.h"
#include "examine/RouteSetDump.h"
#include "map/MapPlans.h"
#include "records/RecordLayouts.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

Bytes ReadSetFile(const fs::path& folder, const char* name) {
    return ReadFileBytes(folder / name, RouteSetFileLimit(name));
}

void ReadAirportsAndRoutes(const fs::path& folder, MapScene& scene) {
    const fs::path indexPath = folder / "index.kr1", routesPath = folder / "routes.kr1";
    for (const IndexAirportRecord& a : DecodeIndexFile(ReadSetFile(folder, "index.kr1"), PathText(indexPath)))
        scene.airports.push_back({ShownText(a.IATA.Trimmed()), ShownText(a.ICAO.Trimmed()),
                                  ShownText(a.AirportName.View()), {a.Latitude, a.Longitude}, a.Altitude});
    const auto routes = DecodeRouteFile(ReadSetFile(folder, "routes.kr1"), PathText(routesPath));
    std::set<std::pair<std::size_t, std::size_t>> seenRoutes;
    std::set<std::int32_t> seenPlans;
    const auto count = static_cast<std::int64_t>(scene.airports.size());
    for (std::size_t r = 0; r < routes.size(); ++r) {
        const RouteRecord& route = routes[r];
        for (const std::int16_t index : {route.OriginIndex, route.DestIndex})
            if (index < 0 || index >= count)
                throw TarnwellError(ErrorKind::Input,
                                    "airport " + std::to_string(index) + " is not among the " + std::to_string(count) +
                                        " airports of index.kr1",
                                    {PathText(routesPath), {}, {}, {}, static_cast<std::int64_t>(r)});
        const auto o = static_cast<std::size_t>(route.OriginIndex), d = static_cast<std::size_t>(route.DestIndex);
        if (o != d && seenRoutes.insert({std::min(o, d), std::max(o, d)}).second)
            scene.routes.push_back({std::min(o, d), std::max(o, d)});
        if (route.PlanPointer > 0 && seenPlans.insert(route.PlanPointer).second)
            scene.cityPairs.push_back({ShownText(route.Origin.Trimmed()), ShownText(route.Destination.Trimmed()),
                                       route.PlanPointer, o, d});
    }
    std::sort(scene.cityPairs.begin(), scene.cityPairs.end(),
              [](const MapCityPair& a, const MapCityPair& b) { return a.plan < b.plan; });
}

}  // namespace

const MapCityPair* FindCityPair(const MapScene& scene, const std::string& key) {
    const std::string wanted = Upper(key);
    for (const MapCityPair& pair : scene.cityPairs)
        if (Upper(pair.Key()) == wanted) return &pair;
    return nullptr;
}

MapScene LoadMapScene(const fs::path& programFolder, const std::string& setName,
                      std::span<const std::string> cityPairs) {
    const fs::path folder = RouteSetFolder(programFolder, setName);
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        throw TarnwellError(ErrorKind::File, "there is no route set folder of this name", {PathText(folder)});
    MapScene scene;
    scene.setName = setName;
    ReadAirportsAndRoutes(folder, scene);
    if (cityPairs.empty()) return scene;

    std::vector<MapCityPair> wanted;
    for (const std::string& key : cityPairs) {
        const MapCityPair* pair = FindCityPair(scene, key);
        if (!pair)
            throw TarnwellError(ErrorKind::Usage, QuotedField(key) + " is not a city pair with a flight plan in " +
                                                      "the route set (give ORIGIN-DEST, the airport codes of a "
                                                      "flight of the timetable)");
        wanted.push_back(*pair);
    }
    LoadScenePlans(programFolder, scene, wanted);
    return scene;
}

void LoadScenePlans(const fs::path& programFolder, MapScene& scene, std::span<const MapCityPair> pairs) {
    if (pairs.empty()) return;
    const fs::path folder = RouteSetFolder(programFolder, scene.setName);
    const fs::path plansPath = folder / "PLANS.kr1";
    const Bytes packed = ReadSetFile(folder, "PLANS.kr1");
    PlanPointSource source(programFolder / "Data");
    scene.plans.reserve(scene.plans.size() + pairs.size());
    for (const MapCityPair& pair : pairs) scene.plans.push_back(ReadMapPlan(packed, plansPath, pair, scene, source));
}

}  // namespace tarnwell
