#pragma once
// The desktop program's windows driven on Qt's offscreen platform, with the
// message box, the file dialog and the beep replaced, and the settings in an
// ini file of the test's own. DesktopLayoutTest.cpp checks where the controls
// are and what they show; DesktopTest.cpp what the buttons do;
// DesktopWorkTest.cpp the progress bar, Cancel, the failure box and the
// summary; DesktopSettingsTest.cpp what is remembered, the keyboard and the
// menu.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <map>
#include <memory>
#include <optional>

#include "TestSupport.h"
#include "compile/ProgramState.h"
#include "gui/AirlineFormWindow.h"
#include "gui/MainFormWindow.h"
#include "gui/MainWindow.h"

namespace tarnwell::gui::testing {

namespace fs = std::filesystem;

// Stands in for the message box, the file dialog and the beep.
class FakeServices : public WindowServices {
public:
    std::optional<fs::path> fileToChoose;
    QStringList messages;  // "title: text"
    std::vector<fs::path> dialogFolders;
    std::optional<fs::path> folderToChoose;  // for the folder dialog
    int beeps = 0;
    std::function<void()> onAsk;  // runs whenever a message box or dialog opens

    void Message(const QString& text, const QString& title) override {
        messages << title + QStringLiteral(": ") + text;
        if (onAsk) onAsk();
    }
    std::optional<fs::path> OpenFile(const fs::path& startFolder) override {
        dialogFolders.push_back(startFolder);
        if (onAsk) onAsk();
        return fileToChoose;
    }
    std::optional<fs::path> ChooseFolder(const QString&, const fs::path&) override { return folderToChoose; }
    void Beep() override { ++beeps; }
};

template <typename T>
T& Child(const QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no control %s", name);
    return *child;
}

// Each test starts with the main window shown on a fresh copy of the sample.
class DesktopTest : public QObject {
    Q_OBJECT

private:
    QPushButton& Button(const char* name) { return Child<QPushButton>(*window_, name); }
    QLabel& Status() { return Child<QLabel>(*window_, "statusLABEL"); }
    int EnabledButtons() {
        return Button("Command1").isEnabled() + Button("Command2").isEnabled() + Button("Command3").isEnabled();
    }
    // Clicks a button of the main window and waits for the work to end.
    void RunWork(const char* button);
    AirlineFormWindow& OpenPicker();
    MainFormWindow& Form() { return window_->Form(); }
    // A new main window on the same state and settings, as after a restart.
    void Restart();
    // Every file below the program folder with its bytes.
    std::map<fs::path, std::string> FolderContents() const;

    std::unique_ptr<tarnwell::testing::TempProgramFolder> folder_;
    std::unique_ptr<ProgramState> state_;
    std::unique_ptr<FakeServices> services_;
    std::unique_ptr<QTemporaryDir> settingsFolder_;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<MainWindow> window_;

private slots:
    void init();
    void cleanup();

    // DesktopLayoutTest.cpp
    void windowsShowEveryControlAsLaidOut();

    // DesktopTest.cpp
    void compileShowsEveryStepAndCloseWaitsForTheEnd();
    void failuresSayWhyAndChangeNothing();
    void mergeTakesThePickersListAndTheCompileListsItsAirlines();
    void portDeliversEveryStepTextInOrderFromAnotherThread();
    void rendersBothWindows();  // for tools/screenshots.sh

    // DesktopWorkTest.cpp
    void compileFillsTheProgressBarAndSumsUpTheRouteSet();
    void cancelLeavesEveryFileAsItWas();
    void failureBoxNamesTheStepAndTheReason();
    void rendersWorkInProgressFailureAndSummary();  // for tools/screenshots.sh

    // DesktopSettingsTest.cpp
    void settingsSurviveARestart();
    void programFolderPrecedence();
    void altKeysPressTheThreeButtons();
    void menuOpensAnotherProgramFolderAndChecksTheSet();
};

}  // namespace tarnwell::gui::testing
