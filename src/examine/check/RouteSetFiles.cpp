#include "examine/check/RouteSetFiles.h"

#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "common/Errors.h"
#include "examine/RouteSetDump.h"
#include "plans/PlanFile.h"

namespace fs = std::filesystem;

namespace tarnwell::routesetcheck {

namespace {

using std::to_string;

std::optional<Bytes> Load(const fs::path& folder, const char* name, ProblemLines& problems) {
    const fs::path path = folder / name;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        problems.push_back(std::string(name) + ": the file is missing");
        return std::nullopt;
    }
    try {
        return ReadFileBytes(path, RouteSetFileLimit(name));
    } catch (const TarnwellError& e) {
        problems.push_back(std::string(name) + ": " + e.What());
        return std::nullopt;
    }
}

// The whole records of a file; a ragged tail is a problem.
template <typename Decode>
auto WholeRecords(const Bytes& bytes, const char* name, std::size_t length, Decode decode, ProblemLines& problems) {
    if (bytes.size() % length != 0)
        problems.push_back(std::string(name) + ": " + to_string(bytes.size()) + " bytes, not a whole number of " +
                           to_string(length) + "-byte records (" + to_string(bytes.size() % length) +
                           " bytes left over)");
    std::vector<decltype(decode(std::span<const std::uint8_t>()))> out;
    out.reserve(bytes.size() / length);
    for (std::size_t off = 0; off + length <= bytes.size(); off += length)
        out.push_back(decode(std::span(bytes).subspan(off, length)));
    return out;
}

void DecodeRecordFiles(RouteSetFiles& files, ProblemLines& problems) {
    if (files.index)
        files.airports = WholeRecords(*files.index, "index.kr1", IndexRecordLength, DecodeIndexAirport, problems);
    if (files.routesFile)
        files.routes = WholeRecords(*files.routesFile, "routes.kr1", RouteRecordLength, DecodeRoute, problems);
    if (files.arrivals)
        files.arrivalEntries = WholeRecords(
            *files.arrivals, "arrivals.kr1", ArrivalsEntryLength,
            [](std::span<const std::uint8_t> in) { return RecordReader(in).I32(0); }, problems);
}

// Every airport by its trimmed code, and the routes leaving and reaching
// each one.
void CountRoutesByAirport(RouteSetFiles& files, ProblemLines& problems) {
    const auto& airports = files.airports;
    std::unordered_map<std::string_view, std::size_t> byCode;
    byCode.reserve(airports.size() * 2);
    for (std::size_t i = 0; i < airports.size(); ++i) {
        const auto [found, added] = byCode.try_emplace(airports[i].IATA.Trimmed(), i);
        if (!added)
            problems.push_back(AirportText(static_cast<std::int64_t>(i), airports[i]) + ": airport " +
                               to_string(found->second) + " has the same code");
    }
    files.leaving.assign(airports.size(), 0);
    files.arriving.assign(airports.size(), 0);
    for (const RouteRecord& route : files.routes) {
        if (const auto o = byCode.find(route.Origin.Trimmed()); o != byCode.end()) ++files.leaving[o->second];
        if (const auto d = byCode.find(route.Destination.Trimmed()); d != byCode.end()) ++files.arriving[d->second];
    }
}

// n from the first entry of PLANS.kr1's position table, which points
// right behind the table.
void ReadPlanTable(RouteSetFiles& files, ProblemLines& problems) {
    if (!files.plans) return;
    const Bytes& b = *files.plans;
    files.planCount = PackedPlanCount(b);
    if (!files.planCount && b.size() < 4) {
        problems.push_back("PLANS.kr1: " + to_string(b.size()) + " bytes, too short for a position table");
        return;
    }
    if (!files.planCount)
        problems.push_back("PLANS.kr1: the first position " + to_string(RecordReader(b).I32(0)) +
                           " is not the one right after a position table (4 n + 1 for n plans, within the file's " +
                           to_string(b.size()) + " bytes)");
}

}  // namespace

RouteSetFiles ReadRouteSetFiles(const fs::path& folder, ProblemLines& problems) {
    RouteSetFiles files;
    files.index = Load(folder, "index.kr1", problems);
    files.routesFile = Load(folder, "routes.kr1", problems);
    files.arrivals = Load(folder, "arrivals.kr1", problems);
    files.apt = Load(folder, "APT.kr1", problems);
    files.airlines = Load(folder, "airline.kr1", problems);
    files.plans = Load(folder, "PLANS.kr1", problems);
    DecodeRecordFiles(files, problems);
    CountRoutesByAirport(files, problems);
    ReadPlanTable(files, problems);
    return files;
}

}  // namespace tarnwell::routesetcheck
