#include "map/MapImage.h"

#include "map/DrawMap.h"
#include "map/PngCanvas.h"
#include "map/SvgCanvas.h"

namespace tarnwell {

Bytes RenderMapImage(const MapScene& scene, int width, int height, MapImageFormat format) {
    MapView view(width, height);
    view.Fit(SceneExtent(scene));
    if (format == MapImageFormat::Png) {
        PngCanvas canvas(width, height);
        DrawMap(scene, view, canvas);
        return canvas.EncodePng();
    }
    SvgCanvas canvas(width, height);
    DrawMap(scene, view, canvas);
    const std::string text = canvas.Finish();
    return Bytes(text.begin(), text.end());
}

}  // namespace tarnwell
