#pragma once
// Byte layouts of index.kr1, routes.kr1 and airline.kr1 (also used by the
// real-world route set and the real-world airline list).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/BinaryIO.h"
#include "records/IndexAirportRecord.h"
#include "records/AirlineRecord.h"
#include "records/RouteRecord.h"
#include "records/ScheduleRecord.h"

namespace tarnwell {

inline constexpr std::size_t IndexRecordLength = 107;
inline constexpr std::size_t RouteRecordLength = 32;
inline constexpr std::size_t AirlineRecordLength = 66;
// arrivals.kr1: one 32-bit route position per entry.
inline constexpr std::size_t ArrivalsEntryLength = 4;

// The largest route and index files there can be, for reading them: a route
// per flight of the schedule, an index airport per 16-bit index number.
inline constexpr std::int32_t IndexAirportCapacity = 32768;
inline constexpr FileLimit RouteFileLimit{RouteRecordLength * ScheduleCapacity, "a route file of 100001 routes"};
inline constexpr FileLimit IndexFileLimit{IndexRecordLength * IndexAirportCapacity,
                                          "an index file of 32768 airports"};

// A record's 1-based byte position in its file.
inline std::int64_t RecordPosition(std::int64_t recordNumber, std::size_t recordLength) {
    return recordNumber * static_cast<std::int64_t>(recordLength) + 1;
}

void EncodeIndexAirport(const IndexAirportRecord& r, std::span<std::uint8_t> out);
void EncodeRoute(const RouteRecord& r, std::span<std::uint8_t> out);
void EncodeAirline(const AirlineRecord& r, std::span<std::uint8_t> out);

IndexAirportRecord DecodeIndexAirport(std::span<const std::uint8_t> in);
RouteRecord DecodeRoute(std::span<const std::uint8_t> in);
AirlineRecord DecodeAirline(std::span<const std::uint8_t> in);

// Whole files: the records one after another, nothing else.
Bytes EncodeIndexFile(std::span<const IndexAirportRecord> airports);
Bytes EncodeRouteFile(std::span<const RouteRecord> routes);
Bytes EncodeAirlineFile(std::span<const AirlineRecord> airlines);

// Decoding a whole file; throws TarnwellError naming `label` when the length
// is not a whole number of records.
std::vector<IndexAirportRecord> DecodeIndexFile(std::span<const std::uint8_t> bytes, const std::string& label);
std::vector<RouteRecord> DecodeRouteFile(std::span<const std::uint8_t> bytes, const std::string& label);
std::vector<AirlineRecord> DecodeAirlineFile(std::span<const std::uint8_t> bytes, const std::string& label);

}  // namespace tarnwell
