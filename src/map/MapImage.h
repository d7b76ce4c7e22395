#pragma once
// A whole map picture of a route set, as the command line writes it.

#include <string>

#include "common/BinaryIO.h"
#include "map/MapScene.h"

namespace tarnwell {

enum class MapImageFormat { Svg, Png };

// The scene fitted into width x height pixels and drawn as SVG text or PNG
// bytes; the same scene and size always give the same bytes.
Bytes RenderMapImage(const MapScene& scene, int width, int height, MapImageFormat format);

}  // namespace tarnwell
