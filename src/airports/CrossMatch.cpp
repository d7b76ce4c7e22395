#include "airports/CrossMatch.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/Errors.h"

namespace tarnwell {

namespace {

std::string CountText(const char* text, std::int64_t at, std::int64_t last) {
    return std::string(text) + std::to_string(at) + " of " + std::to_string(last);
}

constexpr std::int64_t Int16Max = std::numeric_limits<std::int16_t>::max();

}  // namespace

void MatchIndexToRoutes(std::span<IndexAirportRecord> IndexAirports, std::span<const RouteRecord> Routes,
                        Progress& progress) {
    struct Departures {
        std::int32_t first = 0;
        std::int64_t count = 0;
    };
    std::unordered_map<std::string_view, Departures> byOrigin;
    byOrigin.reserve(IndexAirports.size() * 2);
    for (std::int32_t r = 0; r <= (static_cast<std::int32_t>(Routes.size()) - 1); ++r) {
        auto [it, added] = byOrigin.try_emplace(Routes[static_cast<std::size_t>(r)].Origin.Trimmed());
        if (added) it->second.first = r;
        ++it->second.count;
    }

    const std::int32_t last = (static_cast<std::int32_t>(IndexAirports.size()) - 1);
    for (std::int32_t i = 0; i <= last; ++i) {
        progress.SetStatus(CountText("Cross matching Index to Routes ", i, last), StatusKind::Progress);
        IndexAirportRecord& airport = IndexAirports[static_cast<std::size_t>(i)];
        airport.DepartureCount = 0;
        const auto found = byOrigin.find(airport.IATA.Trimmed());
        if (found == byOrigin.end()) continue;
        airport.DeparturePos = 32 * found->second.first + 1;
        if (found->second.count > Int16Max)
            throw TarnwellError(ErrorKind::Overflow,
                                "airport " + std::string(airport.IATA.Trimmed()) + " has " +
                                    std::to_string(found->second.count) +
                                    " departing routes; DepartureCount holds at most 32767",
                                {"index airports", {}, {}, "DepartureCount", i});
        airport.DepartureCount = static_cast<std::int16_t>(found->second.count);
    }
}

void MatchRoutesToIndex(std::span<RouteRecord> Routes, std::span<const IndexAirportRecord> IndexAirports,
                        Progress& progress) {
    std::unordered_map<std::string_view, std::int32_t> firstByCode;
    firstByCode.reserve(IndexAirports.size());
    for (std::int32_t k = 0; k <= (static_cast<std::int32_t>(IndexAirports.size()) - 1); ++k)
        firstByCode.try_emplace(IndexAirports[static_cast<std::size_t>(k)].IATA.Trimmed(), k);

    auto link = [&](std::int32_t r, const RouteRecord& route, const FixedText<3>& code, std::int16_t& field,
                    const char* fieldName) {
        const auto found = firstByCode.find(code.Trimmed());
        if (found == firstByCode.end()) return;
        if (found->second > Int16Max)
            throw TarnwellError(ErrorKind::Overflow,
                                "route " + std::string(route.Origin.Trimmed()) + " to " +
                                    std::string(route.Destination.Trimmed()) + ": airport " +
                                    std::string(code.Trimmed()) + " is index airport " +
                                    std::to_string(found->second) + ", beyond the 32767 that " + fieldName +
                                    " holds",
                                {"routes", {}, {}, fieldName, r});
        field = static_cast<std::int16_t>(found->second);
    };

    const std::int32_t last = (static_cast<std::int32_t>(Routes.size()) - 1);
    for (std::int32_t r = 0; r <= last; ++r) {
        progress.SetStatus(CountText("Cross Matching Routes to Index ", r, last), StatusKind::Progress);
        RouteRecord& route = Routes[static_cast<std::size_t>(r)];
        link(r, route, route.Origin, route.OriginIndex, "OriginIndex");
        link(r, route, route.Destination, route.DestIndex, "DestIndex");
    }
}

}  // namespace tarnwell
