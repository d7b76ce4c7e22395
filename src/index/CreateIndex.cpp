#include "index/CreateIndex.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "shell/ProgramState.h"

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

}  // namespace tarnwell
