// The desktop program's windows, driven on Qt's offscreen platform: what
// they show, where, and what their buttons do, with the message box, the
// file dialog and the beep replaced.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "TestSupport.h"
#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "compile/ProgramState.h"
#include "gui/AirlineFormWindow.h"
#include "gui/DesktopStartUp.h"
#include "gui/MainFormWindow.h"
#include "gui/WindowMetrics.h"

namespace fs = std::filesystem;
using namespace tarnwell;
using namespace tarnwell::gui;
using tarnwell::testing::TempProgramFolder;

namespace {

// Stands in for the message box, the file dialog and the beep; notes what the
// three buttons looked like whenever the work asked for something.
class FakeServices : public WindowServices {
public:
    std::optional<fs::path> fileToChoose;
    QStringList messages;
    QStringList titles;
    std::vector<fs::path> dialogFolders;
    int beeps = 0;
    std::function<void()> onAsk;  // runs whenever a message box or dialog opens

    void Message(const QString& text, const QString& title) override {
        messages << text;
        titles << title;
        if (onAsk) onAsk();
    }
    std::optional<fs::path> OpenFile(const fs::path& startFolder) override {
        dialogFolders.push_back(startFolder);
        if (onAsk) onAsk();
        return fileToChoose;
    }
    void Beep() override { ++beeps; }
};

// A copy of the sample program folder.
class SampleFolder {
public:
    SampleFolder() {
        fs::copy(TARNWELL_SAMPLE_DIR, folder_.Root(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    const fs::path& Root() const { return folder_.Root(); }
    fs::path Data() const { return folder_.Data(); }
    fs::path Write(const std::string& relative, const std::string& content) const {
        return folder_.Write(relative, content);
    }

private:
    TempProgramFolder folder_;
};

template <typename T>
T& Child(const QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no control %s", name);
    return *child;
}

// A control's place in twips, read back from its pixels at the window's resolution.
TwipsRect PlaceInTwips(const QWidget& w) {
    const double dpi = LogicalDpi(w);
    const auto twips = [dpi](int px) { return static_cast<int>(std::lround(px * TwipsPerInch / dpi)); };
    const QRect g = w.geometry();
    return {twips(g.left()), twips(g.top()), twips(g.width()), twips(g.height())};
}

// Within one pixel (15 twips at 96 dots per inch) of the given place.
bool IsAt(const QWidget& w, TwipsRect expected) {
    const TwipsRect p = PlaceInTwips(w);
    const int tolerance = static_cast<int>(TwipsPerInch / LogicalDpi(w)) + 1;
    const auto near = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
    const bool ok = near(p.left, expected.left) && near(p.top, expected.top) && near(p.width, expected.width) &&
                    near(p.height, expected.height);
    if (!ok)
        qWarning("%s is at %d,%d,%d,%d twips", qPrintable(w.objectName()), p.left, p.top, p.width, p.height);
    return ok;
}

bool IsWindowFont(const QFont& f, double points, bool bold) {
    return (f.family() == QStringLiteral("Arial") || f.family() == QStringLiteral("Liberation Sans") ||
            f.family() == QStringLiteral("Arimo")) &&
           f.pointSizeF() == points && f.bold() == bold;
}

QColor TextColour(const QWidget& w) { return w.palette().color(QPalette::WindowText); }

QStringList ListTexts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
    return texts;
}

QList<int> ItemNumbers(const QListWidget& list) {
    QList<int> numbers;
    for (int i = 0; i < list.count(); ++i) numbers << list.item(i)->data(Qt::UserRole).toInt();
    return numbers;
}

// The widgets Tab visits from `first`, `count` of them.
QStringList FocusChain(QWidget* first, int count) {
    QStringList names;
    QWidget* w = first;
    for (int i = 0; i < count; ++i) {
        names << w->objectName();
        do {
            w = w->nextInFocusChain();
        } while (w->focusPolicy() == Qt::NoFocus || !w->isEnabled());
    }
    return names;
}

void Select(QListWidget& list, int row) {
    list.setCurrentRow(row);
    QVERIFY(list.currentItem()->isSelected());
}

int RowOf(const QListWidget& list, const QString& text) {
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->text() == text) return i;
    return -1;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SampleFolder> folder_;
    std::unique_ptr<ProgramState> state_;
    std::unique_ptr<FakeServices> services_;
    std::unique_ptr<MainFormWindow> window_;
    QStringList statuses_;
    QList<bool> buttonsEnabledWhenAsked_;

    QPushButton& Button(const char* name) { return Child<QPushButton>(*window_, name); }
    QLabel& Status() { return Child<QLabel>(*window_, "statusLABEL"); }
    bool AnyButtonEnabled() {
        return Button("Command1").isEnabled() || Button("Command2").isEnabled() || Button("Command3").isEnabled();
    }
    bool AllButtonsEnabled() {
        return Button("Command1").isEnabled() && Button("Command2").isEnabled() && Button("Command3").isEnabled();
    }

    // Clicks a button of the main window and waits for the work to end.
    void RunWork(const char* button) {
        QSignalSpy finished(window_.get(), &MainFormWindow::workFinished);
        QTest::mouseClick(&Button(button), Qt::LeftButton);
        QVERIFY(finished.count() == 1 || finished.wait(60000));
        QVERIFY(!window_->Working());
    }

    AirlineFormWindow& OpenPicker() {
        QTest::mouseClick(&Button("Command3"), Qt::LeftButton);
        if (!window_->PickerWindow()) qFatal("the picker did not open");
        return *window_->PickerWindow();
    }

private slots:
    void init() {
        folder_ = std::make_unique<SampleFolder>();
        state_ = std::make_unique<ProgramState>(folder_->Root());
        services_ = std::make_unique<FakeServices>();
        QVERIFY(LoadBeforeWindows(*state_, *services_));
        QVERIFY(services_->messages.isEmpty());
        window_ = std::make_unique<MainFormWindow>(*state_, *services_);
        statuses_.clear();
        buttonsEnabledWhenAsked_.clear();
        connect(window_.get(), &MainFormWindow::statusShown, this, [this](const QString& s) {
            statuses_ << s;
            buttonsEnabledWhenAsked_ << AnyButtonEnabled();
        });
        services_->onAsk = [this] { buttonsEnabledWhenAsked_ << AnyButtonEnabled(); };
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        state_.reset();
        folder_.reset();
    }

    void mainWindowShowsEveryControlAsLaidOut() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Tarnwell"));
        // The offscreen screen has 96 dots per inch: 15 twips to the pixel. At 144,
        // edges are rounded alike so that neighbours keep their gaps.
        QCOMPARE(LogicalDpi(*window_), 96.0);
        QCOMPARE(window_->size(), QSize(312, 423));
        QCOMPARE(TwipsToPixels(TwipsRect{713, 5790, 3255, 390}, 144.0), QRect(71, 579, 326, 39));
        struct Expected {
            const char* name;
            TwipsRect place;
            const char* text;
            bool heading = false;
        };
        const Expected controls[] = {
            {"Label1", {135, 135, 4410, 255}, "Status", true},
            {"statusLABEL", {135, 390, 4410, 255}, ""},
            {"Label2", {135, 960, 4410, 255}, "Airline IATA Code - USE A 3 LETTER IDENTIFIER", true},
            {"airlineIATA", {135, 1215, 645, 360}, "TWL"},
            {"Label3", {135, 1635, 4410, 255}, "Airline Name", true},
            {"airlineNAME", {135, 1890, 3825, 360}, "Tarnwell Air"},
            {"Label4", {135, 2310, 4410, 255}, "Final Data Directory (Route Set Name in Kestrune)", true},
            {"setName", {135, 2565, 3825, 360}, "Tarnwell Air (Leeds)"},
            {"Label5", {773, 3195, 3135, 390},
             "Step 1 is OPTIONAL, use it to add up to 10 real world airline schedules to your list."},
            {"Command3", {713, 3660, 3255, 390}, "1.  Add Real World Airlines to List"},
            {"Label6", {773, 4305, 3135, 390},
             "Step 2 is OPTIONAL, use it to get the real world airline data you added to your list."},
            {"Command2", {713, 4815, 3255, 390}, "2.  Get Real World Airline Data"},
            {"Label7", {773, 5355, 3135, 390},
             "Step 3 is the only required step.  When ready select your krx file and compile."},
            {"Command1", {713, 5790, 3255, 390}, "3.  Compile Schedule"},
        };
        for (const Expected& c : controls) {
            QWidget& w = Child<QWidget>(*window_, c.name);
            QVERIFY2(IsAt(w, c.place), c.name);
            QString text;
            if (auto* label = qobject_cast<QLabel*>(&w)) text = label->text();
            if (auto* box = qobject_cast<QLineEdit*>(&w)) text = box->text();
            if (auto* button = qobject_cast<QPushButton*>(&w)) text = button->text();
            QCOMPARE(text, QString::fromLatin1(c.text));
            const bool label = qobject_cast<QLabel*>(&w) != nullptr;
            QVERIFY2(IsWindowFont(w.font(), label ? 8.25 : 9.75, c.heading), c.name);
        }
        // The note's text is drawn whole in its two lines.
        const QLabel& note = Child<QLabel>(*window_, "Label6");
        QVERIFY(note.heightForWidth(note.width()) <= note.height());

        QCOMPARE(TextColour(Status()), QColor(255, 0, 0));
        QCOMPARE(TextColour(Child<QLabel>(*window_, "Label5")), QColor(0, 0, 255));
        QCOMPARE(TextColour(Child<QLabel>(*window_, "Label6")), QColor(0, 0, 255));
        QCOMPARE(TextColour(Child<QLabel>(*window_, "Label7")), QColor(0, 128, 0));

        // "3.  Compile Schedule" holds the focus when the window opens; Tab goes on from there.
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QCOMPARE(QApplication::focusWidget(), &Button("Command1"));
        QCOMPARE(FocusChain(&Button("Command1"), 7),
                 QStringList({"Command1", "airlineIATA", "airlineNAME", "setName", "Command2", "Command3", "Command1"}));
    }

