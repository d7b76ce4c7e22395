#pragma once
// Finding the city pair a user names by its two airports.

#include <string>

#include "map/MapScene.h"

namespace tarnwell {

// The city pair of `scene` from `origin` to `destination`, each named by the
// timetable's airport code or by the airport's ICAO code, in any letter
// case; nullptr when the route set holds no plan for it.
const MapCityPair* ChooseCityPair(const MapScene& scene, const std::string& origin, const std::string& destination);

}  // namespace tarnwell
