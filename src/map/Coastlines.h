#pragma once
// The world's coastlines the map draws, compiled into the program from
// data/coastlines.bin (made by tools/make-coastlines.py from the GSHHG
// shorelines).
//
// The format, little-endian:
//   "TWCL", uint16 version 1, uint32 number of lines, then per line a uint16
//   number of points (2 or more) and that many pairs of int16 latitude and
//   int16 longitude in hundredths of a degree.

#include <cstdint>
#include <span>
#include <vector>

#include "map/GeoPoint.h"

namespace tarnwell {

// Decodes the format above; anything else is a TarnwellError.
std::vector<GeoLine> DecodeCoastlines(std::span<const std::uint8_t> bytes);

// The compiled-in coastlines, decoded once.
const std::vector<GeoLine>& Coastlines();

}  // namespace tarnwell
