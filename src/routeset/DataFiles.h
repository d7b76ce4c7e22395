#pragma once
// Writing the route set's index, route and airline files, and loading the
// real-world airline list at start-up.

namespace tarnwell {

struct ProgramState;
class Port;

// "Writing Data Files": sets the compiled airline as the first entry of
// AirlineInfo and writes index.kr1, routes.kr1 and airline.kr1 into the
// route set.
void WriteDataFiles(ProgramState& state, Port& port);

// "Calculating Orvanta Miles": the Miles of every route, the great-circle
// distance between its two index airports in nautical miles with the
// fraction cut off. An airport missing from the navigation data is measured
// at 0, 0. A route whose OriginIndex or DestIndex names no index airport, or
// whose distance is not a number in the 16-bit range, is an error.
void CalcRouteMiles(ProgramState& state, Port& port);

// Start-up: reads Data/airline.kr1 into RealAirlines. A missing or empty file
// gives an empty list and a warning; a length that is not a whole number of
// records is an error.
void LoadRealAirlines(ProgramState& state, Port& port);

}  // namespace tarnwell
