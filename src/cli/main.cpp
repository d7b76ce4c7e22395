// tarnwell: the command line front end.

#include <iostream>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/HelpText.h"
#include "realworld/RealWorldMerge.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>
#include <cwchar>
#endif

using namespace tarnwell::cli;

namespace {

#ifdef _WIN32
// The arguments in UTF-8, converted once from the UTF-16 command line: argv
// holds them in the ANSI code page, which loses every character it lacks.
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return {argv + (argc > 0 ? 1 : 0), argv + argc};
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        const int length = static_cast<int>(std::wcslen(wide[i]));
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], length, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
        if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide[i], length, text.data(), size, nullptr, nullptr);
        args.push_back(std::move(text));
    }
    LocalFree(wide);
    return args;
}

// The messages are UTF-8: the console shows them so while the program runs,
// and gets its own code page back at the end.
class Utf8Console {
public:
    Utf8Console() : previous_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    ~Utf8Console() {
        if (previous_ != 0) SetConsoleOutputCP(previous_);
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT previous_;
};
#else
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}
#endif

// `help [COMMAND]`, and --help alone or after a command: the whole help or
// that command's.
int Help(const Arguments& a) {
    const auto& words = a.positional;
    std::string topic;
    if (!a.help && words.size() > 2) return UsageError(a, "help takes at most one COMMAND");
    if (!a.help && words.size() == 2) topic = words[1];
    if (a.help && !words.empty()) topic = words[0];
    if (topic.empty()) {
        std::cout << WholeHelp();
        return ExitOk;
    }
    const CommandHelp* command = FindCommand(topic);
    if (!command) return UsageError(a, "unknown command '" + topic + "'");
    std::cout << CommandHelpText(*command);
    return ExitOk;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    const Utf8Console console;
#endif
    Arguments args;
    if (auto error = Parse(CommandLineArguments(argc, argv), args)) return UsageError(args, *error);
    if (args.help || (!args.positional.empty() && args.positional[0] == "help")) return Help(args);
    if (args.version) {
        std::cout << "tarnwell " TARNWELL_VERSION "\n";
        return ExitOk;
    }
    if (args.positional.empty()) return UsageError(args, "no command given");
    const std::string& command = args.positional[0];
    if (!FindCommand(command)) return UsageError(args, "unknown command '" + command + "'");
    if (command != "import-navdata" && (args.xplane || args.region || args.strict))
        return UsageError(args, "--xplane, --region and --strict belong to import-navdata");
    if (command != "compile" && command != "merge" && !args.realWorldAirlines.empty())
        return UsageError(args, "--real-world-airline belongs to compile and merge");
    if (command == "import-timetable" && (!args.plans.empty() || args.size))
        return UsageError(args, "--plans and --size belong to map");
    if (command != "map" && command != "import-timetable" && (args.out || !args.plans.empty() || args.size))
        return UsageError(args, "--out, --plans and --size belong to map");
    if (command != "import-timetable" && (args.phpvmsFlights || args.phpvmsAirports))
        return UsageError(args, "--phpvms-flights and --phpvms-airports belong to import-timetable");
    if (command != "plan" && (args.all || args.fms || args.fmsDir))
        return UsageError(args, "--all, --fms and --fms-dir belong to plan");
    if (args.realWorldAirlines.size() > tarnwell::RealWorldAirlineCapacity)
        return UsageError(args, "at most ten --real-world-airline may be given; the route set holds ten "
                                "real-world airlines");
    if (command == "compile") return CompileCommand(args);
    if (command == "merge") return MergeCommand(args);
    if (command == "airlines") return AirlinesCommand(args);
    if (command == "import-airlines") return ImportAirlinesCommand(args);
    if (command == "build-defaults") return BuildDefaultsCommand(args);
    if (command == "import-navdata") return ImportNavDataCommand(args);
    if (command == "check") return CheckCommand(args);
    if (command == "map") return MapCommand(args);
    if (command == "plan") return PlanCommand(args);
    if (command == "import-timetable") return ImportTimetableCommand(args);
    return DumpCommand(args);
}
