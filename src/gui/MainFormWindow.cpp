#include "gui/MainFormWindow.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <exception>

#include "compile/ProgramState.h"
#include "compile/RealWorldMergeDriver.h"
#include "gui/AirlineFormWindow.h"
#include "gui/WindowMetrics.h"
#include "routeset/RouteSetOutput.h"

namespace tarnwell::gui {

namespace {

constexpr int ClientWidth = 4680;
constexpr int ClientHeight = 6345;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// Labels are 8.25 point; the headings bold, the notes wrapped over their two lines.
QLabel* Label(const char* text, const char* name, bool bold, const QColor* colour, QWidget* parent) {
    QLabel* label = MakeLabel(text, name, LabelFontPoints, bold, colour, parent);
    label->setWordWrap(true);
    return label;
}

QLineEdit* TextBox(const char* text, const char* name, QWidget* parent) {
    auto* box = new QLineEdit(QString::fromLatin1(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

MainFormWindow::MainFormWindow(ProgramState& state, WindowServices& services)
    : QWidget(nullptr),
      state_(state),
      services_(services),
      picker_(std::make_unique<AirlinePicker>(state.RealAirlines)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromLatin1(ProgramName));
    // Buttons and text boxes use the window's font, the labels their own.
    setFont(WindowFont(ButtonFontPoints));

    label1_ = Label("Status", "Label1", true, nullptr, this);
    statusLABEL_ = Label("", "statusLABEL", false, &StatusColour, this);
    statusLABEL_->setWordWrap(false);
    label2_ = Label("Airline IATA Code - USE A 3 LETTER IDENTIFIER", "Label2", true, nullptr, this);
    airlineIATA_ = TextBox(ExampleAirlineIATA, "airlineIATA", this);
    label3_ = Label("Airline Name", "Label3", true, nullptr, this);
    airlineNAME_ = TextBox(ExampleAirlineNAME, "airlineNAME", this);
    label4_ = Label("Final Data Directory (Route Set Name in Kestrune)", "Label4", true, nullptr, this);
    setName_ = TextBox(ExampleSetName, "setName", this);
    label5_ = Label("Step 1 is OPTIONAL, use it to add up to 10 real world airline schedules to your list.", "Label5",
                    false, &NoteColour, this);
    command3_ = MakeButton("1.  Add Real World Airlines to List", "Command3", this);
    label6_ = Label("Step 2 is OPTIONAL, use it to get the real world airline data you added to your list.", "Label6",
                    false, &NoteColour, this);
    command2_ = MakeButton("2.  Get Real World Airline Data", "Command2", this);
    label7_ = Label("Step 3 is the only required step.  When ready select your krx file and compile.", "Label7", false,
                    &RequiredColour, this);
    command1_ = MakeButton("3.  Compile Schedule", "Command1", this);

    // "3.  Compile Schedule" holds the focus when the window opens, and Tab
    // goes on to the text boxes, then "2." and "1.". Alt+1, Alt+2 and Alt+3
    // press the three buttons.
    setTabOrder(command1_, airlineIATA_);
    setTabOrder(airlineIATA_, airlineNAME_);
    setTabOrder(airlineNAME_, setName_);
    setTabOrder(setName_, command2_);
    setTabOrder(command2_, command3_);
    command3_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_1));
    command2_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_2));
    command1_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_3));

    connect(command3_, &QPushButton::clicked, this, &MainFormWindow::ShowAirlinePicker);
    connect(command2_, &QPushButton::clicked, this, &MainFormWindow::GetRealWorldData);
    connect(command1_, &QPushButton::clicked, this, &MainFormWindow::CompileSchedule);

    PlaceControls();
    command1_->setFocus();
}

MainFormWindow::~MainFormWindow() {
    if (worker_.joinable()) worker_.join();
    delete pickerWindow_.data();  // before the picker's lists go
}

void MainFormWindow::showEvent(QShowEvent* event) {
    PlaceControls();  // the screen may differ from the one the window was made on
    QWidget::showEvent(event);
}

