#include "cli/HelpText.h"

#include <algorithm>
#include <array>

namespace tarnwell::cli {

namespace {

constexpr std::array<CommandHelp, 12> Commands{{
    {"compile",
     "  tarnwell [OPTIONS] compile TIMETABLE --set-name NAME --airline-iata CODE --airline-name NAME\n"
     "                     [--real-world-airline A ...] [--jobs N]\n",
     R"(  compile TIMETABLE     compile the timetable file TIMETABLE
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
    --jobs N            build the flight plans on N threads (1 to 256;
                        default: one per hardware thread). Every file comes
                        out the same for any N.
)"},
    {"merge", "  tarnwell [OPTIONS] merge TIMETABLE --real-world-airline A [--real-world-airline B ...]\n",
     R"(  merge TIMETABLE       the real-world merge alone: the flights of the chosen
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
)"},
    {"airlines", "  tarnwell [OPTIONS] airlines [TEXT]\n",
     R"(  airlines [TEXT]       list the real-world airlines of Data/airline.kr1 in
                        the order the desktop program's picker shows them (by
                        name): item number, code, name. With TEXT, only those
                        whose code or name contains TEXT (any case).
)"},
    {"import-airlines", "  tarnwell [OPTIONS] import-airlines CSV\n",
     R"(  import-airlines CSV   write the real-world airline list Data/airline.kr1 from
                        CSV: a header row naming the columns code, name and
                        extra, then one airline per row ("quoted, fields" may
                        hold commas). UTF-8 text is stored in Windows-1252, '?'
                        for a character it lacks, cut or padded to 3, 39 and 24
                        characters. A malformed row (wrong number of fields,
                        empty code) stops the import naming its line, and the
                        old list stays as it was.
)"},
    {"build-defaults", "  tarnwell [OPTIONS] build-defaults TIMETABLE\n",
     R"(  build-defaults TIMETABLE
                        compile TIMETABLE, a timetable of real-world flights,
                        into the real-world route set Data/Defaults/Routes.kr1
                        and Data/Defaults/index.kr1 (no flight plans). The add
                        file is neither read nor removed. Both files are
                        replaced together, only when the build has succeeded.
)"},
    {"import-navdata",
     "  tarnwell [OPTIONS] import-navdata --xplane DIR [--region LATMIN LATMAX LONMIN LONMAX] [--strict]\n",
     R"(  import-navdata        write every navigation and airport file of Data/
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
)"},
    {"check", "  tarnwell [OPTIONS] check NAME\n",
     R"(  check NAME            check the route set Data/NAME: every file's length and
                        every position, index and plan reference leading from
                        one file into another, plan entries against Data's
                        HighAlt.ab1, nav_VOR.bin, nav_NDB.bin and nav_ISC.bin.
                        Prints a summary, then one line per problem naming the
                        file and the record (records counted from 0, plans and
                        plan entries from 1).
)"},
    {"dump", "  tarnwell [OPTIONS] dump NAME FILE\n",
     R"(  dump NAME FILE        print FILE of Data/NAME (index.kr1, routes.kr1,
                        airline.kr1, arrivals.kr1, APT.kr1 or PLANS.kr1) as
                        CSV: a header row of field names, then one row per
                        record (PLANS.kr1: per plan entry) with its 1-based
                        byte position, the value other files store to point at
                        it. Texts are UTF-8 without the blanks that pad them.
                        A damaged file prints nothing and fails.
)"},
    {"map", "  tarnwell [OPTIONS] map NAME --out FILE [--plans ORIGIN-DEST,...] [--size WxH]\n",
     R"(  map NAME              draw the route set Data/NAME: its airports and the city
                        pairs it flies as great-circle arcs over the world's
                        coastlines, fitted to the airports
    --out FILE          the picture to write: FILE.svg (SVG) or FILE.png
                        (PNG), replaced only when it is whole
    --plans ORIGIN-DEST,...
                        also draw the flight plans of these city pairs (the
                        airport codes of a flight of the timetable, such as
                        LBA-AMS; any case): every point with its identifier,
                        airway legs solid and labelled with their airway,
                        point-to-point legs dashed. Repeatable.
    --size WxH          the picture's size in pixels (16 to 4000 each;
                        default 1200x900)
)"},
    {"import-timetable",
     "  tarnwell [OPTIONS] import-timetable --phpvms-flights FLIGHTS.csv [--phpvms-airports AIRPORTS.csv]\n"
     "                     --out FILE.KRX\n",
     R"(  import-timetable      write a timetable from the flight export of a phpVMS 7
                        virtual airline. Each active flight becomes one line:
                        its airports' three- and four-letter codes, airline,
                        flight number, first subfleet type (3 characters),
                        departure and arrival time as HHMM, days 1 (Monday)
                        to 7 (Sunday); inactive flights are left out and
                        counted. Every row that cannot be converted is named
                        with its line, and then nothing is written.
    --phpvms-flights FLIGHTS.csv
                        the flight export (a header row naming at least
                        airline, flight_number, dpt_airport, arr_airport,
                        dpt_time and arr_time, in any order)
    --phpvms-airports AIRPORTS.csv
                        the airport export, whose icao and iata columns give
                        the three-letter codes. Default: the codes of the
                        real-world route set Data/Defaults/index.kr1 (the
                        navigation files hold four-letter codes only)
    --out FILE.KRX      the timetable to write, replaced only when it is whole
)"},
    {"plan",
     "  tarnwell [OPTIONS] plan NAME ORIGIN DEST [--fms FILE | --fms-dir DIR]\n"
     "  tarnwell [OPTIONS] plan NAME --all [--fms-dir DIR]\n",
     R"(  plan NAME ORIGIN DEST print the flight plan of the city pair ORIGIN to DEST
                        of Data/NAME (the airport codes of a flight of the
                        timetable, or their ICAO codes; any case): every point
                        with its kind (airport, airway node, VOR, NDB,
                        intersection), identifier, the airway of the leg to it
                        (DCT for a direct leg) and position, the distance in
                        nautical miles along the legs, and the route string as
                        a flight planner takes it (EGNM POL UN601 SPY EHAM:
                        legs along one airway joined, DCT between direct
                        points)
    --all               instead print every city pair's route as CSV:
                        Origin,Destination,Distance,Kind,Route (Kind airway,
                        point-to-point or empty)
    --fms FILE          instead write the plan as an X-Plane 11 flight plan
                        (.fms, version 1100), replaced only when it is whole
    --fms-dir DIR       instead write one .fms file per plan (with --all,
                        every city pair's) into DIR, created when missing,
                        each named by the airports' ICAO codes (EGNMEHAM.fms;
                        by the timetable's codes, LBA-AMS.fms, when an airport
                        has none or two plans would share a name)
)"},
    {"help", "  tarnwell help [COMMAND]\n  tarnwell COMMAND --help\n",
     R"(  help [COMMAND]        print the usage and the options of COMMAND, or this
                        whole help
)"},
}};

