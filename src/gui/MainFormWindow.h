#pragma once
// The main window's form: the status line, the three text boxes and the
// three numbered buttons. A compile or a merge runs on a worker thread, so
// the window keeps painting; while it runs the three buttons are disabled.
// Shown alone it is the whole window; MainWindow puts menus, a progress bar,
// Cancel and a log around it.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "realworld/AirlinePicker.h"
#include "compile/CompileDriver.h"
#include "compile/ProgramFolderLock.h"
#include "gui/AirlineFormWindow.h"
#include "gui/DesktopPort.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnwell {
struct ProgramState;
}

namespace tarnwell::gui {


// What the status line says when the work was stopped by Cancel.
inline constexpr const char* CancelledStatus = "Cancelled: nothing was changed";

enum class WorkKind { Compile, Merge, ImportNavData };

// How a piece of work ended, for whatever is built around the form.
struct WorkResult {
    WorkKind kind = WorkKind::Compile;
    CompileOutcome outcome;
    std::vector<std::string> warnings;  // every warning the work gave, in order
    std::string setName;                // the route set a compile wrote
    std::optional<std::filesystem::path> timetable;  // the file chosen in the dialog
};

// The three text boxes' texts.
struct FormTexts {
    QString airlineIATA, airlineNAME, setName;
};

// The examples the text boxes start with.
inline constexpr const char* ExampleAirlineIATA = "TWL";
inline constexpr const char* ExampleAirlineNAME = "Tarnwell Air";
inline constexpr const char* ExampleSetName = "Tarnwell Air (Leeds)";

class MainFormWindow : public QWidget {
    Q_OBJECT
public:
    // `state` has been through start-up; it and `services` must outlive the window.
    MainFormWindow(ProgramState& state, WindowServices& services);
    ~MainFormWindow() override;

    using Work = std::function<CompileOutcome(ProgramState&, DesktopPort&)>;

    // True while a compile or a merge runs.
    bool Working() const { return worker_.joinable(); }
    // Runs `work` on the worker thread under the program folder's lock, as
    // the buttons do; false (and a message box) when it cannot start.
    bool StartWork(Work work, WorkKind kind);
    // Asks the running work to stop at its next progress point.
    void CancelWork();
    // Called on the work's thread at every count of every later work (tests).
    void SetCountHook(CountHook hook) { countHook_ = std::move(hook); }

    // "3.  Compile Schedule" takes the focus, as when the window opens.
    void SetInitialFocus();
    FormTexts Texts() const;
    void SetTexts(const FormTexts& texts);
    // The program state was replaced (another program folder): the picker starts afresh.
    void ProgramFolderChanged();
    // Whether the window may close now; when work runs it closes the top
    // window as soon as the work is done.
    bool MayClose();
    // The picker window while it exists (shown or hidden).
    AirlineFormWindow* PickerWindow() const { return pickerWindow_.data(); }

signals:
    // Every status text the work shows, in order (progress texts may be
    // collapsed to the latest of a run).
    void statusShown(const QString& text);
    // How far a long step has come: its line of figures (count, percent,
    // time left) and the percent alone.
    void workCounted(const QString& line, int percent);
    // A warning of the work.
    void workWarned(const QString& text);
    void workStarted(tarnwell::gui::WorkKind kind);
    // A compile or merge has ended, whatever its outcome: first workEnded
    // with how, then workFinished.
    void workEnded(const tarnwell::gui::WorkResult& result);
    void workFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PlaceControls();
    void ShowAirlinePicker();     // "1.  Add Real World Airlines to List"
    void GetRealWorldData();      // "2.  Get Real World Airline Data"
    void CompileSchedule();       // "3.  Compile Schedule"
    void Show(const WorkEvent& event);
    void WorkDone(const CompileOutcome& outcome, WorkKind kind);
    void SetButtonsEnabled(bool enabled);

    ProgramState& state_;
    WindowServices& services_;
    std::unique_ptr<AirlinePicker> picker_;
    QPointer<AirlineFormWindow> pickerWindow_;

    QLabel* label1_;
    QLabel* statusLABEL_;
    QLabel* label2_;
    QLineEdit* airlineIATA_;
    QLabel* label3_;
    QLineEdit* airlineNAME_;
    QLabel* label4_;
    QLineEdit* setName_;
    QLabel* label5_;
    QPushButton* command3_;
    QLabel* label6_;
    QPushButton* command2_;
    QLabel* label7_;
    QPushButton* command1_;

    std::unique_ptr<DesktopPort> port_;
    std::thread worker_;
    // The program folder's lock, held from the click until the work is done.
    std::optional<ProgramFolderLock> lock_;
    std::vector<std::string> notes_;  // warnings of the running work
    std::string workSetName_;         // the route set the running compile writes
    CountHook countHook_;
    QPointer<QWidget> focusBeforeWork_;  // disabling the clicked button takes its focus away
    bool closeWhenDone_ = false;
};

}  // namespace tarnwell::gui