    void pickerShowsEveryControlAsLaidOut() {
        AirlineFormWindow& picker = OpenPicker();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QCOMPARE(picker.windowTitle(), QStringLiteral("Add Real World Airilne"));
        QVERIFY(picker.parentWidget() == nullptr);
        QVERIFY(picker.isWindow());
        QCOMPARE(picker.size(), TwipsToPixels(8535, 4200, LogicalDpi(picker)));
        QVERIFY(IsAt(Child<QLabel>(picker, "Label1"), {105, 75, 2745, 195}));
        QVERIFY(IsAt(Child<QListWidget>(picker, "realLIST"), {105, 300, 3720, 3180}));
        QVERIFY(IsAt(Child<QLabel>(picker, "Label2"), {4710, 75, 2745, 195}));
        QVERIFY(IsAt(Child<QListWidget>(picker, "addedLIST"), {4710, 300, 3720, 3180}));
        QVERIFY(IsAt(Child<QPushButton>(picker, "AddAirline"), {3997, 1155, 540, 390}));
        QVERIFY(IsAt(Child<QPushButton>(picker, "RemoveAirline"), {3997, 2265, 540, 390}));
        QVERIFY(IsAt(Child<QPushButton>(picker, "Command3"), {3090, 3645, 2445, 435}));
        QCOMPARE(Child<QLabel>(picker, "Label1").text(), QStringLiteral("Real World Airilnes"));
        QCOMPARE(Child<QLabel>(picker, "Label2").text(), QStringLiteral("Airlines to Add to VA Schedule"));
        QCOMPARE(Child<QPushButton>(picker, "AddAirline").text(), QStringLiteral(">"));
        QCOMPARE(Child<QPushButton>(picker, "RemoveAirline").text(), QStringLiteral("<"));
        QCOMPARE(Child<QPushButton>(picker, "Command3").text(), QStringLiteral("Finished"));
        for (const char* heading : {"Label1", "Label2"}) {
            QVERIFY(IsWindowFont(Child<QLabel>(picker, heading).font(), 8.25, true));
            QCOMPARE(TextColour(Child<QLabel>(picker, heading)), QColor(0x40, 0x40, 0x40));
        }
        QCOMPARE(FocusChain(&picker.RealList(), 6),
                 QStringList({"realLIST", "addedLIST", "AddAirline", "RemoveAirline", "Command3", "realLIST"}));
    }

