// tarnwell: the command line front end.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "plans/FlightPlans.h"
#include "realworld/RealWorldData.h"
#include "realworld/RealWorldMerge.h"
#include "routeset/DataFiles.h"
#include "inspect/RouteSetCheck.h"
#include "inspect/RouteSetDump.h"
#include "routeset/RouteSetOutput.h"
#include "timetable/TimetableFile.h"
#include "realworld/AirlinePicker.h"
#include "compile/CompileDriver.h"
#include "compile/ProgramState.h"
#include "cli/CliPort.h"
#include "cli/NavDataCommand.h"

#ifdef _WIN32
#include <io.h>
#define TARNWELL_ISATTY(f) _isatty(_fileno(f))
#else
#include <unistd.h>
#define TARNWELL_ISATTY(f) isatty(fileno(f))
#endif

namespace fs = std::filesystem;
using namespace tarnwell;

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

const char* const HelpText = R"(Usage:
  tarnwell [OPTIONS] compile TIMETABLE --set-name NAME --airline-iata CODE --airline-name NAME
                     [--real-world-airline A ...]
  tarnwell [OPTIONS] merge TIMETABLE --real-world-airline A [--real-world-airline B ...]
  tarnwell [OPTIONS] airlines [TEXT]
  tarnwell [OPTIONS] import-airlines CSV
  tarnwell [OPTIONS] build-defaults TIMETABLE
  tarnwell [OPTIONS] import-navdata --xplane DIR [--region LATMIN LATMAX LONMIN LONMAX] [--strict]
  tarnwell [OPTIONS] check NAME
  tarnwell [OPTIONS] dump NAME FILE
  tarnwell --help

Compiles a timetable (a .KRX file) into a route set: the folder Data/NAME
below the program folder, holding index.kr1 (airports), routes.kr1,
airline.kr1, arrivals.kr1 (each airport's arriving routes), APT.kr1 (runways
and frequencies) and PLANS.kr1 (the flight plans).
If the real-world merge left an add file (Data/Defaults/carrierADD.txt),
its flights are merged with the timetable's and the add file is used up.

The program folder's Data folder holds the navigation database:
nav_APT.bin (airports; the program cannot start without it), nav_VOR.bin,
nav_NDB.bin and nav_ISC.bin (beacons and intersections; a compile needs
them), HighAlt.ab1 and LowAlt.ab1 (airway networks; missing means empty),
and the airport database nv_apt1.nv2, nv_apt2.nv2, nv_apt3.nv2 with the
altitude list Altitudes.txt (a compile needs them).
An airport of the timetable that nav_APT.bin does not know is reported as a
warning and keeps an empty name and the position 0, 0; one missing from
Altitudes.txt is reported and keeps the altitude of nav_APT.bin; one missing
from nv_apt1.nv2 gets no runway data. Every compile writes
its city pairs to Data/UniqueRoutes.txt and builds one flight plan per city
pair over the high-altitude airways (navaid to navaid where they do not
serve) into KRplans/N.krp below the program folder (created when missing),
logging each to Data/PlanLog.txt as SUCCESS or ERROR. A plan that cannot be
built is reported as a warning naming it, and the compile then fails.

