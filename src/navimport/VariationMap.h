#pragma once
// Magnetic variation across the world, taken from the VORs.

#include <array>
#include <vector>

#include "navimport/SourceRecords.h"

namespace tarnwell {

// The magnetic variation at a place: the slaved variation of the nearest VOR,
// 0 when there is none.
class VariationMap {
public:
    explicit VariationMap(const std::vector<SourceBeacon>& vors);
    float At(double lat, double lon) const;

private:
    std::vector<std::array<double, 3>> points_;
    std::vector<float> variation_;
};

}  // namespace tarnwell