    void compileShowsEveryStepThenFinishedAndBeeps() {
        services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
        RunWork("Command1");
        QCOMPARE(services_->messages, QStringList{"Select the .KRX file you will be compiling."});
        QCOMPARE(services_->titles, QStringList{"Tarnwell"});
        QCOMPARE(services_->dialogFolders, std::vector<fs::path>{folder_->Root()});

        // Every step's text, in order, with progress texts in between, then "Finished!".
        QStringList steps;
        for (const std::string& s : CompileStepTexts()) steps << QString::fromStdString(s);
        qsizetype next = 0;
        for (const QString& s : statuses_)
            if (next < steps.size() && s == steps[next]) ++next;
        QCOMPARE(next, steps.size());
        QCOMPARE(statuses_.last(), QStringLiteral("Finished!"));
        QCOMPARE(Status().text(), QStringLiteral("Finished!"));
        QVERIFY(services_->beeps >= 1);

        // The buttons were disabled from the message box to the end, and are back.
        QVERIFY(!buttonsEnabledWhenAsked_.isEmpty());
        QVERIFY(!buttonsEnabledWhenAsked_.contains(true));
        QVERIFY(AllButtonsEnabled());
        QVERIFY(fs::exists(folder_->Data() / "Tarnwell Air (Leeds)" / "PLANS.kr1"));
    }

