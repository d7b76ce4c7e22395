#pragma once
// The command line's help text, kept in parts: each command's usage lines and
// its entry (what it does, with its own options), and the parts all commands
// share. The whole help and a command's help are put together from them.

#include <span>
#include <string>
#include <string_view>

namespace tarnwell::cli {

struct CommandHelp {
    std::string_view name;
    std::string_view usage;  // its usage lines, each "  tarnwell ...\n"
    std::string_view entry;  // its entry under "Commands:", its own options included
};

// Every command, in the order the help lists them.
std::span<const CommandHelp> CommandHelps();

// The command called `name`, or nullptr when there is none.
const CommandHelp* FindCommand(std::string_view name);

// The whole help: every usage line, what the program does, every command's
// entry, the options all commands take, and what goes where.
std::string WholeHelp();

// One command's help: its usage lines, its entry and the options all
// commands take.
std::string CommandHelpText(const CommandHelp& command);

}  // namespace tarnwell::cli
