#pragma once
// A timetable made from the flight export of a virtual-airline web manager
// (phpVMS 7): its CSV of flights turned into timetable flights.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Errors.h"
#include "records/ScheduleRecord.h"

namespace tarnwell {

// The three-letter code of the airport with this four-letter code (upper
// case, no blanks), or nothing when it is not known.
using ThreeLetterCodeLookup = std::function<std::optional<std::string>(std::string_view icao)>;

// One row that cannot be converted: why, and where (file, line, column).
struct ImportProblem {
    std::string what;
    ErrorPlace place;
};

struct PhpVmsConversion {
    std::vector<ScheduleRecord> flights;  // in the export's order
    std::int64_t inactiveRows = 0;        // rows left out as not active
    std::vector<ImportProblem> problems;  // every row that cannot be converted
    // Every airport of an active flight without a three-letter code, once
    // each, in the order they first appear.
    std::vector<std::string> airportsWithoutCode;

    bool Ok() const { return problems.empty() && airportsWithoutCode.empty(); }
};

// Converts the flight export `csv` (UTF-8; `label` names it in messages).
// The header row names the columns in any order and case; airline,
// flight_number, dpt_airport, arr_airport, dpt_time and arr_time are
// required, every other column is optional. A row becomes one flight:
//   Origin, Destination        `codeOf` of dpt_airport, arr_airport
//   OriginICAO, DestinationICAO dpt_airport, arr_airport (1 to 4 letters or
//                               digits, taken in upper case)
//   Airline                    airline (1 to 3 letters or digits)
//   FlightNumber               flight_number, a whole number 0 to 32767;
//                              route_code and route_leg are not carried
//   Equipment                  the first type of subfleets (types separated
//                              by ';' or ','), cut to 3 characters; blank
//                              when there is none, which a compile reads as
//                              "734"
//   DepartTime, ArriveTime     dpt_time, arr_time, "HH:MM", "H:MM", "HHMM"
//                              or "HMM", as the number HHMM (06:10 -> 610)
//   Day1 .. Day7               days, digits 1 (Monday) to 7 (Sunday), each
//                              setting its day; empty or missing: every day
//   letter flags and masks     0
// A row whose active is 0, false or no (any case) is left out and counted;
// empty or missing means active. Throws TarnwellError for what stops the
// whole file: no header row, a missing required column, a broken quote,
// more flights than a timetable holds. Everything else is collected.
PhpVmsConversion ConvertPhpVmsFlights(const std::string& label, std::string_view csv,
                                      const ThreeLetterCodeLookup& codeOf);

// The timetable text of the flights: one line each, in the timetable
// format, lines ended by CR LF.
std::string TimetableText(const std::vector<ScheduleRecord>& flights);

}  // namespace tarnwell