void MainFormWindow::PlaceControls() {
    // Positions in twips: left, top, width, height.
    PlaceInTwips(*this, ClientWidth, ClientHeight,
                 {{label1_, {135, 135, 4410, 255}},
                  {statusLABEL_, {135, 390, 4410, 255}},
                  {label2_, {135, 960, 4410, 255}},
                  {airlineIATA_, {135, 1215, 645, 360}},
                  {label3_, {135, 1635, 4410, 255}},
                  {airlineNAME_, {135, 1890, 3825, 360}},
                  {label4_, {135, 2310, 4410, 255}},
                  {setName_, {135, 2565, 3825, 360}},
                  {label5_, {773, 3195, 3135, 390}},
                  {command3_, {713, 3660, 3255, 390}},
                  {label6_, {773, 4305, 3135, 390}},
                  {command2_, {713, 4815, 3255, 390}},
                  {label7_, {773, 5355, 3135, 390}},
                  {command1_, {713, 5790, 3255, 390}}});
}

void MainFormWindow::closeEvent(QCloseEvent* event) {
    if (MayClose())
        event->accept();
    else
        event->ignore();
}

bool MainFormWindow::MayClose() {
    if (Working()) {
        // The program ends as soon as the work is done (or cancelled).
        closeWhenDone_ = true;
        return false;
    }
    if (pickerWindow_) pickerWindow_->close();
    return true;
}

void MainFormWindow::SetInitialFocus() { command1_->setFocus(); }

FormTexts MainFormWindow::Texts() const { return {airlineIATA_->text(), airlineNAME_->text(), setName_->text()}; }

void MainFormWindow::SetTexts(const FormTexts& texts) {
    airlineIATA_->setText(texts.airlineIATA);
    airlineNAME_->setText(texts.airlineNAME);
    setName_->setText(texts.setName);
}

void MainFormWindow::ProgramFolderChanged() {
    delete pickerWindow_.data();
    picker_ = std::make_unique<AirlinePicker>(state_.RealAirlines);
}

void MainFormWindow::CancelWork() {
    if (port_) port_->Cancel();
}

void MainFormWindow::ShowAirlinePicker() {
    if (Working()) return;
    if (!pickerWindow_) {
        pickerWindow_ = new AirlineFormWindow(*picker_);
    } else {
        picker_->Show();
    }
    pickerWindow_->show();
    pickerWindow_->raise();
    pickerWindow_->activateWindow();
}

void MainFormWindow::GetRealWorldData() {
    // The picker's list is read now, as it stands at the click.
    MergeRequest request{{}, picker_->ChosenAirlines()};
    StartWork(
        [request, start = state_.ProgramFolder](ProgramState& state, DesktopPort& port) mutable -> CompileOutcome {
            port.ShowMessage(MergeTimetablePrompt, ProgramName);
            request.timetable = port.AskFilePath(start);
            return tarnwell::GetRealWorldData(state, port, request);
        },
        WorkKind::Merge);
}

void MainFormWindow::CompileSchedule() {
    // The text boxes are read now, as they stand at the click.
    CompileRequest request{setName_->text().toStdString(), airlineIATA_->text().toStdString(),
                           airlineNAME_->text().toStdString(), {}};
    workSetName_ = request.setName;
    StartWork(
        [request, start = state_.ProgramFolder](ProgramState& state, DesktopPort& port) mutable -> CompileOutcome {
            CompileOutcome outcome;
            // A name that would write outside its own folder is refused
            // before the timetable is asked for.
            if (auto refusal = SetFolderRefusal(state.DataFolder(), request.setName)) {
                outcome.reason = *refusal;
                return outcome;
            }
            port.ShowMessage(CompileTimetablePrompt, ProgramName);
            const auto timetable = port.AskFilePath(start);
            if (!timetable) {
                outcome.result = CompileOutcome::Result::Cancelled;
                return outcome;
            }
            request.timetable = *timetable;
            return tarnwell::CompileSchedule(state, port, request);
        },
        WorkKind::Compile);
}

