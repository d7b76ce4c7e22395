// The command line's airlines and import-airlines commands.

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>

#include "cli/Arguments.h"
#include "cli/CliPort.h"
#include "cli/Commands.h"
#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "compile/ProgramState.h"
#include "realworld/AirlineCsv.h"
#include "realworld/AirlinePicker.h"
#include "realworld/RealAirlineList.h"

namespace tarnwell::cli {

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

int AirlinesCommand(const Arguments& a) {
    if (a.positional.size() > 2) return UsageError(a, "airlines takes at most one TEXT");
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
    if (a.positional.size() != 2) return UsageError(a, "import-airlines needs exactly one CSV file");
    if (auto refused = RefuseCompileOptions(a, "import-airlines")) return *refused;
    const auto lock = LockProgramFolder(a);
    if (!lock) return ExitFailed;
    ProgramState state(ProgramFolder(a));
    try {
        const std::size_t count = ImportAirlines(state.DataFolder(), PathArg(a.positional[1])).size();
        if (!a.quiet)
            std::cout << "Wrote " << count << (count == 1 ? " airline" : " airlines") << " to "
                      << PathText(state.DataFolder() / RealAirlineListName) << '\n';
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\nThe airline list was not changed.\n";
        return ExitFailed;
    }
    return ExitOk;
}

}  // namespace tarnwell::cli
