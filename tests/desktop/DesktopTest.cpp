// What the desktop windows' buttons do: the compile and the merge on their
// worker thread with the buttons disabled, cancelling and failing, the
// airline picker's lists, closing the window while work runs, and a start
// refused.

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <algorithm>
#include <thread>

#include "DesktopTest.h"
#include "compile/ProgramFolderLock.h"
#include "common/BinaryIO.h"
#include "gui/DesktopStartUp.h"

namespace tarnwell::gui::testing {

namespace {

const fs::path SetFolderName = "Tarnwell Air (Leeds)";

void Click(QWidget& button) { QTest::mouseClick(&button, Qt::LeftButton); }

// Selects the entry that reads `text`, then clicks `button`.
void SelectAndClick(QListWidget& list, const char* text, QWidget& button) {
    list.setCurrentItem(list.findItems(QString::fromLatin1(text), Qt::MatchExactly).value(0));
    Click(button);
}

}  // namespace

void DesktopTest::init() {
    folder_ = std::make_unique<tarnwell::testing::TempProgramFolder>();
    fs::copy(TARNWELL_SAMPLE_DIR, folder_->Root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    state_ = std::make_unique<ProgramState>(folder_->Root());
    services_ = std::make_unique<FakeServices>();
    QVERIFY(LoadBeforeWindows(*state_, *services_) && services_->messages.isEmpty());
    settingsFolder_ = std::make_unique<QTemporaryDir>();
    settings_ = std::make_unique<QSettings>(settingsFolder_->filePath(QStringLiteral("tarnwell.ini")),
                                            QSettings::IniFormat);
    Restart();
}

void DesktopTest::Restart() {
    window_.reset();
    window_ = std::make_unique<MainWindow>(*state_, *services_, *settings_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void DesktopTest::cleanup() {
    window_.reset();
    settings_.reset();
    settingsFolder_.reset();
    state_.reset();
    folder_.reset();
}

std::map<fs::path, std::string> DesktopTest::FolderContents() const {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder_->Root()))
        if (entry.is_regular_file() && entry.path().filename() != LockFileName) {
            const Bytes bytes = ReadFileBytes(entry.path());
            files[fs::relative(entry.path(), folder_->Root())] = std::string(bytes.begin(), bytes.end());
        }
    return files;
}

void DesktopTest::RunWork(const char* button) {
    QSignalSpy finished(&Form(), &MainFormWindow::workFinished);
    Click(Button(button));
    QVERIFY(finished.count() == 1 || finished.wait(60000));
    QVERIFY(!window_->Working() && EnabledButtons() == 3);
}

AirlineFormWindow& DesktopTest::OpenPicker() {
    Click(Button("Command3"));
    if (!Form().PickerWindow()) qFatal("the picker did not open");
    return *Form().PickerWindow();
}

// Asked to close while the compile runs, the window stays until the work is
// done, then closes with the hidden picker and the program ends.
void DesktopTest::compileShowsEveryStepAndCloseWaitsForTheEnd() {
    Click(Child<QPushButton>(OpenPicker(), "Command3"));
    QStringList statuses;
    QList<int> enabledWhenAsked;  // at each status text, message box and dialog
    connect(&Form(), &MainFormWindow::statusShown, this, [&](const QString& s) {
        statuses << s;
        enabledWhenAsked << EnabledButtons();
    });
    QList<int> percents;  // the plan count's figures
    connect(&Form(), &MainFormWindow::workCounted, this, [&](const QString& line, int percent) {
        if (line.startsWith("Creating Flight Plans")) percents << percent;
    });
    bool closedDuringWork = true;
    services_->onAsk = [&] {
        enabledWhenAsked << EnabledButtons();
        closedDuringWork = window_->close();
    };
    services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
    RunWork("Command1");
    QCOMPARE(services_->messages, QStringList{"Tarnwell: Select the .KRX file you will be compiling."});
    QCOMPARE(services_->dialogFolders, std::vector<fs::path>{folder_->Root()});

    // Every step's text, in order, with progress texts in between, then "Finished!".
    std::size_t next = 0;
    const std::vector<std::string> steps = CompileStepTexts();
    for (const QString& s : statuses)
        if (next < steps.size() && s.toStdString() == steps[next]) ++next;
    QCOMPARE(next, steps.size());
    QCOMPARE(Status().text(), QStringLiteral("Finished!"));
    QVERIFY(services_->beeps >= 1);
    QVERIFY(fs::exists(folder_->Data() / SetFolderName / "PLANS.kr1"));
    // The window heard the plan count rise to 100%.
    QVERIFY(!percents.isEmpty() && percents.back() == 100);
    QVERIFY(std::is_sorted(percents.begin(), percents.end()));

    // The buttons were disabled from the message box to the end, and are back.
    QVERIFY(!enabledWhenAsked.isEmpty() && enabledWhenAsked.count(0) == enabledWhenAsked.size());
    QVERIFY(!closedDuringWork);
    QTRY_VERIFY(Form().PickerWindow() == nullptr);
    for (const QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!w->isVisible());
}

void DesktopTest::failuresSayWhyAndChangeNothing() {
    // Cancelled: nothing shown, nothing written.
    QSignalSpy shown(&Form(), &MainFormWindow::statusShown);
    services_->fileToChoose.reset();
    RunWork("Command1");
    QVERIFY(shown.isEmpty() && Status().text().isEmpty());

    // A timetable with an unreadable line stops at its step, which says why.
    services_->fileToChoose = folder_->Write("Bad.KRX", "LHR,CDG,EGLL,LFPG,TWL,abc\r\n");
    RunWork("Command1");
    QCOMPARE(Status().text(), QStringLiteral("Getting VA Data"));
    const QString tip = Status().toolTip();
    QVERIFY2(tip.startsWith(QStringLiteral("The compile failed at \"Getting VA Data\": ")) && tip.contains("Bad.KRX"),
             qPrintable(tip));
    QVERIFY(!fs::exists(folder_->Data() / SetFolderName));

    // A route set name that would leave the Data folder is refused in a
    // message box before anything runs.
    Child<QLineEdit>(*window_, "setName").setText(QStringLiteral("../Outside"));
    services_->messages.clear();
    RunWork("Command1");
    QCOMPARE(services_->messages, QStringList{"Tarnwell: route set name: the route set name \"../Outside\" contains a "
                                              "path separator; it must name one folder directly inside Data"});
    QCOMPARE(Status().text(), QStringLiteral("Getting VA Data"));
    QCOMPARE(services_->beeps, 0);

    // While another command changes the program folder, no work starts.
    {
        const ProgramFolderLock held = ProgramFolderLock::Acquire(folder_->Data());
        services_->messages.clear();
        Click(Button("Command1"));
        QCOMPARE(services_->messages, QStringList{QStringLiteral("Tarnwell: ") + ProgramFolderBusy});
        QVERIFY(!window_->Working() && EnabledButtons() == 3);
    }

    // Without the real-world airline list the program says so and does not start.
    fs::remove(folder_->Data() / "airline.kr1");
    ProgramState state(folder_->Root());
    services_->messages.clear();
    QVERIFY(!LoadBeforeWindows(state, *services_));
    QCOMPARE(services_->messages, QStringList{"Tarnwell: Tarnwell cannot start: " +
                                              QString::fromStdString(PathText(folder_->Data() / "airline.kr1")) +
                                              ": the real-world airline list is missing"});
}

// The merge reads the picker's right list as "Finished" left it, in the
// order chosen; the close box then starts the picker afresh.
void DesktopTest::mergeTakesThePickersListAndTheCompileListsItsAirlines() {
    // Never shown: the merge reads an empty choice and fails.
    services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
    RunWork("Command2");
    QCOMPARE(services_->messages.value(0),
             QString("Tarnwell: Select the .KRX file you will be adding the real world airline data to."));
    QVERIFY(services_->messages.size() == 2 && services_->messages[1].startsWith("Tarnwell: The merge failed at "));
    QVERIFY(Status().toolTip().startsWith(QStringLiteral("The merge failed at ")) && !fs::exists(folder_->AddFile()));

    AirlineFormWindow& picker = OpenPicker();
    QListWidget& left = picker.RealList();
    QListWidget& right = picker.AddedList();
    QCOMPARE(left.count(), static_cast<int>(state_->RealAirlines.size()));
    QCOMPARE(left.findItems(QString::fromUtf8("Wider\xC3\xB8" "e"), Qt::MatchExactly).size(), 1);  // names as UTF-8
    auto& add = Child<QPushButton>(picker, "AddAirline");
    auto& remove = Child<QPushButton>(picker, "RemoveAirline");
    for (const char* name : {"British Airways", "easyJet", "British Airways"}) SelectAndClick(left, name, add);
    Click(remove);  // nothing selected on the right: nothing happens
    SelectAndClick(right, "BAW - British Airways", remove);
    QCOMPARE(right.count(), 2);
    QCOMPARE(right.item(0)->text() + " / " + right.item(1)->text(), QString("EZY - easyJet / BAW - British Airways"));
    Click(Child<QPushButton>(picker, "Command3"));
    QVERIFY(!picker.isVisible());
    RunWork("Command2");
    QCOMPARE(Status().text(), QStringLiteral("Finished Getting Data"));
    QCOMPARE(Status().toolTip(), QString());
    QVERIFY(fs::file_size(folder_->AddFile()) > 0);

    RunWork("Command1");
    QCOMPARE(Status().text(), QStringLiteral("Finished!"));
    const Bytes airlines = ReadFileBytes(folder_->Data() / SetFolderName / "airline.kr1");
    QCOMPARE(std::string(airlines.begin() + 66, airlines.begin() + 69), std::string("EZY"));
    QCOMPARE(std::string(airlines.begin() + 132, airlines.begin() + 135), std::string("BAW"));
    QVERIFY(!fs::exists(folder_->AddFile()));

    QCOMPARE(&OpenPicker(), &picker);
    QCOMPARE(right.count(), 2);
    picker.close();
    QTRY_VERIFY(Form().PickerWindow() == nullptr);
    QCOMPARE(OpenPicker().AddedList().count(), 0);
}

void DesktopTest::portDeliversEveryStepTextInOrderFromAnotherThread() {
    QObject receiver;
    std::vector<WorkEvent> delivered;
    DesktopPort port(receiver, *services_, [&](const WorkEvent& e) { delivered.push_back(e); });
    std::thread work([&] {
        for (int i = 0; i < 300; ++i) {
            port.SetStatus("Step " + std::to_string(i), StatusKind::Step);
            for (int j = 0; j < 50; ++j)
                port.SetStatus(std::to_string(i) + "." + std::to_string(j), StatusKind::Progress);
        }
        port.Beep(BeepKind::Warning, "the last");
    });
    work.join();
    QTRY_VERIFY(!delivered.empty() && delivered.back().kind == WorkEvent::Kind::Beep);
    int next = 0;
    for (const WorkEvent& e : delivered) {
        if (e.kind == WorkEvent::Kind::Status) QCOMPARE(e.text, "Step " + std::to_string(next++));
        // A progress text shown is one of the step just shown, and only the last of a run is kept.
        if (e.kind == WorkEvent::Kind::Progress) QVERIFY(e.text.starts_with(std::to_string(next - 1) + "."));
    }
    QCOMPARE(next, 300);
    QVERIFY(delivered.size() <= 300 * 2 + 1);
    QCOMPARE(delivered[delivered.size() - 2].text, std::string("299.49"));
}

// The main window after a compile and the picker with two airlines chosen,
// as the README shows them.
void DesktopTest::rendersBothWindows() {
    services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
    RunWork("Command1");
    AirlineFormWindow& picker = OpenPicker();
    for (const char* name : {"British Airways", "easyJet"})
        SelectAndClick(picker.RealList(), name, Child<QPushButton>(picker, "AddAirline"));
    fs::create_directories(TARNWELL_SCREENSHOT_DIR);
    const QString folder = QString::fromLatin1(TARNWELL_SCREENSHOT_DIR);
    QVERIFY(QTest::qWaitForWindowExposed(&picker) && window_->grab().save(folder + "/main-window.png"));
    QVERIFY(picker.grab().save(folder + "/airline-picker.png"));
}

}  // namespace tarnwell::gui::testing

QTEST_MAIN(tarnwell::gui::testing::DesktopTest)