bool MainFormWindow::StartWork(Work work, WorkKind kind) {
    if (Working()) return false;
    // One writer per program folder: another one at work turns this away.
    try {
        lock_.emplace(ProgramFolderLock::Acquire(state_.DataFolder()));
    } catch (const std::exception& e) {
        services_.Message(Text(e.what()), QString::fromLatin1(ProgramName));
        return false;
    }
    focusBeforeWork_ = focusWidget();
    SetButtonsEnabled(false);
    notes_.clear();
    port_ = std::make_unique<DesktopPort>(*this, services_, [this](const WorkEvent& event) { Show(event); });
    port_->SetCountHook(countHook_);
    emit workStarted(kind);
    worker_ = std::thread([this, work = std::move(work), kind] {
        CompileOutcome outcome;
        try {
            outcome = work(state_, *port_);
        } catch (const std::exception& e) {
            outcome.result = CompileOutcome::Result::Failed;
            outcome.reason = e.what();
        }
        // Posted after every status text of the work, so it is handled last.
        QMetaObject::invokeMethod(this, [this, outcome, kind] { WorkDone(outcome, kind); }, Qt::QueuedConnection);
    });
    return true;
}

void MainFormWindow::Show(const WorkEvent& event) {
    switch (event.kind) {
        case WorkEvent::Kind::Status:
        case WorkEvent::Kind::Progress:
            statusLABEL_->setText(Text(event.text));
            statusLABEL_->repaint();
            emit statusShown(statusLABEL_->text());
            break;
        case WorkEvent::Kind::Beep:
            services_.Beep();
            if (event.warning) {
                notes_.push_back(event.text);
                emit workWarned(Text(event.text));
            }
            break;
        case WorkEvent::Kind::Note:
            notes_.push_back(event.text);
            emit workWarned(Text(event.text));
            break;
        case WorkEvent::Kind::Count:
            // The status line names the plan being built; its tooltip gives the count and the time left.
            statusLABEL_->setToolTip(Text(event.text));
            emit workCounted(Text(event.text), event.percent);
            break;
    }
}

void MainFormWindow::WorkDone(const CompileOutcome& outcome, WorkKind kind) {
    worker_.join();
    const bool merge = kind == WorkKind::Merge;
    WorkResult result{kind, outcome, notes_, kind == WorkKind::Compile ? workSetName_ : std::string(),
                      port_->ChosenFile()};
    port_.reset();
    lock_.reset();
    if (outcome.stoppedByUser) {
        statusLABEL_->setText(QString::fromLatin1(CancelledStatus));
        statusLABEL_->repaint();
        emit statusShown(statusLABEL_->text());
    }

    // The status line keeps what the work left there; its tooltip says why a
    // piece of work failed and lists the warnings it gave.
    std::string tip;
    if (outcome.result == CompileOutcome::Result::Failed) {
        if (outcome.failedStatus.empty() && kind == WorkKind::Compile) {
            // Refused before anything ran (a route set name that cannot be used).
            services_.Message(Text(outcome.reason), QString::fromLatin1(ProgramName));
        } else {
            tip = std::string(kind == WorkKind::Compile ? "The compile" : merge ? "The merge" : "The import") +
                  " failed at \"" + outcome.failedStatus +
                  "\": " + outcome.reason;
        }
    }
    for (const std::string& note : notes_) tip += (tip.empty() ? "" : "\n") + note;
    if (outcome.result != CompileOutcome::Result::Cancelled || !tip.empty()) statusLABEL_->setToolTip(Text(tip));
    notes_.clear();

    SetButtonsEnabled(true);
    if (focusBeforeWork_) focusBeforeWork_->setFocus();
    emit workEnded(result);
    emit workFinished();
    if (closeWhenDone_) window()->close();
}

void MainFormWindow::SetButtonsEnabled(bool enabled) {
    for (QPushButton* button : {command1_, command2_, command3_}) button->setEnabled(enabled);
}

}  // namespace tarnwell::gui
