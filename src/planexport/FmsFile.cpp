#include "planexport/FmsFile.h"

#include <set>

#include "planexport/Decimals.h"
#include "planexport/PlanText.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

void Waypoint(std::string& text, int type, const std::string& ident, const std::string& via, double altitude,
              const GeoPoint& at) {
    text += std::to_string(type) + ' ' + ident + ' ' + via + ' ' + FixedDecimals(altitude, 6) + ' ' +
            FixedDecimals(at.lat, 6) + ' ' + FixedDecimals(at.lon, 6) + '\n';
}

// The text as a file name on every system: letters, digits and "-" kept.
std::string FileNamePart(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        out += kept ? c : '_';
    }
    return out;
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace

int FmsWaypointType(const MapPlanPoint& point) {
    const char kind = point.kind != 'H'              ? point.kind
                      : point.nodeKind == "VOR"      ? 'V'
                      : point.nodeKind == "NDB"      ? 'N'
                      : point.nodeKind == "FIX"      ? 'I'
                                                     : ' ';
    switch (kind) {
        case 'V': return 3;
        case 'N': return 2;
        case 'I': return 11;
        default: return 28;
    }
}

std::string FmsText(const MapScene& scene, const MapPlan& plan) {
    const MapAirport& origin = scene.airports[plan.pair.originAirport];
    const MapAirport& destination = scene.airports[plan.pair.destinationAirport];
    std::string text = "I\n1100 Version\nCYCLE " + std::string(FmsCycle) + "\nADEP " + RouteIdent(origin) +
                       "\nADES " + RouteIdent(destination) + "\nNUMENR " +
                       std::to_string(plan.points.size() + 2) + '\n';
    Waypoint(text, 1, RouteIdent(origin), "ADEP", origin.altitude, origin.position);
    for (std::size_t k = 0; k < plan.points.size(); ++k) {
        const MapPlanPoint& p = plan.points[k];
        const bool airway = k < plan.legs.size() && !plan.legs[k].airway.empty();
        Waypoint(text, FmsWaypointType(p), p.ident, airway ? plan.legs[k].airway : "DRCT", 0, p.position);
    }
    Waypoint(text, 1, RouteIdent(destination), "ADES", destination.altitude, destination.position);
    return text;
}

std::vector<PendingFile> FmsFiles(const MapScene& scene, std::span<const MapPlan> plans, const fs::path& folder) {
    std::vector<PendingFile> files;
    std::set<std::string> taken;  // upper case: the same file where case does not count
    for (const MapPlan& plan : plans) {
        const MapAirport& origin = scene.airports[plan.pair.originAirport];
        const MapAirport& destination = scene.airports[plan.pair.destinationAirport];
        std::string name = FileNamePart(origin.icao + destination.icao);
        if (origin.icao.empty() || destination.icao.empty() || taken.contains(Upper(name)))
            name = FileNamePart(plan.pair.Key());
        taken.insert(Upper(name));
        const std::string text = FmsText(scene, plan);
        files.push_back({folder / (name + ".fms"), Bytes(text.begin(), text.end())});
    }
    return files;
}

}  // namespace tarnwell
