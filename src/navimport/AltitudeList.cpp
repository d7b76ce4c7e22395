#include "navimport/AltitudeList.h"

#include <algorithm>
#include <numeric>

#include "common/Errors.h"
#include "navdata/AirportDatabase.h"
#include "navimport/CountPhrase.h"
#include "navimport/SphereGeometry.h"

namespace tarnwell {

AltitudeList MakeAltitudeList(const std::vector<ChosenAirport>& chosen, const ImportRegion& region, bool strict,
                              std::vector<std::string>& dropped) {
    std::vector<std::size_t> listed(chosen.size());
    std::iota(listed.begin(), listed.end(), std::size_t{0});
    if (listed.size() > static_cast<std::size_t>(AltitudeCapacity)) {
        if (strict)
            throw TarnwellError(ErrorKind::Overflow, "the region holds " + std::to_string(listed.size()) +
                                                         " airports, more than the 22001 the altitude list can hold");
        const auto centre = region.Centre();
        std::vector<double> distance(chosen.size());
        for (std::size_t i = 0; i < chosen.size(); ++i)
            distance[i] = DistanceFeet(centre[0], centre[1], chosen[i].lat, chosen[i].lon);
        std::stable_sort(listed.begin(), listed.end(), [&](auto x, auto y) { return distance[x] < distance[y]; });
        listed.resize(AltitudeCapacity);
        std::sort(listed.begin(), listed.end());
        dropped.push_back(CountPhrase(static_cast<std::int64_t>(chosen.size() - static_cast<std::size_t>(AltitudeCapacity)),
                                      "airport", "airports") +
                          " farthest from the region's centre left out of Altitudes.txt (it holds at most 22001)");
    }
    AltitudeList list;
    for (std::size_t i : listed) {
        list.text += chosen[i].code + "," + std::to_string(chosen[i].airport->elevation) + "\r\n";
        ++list.count;
    }
    return list;
}

}  // namespace tarnwell
