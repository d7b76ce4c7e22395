#include "flightplans/FlightPlanning.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "index/CreateIndex.h"
#include "shell/Port.h"
#include "shell/ProgramState.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

constexpr const char* UniqueRoutesFileName = "UniqueRoutes.txt";

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

}  // namespace tarnwell
