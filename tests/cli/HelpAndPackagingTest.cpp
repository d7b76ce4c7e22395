// The help as a whole and command by command, and the man page and the bash
// completion script kept in step with it: they name the same commands and
// options, and the completion completes what it should.

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "examine/RouteSetDump.h"

using namespace tarnwell;
using namespace tarnwell::testing;
namespace fs = std::filesystem;

namespace {

using Names = std::set<std::string>;

const fs::path Packaging = fs::path(TARNWELL_PACKAGING_DIR);

// Every match of the first group of `pattern` in `text`.
Names Matches(const std::string& text, const std::string& pattern) {
    Names names;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

// The options a text names: --long ones, or -x ones standing alone.
Names LongOptions(const std::string& text) { return Matches(text, R"((?:^|[^\w-])(--[a-z][a-z-]*[a-z]))"); }
Names ShortOptions(const std::string& text) { return Matches(text, R"((?:^|[\s,"\[])(-[a-z])(?=[\s,"\]]))"); }

std::string Before(const std::string& text, const std::string& end) { return text.substr(0, text.find(end)); }
std::string After(const std::string& text, const std::string& start) {
    const auto at = text.find(start);
    return at == std::string::npos ? "" : text.substr(at + start.size());
}

// A command's usage lines.
std::string UsageOf(const std::string& help) { return After(Before(help, "\n\n"), "Usage:"); }

// What the help says: its commands with the options of their usage lines,
// and the options every command takes.
struct Help {
    TempProgramFolder dir;
    std::string whole = RunCli(dir, "--help").out;
    Names commands = Matches(Before(whole, "\n\n"), R"(\n  tarnwell (?:\[OPTIONS\] )?([a-z][a-z-]*))");
    Names shared = Matches(After(whole, "\nOptions:"), R"(\n  (?:-[a-z], )?(--[a-z-]+))");
    std::map<std::string, std::string> parts;  // each command's help
    std::map<std::string, Names> options;      // the options of each command's usage lines

    Help() {
        for (const std::string& name : commands) {
            parts[name] = RunCli(dir, "help " + name).out;
            options[name];
            for (const std::string& option : LongOptions(UsageOf(parts[name])))
                if (!shared.contains(option)) options[name].insert(option);
        }
    }
};

// The man page as text: font changes dropped, escaped hyphens plain.
std::string ManText() {
    const std::string roff = FileText(Packaging / "tarnwell.1");
    return std::regex_replace(std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), ""), std::regex(R"(\\-)"), "-");
}

// The words of the text `pattern`'s group matches (none when it does not).
Names Words(const std::string& text, const std::string& pattern) {
    const Names found = Matches(text, pattern);
    std::istringstream in(found.empty() ? "" : *found.begin());
    Names words;
    for (std::string word; in >> word;) words.insert(word);
    return words;
}

// The words of the completion script's variable `name`.
Names ScriptWords(const std::string& script, const std::string& name) {
    return Words(script, "\n" + name + "=\"([^\"]*)\"");
}

}  // namespace

