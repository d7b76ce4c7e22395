#include "navimport/AirportChoice.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_set>

#include "navimport/CountPhrase.h"
#include "navimport/SphereGeometry.h"

namespace tarnwell {

namespace {

// A code the compile's files and the altitude list can carry.
bool UsableAirportCode(const std::string& code) {
    if (code.empty() || code.size() > 4) return false;
    return std::all_of(code.begin(), code.end(), [](char c) {
        return c > ' ' && c < 127 && c != ',' && c != '"';
    });
}

// The centre of all the airport's runway ends, on the sphere.
std::array<double, 2> RunwayCentre(const SourceAirport& a) {
    double x = 0, y = 0, z = 0;
    for (const auto& r : a.runways)
        for (const auto& e : r.ends) {
            const auto u = UnitVector(e.lat, e.lon);
            x += u[0], y += u[1], z += u[2];
        }
    return LatLonOfDirection(x, y, z);
}

std::optional<std::array<double, 2>> AirportPosition(const SourceAirport& a) {
    if (a.datum) return *a.datum;
    if (!a.runways.empty()) return RunwayCentre(a);
    if (a.otherPlace) return *a.otherPlace;
    return std::nullopt;
}

}  // namespace

std::vector<ChosenAirport> ChooseAirports(const AirportSource& source, const ImportRegion& region,
                                          std::vector<std::string>& dropped) {
    std::unordered_set<std::string> seen;
    std::int64_t badCode = 0, duplicate = 0, noPlace = 0, outside = 0;
    std::vector<ChosenAirport> chosen;
    for (const SourceAirport& a : source.airports) {
        const std::string code = a.icao.size() == 4 ? a.icao : a.ident;
        if (!UsableAirportCode(code)) {
            ++badCode;
            continue;
        }
        const auto position = AirportPosition(a);
        if (!position) {
            ++noPlace;
            continue;
        }
        const double lat = (*position)[0], lon = (*position)[1];
        if (!region.Contains(lat, lon)) {
            ++outside;
            continue;
        }
        if (!seen.insert(code).second) {
            ++duplicate;
            continue;
        }
        chosen.push_back({&a, code, lat, lon});
    }
    if (badCode) dropped.push_back(CountPhrase(badCode, "airport", "airports") + " whose code is not 1 to 4 plain characters");
    if (noPlace) dropped.push_back(CountPhrase(noPlace, "airport", "airports") + " without any position");
    if (outside) dropped.push_back(CountPhrase(outside, "airport", "airports") + " outside the region");
    if (duplicate) dropped.push_back(CountPhrase(duplicate, "airport", "airports") + " whose code an earlier airport has");
    if (source.seaAndHeliports)
        dropped.push_back(CountPhrase(source.seaAndHeliports, "seaplane base or heliport", "seaplane bases and heliports"));
    return chosen;
}

}  // namespace tarnwell
