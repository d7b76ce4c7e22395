// Times the compile's steps on large generated timetables and prints figures.
//
//   tarnwell_bench [compile] [FOLDER]
//
// FOLDER (default: a folder in the system's temp folder) receives a scratch
// program folder that is removed afterwards.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "BenchSupport.h"
#include "examine/RouteSetCheck.h"
#include "timetable/ScheduleSort.h"
#include "timetable/TimetableFile.h"
#include "compile/CompileDriver.h"
#include "compile/ProgramState.h"

namespace fs = std::filesystem;

namespace tarnwell::bench {

namespace {

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
    RecordingPort port;
    std::vector<ScheduleRecord> schedule = ReadScheduleFile(tmp, false);
    SortVAData(schedule, {}, port);
    std::string text;
    for (const auto& r : schedule)
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

constexpr std::string_view PlansBuilt = "Finished Creating Assigned Plans!";

// Notes when each step of the compile starts, and when the plans are built
// (the flight-plan step then packs them).
class TimingPort : public ClockPort {
public:
    using Clock = std::chrono::steady_clock;  // the wall clock of the marks
    std::vector<std::pair<std::string, Clock::time_point>> marks;
    std::optional<Clock::time_point> plansBuilt;
    void SetStatus(std::string_view text, StatusKind kind) override {
        if (kind == StatusKind::Step) marks.emplace_back(std::string(text), Clock::now());
        if (text == PlansBuilt) plansBuilt = Clock::now();
        ClockPort::SetStatus(text, kind);
    }
};

// The plans the compile reported it could not build.
std::size_t FailedPlans(const RecordingPort& port) {
    return static_cast<std::size_t>(std::count_if(port.warnings.begin(), port.warnings.end(), [](const std::string& w) {
        return w.find("could not be built") != std::string::npos;
    }));
}

void RunCompile(const fs::path& root, const fs::path& timetable, const char* title) {
    ProgramState s(root);
    TimingPort port;
    const double startUp = Seconds([&] { StartUp(s, port); });
    const auto start = std::chrono::steady_clock::now();
    const CompileOutcome outcome = CompileSchedule(s, port, {"Bench", "TWL", "Tarnwell Air", timetable});
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
    const auto seconds = [](auto from, auto to) { return std::chrono::duration<double>(to - from).count(); };
    for (std::size_t i = 0; i + 1 < port.marks.size(); ++i) {
        const auto& [text, at] = port.marks[i];
        if (text == "Finished!") continue;
        const auto next = port.marks[i + 1].second;
        std::printf("    %-40s %.3f s\n", text.c_str(), seconds(at, next));
        if (text == "Creating Flight Plans" && port.plansBuilt) {
            const double building = seconds(at, *port.plansBuilt);
            std::printf("      building %d plans %.3f s (%.1f plans/s, %zu failed), packing %.3f s\n",
                        s.UniqueRouteCount(), building, s.UniqueRouteCount() / building, FailedPlans(port),
                        seconds(*port.plansBuilt, next));
        }
    }
    if (outcome.result == CompileOutcome::Result::Finished) {
        RouteSetCheckResult checked;
        const double checking = Seconds([&] { checked = CheckRouteSet(root, "Bench"); });
        std::printf("  check of the route set %.3f s: %zu problems\n", checking, checked.problems.size());
        for (std::size_t i = 0; i < checked.problems.size() && i < 5; ++i)
            std::printf("    %s\n", checked.problems[i].c_str());
    }
    std::fflush(stdout);
}

}  // namespace

int CompileBench(int argc, char** argv) {
    const fs::path root = argc > 0 ? fs::path(argv[0]) : ScratchFolder("tarnwell-bench-");
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

}  // namespace tarnwell::bench
