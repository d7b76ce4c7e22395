#pragma once
// The airway route finder's helpers.

namespace tarnwell {

// The smaller angle between two directions: |A - B|, folded back below 180.
// For two directions in 0..360 the result lies in 0..180.
float AngleDiff(float A, float B);

}  // namespace tarnwell
