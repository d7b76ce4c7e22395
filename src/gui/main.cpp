// The desktop program: start-up, then the main window until it is closed.

#include <QApplication>
#include <QSettings>
#include <iostream>

#include "compile/ProgramState.h"
#include "gui/DesktopPort.h"
#include "gui/DesktopSettings.h"
#include "gui/DesktopStartUp.h"
#include "gui/MainWindow.h"

int main(int argc, char** argv) {
    using namespace tarnwell;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ProgramName));
    QApplication::setOrganizationName(QString::fromLatin1(ProgramName));
    QApplication::setApplicationVersion(QStringLiteral(TARNWELL_VERSION));

    QSettings settings;  // the user's, kept between runs
    const gui::DesktopArguments arguments = gui::ParseDesktopArguments(
        QApplication::arguments(), std::filesystem::path(QApplication::applicationDirPath().toStdU16String()),
        gui::DesktopSettings(settings).ProgramFolder());
    if (arguments.help) {
        std::cout << gui::DesktopUsage;
        return 0;
    }
    if (!arguments.error.empty()) {
        std::cerr << "tarnwell-gui: " << arguments.error << '\n' << gui::DesktopUsage;
        return 2;
    }

    ProgramState state(arguments.programFolder);
    gui::QtWindowServices services;
    if (!gui::LoadBeforeWindows(state, services)) return 1;

    gui::MainWindow window(state, services, settings);
    services.SetOwner(&window);  // the dialogs of the work open over the main window
    window.show();
    return QApplication::exec();
}
