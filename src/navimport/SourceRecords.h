#pragma once
// What the readers of the simulator text files turn the files into: beacons,
// landing aids, fixes, airway segments and airports, and a report of each
// file read. Positions are degrees, latitude positive north, longitude
// positive east.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwell {

// What reading one file came to.
struct SourceReport {
    std::string file;
    int version = 0;
    std::int64_t records = 0;  // lines turned into records
    std::int64_t skipped = 0;  // malformed lines left out
    std::vector<std::string> firstSkipped;  // "line 12: too few columns", the first few

    void Skip(std::int64_t line, std::string_view reason);
};

// Called now and then with the share of the file read so far (0 to 1).
using ReadProgress = std::function<void(double)>;

struct SourceBeacon {
    std::string ident, region, name;
    double lat = 0, lon = 0;
    std::int32_t frequency = 0;  // VOR: 10 kHz units (11360 = 113.60 MHz); NDB: kHz
    float variation = 0;         // VOR: slaved magnetic variation, east positive
};

struct SourceLocalizer {
    std::string ident, airport, runway;
    std::int32_t frequency = 0;  // 10 kHz units
};

struct NavSource {
    std::vector<SourceBeacon> vors;
    std::vector<SourceBeacon> ndbs;
    std::vector<SourceLocalizer> localizers;  // ILS localizers, LOC, LDA and SDF
};

struct SourceFix {
    std::string ident, terminal, region;  // terminal and region only from version 1100 on
    double lat = 0, lon = 0;
};

enum class AirwayDirection { Both, Forward, Backward };

struct SourceAirwaySegment {
    std::string ident1, ident2;
    double lat1 = 0, lon1 = 0, lat2 = 0, lon2 = 0;
    bool high = false;
    AirwayDirection direction = AirwayDirection::Both;
    std::string names;  // the airway designators, joined by '-'
    char kind1 = 0, kind2 = 0;  // 'F' fix, 'V' VOR, 'N' NDB, 0 unknown
};

struct SourceRunwayEnd {
    std::string ident;
    double lat = 0, lon = 0;
};

struct SourceRunway {
    std::array<SourceRunwayEnd, 2> ends;
    double widthFeet = 0;
    int surface = 0;
};

// The seven frequency kinds of an airport, in this order.
enum FrequencyKind { Atis, Unicom, Clearance, Ground, Tower, Approach, Departure, FrequencyKinds };

struct SourceAirport {
    std::int64_t line = 0;
    std::string ident;  // the airport's code in the file
    std::string icao;   // the ICAO code from the metadata, when given
    std::string name, city;
    std::int32_t elevation = 0;  // feet
    std::optional<std::array<double, 2>> datum;      // reference point from the metadata
    std::optional<std::array<double, 2>> otherPlace;  // a helipad, tower or start position
    std::vector<SourceRunway> runways;
    std::array<float, FrequencyKinds> frequencies{};  // MHz, 0 when absent
    std::array<int, FrequencyKinds> frequencyPrecision{};  // 0 none, 1 from 10 kHz rows, 2 from kHz rows
};

struct AirportSource {
    std::vector<SourceAirport> airports;  // land airports in file order
    std::int64_t seaAndHeliports = 0;     // left out: not land airports
};

}  // namespace tarnwell
