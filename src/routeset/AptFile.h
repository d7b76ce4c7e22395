#pragma once
// The records of APT.kr1, and how the airport database's numbers are written
// into them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/FixedText.h"

namespace tarnwell {

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

}  // namespace tarnwell
