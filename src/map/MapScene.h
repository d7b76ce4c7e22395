#pragma once
// What the map shows of a route set: its airports, the city pairs it flies
// (one arc per pair of airports, either way), the city pairs that have a
// flight plan, and the plans asked for, point by point.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "map/GeoPoint.h"

namespace tarnwell {

struct MapAirport {
    std::string code;  // IATA, as in the timetable
    std::string icao;
    std::string name;
    GeoPoint position;
    std::int32_t altitude = 0;  // feet, as index.kr1 holds it
};

// A city pair with a plan: ORIGIN-DEST by the timetable's airport codes.
struct MapCityPair {
    std::string origin, destination;  // trimmed codes
    std::int32_t plan = 0;            // its number in PLANS.kr1, from 1
    std::size_t originAirport = 0, destinationAirport = 0;  // in MapScene::airports

    std::string Key() const { return origin + "-" + destination; }
};

struct MapPlanPoint {
    char kind = ' ';    // H airway node, V VOR, N NDB, I intersection
    std::string ident;  // trimmed
    GeoPoint position;
    std::string nodeKind;  // of an airway node: its Kind ("VOR", "NDB", "FIX"), trimmed
};

// A leg of a plan: from the origin airport through every point to the
// destination airport. `airway` is the airway the leg follows, empty for a
// point-to-point leg.
struct MapPlanLeg {
    GeoPoint from, to;
    std::string airway;
};

struct MapPlan {
    MapCityPair pair;
    std::vector<MapPlanPoint> points;
    std::vector<MapPlanLeg> legs;  // points + 1 legs
};

struct MapRoute {
    std::size_t from = 0, to = 0;  // airports, from < to
};

struct MapScene {
    std::string setName;
    std::vector<MapAirport> airports;    // in the order of index.kr1
    std::vector<MapRoute> routes;        // distinct, in order of first flight
    std::vector<MapCityPair> cityPairs;  // in plan order
    std::vector<MapPlan> plans;          // those asked for, in the order asked
};

// Reads Data/<setName> below `programFolder`: index.kr1, routes.kr1 and, for
// the plans of `cityPairs` (each "ORIGIN-DEST", codes in any letter case),
// PLANS.kr1 with Data/HighAlt.ab1, nav_VOR.bin, nav_NDB.bin and nav_ISC.bin
// (each read only when a plan needs it). Throws TarnwellError for a set name
// the compile refuses, a missing or damaged file, a route naming no airport,
// a city pair the route set has no plan for and a plan entry its
// navigation file does not hold.
MapScene LoadMapScene(const std::filesystem::path& programFolder, const std::string& setName,
                      std::span<const std::string> cityPairs = {});

// Reads the plans of `pairs` (city pairs of `scene`) from the route set's
// PLANS.kr1 and the navigation files of Data below `programFolder`, and adds
// them to `scene.plans` in that order. Throws as LoadMapScene does.
void LoadScenePlans(const std::filesystem::path& programFolder, MapScene& scene,
                    std::span<const MapCityPair> pairs);

// The city pair `key` ("ORIGIN-DEST", any letter case) of `scene`, or
// nullptr.
const MapCityPair* FindCityPair(const MapScene& scene, const std::string& key);

}  // namespace tarnwell
