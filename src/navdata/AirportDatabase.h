#pragma once
// The airport database beside the program: nv_apt1.nv2 (one record per
// airport), nv_apt2.nv2 (the airport's seven frequency values) and
// nv_apt3.nv2 (one record per runway end). The compile reads fixed fields of
// them; the rest of each record is ours, filled by the navigation data
// importer as described field by field below.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/BinaryIO.h"
#include "common/FixedText.h"

namespace tarnwell {

// nv_apt1.nv2, 25 bytes.
struct NavennaAirportRecord {
    FixedText<4> ICAO;                // 0
    std::uint32_t Reserved1 = 0;      // 4: the importer stores the latitude's float bits
    std::uint32_t Reserved2 = 0;      // 8: the importer stores the longitude's float bits
    std::int32_t RunwayPos = 0;       // 12: 1-based position in nv_apt3.nv2 of the first runway record, 0 when none
    std::int32_t ValuesPos = 0;       // 16: 1-based position in nv_apt2.nv2 of the airport's record
    FixedText<1> Reserved3;           // 20: the importer stores "L" (land airport)
    std::int32_t RunwayCount = 0;     // 21: number of runway records

    friend bool operator==(const NavennaAirportRecord&, const NavennaAirportRecord&) = default;
};

// nv_apt2.nv2, 78 bytes. The compile reads only Values (offsets 50 to 77).
struct NavennaValuesRecord {
    FixedText<4> ICAO;     // 0
    FixedText<36> Name;    // 4
    float Latitude = 0;    // 40
    float Longitude = 0;   // 44
    std::int16_t Reserved = 0;  // 48
    // 50: ATIS, unicom, clearance delivery, ground, tower, approach,
    // departure; MHz, 0 when the airport has none of the kind.
    std::array<float, 7> Values{};

    friend bool operator==(const NavennaValuesRecord&, const NavennaValuesRecord&) = default;
};

// nv_apt3.nv2, 56 bytes: one runway end. The compile reads RunwayIdent,
// RunwayData1, RunwayData2, Heading, HeadingOffset, IlsText and IlsValue.
struct NavennaRunwayRecord {
    FixedText<4> ICAO;            // 0
    FixedText<5> RunwayIdent;     // 4: e.g. "09L"
    std::int32_t RunwayData1 = 0;  // 9: length in feet (end to end)
    std::int32_t RunwayData2 = 0;  // 13: width in feet
    std::int32_t Surface = 0;     // 17: surface code of the source data
    float Heading = 0;            // 21: true heading from this end to the other, 0 to 360
    float HeadingOffset = 0;      // 25: magnetic variation, east positive
    float Latitude = 0;           // 29: this end's threshold
    float Longitude = 0;          // 33
    std::int32_t Reserved = 0;    // 37
    FixedText<7> IlsText;         // 41: landing aid identifier, 7 blanks when none
    float IlsValue = 0;           // 48: its frequency in MHz, 0 when none
    std::int32_t Reserved2 = 0;   // 52

    friend bool operator==(const NavennaRunwayRecord&, const NavennaRunwayRecord&) = default;
};

inline constexpr std::size_t NavennaAirportRecordLength = 25;
inline constexpr std::size_t NavennaValuesRecordLength = 78;
inline constexpr std::size_t NavennaRunwayRecordLength = 56;

// The altitude list Altitudes.txt beside the database: one entry per line.
struct AltitudeEntry {
    FixedText<4> ICAO;
    std::int32_t Altitude = 0;
};

inline constexpr std::int32_t AltitudeCapacity = 22001;  // entries 0 to 22000

Bytes EncodeNavennaAirports(std::span<const NavennaAirportRecord> records);
Bytes EncodeNavennaValues(std::span<const NavennaValuesRecord> records);
Bytes EncodeNavennaRunways(std::span<const NavennaRunwayRecord> records);
std::vector<NavennaAirportRecord> DecodeNavennaAirports(std::span<const std::uint8_t> bytes, const std::string& label);
std::vector<NavennaValuesRecord> DecodeNavennaValues(std::span<const std::uint8_t> bytes, const std::string& label);
std::vector<NavennaRunwayRecord> DecodeNavennaRunways(std::span<const std::uint8_t> bytes, const std::string& label);

}  // namespace tarnwell
