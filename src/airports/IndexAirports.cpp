#include "airports/IndexAirports.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "common/Errors.h"

namespace tarnwell {

namespace {

struct IndexCode {
    FixedText<3> IATA;
    FixedText<4> ICAO;
};

std::uint32_t PackCode(const FixedText<3>& t) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(t.chars[0])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(t.chars[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(t.chars[2]));
}

}  // namespace

std::vector<IndexAirportRecord> FindIndexAirports(std::span<const ScheduleRecord> Schedule) {
    std::vector<IndexCode> found;
    std::unordered_map<std::uint32_t, std::size_t> seen;
    seen.reserve(Schedule.size() / 4 + 16);
    auto note = [&](const FixedText<3>& iata, const FixedText<4>& icao) {
        if (seen.try_emplace(PackCode(iata), found.size()).second) found.push_back({iata, icao});
    };
    for (const ScheduleRecord& flight : Schedule) {
        note(flight.Origin, flight.OriginICAO);
        note(flight.Destination, flight.DestinationICAO);
    }
    // Codes are unique here, so any sort gives the one ascending order.
    std::sort(found.begin(), found.end(), [](const IndexCode& a, const IndexCode& b) { return a.IATA < b.IATA; });

    std::vector<IndexAirportRecord> airports(found.size());
    for (std::size_t k = 0; k < found.size(); ++k) {
        airports[k].IATA = found[k].IATA;
        airports[k].ICAO = found[k].ICAO;
    }
    return airports;
}

const IndexAirportRecord& RouteAirport(std::span<const IndexAirportRecord> IndexAirports, std::int32_t route,
                                       std::int16_t index, const char* field) {
    const auto IndexUBound = static_cast<std::int32_t>(IndexAirports.size()) - 1;
    if (index < 0 || index > IndexUBound)
        throw TarnwellError(ErrorKind::Overflow,
                            "the route's " + std::string(field) + " " + std::to_string(index) +
                                " lies outside the index airports (0 to " + std::to_string(IndexUBound) + ")",
                            {"routes", {}, {}, field, route});
    return IndexAirports[static_cast<std::size_t>(index)];
}

}  // namespace tarnwell