TEST(Help, EachCommandHasItsPartOfTheWholeHelp) {
    const Help help;
    ASSERT_EQ(help.commands, (Names{"airlines", "build-defaults", "check", "compile", "dump", "help",
                                      "import-airlines", "import-navdata", "import-timetable", "map", "merge", "plan"}));
    for (const auto& [name, part] : help.parts) {
        EXPECT_EQ(RunCli(help.dir, name + " --help").out, part);
        EXPECT_EQ(RunCli(help.dir, "--root=x " + name + " -h").out, part);
        // Its usage lines and its entry, each as the whole help has them.
        EXPECT_NE(help.whole.find(UsageOf(part)), std::string::npos) << part;
        EXPECT_NE(help.whole.find(Before(After(part, "\n\n"), "\nOptions:")), std::string::npos) << part;
        EXPECT_NE(part.find("\nOptions:\n  --root DIR"), std::string::npos) << part;
        for (const auto& [other, otherPart] : help.parts)
            if (other != name) {
                EXPECT_EQ(part.find(UsageOf(otherPart)), std::string::npos) << part;
            }
    }
    EXPECT_EQ(help.options.at("import-navdata"), (Names{"--region", "--strict", "--xplane"}));
    EXPECT_EQ(help.options.at("map"), (Names{"--out", "--plans", "--size"}));
    EXPECT_EQ(help.options.at("plan"), (Names{"--all", "--fms", "--fms-dir"}));
    EXPECT_EQ(help.options.at("import-timetable"), (Names{"--out", "--phpvms-airports", "--phpvms-flights"}));
    EXPECT_EQ(RunCli(help.dir, "help").out, help.whole);

    const CliRun version = RunCli(help.dir, "--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex(R"(tarnwell \d+\.\d+\.\d+\n)"))) << version.out;
    EXPECT_NE(ManText().find(".TH TARNWELL 1 \"\" \"" + Before(version.out, "\n") + "\""), std::string::npos);
}

TEST(Help, ManPageAndCompletionNameWhatTheHelpNames) {
    const Help help;
    const std::string man = ManText();
    const std::string script = FileText(Packaging / "tarnwell.bash-completion");
    EXPECT_EQ(LongOptions(man), LongOptions(help.whole));
    EXPECT_EQ(LongOptions(script), LongOptions(help.whole));
    for (const std::string& option : ShortOptions(After(help.whole, "\nOptions:\n"))) {
        EXPECT_TRUE(ShortOptions(man).contains(option)) << option;
        EXPECT_TRUE(ShortOptions(script).contains(option)) << option;
    }
    EXPECT_EQ(Matches(After(Before(man, "\n.SH OPTIONS"), "\n.SH COMMANDS"), R"(\n\.TP\n\.B ([a-z-]+))"),
              help.commands);
    EXPECT_EQ(ScriptWords(script, "_tarnwell_commands"), help.commands);
    EXPECT_EQ(ScriptWords(script, "_tarnwell_shared_options"), help.shared);
    EXPECT_EQ(ScriptWords(script, "_tarnwell_set_files"),
              Names(DumpableRouteSetFiles().begin(), DumpableRouteSetFiles().end()));
    for (const auto& [command, options] : help.options)
        EXPECT_EQ(Words(script, "\n +" + command + R"(\) echo "([^"]*)\")"), options) << command;
}

#ifndef _WIN32
// Each case: the words typed (the last one being completed) and what is
// offered, joined by "|".
TEST(Help, CompletionOffersCommandsOptionsSetsAndFiles) {
    if (std::system("bash -c true") != 0) GTEST_SKIP() << "no bash";
    TempProgramFolder dir;
    fs::create_directories(dir.Data() / "My Set");
    fs::create_directories(dir.Data() / ".My Set.tarnwell-staging");
    fs::create_directories(dir.Root() / "away");
    const std::string root = PathText(dir.Root()), r = "'" + root + "'";
    const std::pair<std::string, std::string> cases[] = {
        {"comp tarnwell ch", "check"},
        {"comp tarnwell help im", "import-airlines|import-navdata|import-timetable"},
        {"comp tarnwell --root " + r + " check ''", "My\\ Set"},
        {"comp tarnwell --root = " + r + " dump M", "My\\ Set"},
        {"comp tarnwell --root " + r + " dump 'My Set' r", "routes.kr1"},
        {"comp tarnwell --root " + r + " compile x --set-name=M", "--set-name=My\\ Set"},
        {"comp tarnwell compile x --j", "--jobs"},
        {"comp tarnwell import-navdata --region 1 2 ''", ""},
        {"comp tarnwell --jobs = 2 ''", "compile|merge|airlines|import-airlines|build-defaults|import-navdata|check|dump|map|plan|import-timetable|help"},
        {"TARNWELL_ROOT=" + r + " comp tarnwell check ''", "My\\ Set"},
        {"comp tarnwell --root " + r + " map M", "My\\ Set"},
        {"comp tarnwell --root " + r + " plan M", "My\\ Set"},
        {"comp tarnwell plan x --fms", "--fms|--fms-dir"},
    };
    std::string script = "source '" + PathText(Packaging / "tarnwell.bash-completion") + "'\ncd " + r + "/away\n" +
                         "comp() { COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); COMPREPLY=(); _tarnwell; "
                         "(IFS='|'; echo \"${COMPREPLY[*]}\"); }\n";
    for (const auto& [line, offered] : cases) script += line + "\n";
    dir.Write("complete.sh", script);
    ASSERT_EQ(std::system(("bash '" + root + "/complete.sh' > '" + root + "/offered' 2>&1").c_str()), 0);
    std::istringstream offered(FileText(dir.Root() / "offered"));
    for (const auto& [words, expected] : cases) {
        std::string line;
        std::getline(offered, line);
        EXPECT_EQ(line, expected) << words;
    }
}
#endif
