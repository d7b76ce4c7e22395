// What the desktop program remembers between runs, which program folder it
// opens, its keyboard and its menu's commands.

#include <QDockWidget>
#include <QLineEdit>
#include <QSignalSpy>

#include "DesktopTest.h"
#include "gui/DesktopSettings.h"
#include "gui/DesktopStartUp.h"

namespace tarnwell::gui::testing {

void DesktopTest::settingsSurviveARestart() {
    // The examples until something was remembered.
    QCOMPARE(Child<QLineEdit>(*window_, "setName").text(), QString::fromLatin1(ExampleSetName));
    const fs::path timetables = folder_->Root() / "timetables";
    fs::create_directories(timetables);
    fs::copy_file(folder_->Root() / "VirtualAir.KRX", timetables / "VirtualAir.KRX");
    const FormTexts typed{QStringLiteral("ABC"), QStringLiteral("Abc Air"), QStringLiteral("Abc Air (York)")};
    Form().SetTexts(typed);
    window_->LogDock().show();
    services_->fileToChoose = timetables / "VirtualAir.KRX";
    RunWork("Command1");
    QCOMPARE(Status().text(), QStringLiteral("Finished!"));

    Restart();
    const FormTexts shown = Form().Texts();
    QCOMPARE(shown.airlineIATA + "|" + shown.airlineNAME + "|" + shown.setName,
             typed.airlineIATA + "|" + typed.airlineNAME + "|" + typed.setName);
    QVERIFY(!window_->LogDock().isHidden());
    QCOMPARE(DesktopSettings(*settings_).ProgramFolder(), std::optional<fs::path>(folder_->Root()));
    // The timetable dialog still starts in the program folder.
    services_->fileToChoose.reset();
    RunWork("Command1");
    QCOMPARE(services_->dialogFolders.back(), folder_->Root());
}

void DesktopTest::programFolderPrecedence() {
    const fs::path app = "/opt/tarnwell/bin";
    tarnwell::testing::TempProgramFolder empty;  // no navigation data
    const QByteArray env = qgetenv("TARNWELL_ROOT");
    qunsetenv("TARNWELL_ROOT");
    struct Case { QStringList arguments; const char* environment; std::optional<fs::path> remembered; fs::path opened; };
    const Case cases[] = {
        {{"tarnwell-gui", "--root", "/given"}, "/env", folder_->Root(), "/given"},
        {{"tarnwell-gui"}, "/env", folder_->Root(), "/env"},
        {{"tarnwell-gui"}, nullptr, folder_->Root(), folder_->Root()},
        {{"tarnwell-gui"}, nullptr, empty.Root(), app},  // remembered, but without its navigation data
        {{"tarnwell-gui"}, nullptr, std::nullopt, app},
    };
    for (const Case& c : cases) {
        if (c.environment) qputenv("TARNWELL_ROOT", c.environment);
        QCOMPARE(ParseDesktopArguments(c.arguments, app, c.remembered).programFolder, c.opened);
        qunsetenv("TARNWELL_ROOT");
    }
    if (!env.isEmpty()) qputenv("TARNWELL_ROOT", env);
}

// Tab order is checked with the layout; here Alt+1, Alt+2 and Alt+3 press
// the buttons, whose captions stay as they are.
void DesktopTest::altKeysPressTheThreeButtons() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(Button("Command3").text(), QStringLiteral("1.  Add Real World Airlines to List"));
    QTest::keyClick(window_.get(), Qt::Key_1, Qt::AltModifier);
    QTRY_VERIFY(Form().PickerWindow() && Form().PickerWindow()->isVisible());
    Form().PickerWindow()->hide();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));

    services_->fileToChoose.reset();
    QSignalSpy finished(&Form(), &MainFormWindow::workFinished);
    QTest::keyClick(window_.get(), Qt::Key_3, Qt::AltModifier);
    QVERIFY(finished.wait(10000));
    QTest::keyClick(window_.get(), Qt::Key_2, Qt::AltModifier);
    QVERIFY(finished.wait(10000));
    QCOMPARE(services_->messages.mid(0, 2),
             QStringList({"Tarnwell: Select the .KRX file you will be compiling.",
                          "Tarnwell: Select the .KRX file you will be adding the real world airline data to."}));
}

void DesktopTest::menuOpensAnotherProgramFolderAndChecksTheSet() {
    // Refused politely while work runs.
    services_->fileToChoose.reset();
    services_->onAsk = [&] {
        if (services_->messages.size() == 1) window_->OpenProgramFolder();
    };
    RunWork("Command1");
    QVERIFY(services_->messages.value(1).contains("Work is running in this program folder"));
    services_->onAsk = nullptr;

    // A folder without navigation data is refused; the program folder stays.
    tarnwell::testing::TempProgramFolder other;
    services_->folderToChoose = other.Root();
    services_->messages.clear();
    window_->OpenProgramFolder();
    QVERIFY(services_->messages.value(0).startsWith("Tarnwell: This folder cannot be opened: "));
    QCOMPARE(state_->ProgramFolder, folder_->Root());

    fs::copy(TARNWELL_SAMPLE_DIR, other.Root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    window_->OpenProgramFolder();
    QCOMPARE(state_->ProgramFolder, other.Root());
    QCOMPARE(DesktopSettings(*settings_).ProgramFolder(), std::optional<fs::path>(other.Root()));
    QCOMPARE(OpenPicker().RealList().count(), static_cast<int>(state_->RealAirlines.size()));

    // Check Route Set: none there yet, then the compiled one.
    services_->messages.clear();
    window_->CheckRouteSet();
    QVERIFY2(services_->messages.value(0).contains("problems found"), qPrintable(services_->messages.value(0)));
    services_->fileToChoose = other.Root() / "VirtualAir.KRX";
    RunWork("Command1");
    QVERIFY(fs::exists(other.Data() / ExampleSetName / "PLANS.kr1"));
    services_->messages.clear();
    window_->CheckRouteSet();
    QVERIFY2(services_->messages.value(0).startsWith("Check Route Set: Route set \"Tarnwell Air (Leeds)\": no problems"),
             qPrintable(services_->messages.value(0)));

    QSignalSpy map(window_.get(), &MainWindow::mapRequested);
    window_->findChild<QAction*>(QStringLiteral("showMapAction"))->trigger();
    QCOMPARE(map.value(0).value(0).toString(), QString::fromLatin1(ExampleSetName));
    QVERIFY(window_->AboutText().contains(QStringLiteral("Tarnwell " TARNWELL_VERSION)));
}

}  // namespace tarnwell::gui::testing
