// Times the compile's steps on large generated timetables and prints figures.
//
//   tarnwell_bench [FOLDER]
//
// FOLDER (default: a folder in the system's temp folder) receives a scratch
// program folder that is removed afterwards.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/BinaryIO.h"
#include "flightplans/NavigationRecords.h"
#include "schedule/DataImport.h"
#include "shell/MainForm.h"
#include "shell/ProgramState.h"
#include "shell/RecordingPort.h"

namespace fs = std::filesystem;
using namespace tarnwell;

namespace {

std::string Code(int n) {
    std::string s = "AAA";
    s[0] = static_cast<char>('A' + n / 676 % 26);
    s[1] = static_cast<char>('A' + n / 26 % 26);
    s[2] = static_cast<char>('A' + n % 26);
    return s;
}

// `flights` lines over `airports` airports and about `pairs` city pairs, in random order.
void WriteTimetable(const fs::path& path, int flights, int airports, int pairs, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::pair<int, int>> cityPairs;
    for (int p = 0; p < pairs; ++p) {
        const int a = static_cast<int>(rng() % static_cast<unsigned>(airports));
        int b = static_cast<int>(rng() % static_cast<unsigned>(airports - 1));
        if (b >= a) ++b;
        cityPairs.emplace_back(a, b);
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(flights) * 80);
    for (int i = 0; i < flights; ++i) {
        const auto [a, b] = cityPairs[rng() % cityPairs.size()];
        const std::string o = Code(a);
        const std::string d = Code(b);
        text += o + "," + d + ",K" + o + ",K" + d + ",TWL," + std::to_string(i % 9999 + 1) + ",320," +
                std::to_string(rng() % 2400) + "," + std::to_string(rng() % 2400) + ",1,1,1,1,1,0,0,1,0,0,0,0,1,0,0\r\n";
    }
    std::ofstream(path, std::ios::binary) << text;
}

// Sorted add file (as the real-world merge writes it: in route-set order).
void WriteSortedAddFile(const fs::path& path, int flights, int airports, int pairs, unsigned seed) {
    const fs::path tmp = path.string() + ".unsorted";
    WriteTimetable(tmp, flights, airports, pairs, seed);
    ProgramState s(path.parent_path());
    RecordingPort port;
    s.Schedule = ReadScheduleFile(tmp, false);
    s.Routes.resize(s.Schedule.size());
    SortVAData(s, port);
    std::string text;
    for (const auto& r : s.Schedule)
        text += r.Origin.Str() + "," + r.Destination.Str() + "," + r.OriginICAO.Str() + "," +
                r.DestinationICAO.Str() + ",BAW,1,320,600,800,1,1,1,1,1,1,1,0,0,0,0,0,0,0,0\r\n";
    std::ofstream(path, std::ios::binary) << text;
    fs::remove(tmp);
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// prefix followed by a number (built in place: GCC 12 misreads "x" + to_string(n)).
std::string Named(const char* prefix, std::uint64_t n) {
    std::string s(prefix);
    s += std::to_string(n);
    return s;
}

float Uniform(std::mt19937& rng, float low, float high) {
    return low + (high - low) * static_cast<float>(rng() % 1000000) / 1000000.0f;
}

// A navigation database of real size: 35,000 airports (the timetable's 3,000
// among them, spread through the table), beacons, intersections and two
// airway networks near their capacity.
void WriteNavData(const fs::path& data, int timetableAirports) {
    std::mt19937 rng(7);
    std::vector<NavAirport> airports(35000);
    for (std::size_t j = 0; j < airports.size(); ++j) {
        NavAirport& a = airports[j];
        a.ICAO = Named("X", j);
        a.Name = Named("Airport ", j);
        a.City = Named("City ", j);
        a.Latitude = Uniform(rng, -60, 70);
        a.Longitude = Uniform(rng, -180, 180);
        a.Altitude = static_cast<std::int32_t>(rng() % 8000);
    }
    for (int n = 0; n < timetableAirports; ++n) {
        std::string icao = "K";
        icao += Code(n);
        airports[static_cast<std::size_t>(n) * airports.size() / static_cast<std::size_t>(timetableAirports) +
                 rng() % 10]
            .ICAO = icao;
    }
    WriteFileBytes(data / "nav_APT.bin", EncodeNavAirports(airports));

    auto aids = [&](std::size_t count) {
        std::vector<NavAid> out(count);
        for (auto& a : out) {
            a.Ident = "ABC";
            a.Latitude = Uniform(rng, -60, 70);
            a.Longitude = Uniform(rng, -180, 180);
        }
        return out;
    };
    WriteFileBytes(data / "nav_VOR.bin", EncodeNavAids(aids(4000)));
    WriteFileBytes(data / "nav_NDB.bin", EncodeNavAids(aids(9000)));
    std::vector<Intersection> fixes(120000);
    for (auto& f : fixes) {
        f.Ident = "FIXES";
        f.Latitude = Uniform(rng, -60, 70);
        f.Longitude = Uniform(rng, -180, 180);
    }
    WriteFileBytes(data / "nav_ISC.bin", EncodeIntersections(fixes));

    auto network = [&](std::int32_t nodes) {
        AirwayNetwork net;
        std::vector<AirwayLeg> legs;
        for (std::int32_t n = 1; n <= nodes; ++n) {
            AirwayNode node;
            node.Ident = Named("N", n);
            node.Latitude = Uniform(rng, -60, 70);
            node.Longitude = Uniform(rng, -180, 180);
            node.LegCount = static_cast<std::int16_t>(rng() % 7);
            legs.assign(static_cast<std::size_t>(node.LegCount), AirwayLeg{});
            for (auto& leg : legs) {
                leg.Neighbour = static_cast<std::int16_t>(rng() % static_cast<unsigned>(nodes) + 1);
                leg.AirwayName = Named("J", rng() % 999);
                leg.LegLength = Uniform(rng, 5, 200);
                leg.LegCourse = Uniform(rng, 0, 360);
            }
            net.Add(node, legs);
        }
        return EncodeAirwayNetwork(net);
    };
    WriteFileBytes(data / "HighAlt.ab1", network(HighNodeCapacity));
    WriteFileBytes(data / "LowAlt.ab1", network(LowNodeCapacity));
}

// Notes when each step of the compile starts.
class TimingPort : public RecordingPort {
public:
    std::vector<std::pair<std::string, std::chrono::steady_clock::time_point>> marks;
    void SetStatus(std::string_view text, StatusKind kind) override {
        if (kind == StatusKind::Step) marks.emplace_back(std::string(text), std::chrono::steady_clock::now());
        RecordingPort::SetStatus(text, kind);
    }
};

void RunCompile(const fs::path& root, const fs::path& timetable, const char* title) {
    ProgramState s(root);
    TimingPort port;
    port.recordProgress = false;
    port.setName = "Bench";
    port.fileToChoose = timetable;
    const double startUp = Seconds([&] { StartUp(s, port); });
    const auto start = std::chrono::steady_clock::now();
    const CompileOutcome outcome = CompileSchedule(s, port);
    const auto end = std::chrono::steady_clock::now();
    port.marks.emplace_back("", end);
    const double total = std::chrono::duration<double>(end - start).count();
    std::printf("%s\n", title);
    if (outcome.result != CompileOutcome::Result::Finished)
        std::printf("  stopped at \"%s\": %s\n", outcome.failedStatus.c_str(), outcome.reason.c_str());
    const std::size_t added = s.AddSchedule.size();
    std::printf("  flights %zu (timetable %zu, added %zu), index airports %zu, city pairs %d\n", s.Routes.size(),
                s.Routes.size() - added, added, s.IndexAirports.size(), s.UniqueRouteCount());
    std::printf("  start-up (35,000 navigation airports) %.3f s; compile %.3f s:\n", startUp, total);
    for (std::size_t i = 0; i + 1 < port.marks.size(); ++i)
        if (port.marks[i].first != "Finished!")
            std::printf("    %-40s %.3f s\n", port.marks[i].first.c_str(),
                    std::chrono::duration<double>(port.marks[i + 1].second - port.marks[i].second).count());
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path root =
        argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / ("tarnwell-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(root / "Data" / "Defaults");
    WriteNavData(root / "Data", 3000);

    const fs::path big = root / "big.KRX";
    WriteTimetable(big, 100001, 3000, 2000, 1);
    RunCompile(root, big, "100,001 flights, 3,000 airports, 2,000 city pairs (many equal keys):");

    WriteTimetable(big, 100001, 3000, 34000, 2);
    RunCompile(root, big, "100,001 flights, 3,000 airports, up to 34,000 city pairs (the most a compile takes):");

    // The merged list holds at most 100,001 flights: 50,001 timetable flights
    // merged into 50,000 added ones fill it exactly.
    const fs::path half = root / "half.KRX";
    WriteTimetable(half, 50001, 3000, 15000, 3);
    WriteSortedAddFile(root / "Data" / "Defaults" / AddFileName, 50000, 3000, 15000, 4);
    RunCompile(root, half, "50,001 flights merged into a sorted 50,000-flight add file:");

    // Unsorted, the merge leaves the flights of a pair apart and every run
    // becomes a city pair of its own: far more than the 34,000 a compile
    // takes, so this compile stops when the city pairs are read back.
    WriteTimetable(root / "Data" / "Defaults" / AddFileName, 50000, 3000, 15000, 5);
    RunCompile(root, half,
               "50,001 flights merged into an unsorted 50,000-flight add file (expected to stop at the city-pair "
               "limit):");

    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
