#pragma once
// Reading flight plans of a route set for the map: the plan's block of
// PLANS.kr1 and the position and identifier of each of its points from the
// navigation files.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/BinaryIO.h"
#include "map/MapScene.h"
#include "navdata/AirwayNetwork.h"
#include "navdata/NavRecords.h"

namespace tarnwell {

// The navigation files of Data, each read the first time a plan needs it.
class PlanPointSource {
public:
    explicit PlanPointSource(std::filesystem::path dataFolder) : data_(std::move(dataFolder)) {}

    // The point a plan entry names; throws TarnwellError when its file does
    // not hold it. `where` names the entry for the message.
    MapPlanPoint Point(char kind, std::int32_t ref, const std::string& where);

private:
    std::filesystem::path data_;
    std::optional<AirwayNetwork> high_;
    std::optional<std::vector<NavAid>> vors_, ndbs_;
    std::optional<std::vector<Intersection>> intersections_;
};

// Plan `pair.plan` of the packed plans `packed` (PLANS.kr1 at `path`), with
// its points and legs.
MapPlan ReadMapPlan(const Bytes& packed, const std::filesystem::path& path, const MapCityPair& pair,
                    const MapScene& scene, PlanPointSource& source);

}  // namespace tarnwell
