#pragma once
// Loading the navigation database, and the distinct city pairs that get one
// flight plan each.

namespace tarnwell {

struct ProgramState;
class Port;

// Each loader replaces its table with the file's records from the Data
// folder. nav_APT.bin, nav_VOR.bin, nav_NDB.bin and nav_ISC.bin must exist
// and hold at least one whole record; a missing, empty or ragged file is an
// error naming it.
void LoadNavAirports(ProgramState& state, Port& port);
void LoadVors(ProgramState& state, Port& port);
void LoadNdbs(ProgramState& state, Port& port);
void LoadIntersections(ProgramState& state, Port& port);

// The airway networks HighAlt.ab1 and LowAlt.ab1. A missing file is an empty
// network; a LegCount outside 0..76, a node cut short by the end of the file
// or more nodes than the table holds (15500 high, 14500 low) is an error.
// Window events are let through every 500 nodes.
void LoadHighNodes(ProgramState& state, Port& port);
void LoadLowNodes(ProgramState& state, Port& port);

// "Loading Flight Plan Data": NDBs, VORs, intersections, the high and the low
// airway network, then the city pairs from UniqueRoutes.txt.
void LoadFlightPlanData(ProgramState& state, Port& port);

// "Create Flight Plan Unique Routes": one city pair per run of adjacent
// routes with the same origin and destination, numbered from 1, written to
// Data/UniqueRoutes.txt. A pair and its reverse are two city pairs; routes of
// one pair that are not adjacent give one city pair per run.
void CreateUniqueRoutes(ProgramState& state, Port& port);

// Reads Data/UniqueRoutes.txt back into UniqueRoutes (at most 34000 pairs).
void LoadUniqueRoutes(ProgramState& state, Port& port);

// "Erasing Old Flight Plan Data": deletes KRplans/2.krp, 3.krp and so on up to
// the first number without a file (plan 1 is rewritten by its build).
void EraseOldPlans(ProgramState& state, Port& port);

// "Creating Flight Plans": builds the plan of every city pair into
// KRplans/<number>.krp and logs each to Data/PlanLog.txt ("SUCCESS" or
// "ERROR"). A plan that cannot be built is also reported through the port.
void CreateFlightPlans(ProgramState& state, Port& port);

// Copies every plan file, in plan-number order, into PLANS.kr1 of the route
// set behind a table of their 1-based positions. A missing or damaged plan
// file stops the compile, naming the plan.
void PackPlans(ProgramState& state, Port& port);

// "Matching Flight Plans to Routes": gives every route the number of the first
// city pair with its (trimmed) origin and destination.
void MatchPlansToRoutes(ProgramState& state, Port& port);

}  // namespace tarnwell
