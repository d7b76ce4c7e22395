#include "airports/ArrivalLists.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "records/RecordLayouts.h"

namespace tarnwell {

Bytes CreateArrivalsPointers(std::span<IndexAirportRecord> IndexAirports, std::span<const RouteRecord> Routes) {
    // The routes arriving at each trimmed code, in route order: the same
    // lists a scan of every route for every airport finds.
    std::unordered_map<std::string_view, std::vector<std::int32_t>> byDestination;
    byDestination.reserve(IndexAirports.size() * 2);
    for (std::int32_t r = 0; r <= (static_cast<std::int32_t>(Routes.size()) - 1); ++r)
        byDestination[Routes[static_cast<std::size_t>(r)].Destination.Trimmed()].push_back(r);

    Bytes file;
    file.reserve(Routes.size() * ArrivalsEntryLength);
    for (std::int32_t i = 0; i <= (static_cast<std::int32_t>(IndexAirports.size()) - 1); ++i) {
        IndexAirportRecord& airport = IndexAirports[static_cast<std::size_t>(i)];
        const auto found = byDestination.find(airport.IATA.Trimmed());
        const std::size_t count = found == byDestination.end() ? 0 : found->second.size();
        if (count > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
            throw TarnwellError(ErrorKind::Overflow,
                                "airport " + std::string(airport.IATA.Trimmed()) + " has " + std::to_string(count) +
                                    " arriving routes; ArrivalsCount holds at most 32767",
                                {"index airports", {}, {}, "ArrivalsCount", i});
        if (count > 0) {
            airport.ArrivalsPos = static_cast<std::int32_t>(file.size()) + 1;
            for (const std::int32_t r : found->second) {
                file.resize(file.size() + ArrivalsEntryLength);
                RecordWriter{std::span(file).last(ArrivalsEntryLength)}.I32(0, static_cast<std::int32_t>(
                                                                                 RecordPosition(r, RouteRecordLength)));
            }
        }
        airport.ArrivalsCount = static_cast<std::int16_t>(count);
    }
    return file;
}

}  // namespace tarnwell