    void cancelledAndFailedCompilesLeaveTheirStatus() {
        // Cancelled: nothing shown, nothing written, no beep.
        services_->fileToChoose.reset();
        RunWork("Command1");
        QVERIFY(statuses_.isEmpty());
        QCOMPARE(Status().text(), QString());
        QCOMPARE(services_->beeps, 0);
        QVERIFY(AllButtonsEnabled());

        // A timetable with an unreadable line stops at its step, which says why.
        services_->fileToChoose = folder_->Write("Bad.KRX", "LHR,CDG,EGLL,LFPG,TWL,abc\r\n");
        RunWork("Command1");
        QCOMPARE(Status().text(), QStringLiteral("Getting VA Data"));
        QVERIFY(Status().toolTip().startsWith(QStringLiteral("The compile failed at \"Getting VA Data\": ")));
        QVERIFY(Status().toolTip().contains(QStringLiteral("Bad.KRX")));
        QCOMPARE(services_->beeps, 0);
        QVERIFY(!fs::exists(folder_->Data() / "Tarnwell Air (Leeds)"));
        QVERIFY(AllButtonsEnabled());

        // A route set name that would leave the Data folder is refused before anything runs.
        Child<QLineEdit>(*window_, "setName").setText(QStringLiteral("../Outside"));
        services_->messages.clear();
        RunWork("Command1");
        QCOMPARE(services_->messages.size(), 1);
        QVERIFY(services_->messages[0] != QStringLiteral("Select the .KRX file you will be compiling."));
        QCOMPARE(Status().text(), QStringLiteral("Getting VA Data"));
    }