Commands:
  compile TIMETABLE     compile the timetable file TIMETABLE
    --set-name NAME     the route set's name: the folder Data/NAME receives the
                        files. It must name one folder directly inside Data
                        (not empty, no / or \, not "Defaults").
    --airline-iata CODE the compiled airline's code (3 characters are kept)
    --airline-name NAME the compiled airline's name (39 characters are kept)
    --real-world-airline A
                        first merge the flights of real-world airline A, as
                        merge does, then compile: the route set holds them,
                        and its airline.kr1 lists A after the compiled
                        airline. Repeat for more airlines, at most ten. When
                        the merge fails, nothing is compiled.
  merge TIMETABLE       the real-world merge alone: the flights of the chosen
                        real-world airlines (Data/Defaults/Routes.kr1 and
                        index.kr1) that start or end at an airport of
                        TIMETABLE are written to the add file
                        Data/Defaults/carrierADD.txt, which the next compile
                        merges in. The airline list of the route set is
                        filled only when merge and compile run in one
                        invocation (compile --real-world-airline), as in one
                        session of the desktop program: a later compile gets
                        the flights but not the airlines. A merge that fails
                        leaves the older add file as it was.
    --real-world-airline A
                        a real-world airline: its code (the first airline of
                        Data/airline.kr1 with that code, exact case) or #N,
                        its item number as airlines lists it. Repeat for
                        more, at most ten, in the order airline.kr1 is to
                        list them.
  airlines [TEXT]       list the real-world airlines of Data/airline.kr1 in
                        the order the desktop program's picker shows them (by
                        name): item number, code, name. With TEXT, only those
                        whose code or name contains TEXT (any case).
  import-airlines CSV   write the real-world airline list Data/airline.kr1 from
                        CSV: a header row naming the columns code, name and
                        extra, then one airline per row ("quoted, fields" may
                        hold commas). UTF-8 text is stored in Windows-1252, '?'
                        for a character it lacks, cut or padded to 3, 39 and 24
                        characters. A malformed row (wrong number of fields,
                        empty code) stops the import naming its line, and the
                        old list stays as it was.
  build-defaults TIMETABLE
                        compile TIMETABLE, a timetable of real-world flights,
                        into the real-world route set Data/Defaults/Routes.kr1
                        and Data/Defaults/index.kr1 (no flight plans). The add
                        file is neither read nor removed. Both files are
                        replaced together, only when the build has succeeded.
  import-navdata        write every navigation and airport file of Data/
                        (nav_APT.bin, nav_VOR.bin, nav_NDB.bin, nav_ISC.bin,
                        HighAlt.ab1, LowAlt.ab1, nv_apt1.nv2, nv_apt2.nv2,
                        nv_apt3.nv2, Altitudes.txt) from simulator data files
    --xplane DIR        the folder holding nav.dat, fix.dat, awy.dat and
                        apt.dat (each plain or .gz; also looked for in its
                        Navaids and Airports folders), for example
                        /usr/share/games/flightgear
    --region LATMIN LATMAX LONMIN LONMAX
                        keep only what lies in this box (degrees, north and
                        east positive; LONMIN > LONMAX crosses the 180th
                        meridian). Default: the whole world. Where a file
                        cannot hold everything (15500 high and 14500 low
                        airway points, 76 legs a point, 22001 altitudes), the
                        part nearest the box's centre is kept and the rest is
                        reported.
    --strict            refuse instead, and change no file
                        Malformed source lines are skipped and counted. The
                        old files are replaced only when the import succeeds.
  check NAME            check the route set Data/NAME: every file's length and
                        every position, index and plan reference leading from
                        one file into another, plan entries against Data's
                        HighAlt.ab1, nav_VOR.bin, nav_NDB.bin and nav_ISC.bin.
                        Prints a summary, then one line per problem naming the
                        file and the record (records counted from 0, plans and
                        plan entries from 1).
  dump NAME FILE        print FILE of Data/NAME (index.kr1, routes.kr1,
                        airline.kr1, arrivals.kr1, APT.kr1 or PLANS.kr1) as
                        CSV: a header row of field names, then one row per
                        record (PLANS.kr1: per plan entry) with its 1-based
                        byte position, the value other files store to point at
                        it. Texts are UTF-8 without the blanks that pad them.
                        A damaged file prints nothing and fails.

Options:
  --root DIR            the program folder, holding Data/ (and Data/Defaults/).
                        Default: $TARNWELL_ROOT, else the current folder.
  --status-log FILE     write every status text of compile, merge or build-defaults,
                        progress texts included, one per line in order, to FILE
  --verbose             print every status text, progress counts included
  -h, --help            show this help

Status texts go to stderr: on a terminal as one updating line, otherwise one
line per step. Warnings are printed as "warning: ..." lines. A summary of the
finished compile goes to stdout.

