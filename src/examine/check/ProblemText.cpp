#include "examine/check/ProblemText.h"

#include "common/FixedText.h"
#include "examine/RouteSetDump.h"

namespace tarnwell::routesetcheck {

using std::to_string;

std::string Count(std::int64_t n, const char* one, const char* many) {
    return to_string(n) + " " + (n == 1 ? one : many);
}

std::string Code(std::string_view stored) {
    std::string shown = ShownText(TrimBlanks(stored));
    return shown.empty() ? "\"\"" : shown;
}

std::string AirportText(std::int64_t i, const IndexAirportRecord& a) {
    return "index.kr1, airport " + to_string(i) + " (" + Code(a.IATA.View()) + ")";
}

std::string RouteName(std::int64_t r, const RouteRecord& route) {
    return "route " + to_string(r) + " (" + Code(route.Origin.View()) + " to " + Code(route.Destination.View()) + ")";
}

std::string PointTypeText(char type) {
    const auto b = static_cast<unsigned char>(type);
    return b > 0x20 && b < 0x7F ? "\"" + std::string(1, type) + "\"" : "byte " + to_string(b);
}

std::string FirstWrong::Text(const char* list) const {
    return more_ == 0 ? first_
                      : first_ + " (and " + Count(more_, "more wrong entry", "more wrong entries") + " in this " +
                            list + ")";
}

}  // namespace tarnwell::routesetcheck
