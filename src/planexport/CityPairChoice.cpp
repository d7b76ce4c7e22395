#include "planexport/CityPairChoice.h"

namespace tarnwell {

namespace {

bool SameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
        if (up(a[i]) != up(b[i])) return false;
    }
    return true;
}

// The timetable's code of the airport whose ICAO code `code` is, else `code`.
std::string TimetableCode(const MapScene& scene, const std::string& code) {
    for (const MapAirport& airport : scene.airports)
        if (!airport.icao.empty() && SameLetters(airport.icao, code)) return airport.code;
    return code;
}

}  // namespace

const MapCityPair* ChooseCityPair(const MapScene& scene, const std::string& origin, const std::string& destination) {
    if (const MapCityPair* pair = FindCityPair(scene, origin + "-" + destination)) return pair;
    return FindCityPair(scene, TimetableCode(scene, origin) + "-" + TimetableCode(scene, destination));
}

}  // namespace tarnwell
