// tarnwell: the command line front end.

#include <iostream>
#include <string>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/HelpText.h"

using namespace tarnwell::cli;

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
    if (command == "compile") return CompileCommand(args);
    if (command == "merge") return MergeCommand(args);
    if (command == "airlines") return AirlinesCommand(args);
    if (command == "import-airlines") return ImportAirlinesCommand(args);
    if (command == "build-defaults") return BuildDefaultsCommand(args);
    if (command == "import-navdata") return ImportNavDataCommand(args);
    if (command == "check") return CheckCommand(args);
    if (command == "dump") return DumpCommand(args);
    return UsageError("unknown command '" + command + "'");
}
