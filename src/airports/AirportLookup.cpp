#include "airports/AirportLookup.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace tarnwell {

void LookupIndexAirports(std::span<IndexAirportRecord> IndexAirports, std::span<const NavAirport> NavAirports,
                         Progress& progress) {
    // The first navigation airport of each trimmed code, in table order.
    std::unordered_map<std::string_view, std::size_t> firstByCode;
    firstByCode.reserve(NavAirports.size());
    for (std::size_t j = 0; j < NavAirports.size(); ++j)
        firstByCode.try_emplace(NavAirports[j].ICAO.Trimmed(), j);

    for (IndexAirportRecord& airport : IndexAirports) {
        const auto found = firstByCode.find(airport.ICAO.Trimmed());
        if (found == firstByCode.end()) {
            progress.Beep(BeepKind::Warning, "airport " + std::string(airport.IATA.Trimmed()) + " (" +
                                             std::string(airport.ICAO.Trimmed()) +
                                             ") is not in the navigation airports (nav_APT.bin); it keeps "
                                             "an empty name and city and the position 0, 0");
            continue;
        }
        const NavAirport& nav = NavAirports[found->second];
        airport.Latitude = nav.Latitude;
        airport.Longitude = nav.Longitude;
        airport.Altitude = nav.Altitude;
        airport.City = nav.City.View();
        airport.AirportName = nav.Name.View();
    }
}

}  // namespace tarnwell
