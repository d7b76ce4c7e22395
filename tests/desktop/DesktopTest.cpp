// What the desktop windows' buttons do: the compile and the merge on their
// worker thread with the buttons disabled, cancelling and failing, the
// airline picker's lists, and closing the window while work runs.

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <algorithm>
#include <thread>

#include "DesktopTest.h"
#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "gui/DesktopStartUp.h"

namespace tarnwell::gui::testing {

namespace {

const fs::path SetFolderName = "Tarnwell Air (Leeds)";

QStringList ListTexts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
    return texts;
}

// The RealAirlines item number an entry carries.
int ItemNumber(const QListWidgetItem* item) { return item->data(Qt::UserRole).toInt(); }

void Click(QWidget& button) { QTest::mouseClick(&button, Qt::LeftButton); }

// Selects the entry that reads `text`, then clicks `button`.
void SelectAndClick(QListWidget& list, const char* text, QWidget& button) {
    const auto found = list.findItems(QString::fromLatin1(text), Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), text);
    list.setCurrentItem(found.first());
    Click(button);
}

}  // namespace

void DesktopTest::init() {
    folder_ = std::make_unique<tarnwell::testing::TempProgramFolder>();
    CopySample(*folder_);
    state_ = std::make_unique<ProgramState>(folder_->Root());
    services_ = std::make_unique<FakeServices>();
    QVERIFY(LoadBeforeWindows(*state_, *services_));
    QVERIFY(services_->messages.isEmpty());
    window_ = std::make_unique<MainFormWindow>(*state_, *services_);
    statuses_.clear();
    enabledButtonsWhenAsked_.clear();
    connect(window_.get(), &MainFormWindow::statusShown, this, [this](const QString& s) {
        statuses_ << s;
        enabledButtonsWhenAsked_ << EnabledButtons();
    });
    services_->onAsk = [this] { enabledButtonsWhenAsked_ << EnabledButtons(); };
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void DesktopTest::cleanup() {
    window_.reset();
    state_.reset();
    folder_.reset();
}

int DesktopTest::EnabledButtons() {
    return Button("Command1").isEnabled() + Button("Command2").isEnabled() + Button("Command3").isEnabled();
}

void DesktopTest::RunWork(const char* button) {
    QSignalSpy finished(window_.get(), &MainFormWindow::workFinished);
    Click(Button(button));
    QVERIFY(finished.count() == 1 || finished.wait(60000));
    QVERIFY(!window_->Working());
}

AirlineFormWindow& DesktopTest::OpenPicker() {
    Click(Button("Command3"));
    if (!window_->PickerWindow()) qFatal("the picker did not open");
    return *window_->PickerWindow();
}

// Asked to close while the compile runs, the window stays until the work is
// done, then closes with the hidden picker and the program ends.
void DesktopTest::compileShowsEveryStepAndCloseWaitsForTheEnd() {
    Click(Child<QPushButton>(OpenPicker(), "Command3"));
    bool closedDuringWork = true;
    services_->onAsk = [&] {
        enabledButtonsWhenAsked_ << EnabledButtons();
        closedDuringWork = window_->close();
    };
    services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
    RunWork("Command1");
    QCOMPARE(services_->messages, QStringList{"Tarnwell: Select the .KRX file you will be compiling."});
    QCOMPARE(services_->dialogFolders, std::vector<fs::path>{folder_->Root()});

    // Every step's text, in order, with progress texts in between, then "Finished!".
    std::size_t next = 0;
    const std::vector<std::string> steps = CompileStepTexts();
    for (const QString& s : statuses_)
        if (next < steps.size() && s.toStdString() == steps[next]) ++next;
    QCOMPARE(next, steps.size());
    QCOMPARE(statuses_.last(), QStringLiteral("Finished!"));
    QCOMPARE(Status().text(), QStringLiteral("Finished!"));
    QVERIFY(services_->beeps >= 1);
    QVERIFY(fs::exists(folder_->Data() / SetFolderName / "PLANS.kr1"));

    // The buttons were disabled from the message box to the end, and are back.
    QVERIFY(!enabledButtonsWhenAsked_.isEmpty());
    QVERIFY(std::ranges::all_of(enabledButtonsWhenAsked_, [](int n) { return n == 0; }));
    QCOMPARE(EnabledButtons(), 3);
    QVERIFY(!closedDuringWork);
    QTRY_VERIFY(window_->PickerWindow() == nullptr);
    for (const QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!w->isVisible());
}

void DesktopTest::cancelledAndFailedCompilesLeaveTheirStatus() {
    // Cancelled: nothing shown, nothing written, no beep.
    services_->fileToChoose.reset();
    RunWork("Command1");
    QVERIFY(statuses_.isEmpty());
    QCOMPARE(Status().text(), QString());
    QCOMPARE(services_->beeps, 0);
    QCOMPARE(EnabledButtons(), 3);

    // A timetable with an unreadable line stops at its step, which says why.
    services_->fileToChoose = folder_->Write("Bad.KRX", "LHR,CDG,EGLL,LFPG,TWL,abc\r\n");
    RunWork("Command1");
    QCOMPARE(Status().text(), QStringLiteral("Getting VA Data"));
    QVERIFY(Status().toolTip().startsWith(QStringLiteral("The compile failed at \"Getting VA Data\": ")));
    QVERIFY(Status().toolTip().contains(QStringLiteral("Bad.KRX")));
    QCOMPARE(services_->beeps, 0);
    QVERIFY(!fs::exists(folder_->Data() / SetFolderName));
    QCOMPARE(EnabledButtons(), 3);

    // A route set name that would leave the Data folder is refused in a
    // message box before anything runs.
    Child<QLineEdit>(*window_, "setName").setText(QStringLiteral("../Outside"));
    services_->messages.clear();
    RunWork("Command1");
    QCOMPARE(services_->messages, QStringList{"Tarnwell: route set name: the route set name \"../Outside\" contains a "
                                              "path separator; it must name one folder directly inside Data"});
    QCOMPARE(Status().text(), QStringLiteral("Getting VA Data"));
}

// The merge reads the picker's right list as "Finished" left it, in the
// order chosen; the close box then starts the picker afresh.
void DesktopTest::mergeTakesThePickersListAndTheCompileListsItsAirlines() {
    // Never shown: the merge reads an empty choice and fails quietly.
    services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
    RunWork("Command2");
    QCOMPARE(services_->messages,
             QStringList{"Tarnwell: Select the .KRX file you will be adding the real world airline data to."});
    QCOMPARE(Status().text(), QStringLiteral("Finished Getting Data"));
    QVERIFY(Status().toolTip().startsWith(QStringLiteral("The merge failed at ")));
    QVERIFY(!fs::exists(folder_->Data() / "Defaults" / "carrierADD.txt"));

    AirlineFormWindow& picker = OpenPicker();
    QListWidget& left = picker.RealList();
    QListWidget& right = picker.AddedList();
    QCOMPARE(left.count(), static_cast<int>(state_->RealAirlines.size()));
    for (int i = 0; i < left.count(); ++i) {  // each name as UTF-8
        const auto& airline = state_->RealAirlines[static_cast<std::size_t>(ItemNumber(left.item(i)))];
        QCOMPARE(left.item(i)->text(), QString::fromStdString(AnsiToUtf8(airline.Name.Trimmed())));
    }
    auto& add = Child<QPushButton>(picker, "AddAirline");
    auto& remove = Child<QPushButton>(picker, "RemoveAirline");
    for (const char* name : {"British Airways", "easyJet", "British Airways"}) SelectAndClick(left, name, add);
    Click(remove);  // nothing selected on the right: nothing happens
    SelectAndClick(right, "BAW - British Airways", remove);
    QCOMPARE(ListTexts(right), QStringList({"EZY - easyJet", "BAW - British Airways"}));
    QCOMPARE(ItemNumber(right.item(1)), ItemNumber(left.currentItem()));
    Click(Child<QPushButton>(picker, "Command3"));
    QVERIFY(!picker.isVisible());
    statuses_.clear();
    RunWork("Command2");
    QCOMPARE(statuses_.first(), QStringLiteral("Getting VA Data"));
    QCOMPARE(statuses_.last(), QStringLiteral("Finished Getting Data"));
    QVERIFY(statuses_.contains(QStringLiteral("Loading Routes")));
    QCOMPARE(Status().toolTip(), QString());
    QVERIFY(fs::file_size(folder_->Data() / "Defaults" / "carrierADD.txt") > 0);

    RunWork("Command1");
    QCOMPARE(Status().text(), QStringLiteral("Finished!"));
    const Bytes airlines = ReadFileBytes(folder_->Data() / SetFolderName / "airline.kr1");
    QCOMPARE(std::string(airlines.begin() + 66, airlines.begin() + 69), std::string("EZY"));
    QCOMPARE(std::string(airlines.begin() + 132, airlines.begin() + 135), std::string("BAW"));
    QVERIFY(!fs::exists(folder_->Data() / "Defaults" / "carrierADD.txt"));

    QCOMPARE(&OpenPicker(), &picker);
    QCOMPARE(right.count(), 2);
    picker.close();
    QTRY_VERIFY(window_->PickerWindow() == nullptr);
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
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    for (const char* name : {"British Airways", "easyJet"})
        SelectAndClick(picker.RealList(), name, Child<QPushButton>(picker, "AddAirline"));
    fs::create_directories(TARNWELL_SCREENSHOT_DIR);
    const QString folder = QString::fromLatin1(TARNWELL_SCREENSHOT_DIR);
    const QImage main = window_->grab().toImage();
    QCOMPARE(main.size(), window_->size() * main.devicePixelRatio());
    QVERIFY(main.save(folder + QStringLiteral("/main-window.png")));
    QVERIFY(picker.grab().toImage().save(folder + QStringLiteral("/airline-picker.png")));
}

}  // namespace tarnwell::gui::testing

QTEST_MAIN(tarnwell::gui::testing::DesktopTest)
