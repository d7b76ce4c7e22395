#include "routeset/MainMod.h"

#include <system_error>

#include "common/BinaryIO.h"
#include "routeset/RouteSetFormats.h"
#include "shell/Port.h"
#include "shell/ProgramState.h"

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
