#pragma once
// The desktop program's start-up: what must be loaded before the main window
// is shown, and how the program folder is found.

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

namespace tarnwell {
struct ProgramState;
}

namespace tarnwell::gui {

class WindowServices;

// Loads the navigation airports and the real-world airline list. When the
// program cannot start (either file missing or unreadable) a message box
// says which file and why, and the result is false. Other warnings (an empty
// airline list) are shown in a message box too, and the program starts.
// `failure` begins the message box of a folder that cannot be used.
bool LoadBeforeWindows(ProgramState& state, WindowServices& services,
                       const QString& failure = QStringLiteral("Tarnwell cannot start: "));

struct DesktopArguments {
    std::filesystem::path programFolder;
    bool help = false;
    std::string error;  // a command line the program cannot use
};

// `--root DIR` names the program folder; without it $TARNWELL_ROOT, else
// `remembered` (the folder of the last run) if it still holds the navigation
// airports, else the folder the program lies in.
DesktopArguments ParseDesktopArguments(const QStringList& arguments, const std::filesystem::path& applicationFolder,
                                       const std::optional<std::filesystem::path>& remembered = std::nullopt);

// Whether `programFolder` holds what the program needs to start (Data/nav_APT.bin).
bool HoldsNavigationData(const std::filesystem::path& programFolder);

inline constexpr const char* DesktopUsage =
    "usage: tarnwell-gui [--root DIR]\n"
    "  --root DIR  the program folder, holding Data/ (default: $TARNWELL_ROOT, else the one of the last run,\n"
    "              else the program's own folder)\n";

}  // namespace tarnwell::gui
