#include "plans/FlightPlans.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unordered_map>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "plans/PlanBuilder.h"
#include "airports/IndexAirports.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

constexpr const char* UniqueRoutesFileName = "UniqueRoutes.txt";
constexpr const char* PlanLogFileName = "PlanLog.txt";
constexpr const char* PackedPlansFileName = "PLANS.kr1";

std::string PairText(const UniqueRoute& route) {
    return route.Origin.Str() + " to " + route.Destination.Str() + ", " + route.OriginICAO.Str() + " to " +
           route.DestinationICAO.Str();
}

// The key of a trimmed origin and destination (the origin's length first,
// so that no two pairs share a key).
std::string PairKey(std::string_view origin, std::string_view destination) {
    std::string key(1, static_cast<char>(origin.size()));
    key.append(origin);
    key.append(destination);
    return key;
}

// The bytes of a navigation file that must hold at least one record.
Bytes ReadRequiredNavFile(const fs::path& path, std::size_t recordLength) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw TarnwellError(ErrorKind::File, "the navigation file is missing", {PathText(path)});
    Bytes bytes = ReadFileBytes(path);
    if (bytes.size() < recordLength)
        throw TarnwellError(ErrorKind::Input,
                            "the navigation file holds no record (" + std::to_string(bytes.size()) +
                                " bytes; a record is " + std::to_string(recordLength) + ")",
                            {PathText(path)});
    return bytes;
}

void LoadNetwork(const fs::path& path, std::int32_t capacity, AirwayNetwork& table, Port& port) {
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        // A network that is not there is an empty network; nothing is created.
        table.Clear();
        return;
    }
    const Bytes bytes = ReadFileBytes(path);
    DecodeAirwayNetwork(bytes, PathText(path), capacity, table, [&port] { port.DoEvents(); });
}

}  // namespace

void LoadNavAirports(ProgramState& state, Port&) {
    const fs::path path = state.DataFolder() / "nav_APT.bin";
    state.NavAirports = DecodeNavAirports(ReadRequiredNavFile(path, NavAirportRecordLength), PathText(path));
}

void LoadVors(ProgramState& state, Port&) {
    const fs::path path = state.DataFolder() / "nav_VOR.bin";
    state.Vors = DecodeNavAids(ReadRequiredNavFile(path, NavAidRecordLength), PathText(path));
}

void LoadNdbs(ProgramState& state, Port&) {
    const fs::path path = state.DataFolder() / "nav_NDB.bin";
    state.Ndbs = DecodeNavAids(ReadRequiredNavFile(path, NavAidRecordLength), PathText(path));
}

void LoadIntersections(ProgramState& state, Port&) {
    const fs::path path = state.DataFolder() / "nav_ISC.bin";
    state.Intersections = DecodeIntersections(ReadRequiredNavFile(path, IntersectionRecordLength), PathText(path));
}

void LoadHighNodes(ProgramState& state, Port& port) {
    LoadNetwork(state.DataFolder() / "HighAlt.ab1", HighNodeCapacity, state.HighNodes, port);
    state.HighNodeIndex.Build(state.HighNodes);
}

void LoadLowNodes(ProgramState& state, Port& port) {
    LoadNetwork(state.DataFolder() / "LowAlt.ab1", LowNodeCapacity, state.LowNodes, port);
}

void LoadFlightPlanData(ProgramState& state, Port& port) {
    LoadNdbs(state, port);
    LoadVors(state, port);
    LoadIntersections(state, port);
    LoadHighNodes(state, port);
    LoadLowNodes(state, port);
    LoadUniqueRoutes(state, port);
}

void CreateUniqueRoutes(ProgramState& state, Port&) {
    const std::int32_t last = state.RouteUBound();
    TextLineWriter out;
    std::int32_t a = 0;
    for (std::int32_t b = 0; b <= last; ++b) {
        const RouteRecord& route = state.Routes[static_cast<std::size_t>(b)];
        out.Number(a + 1);
        out.Text(route.Origin.View());
        out.Text(route.Destination.View());
        out.Text(RouteAirport(state, b, route.OriginIndex, "OriginIndex").ICAO.View());
        out.Text(RouteAirport(state, b, route.DestIndex, "DestIndex").ICAO.View());
        out.EndLine();
        ++a;
        // Only the routes right behind this one that repeat its pair join it.
        while (b < last && state.Routes[static_cast<std::size_t>(b) + 1].Origin == route.Origin &&
               state.Routes[static_cast<std::size_t>(b) + 1].Destination == route.Destination)
            ++b;
    }
    out.WriteTo(state.DataFolder() / UniqueRoutesFileName);
}

void LoadUniqueRoutes(ProgramState& state, Port&) {
    FieldReader in = FieldReader::FromFile(state.DataFolder() / UniqueRoutesFileName);
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
            throw TarnwellError(ErrorKind::Input, "\"" + std::string(number.text) + "\" is not a plan number",
                                {in.Label(), number.line, 1, "PlanNumber"});
        entry.Origin = in.Next().text;
        entry.Destination = in.Next().text;
        entry.OriginICAO = in.Next().text;
        entry.DestinationICAO = in.Next().text;
        table.push_back(entry);
    }
    state.UniqueRoutes = std::move(table);
}

