#include "examine/check/SummaryCounts.h"

#include <span>

#include "examine/RouteSetDump.h"

namespace tarnwell::routesetcheck {

RouteSetSummary CountRouteSet(const RouteSetFiles& files) {
    RouteSetSummary summary;
    summary.airports = static_cast<std::int64_t>(files.airports.size());
    for (const IndexAirportRecord& a : files.airports)
        if (a.RunwayCount <= 0) ++summary.airportsWithoutRunways;
    summary.routes = static_cast<std::int64_t>(files.routes.size());
    if (files.airlines) {
        const Bytes& b = *files.airlines;
        for (std::size_t off = 0; off + AirlineRecordLength <= b.size(); off += AirlineRecordLength) {
            const AirlineRecord airline = DecodeAirline(std::span(b).subspan(off, AirlineRecordLength));
            if (!ShownText(airline.Code.Trimmed()).empty()) ++summary.airlines;
        }
    }
    if (files.planCount) summary.plans = *files.planCount;
    return summary;
}

}  // namespace tarnwell::routesetcheck
