// The map of a route set made from the input: index.kr1, routes.kr1,
// airline.kr1, arrivals.kr1, APT.kr1 and PLANS.kr1 in turn, as for `check`
// (fuzz/FuzzSupport.h, SplitFiles), beside the sample's navigation files.
// The scene, the plans of its first city pairs and both pictures must either
// be made or fail with a TarnwellError; a picture always has its size.

#include <array>

#include "FuzzSupport.h"
#include "map/MapImage.h"
#include "map/MapScene.h"

using namespace tarnwell;

namespace {

constexpr std::array<const char*, 6> FileNames = {"index.kr1", "routes.kr1", "airline.kr1",
                                                  "arrivals.kr1", "APT.kr1", "PLANS.kr1"};
constexpr std::size_t PlansDrawn = 20;  // enough for every kind of entry, few enough to stay fast

void CopySampleNavigation() {
    static const bool copied = [] {
        for (const char* name : {"HighAlt.ab1", "nav_VOR.bin", "nav_NDB.bin", "nav_ISC.bin"})
            std::filesystem::copy_file(std::filesystem::path(TARNWELL_SAMPLE_DIR) / "Data" / name,
                                       fuzz::Scratch() / "Data" / name,
                                       std::filesystem::copy_options::overwrite_existing);
        return true;
    }();
    (void)copied;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CopySampleNavigation();
    const std::vector<fuzz::Input> files = fuzz::SplitFiles({data, size});
    for (std::size_t k = 0; k < FileNames.size(); ++k) {
        const std::string relative = std::string("Data/Fuzz/") + FileNames[k];
        if (k < files.size())
            fuzz::WriteScratch(relative, files[k]);
        else
            fuzz::RemoveScratch(relative);
    }
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
