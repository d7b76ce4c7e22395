#pragma once
// Writing an RGBA raster as a PNG file: 8 bits a channel, no interlace,
// every row with filter 0, the pixels deflated by zlib in one IDAT chunk.

#include <cstdint>
#include <span>

#include "common/BinaryIO.h"

namespace tarnwell {

// `rgba` holds width x height pixels of 4 bytes, row by row from the top.
Bytes EncodePng(int width, int height, std::span<const std::uint8_t> rgba);

}  // namespace tarnwell