A failed compile writes nothing into the route set: the previous files of
Data/NAME stay exactly as they were.

Exit status: 0 when finished, 1 when the command failed (the step, if any,
and the reason are printed) or check found a problem, 2 for a command line
that cannot be understood.
)";

int UsageError(const std::string& message) {
    std::cerr << "tarnwell: " << message << "\nTry 'tarnwell --help'.\n";
    return ExitUsage;
}

struct Arguments {
    std::optional<fs::path> root;
    std::optional<fs::path> statusLog;
    bool verbose = false;
    bool help = false;
    std::vector<std::string> positional;
    std::optional<std::string> setName, airlineIATA, airlineNAME;
    std::vector<std::string> realWorldAirlines;
    std::optional<fs::path> xplane;
    std::optional<std::array<double, 4>> region;
    bool strict = false;
};

// A number of --region; false when the text is not one.
bool RegionNumber(const std::string& text, double& out) {
    const auto end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end;
}

// Returns an error message, or nothing when the arguments were understood.
std::optional<std::string> Parse(int argc, char** argv, Arguments& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) -> bool {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "-h" || arg == "--help") {
            a.help = true;
        } else if (arg == "--verbose") {
            a.verbose = true;
        } else if (arg == "--strict") {
            a.strict = true;
        } else if (arg == "--region") {
            std::array<double, 4> bounds{};
            for (double& b : bounds)
                if (!value(v) || !RegionNumber(v, b)) return "option --region needs four numbers";
            a.region = bounds;
        } else if (arg == "--root" || arg == "--status-log" || arg == "--set-name" || arg == "--airline-iata" ||
                   arg == "--airline-name" || arg == "--xplane" || arg == "--real-world-airline") {
            if (!value(v)) return "option " + arg + " needs a value";
            if (arg == "--root") a.root = fs::path(v);
            else if (arg == "--status-log") a.statusLog = fs::path(v);
            else if (arg == "--set-name") a.setName = v;
            else if (arg == "--airline-iata") a.airlineIATA = v;
            else if (arg == "--xplane") a.xplane = fs::path(v);
            else if (arg == "--real-world-airline") a.realWorldAirlines.push_back(v);
            else a.airlineNAME = v;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else {
            a.positional.push_back(arg);
        }
    }
    return std::nullopt;
}

fs::path ProgramFolder(const Arguments& a) {
    if (a.root) return *a.root;
    if (const char* env = std::getenv("TARNWELL_ROOT"); env && *env) return fs::path(env);
    return fs::current_path();
}

void PrintSummary(const ProgramState& state) {
    std::size_t airlines = 0;
    for (const auto& airline : state.AirlineInfo)
        if (!airline.Code.NeverAssigned()) ++airlines;
    std::cout << "Finished: " << state.Routes.size() << " routes, " << state.IndexAirports.size() << " airports, "
              << airlines << (airlines == 1 ? " airline" : " airlines");
    if (state.HasAddSchedule) std::cout << " (" << state.AddSchedule.size() << " added flights merged)";
    std::cout << "\nRoute set: " << PathText(state.RouteSet.FinalFolder()) << '\n';
}

// How the port shows status texts: as --verbose asks, updating one line on a terminal.
CliOptions PortOptions(const Arguments& a) {
    CliOptions options;
    options.verbose = a.verbose;
    options.terminal = TARNWELL_ISATTY(stderr) != 0;
    return options;
}

// --status-log: a usage error when the log cannot be created.
std::optional<int> OpenStatusLog(const Arguments& a, CliPort& port) {
    if (a.statusLog && !port.OpenStatusLog(*a.statusLog))
        return UsageError("cannot create the status log " + PathText(*a.statusLog));
    return std::nullopt;
}

// The real-world airline list; says why when it cannot be loaded.
bool LoadAirlineList(ProgramState& state, CliPort& port) {
    try {
        LoadRealAirlines(state, port);
    } catch (const std::exception& e) {
        std::cerr << "error: cannot load the real-world airline list: " << e.what() << '\n';
        return false;
    }
    return true;
}

