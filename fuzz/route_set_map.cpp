// The map of a route set made from the input: index.kr1, routes.kr1,
// airline.kr1, arrivals.kr1, APT.kr1 and PLANS.kr1 in turn, as for `check`
// (fuzz/FuzzSupport.h, SplitFiles), beside the sample's navigation files.
// The scene, the plans of its first city pairs and both pictures must either
// be made or fail with a TarnwellError; a picture always has its size.

#include <algorithm>

#include "FuzzSupport.h"
#include "map/MapImage.h"
#include "map/MapScene.h"

using namespace tarnwell;

namespace {

constexpr std::size_t PlansDrawn = 20;  // enough for every kind of entry, few enough to stay fast

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteFuzzRouteSet(fuzz::SplitFiles({data, size}));
    MapScene scene;
    if (!fuzz::Tolerate([&] { scene = LoadMapScene(fuzz::Scratch(), "Fuzz"); })) return 0;
    std::vector<MapCityPair> pairs(scene.cityPairs.begin(),
                                   scene.cityPairs.begin() + std::min(scene.cityPairs.size(), PlansDrawn));
    fuzz::Tolerate([&] { LoadScenePlans(fuzz::Scratch(), scene, pairs); });
    for (const MapImageFormat format : {MapImageFormat::Svg, MapImageFormat::Png}) {
        Bytes picture;
        fuzz::Tolerate([&] { picture = RenderMapImage(scene, 64, 48, format); });
        fuzz::Require(!picture.empty(), "a scene that loads is drawn");
    }
    return 0;
}
