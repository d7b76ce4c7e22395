#include "cli/Arguments.h"

#include <charconv>
#include <cstdlib>
#include <iostream>

namespace fs = std::filesystem;

namespace tarnwell::cli {

namespace {

// A number of --region; false when the text is not one.
bool RegionNumber(const std::string& text, double& out) {
    const auto end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end;
}

}  // namespace

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
        } else if (arg == "--jobs") {
            int jobs = 0;
            if (!value(v) || std::from_chars(v.data(), v.data() + v.size(), jobs).ptr != v.data() + v.size() ||
                jobs < 1 || jobs > MaxJobs)
                return "option --jobs needs a number of threads from 1 to " + std::to_string(MaxJobs);
            a.jobs = jobs;
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
            else if (arg == "--airline-iata") a.airlineCode = v;
            else if (arg == "--xplane") a.xplane = fs::path(v);
            else if (arg == "--real-world-airline") a.realWorldAirlines.push_back(v);
            else a.airlineName = v;
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

int UsageError(const std::string& message) {
    std::cerr << "tarnwell: " << message << "\nTry 'tarnwell --help'.\n";
    return ExitUsage;
}

std::optional<int> RefuseCompileOptions(const Arguments& a, const std::string& command) {
    if (a.setName || a.airlineCode || a.airlineName)
        return UsageError(command + " takes none of --set-name, --airline-iata, --airline-name");
    if (a.jobs) return UsageError(command + " builds no flight plans and takes no --jobs");
    return std::nullopt;
}

}  // namespace tarnwell::cli