    void pickerAddsRemovesAndKeepsItsChoiceUntilClosed() {
        AirlineFormWindow& picker = OpenPicker();
        QListWidget& left = picker.RealList();
        QListWidget& right = picker.AddedList();
        QCOMPARE(left.count(), static_cast<int>(state_->RealAirlines.size()));
        const QStringList names = ListTexts(left);
        for (qsizetype i = 1; i < names.size(); ++i) QVERIFY(names[i - 1].compare(names[i], Qt::CaseInsensitive) <= 0);
        for (int i = 0; i < left.count(); ++i) {
            const auto& airline = state_->RealAirlines[static_cast<std::size_t>(ItemNumbers(left)[i])];
            QCOMPARE(left.item(i)->text(), QString::fromStdString(AnsiToUtf8(airline.Name.Trimmed())));
        }

        auto& add = Child<QPushButton>(picker, "AddAirline");
        auto& remove = Child<QPushButton>(picker, "RemoveAirline");
        QTest::mouseClick(&add, Qt::LeftButton);  // nothing selected: nothing happens
        QCOMPARE(right.count(), 0);

        const int ba = RowOf(left, QStringLiteral("British Airways"));
        const int ezy = RowOf(left, QStringLiteral("easyJet"));
        QVERIFY(ba >= 0 && ezy >= 0);
        Select(left, ba);
        QTest::mouseClick(&add, Qt::LeftButton);
        QTest::mouseClick(&add, Qt::LeftButton);
        Select(left, ezy);
        QTest::mouseClick(&add, Qt::LeftButton);
        QCOMPARE(ListTexts(right), QStringList({"BAW - British Airways", "BAW - British Airways", "EZY - easyJet"}));
        QCOMPARE(ItemNumbers(right), QList<int>({ItemNumbers(left)[ba], ItemNumbers(left)[ba], ItemNumbers(left)[ezy]}));

        QTest::mouseClick(&remove, Qt::LeftButton);  // nothing selected on the right
        QCOMPARE(right.count(), 3);
        Select(right, 0);
        QTest::mouseClick(&remove, Qt::LeftButton);
        QCOMPARE(ListTexts(right), QStringList({"BAW - British Airways", "EZY - easyJet"}));

        // "Finished" hides the window and keeps its lists for the next showing.
        QTest::mouseClick(&Child<QPushButton>(picker, "Command3"), Qt::LeftButton);
        QVERIFY(!picker.isVisible());
        QCOMPARE(&OpenPicker(), &picker);
        QVERIFY(picker.isVisible());
        QCOMPARE(right.count(), 2);

        // The close box destroys it; the next showing starts afresh.
        picker.close();
        QTRY_VERIFY(window_->PickerWindow() == nullptr);
        QCOMPARE(OpenPicker().AddedList().count(), 0);
        QCOMPARE(window_->PickerWindow()->RealList().count(), static_cast<int>(state_->RealAirlines.size()));
    }

    void mergeTakesThePickersListAndTheCompileListsItsAirlines() {
        // Never shown: the merge reads an empty choice and fails quietly.
        services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
        RunWork("Command2");
        QCOMPARE(services_->messages,
                 QStringList{"Select the .KRX file you will be adding the real world airline data to."});
        QCOMPARE(Status().text(), QStringLiteral("Finished Getting Data"));
        QVERIFY(Status().toolTip().startsWith(QStringLiteral("The merge failed at ")));
        QVERIFY(!fs::exists(folder_->Data() / "Defaults" / "carrierADD.txt"));

        AirlineFormWindow& picker = OpenPicker();
        for (const char* name : {"easyJet", "British Airways"}) {
            Select(picker.RealList(), RowOf(picker.RealList(), QString::fromLatin1(name)));
            QTest::mouseClick(&Child<QPushButton>(picker, "AddAirline"), Qt::LeftButton);
        }
        QTest::mouseClick(&Child<QPushButton>(picker, "Command3"), Qt::LeftButton);
        statuses_.clear();
        RunWork("Command2");
        QCOMPARE(statuses_.first(), QStringLiteral("Getting VA Data"));
        QCOMPARE(statuses_.last(), QStringLiteral("Finished Getting Data"));
        QVERIFY(statuses_.contains(QStringLiteral("Loading Routes")));
        QCOMPARE(Status().toolTip(), QString());
        QVERIFY(fs::file_size(folder_->Data() / "Defaults" / "carrierADD.txt") > 0);

        RunWork("Command1");
        QCOMPARE(Status().text(), QStringLiteral("Finished!"));
        const Bytes airlines = ReadFileBytes(folder_->Data() / "Tarnwell Air (Leeds)" / "airline.kr1");
        QCOMPARE(std::string(airlines.begin() + 66, airlines.begin() + 69), std::string("EZY"));
        QCOMPARE(std::string(airlines.begin() + 132, airlines.begin() + 135), std::string("BAW"));
        QVERIFY(!fs::exists(folder_->Data() / "Defaults" / "carrierADD.txt"));
    }

