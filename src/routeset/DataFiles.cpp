#include "routeset/DataFiles.h"

#include <cmath>
#include <string>
#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "airports/IndexAirports.h"
#include "geo/GreatCircle.h"
#include "records/RecordLayouts.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"

namespace fs = std::filesystem;

namespace tarnwell {

void WriteDataFiles(ProgramState& state, Port&) {
    AirlineRecord& own = state.AirlineInfo[0];
    own.Code = state.airlineIATA;
    own.Name = state.airlineNAME;

    WriteFileBytes(state.RouteSet.File("index.kr1"), EncodeIndexFile(state.IndexAirports));
    WriteFileBytes(state.RouteSet.File("routes.kr1"), EncodeRouteFile(state.Routes));
    WriteFileBytes(state.RouteSet.File("airline.kr1"), EncodeAirlineFile(state.AirlineInfo));
}

void CalcRouteMiles(ProgramState& state, Port&) {
    for (std::int32_t r = 0; r <= state.RouteUBound(); ++r) {
        RouteRecord& route = state.Routes[static_cast<std::size_t>(r)];
        const IndexAirportRecord& o = RouteAirport(state, r, route.OriginIndex, "OriginIndex");
        const IndexAirportRecord& d = RouteAirport(state, r, route.DestIndex, "DestIndex");
        float course = 0.0f;
        float distance = 0.0f;
        try {
            distance = GetDistance(o.Latitude, o.Longitude, d.Latitude, d.Longitude, course);
        } catch (const TarnwellError& e) {
            throw TarnwellError(e.Kind(),
                                "measuring from " + std::string(o.IATA.Trimmed()) + " to " +
                                    std::string(d.IATA.Trimmed()) + " failed: " + e.What(),
                                {"routes", {}, {}, "Miles", r});
        }
        const float whole = std::trunc(distance);
        if (!(whole >= -32768.0f && whole <= 32767.0f))
            throw TarnwellError(ErrorKind::Overflow,
                                "the distance from " + std::string(o.IATA.Trimmed()) + " to " +
                                    std::string(d.IATA.Trimmed()) + " (" + std::to_string(distance) +
                                    " NM) does not fit the 16-bit Miles",
                                {"routes", {}, {}, "Miles", r});
        route.Miles = static_cast<std::int16_t>(whole);
    }
}

void LoadRealAirlines(ProgramState& state, Port& port) {
    const fs::path path = state.DataFolder() / "airline.kr1";
    state.RealAirlines.clear();
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        port.Warn("the real-world airline list " + PathText(path) +
                  " is missing; no real-world airline can be chosen");
        return;
    }
    const Bytes bytes = ReadFileBytes(path);
    if (bytes.empty()) {
        port.Warn("the real-world airline list " + PathText(path) + " is empty; no real-world airline can be chosen");
        return;
    }
    state.RealAirlines = DecodeAirlineFile(bytes, PathText(path));
}

}  // namespace tarnwell
