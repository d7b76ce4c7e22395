#include "examine/check/AirportPartLayout.h"

#include "examine/check/ProblemText.h"

namespace tarnwell::routesetcheck {

using std::to_string;

std::string AirportPartLayout::Expected(const std::vector<IndexAirportRecord>& airports) const {
    return "expected " + to_string(next) +
           (previous ? ", right after the " + std::string(part) + " of airport " + to_string(*previous) + " (" +
                           Code(airports[*previous].IATA.View()) + ")"
                     : ", the start of the file");
}

std::string AirportPartLayout::LastPart(const std::vector<IndexAirportRecord>& airports) const {
    return previous ? "the " + std::string(part) + " of airport " + to_string(*previous) + " (" +
                          Code(airports[*previous].IATA.View()) + ") ends at byte " + to_string(next - 1)
                    : "index.kr1 gives it no " + std::string(part);
}

}  // namespace tarnwell::routesetcheck
