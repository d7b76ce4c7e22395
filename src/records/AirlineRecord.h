#pragma once
// One airline of a route set's airline.kr1 or of the real-world airline list.

#include "common/FixedText.h"

namespace tarnwell {

struct AirlineRecord {
    FixedText<3> Code;
    FixedText<39> Name;
    FixedText<24> Extra;  // carried unchanged, never interpreted

    friend bool operator==(const AirlineRecord&, const AirlineRecord&) = default;
};

}  // namespace tarnwell