constexpr std::string_view Overview = R"(Compiles a timetable (a .KRX file) into a route set: the folder Data/NAME
below the program folder, holding index.kr1 (airports), routes.kr1,
airline.kr1, arrivals.kr1 (each airport's arriving routes), APT.kr1 (runways
and frequencies) and PLANS.kr1 (the flight plans).
If the real-world merge left an add file (Data/Defaults/carrierADD.txt),
its flights are merged with the timetable's and the add file is used up
when the compile finishes.

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
)";

constexpr std::string_view SharedOptions = R"(Options:
  --root DIR            the program folder, holding Data/ (and Data/Defaults/).
                        Default: $TARNWELL_ROOT, else the current folder.
  --status-log FILE     write every status text of compile, merge or build-defaults,
                        progress texts included, one per line in order, to FILE
  --verbose             print every status text, progress texts included
  -q, --quiet           print nothing but errors: no status texts, warnings
                        or summaries of what was written. What the command
                        is for (the airline list, check's report, dump's
                        CSV) is printed all the same; not with --verbose.
  -h, --help            show this help; after a command, that command's help
  --version             print the program's name and version
An option's value follows it as the next argument or after "=" (--root=DIR);
--region takes its four numbers only as separate arguments.
)";

constexpr std::string_view Notes = R"(
Status texts go to stderr: on a terminal as one updating line, otherwise one
line per step. While the flight plans are built, the terminal line shows how
many are done, the percent and the time left ("Creating Flight Plans 12,345
of 25,000 (49%), about 0:14 left"); with --verbose or when stderr is not a
terminal, that line is printed at every tenth. Warnings are printed as
"warning: ..." lines. A summary of the finished compile goes to stdout.
Errors go to stderr, results to stdout.

A failed or stopped compile writes nothing into the route set: the previous
files of Data/NAME and the add file stay exactly as they were (the set is
replaced in one step, and the add file used up only then). Commands that
change the program folder run one at a time: a second one stops at once with
"another Tarnwell command is changing this program folder".

Exit status: 0 when finished, 1 when the command failed (the step, if any,
and the reason are printed) or check found a problem, 2 for a command line
that cannot be understood.
)";

}  // namespace

std::span<const CommandHelp> CommandHelps() { return Commands; }

const CommandHelp* FindCommand(std::string_view name) {
    const auto found =
        std::find_if(Commands.begin(), Commands.end(), [&](const CommandHelp& c) { return c.name == name; });
    return found == Commands.end() ? nullptr : &*found;
}

std::string WholeHelp() {
    std::string text = "Usage:\n";
    for (const CommandHelp& c : Commands) text += c.usage;
    text += "  tarnwell --help\n  tarnwell --version\n\n";
    text += Overview;
    text += "\nCommands:\n";
    for (const CommandHelp& c : Commands) text += c.entry;
    text += '\n';
    text += SharedOptions;
    text += Notes;
    return text;
}

std::string CommandHelpText(const CommandHelp& command) {
    std::string text = "Usage:\n";
    text += command.usage;
    text += '\n';
    text += command.entry;
    text += '\n';
    text += SharedOptions;
    return text;
}

}  // namespace tarnwell::cli
