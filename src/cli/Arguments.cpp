#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "cli/HelpText.h"

namespace fs = std::filesystem;

namespace tarnwell::cli {

namespace {

// The number the whole text is (an int for --jobs, a double for --region);
// false when it is not one.
template <typename Number>
bool ReadNumber(const std::string& text, Number& out) {
    const auto end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end;
}

// The options given alone, without a value: the flag each sets.
bool Arguments::*FlagOf(std::string_view name) {
    if (name == "-h" || name == "--help") return &Arguments::help;
    if (name == "-q" || name == "--quiet") return &Arguments::quiet;
    if (name == "--verbose") return &Arguments::verbose;
    if (name == "--strict") return &Arguments::strict;
    if (name == "--all") return &Arguments::all;
    if (name == "--version") return &Arguments::version;
    return nullptr;
}

// The options that take one text.
constexpr std::array<std::string_view, 14> TextOptions{
    "--root",         "--status-log",         "--xplane", "--set-name", "--airline-iata",
    "--airline-name", "--real-world-airline", "--out",    "--plans",    "--size",
    "--phpvms-flights", "--phpvms-airports", "--fms", "--fms-dir"};

void StoreText(std::string_view name, const std::string& value, Arguments& a) {
    if (name == "--root") a.root = PathArg(value);
    else if (name == "--status-log") a.statusLog = PathArg(value);
    else if (name == "--xplane") a.xplane = PathArg(value);
    else if (name == "--set-name") a.setName = value;
    else if (name == "--airline-iata") a.airlineCode = value;
    else if (name == "--airline-name") a.airlineName = value;
    else if (name == "--out") a.out = PathArg(value);
    else if (name == "--plans") a.plans.push_back(value);
    else if (name == "--size") a.size = value;
    else if (name == "--fms") a.fms = PathArg(value);
    else if (name == "--fms-dir") a.fmsDir = PathArg(value);
    else if (name == "--phpvms-flights") a.phpvmsFlights = PathArg(value);
    else if (name == "--phpvms-airports") a.phpvmsAirports = PathArg(value);
    else a.realWorldAirlines.push_back(value);
}

// The message on one line: control characters shown as \xNN.
std::string OneLine(const std::string& text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            line += std::string("\\x") + Hex[byte >> 4] + Hex[byte & 15];
        else
            line += c;
    }
    return line;
}

}  // namespace

std::optional<std::string> Parse(const std::vector<std::string>& args, Arguments& a) {
    std::optional<std::string> fault;
    const auto fail = [&fault](std::string message) {
        if (!fault) fault = std::move(message);
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            a.positional.push_back(arg);
            continue;
        }
        // --option=value joins the value to a long option's name.
        const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, equals);
        const bool joined = equals != std::string::npos;
        std::string v;
        const auto value = [&]() -> bool {
            if (joined) v = arg.substr(equals + 1);
            else if (i + 1 < args.size()) v = args[++i];
            else return false;
            return true;
        };
        if (bool Arguments::*flag = FlagOf(name)) {
            if (joined) fail("option " + name + " takes no value");
            a.*flag = true;
        } else if (name == "--jobs") {
            int jobs = 0;
            if (!value() || !ReadNumber(v, jobs) || jobs < 1 || jobs > MaxJobs)
                fail("option --jobs needs a number of threads from 1 to " + std::to_string(MaxJobs));
            else
                a.jobs = jobs;
        } else if (name == "--region") {
            if (joined) {
                fail("option --region takes its four numbers as separate arguments, not after '=': "
                     "--region LATMIN LATMAX LONMIN LONMAX");
                continue;
            }
            std::array<double, 4> bounds{};
            std::size_t read = 0;
            while (read < bounds.size() && value() && ReadNumber(v, bounds[read])) ++read;
            if (read == bounds.size()) a.region = bounds;
            else fail("option --region needs four numbers");
        } else if (std::find(TextOptions.begin(), TextOptions.end(), name) != TextOptions.end()) {
            if (value()) StoreText(name, v, a);
            else fail("option " + name + " needs a value");
        } else {
            fail("unknown option " + name);
        }
    }
    if (!fault && a.quiet && a.verbose) fault = "--quiet and --verbose cannot be given together";
    return fault;
}

fs::path PathArg(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

fs::path ProgramFolder(const Arguments& a) {
    if (a.root) return *a.root;
#ifdef _WIN32
    // The environment in UTF-16, as the command line: any folder name works.
    if (const wchar_t* env = _wgetenv(L"TARNWELL_ROOT"); env && *env) return fs::path(env);
#else
    if (const char* env = std::getenv("TARNWELL_ROOT"); env && *env) return fs::path(env);
#endif
    return fs::current_path();
}

int UsageError(const Arguments& a, const std::string& message) {
    std::string help = "--help";
    if (!a.positional.empty() && a.positional[0] != "help" && FindCommand(a.positional[0]))
        help = "help " + a.positional[0];
    std::cerr << "tarnwell: " << OneLine(message) << "\nTry 'tarnwell " << help << "'.\n";
    return ExitUsage;
}

std::optional<int> RefuseCompileOptions(const Arguments& a, const std::string& command) {
    if (a.setName || a.airlineCode || a.airlineName)
        return UsageError(a, command + " takes none of --set-name, --airline-iata, --airline-name");
    if (a.jobs) return UsageError(a, command + " builds no flight plans and takes no --jobs");
    return std::nullopt;
}

}  // namespace tarnwell::cli
