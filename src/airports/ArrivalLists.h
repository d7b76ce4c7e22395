#pragma once
// arrivals.kr1: for each index airport, the positions of the routes that
// arrive there.

namespace tarnwell {

struct ProgramState;
class Port;

// "Creating Arrivals Pointers": writes arrivals.kr1 into the route set, the
// 32-bit 1-based positions in routes.kr1 (32 * r + 1) of the routes whose
// trimmed Destination is an airport's trimmed IATA, grouped by index airport
// in index order and ascending within a group; sets each airport's
// ArrivalsPos (left as it was when nothing arrives) and ArrivalsCount. More
// than 32767 arrivals at one airport is an error.
void CreateArrivalsPointers(ProgramState& state, Port& port);

}  // namespace tarnwell
