#pragma once
// The navigation data importer: turns the simulator text files (nav.dat,
// fix.dat, awy.dat, apt.dat) into every data file the compile reads -
// nav_APT.bin, nav_VOR.bin, nav_NDB.bin, nav_ISC.bin, HighAlt.ab1, LowAlt.ab1,
// nv_apt1.nv2, nv_apt2.nv2, nv_apt3.nv2 and Altitudes.txt.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "navdata/AirwayNetwork.h"
#include "navdata/NavRecords.h"
#include "navimport/XPlaneFormats.h"

namespace tarnwell {

class Progress;

// A latitude/longitude box, bounds included. A box whose western bound lies
// east of its eastern one wraps across the 180th meridian.
struct ImportRegion {
    double latMin = -90, latMax = 90, lonMin = -180, lonMax = 180;

    bool Contains(double lat, double lon) const;
    // The point the box is centred on; capped files keep what lies nearest to it.
    std::array<double, 2> Centre() const;
};

// Throws TarnwellError(ErrorKind::Usage) for bounds out of range or reversed latitudes.
void CheckRegion(const ImportRegion& region);

struct NavDataImportOptions {
    std::filesystem::path source;  // folder holding the four text files
    ImportRegion region;
    bool strict = false;  // refuse, rather than trim, data beyond a file's capacity
};

struct WrittenFile {
    std::string name;
    std::int64_t records = 0;
    std::string what;  // "airports", "runway ends", ...
};

struct NavDataImportResult {
    std::vector<SourceReport> sources;
    std::vector<WrittenFile> written;
    std::vector<std::string> dropped;  // what was left out, and why
};

// Reads the four source files from options.source (or its Navaids and
// Airports subfolders; each plain or gzip-compressed, as name or name.gz)
// and writes the data files into `dataFolder`. Every file is first written to
// a temporary beside it; the old files are replaced only once all are
// written. Throws TarnwellError when a source file is missing or unreadable,
// or, with `strict`, when something exceeds a capacity.
NavDataImportResult ImportNavData(const std::filesystem::path& dataFolder, const NavDataImportOptions& options,
                                  Progress& progress);

// What building one airway network came to.
struct AirwayNetworkBuild {
    AirwayNetwork network;
    std::int64_t nodesOutsideRegion = 0;  // points of the network's segments outside the region
    std::int64_t nodesOverCapacity = 0;   // points left out because the network was full
    std::int64_t legsOverCapacity = 0;    // legs left out because their node had 76 already
};

// Builds the high (`high` true) or low network from the segments: a node is
// a distinct identifier and position inside the region, numbered in the order
// the segments first name it; legs run both ways unless the segment is one
// way, and carry the first of the segment's airway names (cut to 5
// characters), the length and course the route finder computes. A second
// segment between the same two points adds no leg. Beyond `capacity` nodes
// the nodes nearest the region's centre are kept; beyond 76 legs a node keeps
// its shortest. With `strict` either throws TarnwellError(ErrorKind::Overflow).
AirwayNetworkBuild BuildAirwayNetwork(const std::vector<SourceAirwaySegment>& segments, bool high,
                                      const ImportRegion& region, std::int32_t capacity, bool strict);

// The magnetic variation at a place: the slaved variation of the nearest VOR,
// 0 when there is none.
class VariationMap {
public:
    explicit VariationMap(const std::vector<SourceBeacon>& vors);
    float At(double lat, double lon) const;

private:
    std::vector<std::array<double, 3>> points_;
    std::vector<float> variation_;
};

// True heading from the first point to the second, 0 to 360, and the
// distance between them in feet (on a sphere of the earth's mean radius).
double TrueHeading(double lat1, double lon1, double lat2, double lon2);
double DistanceFeet(double lat1, double lon1, double lat2, double lon2);

}  // namespace tarnwell
