// Times the real-world merge on a real-world route set of real size.
//
//   tarnwell_bench merge [FOLDER]
//
// 300,000 real-world routes of 100 airlines over 6,000 airports; ten airlines
// are merged against a timetable of 3,000 of those airports.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "common/BinaryIO.h"
#include "compile/RealWorldMergeDriver.h"
#include "realworld/RealWorldMerge.h"
#include "records/RecordLayouts.h"
#include "compile/ProgramState.h"

namespace fs = std::filesystem;

namespace tarnwell::bench {

namespace {

constexpr int RealAirports = 6000;
constexpr int RealRoutes = 300000;
constexpr int RealAirlineCount = 100;
constexpr int TimetableAirports = 3000;

// "R" and the last two letters of Code(n) (built in place: GCC 12 misreads "x" + string).
std::string AirlineCode(int n) {
    std::string s = Code(n);
    s[0] = 'R';
    return s;
}

std::string Icao(int n) {
    std::string s = "K";
    s += Code(n);
    return s;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void WriteRealWorldSet(const fs::path& defaults, std::vector<RouteRecord>& routes) {
    std::mt19937 rng(11);
    std::vector<IndexAirportRecord> index(RealAirports);
    for (int a = 0; a < RealAirports; ++a) {
        index[static_cast<std::size_t>(a)].IATA = Code(a);
        index[static_cast<std::size_t>(a)].ICAO = Icao(a);
    }
    routes.resize(RealRoutes);
    for (RouteRecord& r : routes) {
        const auto o = static_cast<std::int16_t>(rng() % RealAirports);
        const auto d = static_cast<std::int16_t>(rng() % RealAirports);
        r.Origin = Code(o);
        r.Destination = Code(d);
        r.OriginIndex = o;
        r.DestIndex = d;
        r.Airline = AirlineCode(static_cast<int>(rng() % RealAirlineCount));
        r.FlightNumber = static_cast<std::int16_t>(rng() % 9999 + 1);
        r.Equipment = "320";
        r.DepartTime = static_cast<std::int16_t>(rng() % 2400);
        r.ArriveTime = static_cast<std::int16_t>(rng() % 2400);
        r.DayMask = static_cast<std::uint8_t>(rng() % 128);
        r.CodeLetter = std::string(1, static_cast<char>('A' + rng() % 8));
        r.MaskBits = static_cast<std::uint8_t>(rng() % 32);
    }
    WriteFileBytes(defaults / "Routes.kr1", EncodeRouteFile(routes));
    WriteFileBytes(defaults / "index.kr1", EncodeIndexFile(index));
}

}  // namespace

int MergeBench(int argc, char** argv) {
    const fs::path root = argc > 0 ? fs::path(argv[0]) : ScratchFolder("tarnwell-bench-");
    const fs::path defaults = root / "Data" / "Defaults";
    fs::create_directories(defaults);
    std::vector<RouteRecord> routes;
    WriteRealWorldSet(defaults, routes);

    // Every one of the 3,000 airports flies to the next ones.
    std::string timetable;
    for (int i = 0; i < 20000; ++i) {
        const std::string o = Code(i % TimetableAirports);
        const std::string d = Code((i * 7 + 1) % TimetableAirports);
        timetable += o + "," + d + ",K" + o + ",K" + d + ",TWL,1,320,600,800,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0\r\n";
    }
    std::ofstream(root / "va.KRX", std::ios::binary) << timetable;

    ProgramState state(root);
    for (int a = 0; a < RealAirlineCount; ++a) {
        state.RealAirlines.emplace_back();
        state.RealAirlines.back().Code = AirlineCode(a);
        state.RealAirlines.back().Name = "Airline " + Code(a);
    }
    ClockPort port;
    MergeRequest request{root / "va.KRX", {}};
    for (std::int32_t a = 0; a < 10; ++a) request.chosenAirlines.push_back(a * 7);

    auto start = std::chrono::steady_clock::now();
    const MergeOutcome outcome = GetRealWorldData(state, port, request);
    const double merge = SecondsSince(start);
    std::printf("Merge of 10 airlines from %d real-world routes (%d airlines, %d airports) against a timetable of "
                "20,000 flights over %d airports:\n",
                RealRoutes, RealAirlineCount, RealAirports, TimetableAirports);
    if (outcome.result != CompileOutcome::Result::Finished)
        std::printf("  stopped at \"%s\": %s\n", outcome.failedStatus.c_str(), outcome.reason.c_str());
    std::printf("  %.3f s in all (reading, loading, selecting, writing); %d routes added, add file %ju bytes\n", merge,
                outcome.addedRoutes, static_cast<std::uintmax_t>(fs::file_size(defaults / "carrierADD.txt")));

    // The selection alone, hashed and as the literal scan of every chosen
    // airline and every timetable code.
    std::vector<std::string> chosen;
    for (const std::int32_t a : request.chosenAirlines)
        chosen.emplace_back(state.RealAirlines[static_cast<std::size_t>(a)].Code.Trimmed());
    start = std::chrono::steady_clock::now();
    const auto hashed = SelectRealWorldRoutes(routes, chosen, state.MergeAirportCodes);
    const double hashedTime = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    std::size_t literal = 0;
    for (const RouteRecord& r : routes) {
        bool selected = false;
        for (std::size_t a = 0; a < chosen.size() && !selected; ++a) {
            if (r.Airline.Trimmed() != chosen[a]) continue;
            for (std::size_t q = 0; q < state.MergeAirportCodes.size() && !selected; ++q)
                selected = r.Destination.Trimmed() == state.MergeAirportCodes[q].Trimmed() ||
                           r.Origin.Trimmed() == state.MergeAirportCodes[q].Trimmed();
        }
        literal += selected;
    }
    std::printf("  selection alone: hashed %.4f s, literal scan %.3f s (%zu and %zu routes)\n", hashedTime,
                SecondsSince(start), hashed.size(), literal);

    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}

}  // namespace tarnwell::bench
