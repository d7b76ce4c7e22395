#include "airports/IndexAirports.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/Errors.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"

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

void FindIndexAirports(ProgramState& state, Port&) {
    std::vector<IndexCode> found;
    std::unordered_map<std::uint32_t, std::size_t> seen;
    seen.reserve(state.Schedule.size() / 4 + 16);
    auto note = [&](const FixedText<3>& iata, const FixedText<4>& icao) {
        if (seen.try_emplace(PackCode(iata), found.size()).second) found.push_back({iata, icao});
    };
    for (const ScheduleRecord& flight : state.Schedule) {
        note(flight.Origin, flight.OriginICAO);
        note(flight.Destination, flight.DestinationICAO);
    }
    // Codes are unique here, so any sort gives the one ascending order.
    std::sort(found.begin(), found.end(), [](const IndexCode& a, const IndexCode& b) { return a.IATA < b.IATA; });

    state.IndexAirports.assign(found.size(), IndexAirportRecord{});
    for (std::size_t k = 0; k < found.size(); ++k) {
        state.IndexAirports[k].IATA = found[k].IATA;
        state.IndexAirports[k].ICAO = found[k].ICAO;
    }
}

const IndexAirportRecord& RouteAirport(const ProgramState& state, std::int32_t route, std::int16_t index,
                                       const char* field) {
    if (index < 0 || index > state.IndexUBound())
        throw TarnwellError(ErrorKind::Overflow,
                            "the route's " + std::string(field) + " " + std::to_string(index) +
                                " lies outside the index airports (0 to " + std::to_string(state.IndexUBound()) + ")",
                            {"routes", {}, {}, field, route});
    return state.IndexAirports[static_cast<std::size_t>(index)];
}

void LookupIndexAirports(ProgramState& state, Port& port) {
    // The first navigation airport of each trimmed code, in table order.
    std::unordered_map<std::string_view, std::size_t> firstByCode;
    firstByCode.reserve(state.NavAirports.size());
    for (std::size_t j = 0; j < state.NavAirports.size(); ++j)
        firstByCode.try_emplace(state.NavAirports[j].ICAO.Trimmed(), j);

    for (IndexAirportRecord& airport : state.IndexAirports) {
        const auto found = firstByCode.find(airport.ICAO.Trimmed());
        if (found == firstByCode.end()) {
            port.Beep(BeepKind::Warning, "airport " + std::string(airport.IATA.Trimmed()) + " (" +
                                             std::string(airport.ICAO.Trimmed()) +
                                             ") is not in the navigation airports (nav_APT.bin); it keeps "
                                             "an empty name and city and the position 0, 0");
            continue;
        }
        const NavAirport& nav = state.NavAirports[found->second];
        airport.Latitude = nav.Latitude;
        airport.Longitude = nav.Longitude;
        airport.Altitude = nav.Altitude;
        airport.City = nav.City.View();
        airport.AirportName = nav.Name.View();
    }
}

}  // namespace tarnwell
