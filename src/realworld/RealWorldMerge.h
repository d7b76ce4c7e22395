#pragma once
// The real-world merge's pieces: the chosen real-world airlines' flights that
// touch an airport of the user's timetable become the add file, which the
// next compile merges into the timetable.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/BinaryIO.h"
#include "common/FixedText.h"
#include "common/Progress.h"
#include "records/AirlineRecord.h"
#include "records/IndexAirportRecord.h"
#include "records/RouteRecord.h"
#include "records/ScheduleRecord.h"

namespace tarnwell {

// The timetable's airport codes: at most 50000 flights (two codes each) are
// read for them, and at most 5001 distinct codes are kept.
inline constexpr std::int32_t MergeCodeListCapacity = 100001;
inline constexpr std::int32_t MergeAirportCapacity = 5001;
// AirlineInfo holds the compiled airline and ten real-world ones.
inline constexpr std::size_t RealWorldAirlineCapacity = 10;

// Reads the timetable as a compile does and gives its distinct airport codes
// (MergeAirportCodes), full width, in ascending order of character codes.
std::vector<FixedText<3>> ReadMergeTimetable(const std::filesystem::path& timetable);

// The airlines of a merge: their trimmed codes for the selection, and
// their records, trimmed and padded back, for AirlineInfo.
struct ChosenAirlines {
    std::vector<std::string> codes;
    std::vector<AirlineRecord> records;
};

// The airlines the user chose by RealAirlines item number, in list order.
// None, more than ten, or a number naming no airline is an error.
ChosenAirlines ChooseAirlines(std::span<const AirlineRecord> RealAirlines, std::span<const std::int32_t> itemNumbers);

// A file of the real-world route set of at most `limit` bytes (the merge
// gives RouteFileLimit or IndexFileLimit); it must hold at least one record.
Bytes ReadRealWorldFile(const std::filesystem::path& path, const FileLimit& limit = DataFileLimit);

// The numbers of the real-world routes that the merge adds, in route order:
// those whose trimmed Airline is one of `chosenCodes` and whose trimmed
// Origin or Destination is the trimmed text of one of `airportCodes`. All
// comparisons are exact and case-sensitive.
std::vector<std::int32_t> SelectRealWorldRoutes(std::span<const RouteRecord> routes,
                                                std::span<const std::string> chosenCodes,
                                                std::span<const FixedText<3>> airportCodes);

// The flight of the add file made from a real-world route: its own fields,
// the ICAO codes of its two index airports, and the day, letter and mask
// columns that give back its DayMask, CodeLetter and MaskBits.
ScheduleRecord AddedFlight(const RouteRecord& route, const FixedText<4>& originICAO, const FixedText<4>& destICAO);

// The add file's text: a timetable line for each selected route, in route
// order, with the ICAO codes of its index airports; shows "Adding k Routes"
// before each. A route whose airport number lies outside `index` is an error
// naming it in `routesLabel`.
struct MergeAddFile {
    std::string text;
    std::int32_t addedRoutes = 0;
};
MergeAddFile MakeAddFile(std::span<const RouteRecord> routes, std::span<const IndexAirportRecord> index,
                         const std::string& routesLabel, std::span<const std::string> chosenCodes,
                         std::span<const FixedText<3>> airportCodes, Progress& progress);

// The RealAirlines item number a user means by `choice`: "#N" is item number
// N; anything else is a code, compared trimmed and case-sensitive, and the
// first airline with that code is meant. The choice is UTF-8 text. Nothing
// when no airline matches.
std::optional<std::int32_t> FindRealAirline(std::span<const AirlineRecord> airlines, std::string_view choice);

}  // namespace tarnwell
