#pragma once
// The three-letter codes of airports by their four-letter codes, as the
// airport export of a virtual-airline web manager (phpVMS 7) lists them.

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "timetable/PhpVmsFlights.h"

namespace tarnwell {

// Four-letter code (upper case) -> three-letter code (upper case).
using AirportCodes = std::map<std::string, std::string, std::less<>>;

// Adds the pair, both taken without blanks around them and in upper case,
// unless `icao` is empty, already has a code, or `code` is not exactly three
// letters or digits (an airport without one leaves it empty). Returns
// whether it was added.
bool AddAirportCode(AirportCodes& codes, std::string_view icao, std::string_view code);

// The codes of an airport export (UTF-8; `label` names it in messages): a
// header row naming at least the columns icao and iata (any order and case),
// then one airport per row. The first row of an airport wins. Throws
// TarnwellError naming the file and line for no header row, a missing
// column or a broken quote.
AirportCodes ParsePhpVmsAirports(const std::string& label, std::string_view csv);

// A lookup in `codes`, which must outlive it.
ThreeLetterCodeLookup LookupIn(const AirportCodes& codes);

}  // namespace tarnwell
