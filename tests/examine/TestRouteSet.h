#pragma once
// A small consistent route set in a scratch program folder, for the check
// and dump tests to damage and read back.

#include <array>
#include <sstream>

#include "TestSupport.h"
#include "examine/RouteSetCheck.h"
#include "examine/RouteSetDump.h"
#include "plans/PlanFile.h"
#include "records/RecordLayouts.h"
#include "routeset/AptFile.h"

namespace tarnwell::testing {

// An airport at 50.5 N, 0.1 W; its runway data starts the file or follows AAA's.
inline IndexAirportRecord SetAirport(const std::string& code, std::int32_t depPos, std::int16_t depCount,
                                     std::int32_t arrPos, std::int16_t arrCount, std::int32_t runways) {
    return {FixedText<3>(code), FixedText<4>("E" + code), FixedText<35>(code + " Airport"), {}, depPos, depCount, 0,
            50.5f, -0.1f, arrPos, arrCount, runways, code == "AAA" ? 1 : 111};
}

// A route of airline TWL, flight 100, linked to airports o and d and to plan `plan`.
inline RouteRecord SetRoute(const char* origin, const char* dest, std::int16_t o, std::int16_t d, std::int32_t plan) {
    return {FixedText<3>(origin), 0, FixedText<3>(dest), 0, 0, 0, FixedText<3>("TWL"), 100, {}, {}, 0, {}, o, d, plan};
}

// The route set "Test" over WriteNavData's navigation files (two airway
// nodes, one record each of VOR, NDB and intersection): airports AAA (2
// runways), BBB (none) and CCC (1 runway); routes AAA-BBB, AAA-CCC, BBB-AAA,
// BBB-CCC; an airway, a point-to-point and an empty plan. Change the tables,
// then Write; or change the files.
struct TestRouteSet {
    TempProgramFolder dir;
    std::vector<IndexAirportRecord> airports = {SetAirport("AAA", 1, 2, 1, 1, 2), SetAirport("BBB", 65, 2, 5, 1, 0),
                                                SetAirport("CCC", 0, 0, 9, 2, 1)};
    std::vector<RouteRecord> routes = {SetRoute("AAA", "BBB", 0, 1, 1), SetRoute("AAA", "CCC", 0, 2, 2),
                                       SetRoute("BBB", "AAA", 1, 0, 3), SetRoute("BBB", "CCC", 1, 2, 2)};
    std::vector<std::int32_t> arrivals = {65, 1, 33, 97};
    // PLANS.kr1: table 1..12, blocks at 13 (2 entries), 35 (3 entries), 67 (empty); 68 bytes.
    std::vector<std::vector<PlanPoint>> plans = {
        {{'H', 1, FixedText<5>("UL1")}, {'H', 2, FixedText<5>("UL1")}},
        {{'V', 0, FixedText<5>("")}, {'N', 0, FixedText<5>("")}, {'I', 0, FixedText<5>("")}}, {}};
    std::array<AirlineRecord, 11> airlines{AirlineRecord{FixedText<3>("TWL"), FixedText<39>("Tarnwell Air"), {}}};

    TestRouteSet() {
        WriteNavData(dir);
        Write();
    }
    std::filesystem::path File(const char* name) const { return dir.Data() / "Test" / name; }
    void Put(const char* name, const Bytes& bytes) const { WriteFileBytes(File(name), bytes); }
    // Puts `bytes` over the file's bytes from the 1-based `position` on.
    void Patch(const char* name, std::int64_t position, const Bytes& bytes) const {
        WriteFileBytesAt(File(name), position, bytes);
    }
    void Resize(const char* name, std::size_t size) const { std::filesystem::resize_file(File(name), size); }

    void Write() const {
        std::filesystem::create_directories(dir.Data() / "Test");
        Put("index.kr1", EncodeIndexFile(airports));
        Put("routes.kr1", EncodeRouteFile(routes));
        Put("airline.kr1", EncodeAirlineFile(airlines));
        Bytes arr(arrivals.size() * 4), apt, packed(4 * plans.size());
        for (std::size_t k = 0; k < arrivals.size(); ++k) RecordWriter(arr).I32(4 * k, arrivals[k]);
        Put("arrivals.kr1", arr);
        const auto append = [&apt](std::size_t length) {
            apt.resize(apt.size() + length);
            return std::span(apt).last(length);
        };
        AptValuesRecord values;
        values.Values.fill(FixedText<6>("118.70"));
        for (const IndexAirportRecord& a : airports) {
            for (std::int32_t k = 0; k < a.RunwayCount; ++k)
                EncodeAptRunway({FixedText<5>(k == 0 ? "09L" : "27R"), 6004, 151, 90.5f, 92.5f,
                                 FixedText<7>("NO ILS "), FixedText<6>("110.30")},
                                append(AptRunwayRecordLength));
            if (a.RunwayCount > 0) EncodeAptValues(values, append(AptValuesRecordLength));
        }
        Put("APT.kr1", apt);
        for (std::size_t p = 0; p < plans.size(); ++p) {
            RecordWriter(packed).I32(4 * p, static_cast<std::int32_t>(packed.size()) + 1);
            const Bytes block = EncodePlan(plans[p]);
            packed.insert(packed.end(), block.begin(), block.end());
        }
        Put("PLANS.kr1", packed);
    }

    // The check's problems, one a line.
    std::string Problems() const {
        std::string out;
        for (const std::string& line : CheckRouteSet(dir.Root(), "Test").problems) out += line + "\n";
        return out;
    }
    std::string Dump(const char* file) const {
        std::ostringstream out;
        DumpRouteSetFile(dir.Root(), "Test", file, out);
        return out.str();
    }
};

}  // namespace tarnwell::testing
