#pragma once
// The command line's commands; each returns the program's exit status.

#include <optional>
#include <string>
#include <string_view>

#include "cli/Arguments.h"
#include "compile/ProgramFolderLock.h"

namespace tarnwell {
struct ProgramState;
}

namespace tarnwell::cli {

class CliPort;

int CompileCommand(const Arguments& a);
int MergeCommand(const Arguments& a);
int BuildDefaultsCommand(const Arguments& a);
int AirlinesCommand(const Arguments& a);
int ImportAirlinesCommand(const Arguments& a);
int ImportNavDataCommand(const Arguments& a);
int CheckCommand(const Arguments& a);
int DumpCommand(const Arguments& a);
int MapCommand(const Arguments& a);
int PlanCommand(const Arguments& a);
int ImportTimetableCommand(const Arguments& a);

// Loads the real-world airline list into the state; says why when it cannot.
bool LoadAirlineList(ProgramState& state, CliPort& port);

// The text with A-Z in lower case.
std::string LowerAscii(std::string_view text);

// Takes the lock of the program folder for a command that changes it; says
// why and gives nothing when it cannot (another command holds it).
std::optional<ProgramFolderLock> LockProgramFolder(const Arguments& a);

}  // namespace tarnwell::cli
