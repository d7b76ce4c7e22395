#pragma once
// The index airports: every distinct airport of the schedule, in code order.

namespace tarnwell {

struct ProgramState;
class Port;

// "Finding Index Airports": rebuilds IndexAirports from Schedule. Each
// three-letter code is kept once, with the four-letter code of the first
// flight (in schedule order, origin before destination) that names it; the
// table is ordered by the three-letter codes' character codes.
void FindIndexAirports(ProgramState& state, Port& port);

}  // namespace tarnwell
