#include "gui/DesktopStartUp.h"

#include <exception>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "compile/CompileRequest.h"
#include "compile/ProgramState.h"
#include "compile/RecordingPort.h"
#include "gui/DesktopPort.h"
#include "navdata/NavDataFiles.h"
#include "realworld/RealAirlineList.h"

namespace tarnwell::gui {

namespace fs = std::filesystem;

bool LoadBeforeWindows(ProgramState& state, WindowServices& services, const QString& failure) {
    const QString title = QString::fromLatin1(ProgramName);
    RecordingPort port;
    try {
        state.NavAirports = LoadNavAirports(state.DataFolder());
        // The desktop program cannot offer its picker without the airline list.
        const fs::path airlines = state.DataFolder() / RealAirlineListName;
        std::error_code ec;
        if (!fs::exists(airlines, ec))
            throw TarnwellError(ErrorKind::File, "the real-world airline list is missing", {PathText(airlines)});
        state.RealAirlines = LoadRealAirlines(state.DataFolder(), port);
    } catch (const std::exception& e) {
        services.Message(failure + QString::fromStdString(e.what()), title);
        return false;
    }
    if (!port.warnings.empty()) {
        QString text;
        for (const std::string& warning : port.warnings)
            text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(warning);
        services.Message(text, title);
    }
    return true;
}

bool HoldsNavigationData(const fs::path& programFolder) {
    std::error_code ec;
    return fs::is_regular_file(programFolder / "Data" / NavAirportFileName, ec);
}

DesktopArguments ParseDesktopArguments(const QStringList& arguments, const fs::path& applicationFolder,
                                       const std::optional<fs::path>& remembered) {
    DesktopArguments parsed;
    std::optional<fs::path> root;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            parsed.help = true;
        } else if (a == QStringLiteral("--root")) {
            if (i + 1 >= arguments.size()) {
                parsed.error = "--root needs a folder";
                return parsed;
            }
            root = fs::path(arguments[++i].toStdU16String());
        } else {
            parsed.error = "unknown argument: " + a.toStdString();
            return parsed;
        }
    }
    if (root) {
        parsed.programFolder = *root;
    } else if (const QString env = qEnvironmentVariable("TARNWELL_ROOT"); !env.isEmpty()) {
        parsed.programFolder = fs::path(env.toStdU16String());
    } else if (remembered && HoldsNavigationData(*remembered)) {
        parsed.programFolder = *remembered;
    } else {
        parsed.programFolder = applicationFolder;
    }
    return parsed;
}

}  // namespace tarnwell::gui
