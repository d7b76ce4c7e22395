#pragma once
// The main window: the status line, the three text boxes and the three
// numbered buttons. A compile or a merge runs on a worker thread, so the
// window keeps painting; while it runs the three buttons are disabled.

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

    // True while a compile or a merge runs.
    bool Working() const { return worker_.joinable(); }
    // The picker window while it exists (shown or hidden).
    AirlineFormWindow* PickerWindow() const { return pickerWindow_.data(); }

signals:
    // Every status text the work shows, in order (progress texts may be
    // collapsed to the latest of a run).
    void statusShown(const QString& text);
    // How far a long step has come: its line of figures (count, percent,
    // time left) and the percent alone.
    void workCounted(const QString& line, int percent);
    // A compile or merge has ended, whatever its outcome.
    void workFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Work = std::function<CompileOutcome(ProgramState&, DesktopPort&)>;

    void PlaceControls();
    void ShowAirlinePicker();     // "1.  Add Real World Airlines to List"
    void GetRealWorldData();      // "2.  Get Real World Airline Data"
    void CompileSchedule();       // "3.  Compile Schedule"
    void StartWork(Work work, bool merge);
    void Show(const WorkEvent& event);
    void WorkDone(const CompileOutcome& outcome, bool merge);
    void SetButtonsEnabled(bool enabled);

    ProgramState& state_;
    WindowServices& services_;
    AirlinePicker picker_;
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
    QPointer<QWidget> focusBeforeWork_;  // disabling the clicked button takes its focus away
    bool closeWhenDone_ = false;
};

}  // namespace tarnwell::gui
