#pragma once
// The index airports: every distinct airport of the schedule, in code order.

#include <cstdint>

namespace tarnwell {

struct ProgramState;
struct IndexAirportRecord;
class Port;

// The index airport a route's OriginIndex or DestIndex (named by `field`)
// designates; a number outside the index is an error naming route `route`.
const IndexAirportRecord& RouteAirport(const ProgramState& state, std::int32_t route, std::int16_t index,
                                       const char* field);

// "Finding Index Airports": rebuilds IndexAirports from Schedule. Each
// three-letter code is kept once, with the four-letter code of the first
// flight (in schedule order, origin before destination) that names it; the
// table is ordered by the three-letter codes' character codes.
void FindIndexAirports(ProgramState& state, Port& port);

// "Looking up Index Airport Information": completes every index airport from
// the first navigation airport whose code matches its four-letter code (both
// trimmed of blanks, case-sensitive): position and altitude as they are,
// City padded to 33 characters, Name cut to 35. An airport the navigation
// data does not know keeps its cleared fields and causes one warning beep
// naming it; the compile goes on.
void LookupIndexAirports(ProgramState& state, Port& port);

}  // namespace tarnwell
