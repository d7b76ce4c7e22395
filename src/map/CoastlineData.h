#pragma once
// The bytes of data/coastlines.bin, compiled into the program (the build
// generates the definition from the file).

#include <cstdint>
#include <span>

namespace tarnwell {

std::span<const std::uint8_t> CoastlineBytes();

}  // namespace tarnwell