void EraseOldPlans(ProgramState& state, Port&) {
    for (std::int32_t n = 2;; ++n) {
        const fs::path file = PlanFilePath(state, n);
        std::error_code ec;
        if (!fs::exists(file, ec)) return;
        fs::remove(file, ec);
        if (ec) throw TarnwellError(ErrorKind::File, "the old plan file cannot be deleted: " + ec.message(), {PathText(file)});
    }
}

void CreateFlightPlans(ProgramState& state, Port& port) {
    const fs::path logPath = state.DataFolder() / PlanLogFileName;
    std::ofstream log(logPath, std::ios::binary | std::ios::trunc);
    if (!log) throw TarnwellError(ErrorKind::File, "the plan log cannot be written", {PathText(logPath)});
    const PlanBuildContext context(state);
    const std::int32_t count = state.UniqueRouteCount();
    for (std::int32_t i = 1; i <= count; ++i) {
        const UniqueRoute& route = state.UniqueRoutes[static_cast<std::size_t>(i)];
        port.SetStatus("Currently Building Plan " + std::to_string(i) + " of " + std::to_string(count) + " Plans.  " +
                           route.OriginICAO.Str() + " to " + route.DestinationICAO.Str(),
                       StatusKind::Progress);
        const PlanBuildResult result = BuildPlan(state, port, context, route);
        TextLineWriter line;
        line.Text(route.Origin.View());
        line.Text(route.Destination.View());
        line.Text(route.OriginICAO.View());
        line.Text(route.DestinationICAO.View());
        line.Number(result.entryCount);
        line.Number(route.PlanNumber);
        line.Text(result.built ? "SUCCESS" : "ERROR");
        line.EndLine();
        log << line.Content();
        if (!log) throw TarnwellError(ErrorKind::File, "the plan log cannot be written", {PathText(logPath)});
        if (!result.built)
            port.Warn("plan " + std::to_string(route.PlanNumber) + " (" + PairText(route) +
                      ") could not be built: " + result.failure);
    }
    log.close();
    if (!log) throw TarnwellError(ErrorKind::File, "the plan log cannot be written", {PathText(logPath)});
    port.SetStatus("Finished Creating Assigned Plans!", StatusKind::Progress);
}

void PackPlans(ProgramState& state, Port& port) {
    const std::int32_t count = state.UniqueRouteCount();
    Bytes out(static_cast<std::size_t>(count) * 4);
    for (std::int32_t p = 1; p <= count; ++p) {
        port.SetStatus("Packing File " + std::to_string(p), StatusKind::Progress);
        const fs::path file = PlanFilePath(state, p);
        std::error_code ec;
        if (!fs::is_regular_file(file, ec))
            throw TarnwellError(ErrorKind::File,
                                "plan " + std::to_string(p) + " (" +
                                    PairText(state.UniqueRoutes[static_cast<std::size_t>(p)]) +
                                    ") has no plan file: its build failed (see Data/PlanLog.txt)",
                                {PathText(file)});
        const Bytes plan = ReadFileBytes(file);
        if (plan.size() < 2) throw TarnwellError(ErrorKind::Input, "the plan file holds no entry count", {PathText(file)});
        const std::int16_t entries = RecordReader{plan}.I16(0);
        if (entries < 0 || entries > PlanPointCapacity)
            throw TarnwellError(ErrorKind::Overflow,
                                "the plan file holds " + std::to_string(entries) + " entries; a plan holds 0 to " +
                                    std::to_string(PlanPointCapacity),
                                {PathText(file)});
        const std::size_t length = 2 + static_cast<std::size_t>(entries) * PlanPointLength;
        if (plan.size() < length)
            throw TarnwellError(ErrorKind::Input,
                                "the plan file ends inside its " + std::to_string(entries) + " entries",
                                {PathText(file)});
        port.DoEvents();
        if (out.size() >= 0x7fffffffu)
            throw TarnwellError(ErrorKind::Overflow, "PLANS.kr1 would exceed the positions a route set can hold");
        RecordWriter{out}.I32(static_cast<std::size_t>(p - 1) * 4, static_cast<std::int32_t>(out.size() + 1));
        out.insert(out.end(), plan.begin(), plan.begin() + static_cast<std::ptrdiff_t>(length));
    }
    WriteFileBytes(state.RouteSet.File(PackedPlansFileName), out);
    port.SetStatus("Finished Creating Packed Plans File", StatusKind::Progress);
}

void MatchPlansToRoutes(ProgramState& state, Port& port) {
    std::unordered_map<std::string, std::int32_t> firstPlan;
    for (std::int32_t u = 1; u <= state.UniqueRouteCount(); ++u) {
        const UniqueRoute& unique = state.UniqueRoutes[static_cast<std::size_t>(u)];
        firstPlan.try_emplace(PairKey(unique.Origin.Trimmed(), unique.Destination.Trimmed()), unique.PlanNumber);
    }
    const std::string last = " of " + std::to_string(state.RouteUBound());
    for (std::int32_t r = 0; r <= state.RouteUBound(); ++r) {
        port.SetStatus("Matching Flight Plans to Routes " + std::to_string(r) + last, StatusKind::Progress);
        RouteRecord& route = state.Routes[static_cast<std::size_t>(r)];
        const auto found = firstPlan.find(PairKey(route.Origin.Trimmed(), route.Destination.Trimmed()));
        if (found != firstPlan.end()) route.PlanPointer = found->second;
    }
}

}  // namespace tarnwell