// The item numbers of the real-world airlines the user named; says which
// one is unknown and gives nothing then.
std::optional<std::vector<std::int32_t>> ChooseRealAirlines(const ProgramState& state,
                                                            const std::vector<std::string>& choices) {
    std::vector<std::int32_t> numbers;
    for (const std::string& choice : choices) {
        const auto n = FindRealAirline(state.RealAirlines, choice);
        if (!n) {
            std::cerr << "error: \"" << choice << "\" names no real-world airline of "
                      << PathText(state.DataFolder() / RealAirlineListName) << " ('tarnwell airlines' lists them)\n";
            return std::nullopt;
        }
        numbers.push_back(*n);
    }
    return numbers;
}

// Runs the real-world merge; says why when it does not finish.
bool RunMerge(ProgramState& state, CliPort& port, MergeOutcome& outcome) {
    outcome = GetRealWorldData(state, port);
    port.EndStatusLine();
    if (outcome.result == CompileOutcome::Result::Finished) return true;
    std::cerr << "error: the merge failed";
    if (!outcome.failedStatus.empty()) std::cerr << " at \"" << outcome.failedStatus << '"';
    std::cerr << ": " << outcome.reason << "\nThe add file was not changed.\n";
    return false;
}

int Compile(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError("compile needs exactly one TIMETABLE");
    if (!a.setName) return UsageError("compile needs --set-name NAME");
    if (!a.airlineIATA) return UsageError("compile needs --airline-iata CODE");
    if (!a.airlineNAME) return UsageError("compile needs --airline-name NAME");

    CliOptions options = PortOptions(a);
    options.setName = *a.setName;
    options.airlineIATA = *a.airlineIATA;
    options.airlineNAME = *a.airlineNAME;
    options.timetable = fs::path(a.positional[1]);
    CliPort port(options);
    if (auto refused = OpenStatusLog(a, port)) return *refused;

    ProgramState state(ProgramFolder(a));
    try {
        StartUp(state, port);
    } catch (const std::exception& e) {
        port.EndStatusLine();
        std::cerr << "error: the program cannot start: " << e.what() << '\n';
        return ExitFailed;
    }

    if (!a.realWorldAirlines.empty()) {
        const auto chosen = ChooseRealAirlines(state, a.realWorldAirlines);
        if (!chosen) return ExitFailed;
        port.SetChosenAirlines(*chosen);
        MergeOutcome merged;
        if (!RunMerge(state, port, merged)) {
            std::cerr << "Nothing was compiled.\n";
            return ExitFailed;
        }
    }

    const CompileOutcome outcome = CompileSchedule(state, port);
    port.EndStatusLine();
    switch (outcome.result) {
        case CompileOutcome::Result::Finished:
            PrintSummary(state);
            return ExitOk;
        case CompileOutcome::Result::Cancelled:
            std::cerr << "error: the compile was cancelled\n";
            return ExitFailed;
        case CompileOutcome::Result::Failed:
            break;
    }
    if (outcome.failedStatus.empty())
        std::cerr << "error: " << outcome.reason << '\n';
    else
        std::cerr << "error: the compile failed at \"" << outcome.failedStatus << "\": " << outcome.reason << '\n';
    return ExitFailed;
}

// The options that only compile takes are refused by the other commands.
std::optional<int> RefuseCompileOptions(const Arguments& a, const std::string& command) {
    if (a.setName || a.airlineIATA || a.airlineNAME)
        return UsageError(command + " takes none of --set-name, --airline-iata, --airline-name");
    return std::nullopt;
}

