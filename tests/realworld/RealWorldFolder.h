#pragma once
// A program folder for the real-world merge: a small real-world route set,
// three real-world airlines and a timetable, and the add file the merge
// should make of them.

#include "TestSupport.h"
#include "common/TextFile.h"
#include "realworld/RealWorldMerge.h"
#include "records/RecordLayouts.h"
#include "timetable/TimetableFile.h"

namespace tarnwell::testing {

inline AirlineRecord Airline(const std::string& code, const std::string& name, const std::string& extra = "") {
    AirlineRecord a;
    a.Code = code, a.Name = name, a.Extra = extra;
    return a;
}

// A real-world route between two index airports.
inline RouteRecord RealRoute(const std::string& airline, const std::string& origin, const std::string& dest,
                             std::int16_t originIndex, std::int16_t destIndex) {
    RouteRecord r;
    r.Airline = airline, r.Origin = origin, r.Destination = dest, r.Equipment = "320";
    r.OriginIndex = originIndex, r.DestIndex = destIndex;
    return r;
}

inline std::string ScheduleLine(const ScheduleRecord& flight) {
    TextLineWriter out;
    WriteScheduleLine(out, flight);
    return out.Content();
}

// The route set covers AAA BBB XXX YYY (index 0 to 3); the timetable flies
// AAA-BBB-CCC. Choosing BA and EZY adds routes 0, 3 and 5.
struct RealWorldFolder {
    TempProgramFolder dir;
    std::vector<AirlineRecord> airlines = {Airline("BA", " British Airways ", "SPEEDBIRD"), Airline("EZY", "easyJet"),
                                           Airline("LH", "Lufthansa")};
    std::vector<IndexAirportRecord> index = std::vector<IndexAirportRecord>(4);
    std::vector<RouteRecord> routes = {
        RealRoute("BA", "AAA", "XXX", 0, 2),   // leaves a timetable airport
        RealRoute("LH", "AAA", "BBB", 0, 1),   // airline not chosen
        RealRoute("EZY", "XXX", "YYY", 2, 3),  // touches no timetable airport
        RealRoute(" BA", "XXX", "CCC", 2, 3),  // reaches the last flight's destination
        RealRoute("ba", "AAA", "BBB", 0, 1),   // codes are case-sensitive
        RealRoute("EZY", "YYY", "BBB", 3, 1),  // reaches a timetable airport
    };
    std::filesystem::path timetable = dir.Write("va.KRX", Flight("AAA", "BBB") + Flight("BBB", "CCC"));

    RealWorldFolder() {
        const char* codes[] = {"AAA", "BBB", "XXX", "YYY"};
        for (std::size_t i = 0; i < 4; ++i) index[i].IATA = codes[i], index[i].ICAO = std::string("E") + codes[i];
    }
    // Writes the airline list and the real-world route set.
    void WriteFiles() const {
        WriteFileBytes(dir.Data() / "airline.kr1", EncodeAirlineFile(airlines));
        WriteFileBytes(dir.Data() / "Defaults" / "Routes.kr1", EncodeRouteFile(routes));
        WriteFileBytes(dir.Data() / "Defaults" / "index.kr1", EncodeIndexFile(index));
    }
    std::string ExpectedAddFile() const {
        std::string text;
        for (const std::size_t r : {0, 3, 5})
            text += ScheduleLine(AddedFlight(routes[r], index[static_cast<std::size_t>(routes[r].OriginIndex)].ICAO,
                                             index[static_cast<std::size_t>(routes[r].DestIndex)].ICAO));
        return text;
    }
};

}  // namespace tarnwell::testing
