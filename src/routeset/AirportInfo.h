#pragma once
// The route set's airport information: altitudes corrected from
// Data/Altitudes.txt, APT.kr1 (runways and frequencies from the airport
// database nv_apt1/2/3.nv2) and the final index.kr1 with RunwayCount and
// AptPos.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "common/FixedText.h"
#include "navdata/AirportDatabase.h"

namespace tarnwell {

struct ProgramState;
class Port;

// What the airport database holds for one index airport (all 0 when it has nothing).
struct AirportInfoRecord {
    FixedText<4> ICAO;
    std::int32_t RunwayPos = 0;
    std::int32_t ValuesPos = 0;
    std::int32_t RunwayCount = 0;
};


// APT.kr1: for each index airport with runways, in index order, its runway
// records and then one values record. AptPos of an airport is the 1-based
// position of its first runway record; its values record follows the
// RunwayCount runway records.
struct AptRunwayRecord {            // 34 bytes
    FixedText<5> RunwayIdent;       // 0
    std::int32_t RunwayData1 = 0;   // 5: copied unchanged from the database
    std::int32_t RunwayData2 = 0;   // 9: copied unchanged from the database
    float Heading = 0;              // 13
    float NetHeading = 0;           // 17: heading minus heading offset, plus 360 when negative
    FixedText<7> IlsText;           // 21: "NO ILS " when the database holds seven blanks
    FixedText<6> IlsValue;          // 28: formatted "000.00"

    friend bool operator==(const AptRunwayRecord&, const AptRunwayRecord&) = default;
};

struct AptValuesRecord {               // 42 bytes
    std::array<FixedText<6>, 7> Values;  // at 0, 6, ..., 36; each formatted "000.00"

    friend bool operator==(const AptValuesRecord&, const AptValuesRecord&) = default;
};

inline constexpr std::size_t AptRunwayRecordLength = 34;
inline constexpr std::size_t AptValuesRecordLength = 42;

void EncodeAptRunway(const AptRunwayRecord& r, std::span<std::uint8_t> out);
void EncodeAptValues(const AptValuesRecord& v, std::span<std::uint8_t> out);
AptRunwayRecord DecodeAptRunway(std::span<const std::uint8_t> in);
AptValuesRecord DecodeAptValues(std::span<const std::uint8_t> in);

// The number rounded to two decimals, at least three digits before the point
// and two after, a minus sign in front when negative, cut to six characters
// or padded with blanks: 118.7 gives "118.70", -5.5 "-005.5", 1234.5 "1234.5".
// A value that is not a finite number is an error.
FixedText<6> FormatValue(float value);

// The runway's heading less its offset, as a 32-bit float, plus 360 only when
// the difference is negative (so 365 stays 365).
float NetHeading(float heading, float headingOffset);

// "Writing Data Files", after WriteDataFiles: the four steps below in order,
// each under its own status text, starting from a cleared AirportInfo.
void BuildAirportInfo(ProgramState& state, Port& port);

// "Loading Navenna Airports": Data/nv_apt1.nv2 into NavennaAirports. A
// missing or empty file, or one that is not a whole number of records, is an
// error.
void LoadNavennaAirports(ProgramState& state, Port& port);
// "Loading Altitudes": Data/Altitudes.txt into Altitudes, one code and whole
// number per line. A missing file, a malformed line or more than 22001
// entries is an error naming the line.
void LoadAltitudes(ProgramState& state, Port& port);
// "Finding Navenna Data": AirportInfo of every index airport from the first
// database record with its trimmed code; the altitude of the first list entry
// with all four characters of its code. An airport missing from the list
// keeps its altitude and is reported by a warning beep.
void FindNavennaData(ProgramState& state, Port& port);
// "Writing Index File": APT.kr1 and index.kr1 into the route set, then a
// beep. A database position outside nv_apt2.nv2 or nv_apt3.nv2 (or a missing
// file) is an error naming the airport and the file.
void WriteIndexFile(ProgramState& state, Port& port);

}  // namespace tarnwell
