#include "routefinder/GetRoute.h"

#include <cmath>

namespace tarnwell {

float AngleDiff(float A, float B) {
    float D = std::fabs(A - B);
    if (D >= 180) D = std::fabs(D - 360);
    return D;
}

}  // namespace tarnwell
