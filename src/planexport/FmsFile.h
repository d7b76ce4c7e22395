#pragma once
// A flight plan as a simulator's flight management computer loads it: the
// plain-text .fms flight plan of version 1100.
//
//   I
//   1100 Version
//   CYCLE 2401
//   ADEP EGNM
//   ADES EHAM
//   NUMENR 4
//   1 EGNM ADEP 681.000000 53.865898 -1.660556
//   3 POL DRCT 0.000000 53.744167 -2.103056
//   11 REDFA UN601 0.000000 53.3 1.2
//   1 EHAM ADES -11.000000 52.308601 4.763889
//
// NUMENR counts every waypoint line, the two airports included. A waypoint
// line holds its type (1 airport, 2 NDB, 3 VOR, 11 named fix, 28 a position
// without a name), identifier, how it is reached (ADEP for the departure,
// ADES for the destination, DRCT for a direct leg, else the airway), the
// altitude in feet (the airports' elevations; 0 en route, where a route set
// plans no altitude) and its latitude and longitude in degrees.

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "common/FileReplace.h"
#include "map/MapScene.h"

namespace tarnwell {

// The navigation data carries no AIRAC cycle; the file names this one, which
// any loader accepts.
inline constexpr const char* FmsCycle = "2401";

// The waypoint type of a plan point: by the kind of an airway node (VOR, NDB,
// FIX), else by the point's kind.
int FmsWaypointType(const MapPlanPoint& point);

// The .fms text of `plan` of `scene`, lines ended by a line feed.
std::string FmsText(const MapScene& scene, const MapPlan& plan);

// One .fms file per plan in `folder`, named by the two airports' ICAO codes
// (EGNMEHAM.fms); a plan whose airports lack one, or whose name an earlier
// plan took (in any letter case), is named by the timetable's codes
// (LBA-AMS.fms). Characters a file name cannot hold become "_".
std::vector<PendingFile> FmsFiles(const MapScene& scene, std::span<const MapPlan> plans,
                                  const std::filesystem::path& folder);

}  // namespace tarnwell
