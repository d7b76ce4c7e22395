#pragma once
// Shared helpers of the tests: scratch program folders, timetable lines and
// runs of the command line program.

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "navdata/AirwayNetwork.h"
#include "navdata/NavRecords.h"
#include "navdata/AirportDatabase.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace tarnwell::testing {

// The files of a folder (not its subfolders) by name, with their contents.
inline std::map<std::string, std::string> FolderFiles(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    return files;
}

// What a command may leave half done: staging folders and files written
// beside their targets, all under hidden names (the program folder's lock
// file stays for good, and .keep files hold empty folders in the sample).
inline std::vector<std::string> HiddenEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with('.') && name != ".tarnwell.lock" && name != ".keep") names.push_back(entry.path().string());
    }
    return names;
}

// A fresh program folder (with Data and Data/Defaults) removed at the end of the test.
class TempProgramFolder {
public:
    TempProgramFolder() {
        static std::atomic<int> counter{0};
        std::random_device rd;
        root_ = std::filesystem::temp_directory_path() /
                ("tarnwell-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(root_ / "Data" / "Defaults");
    }
    ~TempProgramFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path Data() const { return root_ / "Data"; }
    std::filesystem::path AddFile() const { return root_ / "Data" / "Defaults" / "carrierADD.txt"; }

    std::filesystem::path Write(const std::string& relative, const std::string& content) const {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

private:
    std::filesystem::path root_;
};

// One timetable line: the four codes, then fixed example values for the rest.
inline std::string Flight(const std::string& origin, const std::string& dest, int number = 100,
                          const std::string& equipment = "320", const std::string& icaoOrigin = "",
                          const std::string& icaoDest = "") {
    const std::string oi = icaoOrigin.empty() ? "E" + origin : icaoOrigin;
    const std::string di = icaoDest.empty() ? "E" + dest : icaoDest;
    return origin + "," + dest + "," + oi + "," + di + ",TWL," + std::to_string(number) + "," + equipment +
           ",700,900,1,0,1,0,0,0,1,1,0,1,1,0,1,0,0\r\n";
}

inline std::string FileText(const std::filesystem::path& path) {
    const Bytes b = ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

// The message of the TarnwellError a call throws, or "no error".
template <typename Call>
std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const TarnwellError& e) {
        return e.what();
    }
    return "no error";
}

// A navigation airport at a position, named after its code.
inline NavAirport NavAirportAt(const std::string& icao, float lat, float lon, std::int32_t altitude = 0) {
    NavAirport a;
    a.ICAO = icao;
    a.Name = icao + " Airport";
    a.City = icao + " City";
    a.Latitude = lat;
    a.Longitude = lon;
    a.Altitude = altitude;
    return a;
}

// A two-node high-altitude network: nodes 1 (50 N, 5 E) and 2 (51 N, 6 E)
// joined both ways by airway UL1.
inline AirwayNetwork TwoNodeNetwork() {
    AirwayNetwork net;
    AirwayNode a;
    a.Ident = "ALPHA";
    a.Latitude = 50;
    a.Longitude = 5;
    a.Kind = "FIX";
    a.LegCount = 1;
    AirwayNode b = a;
    b.Ident = "BRAVO";
    b.Latitude = 51;
    b.Longitude = 6;
    AirwayLeg ab{2, FixedText<5>("UL1"), 70.0f, 32.0f};
    AirwayLeg ba{1, FixedText<5>("UL1"), 70.0f, 212.0f};
    net.Add(a, std::span(&ab, 1));
    net.Add(b, std::span(&ba, 1));
    return net;
}

// The airport database (these airports, none with runways) and the altitude
// list (each at its altitude).
inline void WriteAirportDatabase(const TempProgramFolder& dir, const std::vector<NavAirport>& airports) {
    std::vector<NavennaAirportRecord> records;
    std::string altitudes;
    for (const NavAirport& a : airports) {
        records.push_back({});
        records.back().ICAO = a.ICAO;
        altitudes += a.ICAO.Str() + "," + std::to_string(a.Altitude) + "\r\n";
    }
    WriteFileBytes(dir.Data() / "nv_apt1.nv2", EncodeNavennaAirports(records));
    WriteFileBytes(dir.Data() / "nv_apt2.nv2", Bytes{});
    WriteFileBytes(dir.Data() / "nv_apt3.nv2", Bytes{});
    dir.Write("Data/Altitudes.txt", altitudes);
}

// The navigation files a compile needs: these airports (a placeholder when
// none is given), one VOR, one NDB, one intersection and TwoNodeNetwork as
// the high-altitude airways, and the airport database of these airports.
inline void WriteNavData(const TempProgramFolder& dir, std::vector<NavAirport> airports = {}) {
    if (airports.empty()) airports.push_back(NavAirportAt("ZZZZ", 0, 0));
    NavAid aid;
    aid.Ident = "ABC";
    aid.Latitude = 50;
    aid.Longitude = 5;
    Intersection fix;
    fix.Ident = "ABCDE";
    const auto put = [&dir](const char* name, const Bytes& bytes) { WriteFileBytes(dir.Data() / name, bytes); };
    put("nav_APT.bin", EncodeNavAirports(airports));
    put("nav_VOR.bin", EncodeNavAids(std::vector{aid}));
    put("nav_NDB.bin", EncodeNavAids(std::vector{aid}));
    put("nav_ISC.bin", EncodeIntersections(std::vector{fix}));
    put("HighAlt.ab1", EncodeAirwayNetwork(TwoNodeNetwork()));
    WriteAirportDatabase(dir, airports);
}

#ifdef TARNWELL_TEST_DIR
// The sample program folder copied into `dir`, with the golden run's route
// set as Data/<setName>.
inline void CopyGoldenSample(const TempProgramFolder& dir, const std::string& setName) {
    namespace fs = std::filesystem;
    fs::copy(TARNWELL_SAMPLE_DIR, dir.Root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::create_directories(dir.Data() / setName);
    for (const char* name : {"index.kr1", "routes.kr1", "airline.kr1", "arrivals.kr1", "APT.kr1", "PLANS.kr1"})
        fs::copy_file(fs::path(TARNWELL_TEST_DIR) / "e2e" / "golden" / "sample" / name, dir.Data() / setName / name);
}
#endif

// Runs the command line program with `args` and collects its exit code and output.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a command through the system's shell and gives its exit code. Windows's
// cmd drops the first and the last quote of a line that starts with one, so
// there the whole line goes in one more pair; and it gets the line in UTF-16,
// as the ANSI code page may lack characters of it.
inline int RunShell(const std::string& command) {
#ifdef _WIN32
    const std::filesystem::path wide(std::u8string(command.begin(), command.end()));
    return _wsystem((L"\"" + wide.wstring() + L"\"").c_str());
#else
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

inline CliRun RunCli(const TempProgramFolder& dir, const std::string& args) {
    const std::filesystem::path out = dir.Root() / "cli.out";
    const std::filesystem::path err = dir.Root() / "cli.err";
    const std::filesystem::path program = std::filesystem::path(TARNWELL_CLI_PATH).make_preferred();
    CliRun r;
    r.exitCode = RunShell("\"" + PathText(program) + "\" " + args + " > \"" + PathText(out) + "\" 2> \"" +
                          PathText(err) + "\"");
    r.out = FileText(out);
    r.err = FileText(err);
#ifdef _WIN32
    // Windows's text streams end lines with CR LF.
    for (std::string* text : {&r.out, &r.err})
        for (std::size_t at = 0; (at = text->find("\r\n", at)) != std::string::npos;) text->erase(at, 1);
#endif
    return r;
}

}  // namespace tarnwell::testing