int MergeCommand(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError("merge needs exactly one TIMETABLE");
    if (a.realWorldAirlines.empty()) return UsageError("merge needs at least one --real-world-airline A");
    if (auto refused = RefuseCompileOptions(a, "merge")) return *refused;

    CliOptions options = PortOptions(a);
    options.timetable = fs::path(a.positional[1]);
    CliPort port(options);
    if (auto refused = OpenStatusLog(a, port)) return *refused;

    ProgramState state(ProgramFolder(a));
    if (!LoadAirlineList(state, port)) return ExitFailed;
    const auto chosen = ChooseRealAirlines(state, a.realWorldAirlines);
    if (!chosen) return ExitFailed;
    port.SetChosenAirlines(*chosen);
    MergeOutcome outcome;
    if (!RunMerge(state, port, outcome)) return ExitFailed;
    std::cout << "Finished: " << outcome.addedRoutes << (outcome.addedRoutes == 1 ? " flight" : " flights")
              << " of the chosen airlines written to " << PathText(state.DefaultsFolder() / AddFileName)
              << "\nThe next compile merges them in; its airline.kr1 lists these airlines only when they are "
                 "chosen with compile --real-world-airline.\n";
    return ExitOk;
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

int AirlinesCommand(const Arguments& a) {
    if (a.positional.size() > 2) return UsageError("airlines takes at most one TEXT");
    if (auto refused = RefuseCompileOptions(a, "airlines")) return *refused;
    CliPort port(PortOptions(a));
    ProgramState state(ProgramFolder(a));
    if (!LoadAirlineList(state, port)) return ExitFailed;
    const std::string filter = a.positional.size() == 2 ? LowerAscii(Utf8ToAnsi(a.positional[1])) : std::string();
    std::size_t shown = 0;
    for (const PickerEntry& entry : RealAirlineEntries(state.RealAirlines)) {
        const AirlineRecord& airline = state.RealAirlines[static_cast<std::size_t>(entry.itemNumber)];
        if (LowerAscii(airline.Code.Str()).find(filter) == std::string::npos &&
            LowerAscii(entry.text).find(filter) == std::string::npos)
            continue;
        std::string number = "#" + std::to_string(entry.itemNumber);
        number.resize(std::max<std::size_t>(number.size() + 2, 7), ' ');
        std::cout << number << AnsiToUtf8(airline.Code.View()) << "  " << AnsiToUtf8(entry.text) << '\n';
        ++shown;
    }
    if (shown > 0) return ExitOk;
    if (filter.empty())
        std::cerr << "error: the real-world airline list holds no airline\n";
    else
        std::cerr << "error: no real-world airline's code or name contains \"" << a.positional[1] << "\"\n";
    return ExitFailed;
}

int ImportAirlinesCommand(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError("import-airlines needs exactly one CSV file");
    if (auto refused = RefuseCompileOptions(a, "import-airlines")) return *refused;
    ProgramState state(ProgramFolder(a));
    try {
        const std::size_t count = ImportAirlines(state, fs::path(a.positional[1]));
        std::cout << "Wrote " << count << (count == 1 ? " airline" : " airlines") << " to "
                  << PathText(state.DataFolder() / RealAirlineListName) << '\n';
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\nThe airline list was not changed.\n";
        return ExitFailed;
    }
    return ExitOk;
}

int BuildDefaultsCommand(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError("build-defaults needs exactly one TIMETABLE");
    if (auto refused = RefuseCompileOptions(a, "build-defaults")) return *refused;

    CliOptions options = PortOptions(a);
    options.timetable = fs::path(a.positional[1]);
    CliPort port(options);
    if (auto refused = OpenStatusLog(a, port)) return *refused;

    ProgramState state(ProgramFolder(a));
    try {
        LoadNavAirports(state, port);
    } catch (const std::exception& e) {
        std::cerr << "error: cannot load the navigation airports: " << e.what() << '\n';
        return ExitFailed;
    }
    const CompileOutcome outcome = BuildDefaults(state, port, options.timetable);
    port.EndStatusLine();
    if (outcome.result != CompileOutcome::Result::Finished) {
        std::cerr << "error: building the real-world route set failed at \"" << outcome.failedStatus
                  << "\": " << outcome.reason << "\nThe previous real-world route set was kept.\n";
        return ExitFailed;
    }
    std::cout << "Finished: " << state.Routes.size() << " routes, " << state.IndexAirports.size() << " airports\n"
              << "Real-world route set: " << PathText(state.DefaultsFolder()) << " (" << DefaultRoutesName << ", "
              << DefaultIndexName << ")\n";
    return ExitOk;
}

int ImportNavDataCommand(const Arguments& a) {
    if (a.positional.size() != 1) return UsageError("import-navdata takes no file name; give the folder with --xplane DIR");
    if (!a.xplane) return UsageError("import-navdata needs --xplane DIR");
    if (auto refused = RefuseCompileOptions(a, "import-navdata")) return *refused;
    NavDataImportOptions options;
    options.source = *a.xplane;
    options.strict = a.strict;
    if (a.region) options.region = {(*a.region)[0], (*a.region)[1], (*a.region)[2], (*a.region)[3]};
    try {
        CheckRegion(options.region);
    } catch (const TarnwellError& e) {
        return UsageError(e.What());
    }
    return RunImportNavData(ProgramFolder(a), options, PortOptions(a));
}

int CheckCommand(const Arguments& a) {
    if (a.positional.size() != 2) return UsageError("check needs exactly one route set NAME");
    if (auto refused = RefuseCompileOptions(a, "check")) return *refused;
    try {
        ValidateSetName(a.positional[1]);
    } catch (const TarnwellError& e) {
        return UsageError(e.What());
    }
    const fs::path root = ProgramFolder(a);
    RouteSetCheckResult result;
    try {
        result = CheckRouteSet(root, a.positional[1]);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return ExitFailed;
    }
    const RouteSetSummary& s = result.summary;
    std::cout << "Route set: " << PathText(RouteSetFolder(root, a.positional[1])) << '\n'
              << "Airports: " << s.airports << " (" << s.airportsWithoutRunways << " without runway data)\n"
              << "Routes: " << s.routes << '\n'
              << "Airlines: " << s.airlines << '\n'
              << "Plans: " << s.plans << " (" << s.airwayPlans << " airway, " << s.pointToPointPlans
              << " point-to-point, " << s.emptyPlans << " empty)\n";
    if (result.problems.empty()) {
        std::cout << "No problems found.\n";
        return ExitOk;
    }
    std::cout << result.problems.size() << (result.problems.size() == 1 ? " problem:\n" : " problems:\n");
    for (const std::string& problem : result.problems) std::cout << problem << '\n';
    return ExitFailed;
}

int DumpCommand(const Arguments& a) {
    if (a.positional.size() != 3) return UsageError("dump needs a route set NAME and a FILE");
    if (auto refused = RefuseCompileOptions(a, "dump")) return *refused;
    try {
        ValidateSetName(a.positional[1]);
    } catch (const TarnwellError& e) {
        return UsageError(e.What());
    }
    try {
        DumpRouteSetFile(ProgramFolder(a), a.positional[1], a.positional[2], std::cout);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return ExitFailed;
    }
    return ExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (auto error = Parse(argc, argv, args)) return UsageError(*error);
    if (args.help) {
        std::cout << HelpText;
        return ExitOk;
    }
    if (args.positional.empty()) return UsageError("no command given");
    const std::string& command = args.positional[0];
    if (command != "import-navdata" && (args.xplane || args.region || args.strict))
        return UsageError("--xplane, --region and --strict belong to import-navdata");
    if (command != "compile" && command != "merge" && !args.realWorldAirlines.empty())
        return UsageError("--real-world-airline belongs to compile and merge");
    if (command == "compile") return Compile(args);
    if (command == "merge") return MergeCommand(args);
    if (command == "airlines") return AirlinesCommand(args);
    if (command == "import-airlines") return ImportAirlinesCommand(args);
    if (command == "build-defaults") return BuildDefaultsCommand(args);
    if (command == "import-navdata") return ImportNavDataCommand(args);
    if (command == "check") return CheckCommand(args);
    if (command == "dump") return DumpCommand(args);
    return UsageError("unknown command '" + command + "'");
}
