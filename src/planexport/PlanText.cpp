#include "planexport/PlanText.h"

#include <iomanip>
#include <vector>

#include "geo/GreatCircle.h"
#include "planexport/Decimals.h"

namespace tarnwell {

namespace {

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// One line of the listing: the point's number, kind, identifier, the airway
// of the leg to it, latitude and longitude.
void Row(std::ostream& out, const std::string& number, std::string_view kind, const std::string& ident,
         const std::string& airway, const std::string& lat, const std::string& lon) {
    out << std::right << std::setw(5) << number << "  " << std::left << std::setw(14) << kind << std::setw(9)
        << ident << std::setw(7) << airway << std::right << std::setw(11) << lat << std::setw(12) << lon << '\n';
}

void AirportRow(std::ostream& out, const MapAirport& airport, const std::string& airway) {
    Row(out, "", "airport", RouteIdent(airport), airway, FixedDecimals(airport.position.lat, 6),
        FixedDecimals(airport.position.lon, 6));
}

// The airway of the leg to point k ("DCT" for a direct one).
std::string LegTo(const MapPlan& plan, std::size_t k) {
    return k < plan.legs.size() && !plan.legs[k].airway.empty() ? plan.legs[k].airway : "DCT";
}

}  // namespace

PlanKind KindOf(const MapPlan& plan) {
    if (plan.points.empty()) return PlanKind::Empty;
    for (const MapPlanPoint& p : plan.points)
        if (p.kind == 'H') return PlanKind::Airway;
    return PlanKind::PointToPoint;
}

std::string_view PlanKindName(PlanKind kind) {
    switch (kind) {
        case PlanKind::Airway: return "airway";
        case PlanKind::PointToPoint: return "point-to-point";
        case PlanKind::Empty: break;
    }
    return "empty";
}

std::string_view PointKindName(char kind) {
    switch (kind) {
        case 'H': return "airway node";
        case 'V': return "VOR";
        case 'N': return "NDB";
        case 'I': return "intersection";
        default: return "unknown";
    }
}

std::string RouteIdent(const MapAirport& airport) { return airport.icao.empty() ? airport.code : airport.icao; }

double PlanDistance(const MapPlan& plan) {
    double total = 0;
    for (const MapPlanLeg& leg : plan.legs) {
        float course = 0;
        total += GetDistance(static_cast<float>(leg.from.lat), static_cast<float>(leg.from.lon),
                             static_cast<float>(leg.to.lat), static_cast<float>(leg.to.lon), course);
    }
    return total;
}

std::string RouteString(const MapPlan& plan, std::string_view origin, std::string_view destination) {
    std::vector<std::string> words{std::string(origin)};
    if (plan.points.empty()) {
        words.emplace_back("DCT");
    } else {
        words.push_back(plan.points[0].ident);
        std::string previous;  // the airway of the leg before, empty for a direct one
        for (std::size_t k = 1; k < plan.points.size(); ++k) {
            const std::string& airway = k < plan.legs.size() ? plan.legs[k].airway : std::string();
            if (!airway.empty() && airway == previous) {
                words.back() = plan.points[k].ident;  // further along the same airway
            } else {
                words.push_back(airway.empty() ? "DCT" : airway);
                words.push_back(plan.points[k].ident);
            }
            previous = airway;
        }
    }
    words.emplace_back(destination);
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

void WritePlanText(const MapScene& scene, const MapPlan& plan, std::ostream& out) {
    const MapAirport& origin = scene.airports[plan.pair.originAirport];
    const MapAirport& destination = scene.airports[plan.pair.destinationAirport];
    const std::size_t n = plan.points.size();
    out << "Flight plan " << plan.pair.plan << ": " << plan.pair.Key() << ", " << RouteIdent(origin) << " to "
        << RouteIdent(destination) << " (" << PlanKindName(KindOf(plan)) << ", " << n
        << (n == 1 ? " point)\n" : " points)\n");
    Row(out, "Point", "Kind", "Ident", "Airway", "Latitude", "Longitude");
    AirportRow(out, origin, "");
    for (std::size_t k = 0; k < n; ++k) {
        const MapPlanPoint& p = plan.points[k];
        Row(out, std::to_string(k + 1), PointKindName(p.kind), p.ident, LegTo(plan, k),
            FixedDecimals(p.position.lat, 6), FixedDecimals(p.position.lon, 6));
    }
    AirportRow(out, destination, "DCT");
    out << "Distance: " << FixedDecimals(PlanDistance(plan), 1) << " NM\n"
        << "Route: " << RouteString(plan, RouteIdent(origin), RouteIdent(destination)) << '\n';
}

void WritePlansCsv(const MapScene& scene, std::span<const MapPlan> plans, std::ostream& out) {
    out << "Origin,Destination,Distance,Kind,Route\n";
    for (const MapPlan& plan : plans) {
        const MapAirport& origin = scene.airports[plan.pair.originAirport];
        const MapAirport& destination = scene.airports[plan.pair.destinationAirport];
        out << CsvField(plan.pair.origin) << ',' << CsvField(plan.pair.destination) << ','
            << FixedDecimals(PlanDistance(plan), 1) << ',' << PlanKindName(KindOf(plan)) << ','
            << CsvField(RouteString(plan, RouteIdent(origin), RouteIdent(destination))) << '\n';
    }
}

}  // namespace tarnwell
