#include "examine/check/AptLayoutCheck.h"

#include <cstdint>
#include <string>

#include "routeset/AptFile.h"

namespace tarnwell::routesetcheck {

using std::to_string;

void AptLayoutCheck::CheckAirport(std::size_t airport) {
    const IndexAirportRecord& a = files_.airports[airport];
    if (a.AptPos != layout_.next)
        problems_.push_back(AirportText(static_cast<std::int64_t>(airport), a) + ": AptPos " + to_string(a.AptPos) +
                            ", " + layout_.Expected(files_.airports));
    if (a.RunwayCount > 0) {
        layout_.Follow(airport, a.AptPos,
                       static_cast<std::int64_t>(AptRunwayRecordLength) * a.RunwayCount +
                           static_cast<std::int64_t>(AptValuesRecordLength));
        if (!firstPastEnd_ && layout_.next - 1 > static_cast<std::int64_t>(files_.apt->size()))
            firstPastEnd_ = airport;
    }
}

void AptLayoutCheck::CheckFileEnd() {
    const auto size = static_cast<std::int64_t>(files_.apt->size());
    if (layout_.next - 1 != size)
        problems_.push_back("APT.kr1: " + to_string(size) + " bytes, but " + layout_.LastPart(files_.airports) +
                            (firstPastEnd_ && firstPastEnd_ != layout_.previous
                                 ? "; from airport " + to_string(*firstPastEnd_) + " on it lies past the end"
                                 : ""));
}

}  // namespace tarnwell::routesetcheck