    void closingTheMainWindowClosesAHiddenPicker() {
        AirlineFormWindow& picker = OpenPicker();
        QTest::mouseClick(&Child<QPushButton>(picker, "Command3"), Qt::LeftButton);
        // Asked to close while a compile runs, the window stays until the work is done.
        bool closedDuringWork = true;
        services_->onAsk = [&] { closedDuringWork = window_->close(); };
        RunWork("Command1");
        QVERIFY(!closedDuringWork);
        QTRY_VERIFY(window_->PickerWindow() == nullptr);
        // No window is left open, so the program ends.
        for (const QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!w->isVisible());
    }

    void portDeliversEveryStepTextInOrderFromAnotherThread() {
        QObject receiver;
        std::vector<WorkEvent> delivered;
        DesktopPort port(receiver, *services_, {}, [&](const WorkEvent& e) { delivered.push_back(e); });
        std::thread work([&] {
            for (int i = 0; i < 300; ++i) {
                port.SetStatus("Step " + std::to_string(i), StatusKind::Step);
                for (int j = 0; j < 50; ++j) port.SetStatus(std::to_string(i) + "." + std::to_string(j), StatusKind::Progress);
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

    void startUpNamesAMissingFile() {
        for (const char* file : {"nav_APT.bin", "airline.kr1"}) {
            SampleFolder folder;
            fs::remove(folder.Data() / file);
            ProgramState state(folder.Root());
            FakeServices services;
            QVERIFY(!LoadBeforeWindows(state, services));
            QCOMPARE(services.messages.size(), 1);
            QVERIFY2(services.messages[0].contains(QString::fromLatin1(file)), qPrintable(services.messages[0]));
        }
        const fs::path here = fs::current_path();
        QCOMPARE(ParseDesktopArguments({"tarnwell-gui", "--root", "/x/y"}, here).programFolder, fs::path("/x/y"));
        QVERIFY(!ParseDesktopArguments({"tarnwell-gui", "--root"}, here).error.empty());
        QVERIFY(!ParseDesktopArguments({"tarnwell-gui", "--bogus"}, here).error.empty());
    }

    // Renders both windows after a compile, as the README shows them.
    void rendersBothWindows() {
        services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
        RunWork("Command1");
        fs::create_directories(TARNWELL_SCREENSHOT_DIR);
        const QString folder = QString::fromLatin1(TARNWELL_SCREENSHOT_DIR);
        AirlineFormWindow& picker = OpenPicker();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        for (const char* name : {"British Airways", "easyJet"}) {
            Select(picker.RealList(), RowOf(picker.RealList(), QString::fromLatin1(name)));
            QTest::mouseClick(&Child<QPushButton>(picker, "AddAirline"), Qt::LeftButton);
        }
        const QImage main = window_->grab().toImage();
        const QImage pickerImage = picker.grab().toImage();
        QCOMPARE(main.size(), window_->size() * main.devicePixelRatio());
        QVERIFY(main.save(folder + QStringLiteral("/main-window.png")));
        QVERIFY(pickerImage.save(folder + QStringLiteral("/airline-picker.png")));
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
