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

#include "index/CreateIndex.h"
#include "routeset/MainMod.h"
#include "schedule/DataImport.h"
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

void RunCompile(const fs::path& root, const fs::path& timetable, const char* title) {
    ProgramState s(root);
    RecordingPort port;
    port.recordProgress = false;
    s.airlineIATA = "TWL";
    s.airlineNAME = "Tarnwell Air";
    s.RouteSet.Begin(s.DataFolder(), "Bench");
    const double read = Seconds([&] { GetVAData(s, port, timetable); });
    const std::size_t added = s.AddSchedule.size();
    const double order = Seconds([&] { SortVAData(s, port); });
    const double routes = Seconds([&] { MoveDataToRoutes(s, port); });
    const double index = Seconds([&] { FindIndexAirports(s, port); });
    const double write = Seconds([&] {
        WriteDataFiles(s, port);
        s.RouteSet.Commit();
    });
    std::printf("%s\n", title);
    std::printf("  flights %zu (timetable %zu, added %zu), index airports %zu\n", s.Routes.size(),
                s.Routes.size() - added, added, s.IndexAirports.size());
    std::printf("  read %.3f s, %s %.3f s, routes %.3f s, index %.3f s, write %.3f s, total %.3f s\n", read,
                added ? "merge" : "sort", order, routes, index, write, read + order + routes + index + write);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path root =
        argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / ("tarnwell-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(root / "Data" / "Defaults");

    const fs::path big = root / "big.KRX";
    WriteTimetable(big, 100001, 3000, 2000, 1);
    RunCompile(root, big, "100,001 flights, 3,000 airports, 2,000 city pairs (many equal keys):");

    WriteTimetable(big, 100001, 3000, 100001, 2);
    RunCompile(root, big, "100,001 flights, 3,000 airports, nearly all keys distinct:");

    // The merged list holds at most 100,001 flights: 50,001 timetable flights
    // merged into 50,000 added ones fill it exactly.
    const fs::path half = root / "half.KRX";
    WriteTimetable(half, 50001, 3000, 20000, 3);
    WriteSortedAddFile(root / "Data" / "Defaults" / AddFileName, 50000, 3000, 20000, 4);
    RunCompile(root, half, "50,001 flights merged into a sorted 50,000-flight add file:");

    WriteTimetable(root / "Data" / "Defaults" / AddFileName, 50000, 3000, 20000, 5);
    RunCompile(root, half, "50,001 flights merged into an unsorted 50,000-flight add file:");

    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
