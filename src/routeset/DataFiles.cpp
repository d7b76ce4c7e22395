#include "routeset/DataFiles.h"

#include "common/BinaryIO.h"
#include "records/RecordLayouts.h"

namespace tarnwell {

void WriteDataFiles(RouteSetOutput& routeSet, std::span<const IndexAirportRecord> IndexAirports,
                    std::span<const RouteRecord> Routes, AirlineTable& AirlineInfo, std::string_view airlineCode,
                    std::string_view airlineName) {
    AirlineRecord& own = AirlineInfo[0];
    own.Code = airlineCode;
    own.Name = airlineName;

    WriteFileBytes(routeSet.File("index.kr1"), EncodeIndexFile(IndexAirports));
    WriteFileBytes(routeSet.File("routes.kr1"), EncodeRouteFile(Routes));
    WriteFileBytes(routeSet.File("airline.kr1"), EncodeAirlineFile(AirlineInfo));
}

}  // namespace tarnwell
