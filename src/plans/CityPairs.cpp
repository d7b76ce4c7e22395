#include "plans/CityPairs.h"

#include <string>
#include <string_view>
#include <unordered_map>

#include "airports/IndexAirports.h"
#include "common/Errors.h"
#include "common/TextFile.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

// The key of a trimmed origin and destination (the origin's length first,
// so that no two pairs share a key).
std::string PairKey(std::string_view origin, std::string_view destination) {
    std::string key(1, static_cast<char>(origin.size()));
    key.append(origin);
    key.append(destination);
    return key;
}

}  // namespace

void CreateUniqueRoutes(std::span<const RouteRecord> Routes, std::span<const IndexAirportRecord> IndexAirports,
                        const fs::path& file) {
    const auto last = static_cast<std::int32_t>(Routes.size()) - 1;
    TextLineWriter out;
    std::int32_t a = 0;
    for (std::int32_t b = 0; b <= last; ++b) {
        const RouteRecord& route = Routes[static_cast<std::size_t>(b)];
        out.Number(a + 1);
        out.Text(route.Origin.View());
        out.Text(route.Destination.View());
        out.Text(RouteAirport(IndexAirports, b, route.OriginIndex, "OriginIndex").ICAO.View());
        out.Text(RouteAirport(IndexAirports, b, route.DestIndex, "DestIndex").ICAO.View());
        out.EndLine();
        ++a;
        // Only the routes right behind this one that repeat its pair join it.
        while (b < last && Routes[static_cast<std::size_t>(b) + 1].Origin == route.Origin &&
               Routes[static_cast<std::size_t>(b) + 1].Destination == route.Destination)
            ++b;
    }
    out.WriteTo(file);
}

std::vector<UniqueRoute> LoadUniqueRoutes(const fs::path& file) {
    // A written line is under 40 bytes; 256 a city pair leaves room for hand-edited blanks.
    constexpr FileLimit limit{std::uintmax_t{256} * UniqueRouteCapacity, "the city pair list"};
    FieldReader in = FieldReader::FromFile(file, limit);
    std::vector<UniqueRoute> table(1);  // entry 0 is the unused placeholder
    while (!in.AtEnd()) {
        const FieldReader::Field number = in.Next();
        if (static_cast<std::int32_t>(table.size()) > UniqueRouteCapacity)
            throw TarnwellError(ErrorKind::Overflow,
                                "more than " + std::to_string(UniqueRouteCapacity) +
                                    " city pairs: a timetable may hold at most " +
                                    std::to_string(UniqueRouteCapacity) + " distinct origin and destination pairs",
                                {in.Label(), number.line});
        UniqueRoute entry;
        if (!ParseInt32(number.text, entry.PlanNumber))
            throw TarnwellError(ErrorKind::Input, QuotedField(number.text) + " is not a plan number",
                                {in.Label(), number.line, 1, "PlanNumber"});
        entry.Origin = in.Next().text;
        entry.Destination = in.Next().text;
        entry.OriginICAO = in.Next().text;
        entry.DestinationICAO = in.Next().text;
        table.push_back(entry);
    }
    return table;
}

void MatchPlansToRoutes(std::span<RouteRecord> Routes, std::span<const UniqueRoute> UniqueRoutes, Progress& progress) {
    std::unordered_map<std::string, std::int32_t> firstPlan;
    for (std::int32_t u = 1; u <= UniqueRouteCount(UniqueRoutes); ++u) {
        const UniqueRoute& unique = UniqueRoutes[static_cast<std::size_t>(u)];
        firstPlan.try_emplace(PairKey(unique.Origin.Trimmed(), unique.Destination.Trimmed()), unique.PlanNumber);
    }
    const std::string last = " of " + std::to_string((static_cast<std::int32_t>(Routes.size()) - 1));
    for (std::int32_t r = 0; r <= (static_cast<std::int32_t>(Routes.size()) - 1); ++r) {
        progress.SetStatus("Matching Flight Plans to Routes " + std::to_string(r) + last, StatusKind::Progress);
        RouteRecord& route = Routes[static_cast<std::size_t>(r)];
        const auto found = firstPlan.find(PairKey(route.Origin.Trimmed(), route.Destination.Trimmed()));
        if (found != firstPlan.end()) route.PlanPointer = found->second;
    }
}

}  // namespace tarnwell
