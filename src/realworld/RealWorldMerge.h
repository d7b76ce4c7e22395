#pragma once
// The real-world merge behind "2.  Get Real World Airline Data": the chosen
// real-world airlines' flights that touch an airport of the user's timetable
// are written to the add file Data/Defaults/carrierADD.txt, which the next
// compile merges into the timetable, and the chosen airlines become elements
// 1 onward of the route set's airline list AirlineInfo.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/FixedText.h"
#include "records/IndexAirportRecord.h"
#include "records/AirlineRecord.h"
#include "records/ScheduleRecord.h"
#include "compile/CompileDriver.h"

namespace tarnwell {

struct ProgramState;
class Port;

// The timetable's airport codes: at most 50000 flights (two codes each) are
// read for them, and at most 5001 distinct codes are kept.
inline constexpr std::int32_t MergeCodeListCapacity = 100001;
inline constexpr std::int32_t MergeAirportCapacity = 5001;
// AirlineInfo holds the compiled airline and ten real-world ones.
inline constexpr std::size_t RealWorldAirlineCapacity = 10;

// Reads the timetable into Schedule (a blank Equipment becomes "734"; no add
// file is read) and fills MergeAirportCodes with its distinct airport codes,
// full width, in ascending order of character codes.
void ReadMergeTimetable(ProgramState& state, const std::filesystem::path& timetable);

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

struct MergeOutcome : CompileOutcome {
    std::int32_t addedRoutes = 0;
};

// "2.  Get Real World Airline Data": asks for the timetable through the port,
// takes the chosen airlines from port.ChosenAirlines() (RealAirlines item
// numbers in list order), and writes the add file. Every outcome ends with
// the status "Finished Getting Data". A merge that does not finish changes
// nothing: the older add file and AirlineInfo stay as they were.
MergeOutcome GetRealWorldData(ProgramState& state, Port& port);

// The RealAirlines item number a user means by `choice`: "#N" is item number
// N; anything else is a code, compared trimmed and case-sensitive, and the
// first airline with that code is meant. The choice is UTF-8 text. Nothing
// when no airline matches.
std::optional<std::int32_t> FindRealAirline(std::span<const AirlineRecord> airlines, std::string_view choice);

}  // namespace tarnwell
