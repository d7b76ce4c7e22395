#pragma once
// The fixed-record files of the navigation database: airports (nav_APT.bin),
// VORs and NDBs (nav_VOR.bin, nav_NDB.bin) and intersections (nav_ISC.bin).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/BinaryIO.h"
#include "common/FixedText.h"

namespace tarnwell {

// One record of nav_APT.bin (90 bytes).
struct NavAirport {
    FixedText<4> ICAO;
    FixedText<36> Name;
    FixedText<26> City;
    float Latitude = 0.0f;
    float Longitude = 0.0f;
    std::int32_t Altitude = 0;
    std::uint32_t Reserved1 = 0;
    std::int16_t Reserved2 = 0;
    std::uint32_t Reserved3 = 0;
    std::int16_t Reserved4 = 0;

    friend bool operator==(const NavAirport&, const NavAirport&) = default;
};

// One record of nav_VOR.bin or nav_NDB.bin (46 bytes).
struct NavAid {
    FixedText<3> Ident;
    FixedText<29> Name;
    float Latitude = 0.0f;
    float Longitude = 0.0f;
    FixedText<6> Frequency;

    friend bool operator==(const NavAid&, const NavAid&) = default;
};

// One record of nav_ISC.bin (20 bytes).
struct Intersection {
    FixedText<5> Ident;
    FixedText<7> ReservedText;
    float Latitude = 0.0f;
    float Longitude = 0.0f;

    friend bool operator==(const Intersection&, const Intersection&) = default;
};

inline constexpr std::size_t NavAirportRecordLength = 90;
inline constexpr std::size_t NavAidRecordLength = 46;
inline constexpr std::size_t IntersectionRecordLength = 20;

// The most records a file of the navigation data or the airport database is
// read with. The formats set no number, and the whole world's data holds at
// most 120,000 (fixes; 67,000 runway ends, 27,000 airports), so a million
// leaves room for richer data and still refuses a file that cannot be one.
inline constexpr std::uintmax_t NavFileRecordLimit = 1'000'000;
constexpr FileLimit NavFileLimit(std::size_t recordLength) {
    return {recordLength * NavFileRecordLimit, "a navigation data file of at most 1000000 records"};
}

// File layouts. Decoding checks the length: a file that is not a whole
// number of records is an error
// naming `label`.
std::vector<NavAirport> DecodeNavAirports(std::span<const std::uint8_t> bytes, const std::string& label);
std::vector<NavAid> DecodeNavAids(std::span<const std::uint8_t> bytes, const std::string& label);
std::vector<Intersection> DecodeIntersections(std::span<const std::uint8_t> bytes, const std::string& label);
Bytes EncodeNavAirports(std::span<const NavAirport> airports);
Bytes EncodeNavAids(std::span<const NavAid> aids);
Bytes EncodeIntersections(std::span<const Intersection> intersections);

}  // namespace tarnwell
