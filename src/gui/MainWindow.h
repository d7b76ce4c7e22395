#pragma once
// The desktop program's window: the main form (MainFormWindow, exactly as
// laid out) in the middle, with a menu bar above, a status bar below that
// shows a progress bar, the time left and Cancel while work runs, and a log
// pane that can be shown or hidden. A failed piece of work is named in a
// message box; a finished compile shows its summary.

#include <QMainWindow>
#include <QPointer>
#include <QSettings>
#include <memory>

#include "gui/DesktopPort.h"
#include "gui/DesktopSettings.h"
#include "gui/LogPane.h"
#include "gui/MainFormWindow.h"
#include "gui/MapWindow.h"
#include "gui/SummaryDialog.h"

class QAction;
class QDockWidget;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tarnwell {
struct NavDataImportResult;
struct ProgramState;
}  // namespace tarnwell

namespace tarnwell::gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `state` has been through start-up; it, `services` and `settings` must
    // outlive the window. The text boxes start with the remembered texts.
    MainWindow(ProgramState& state, WindowServices& services, QSettings& settings);
    ~MainWindow() override;

    MainFormWindow& Form() const { return *form_; }
    LogPane& Log() const { return *log_; }
    QDockWidget& LogDock() const { return *logDock_; }
    QProgressBar& ProgressBar() const { return *progress_; }
    QPushButton& CancelButton() const { return *cancel_; }
    // The summary of the last finished compile while it is open.
    SummaryDialog* Summary() const { return summary_.data(); }
    // The map window "Show map" opened last, while it is open.
    MapWindow* Map() const { return map_.data(); }
    bool Working() const { return form_->Working(); }

    // The menu's commands.
    void OpenProgramFolder();     // File > Open Program Folder…
    void ImportNavigationData();  // File > Import Navigation Data…
    void CheckRouteSet();         // File > Check Route Set
    void ShowAbout();             // Help > About Tarnwell
    void ShowMap(const QString& setName);  // a window of its own for the set
    QString AboutText() const;

    // What a failed piece of work says in its message box.
    static QString FailureText(const WorkResult& result);

signals:
    // "Show map" (the summary's button or the menu): the route set to show.
    void mapRequested(const QString& setName);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MakeMenus();
    void MakeStatusBar();
    void WorkStarted(WorkKind kind);
    void WorkEnded(const WorkResult& result);
    void ShowSummary(const WorkResult& result);
    void Remember();
    void SetWorkActionsEnabled(bool enabled);

    ProgramState& state_;
    WindowServices& services_;
    DesktopSettings settings_;
    MainFormWindow* form_;
    LogPane* log_;
    QDockWidget* logDock_;
    QProgressBar* progress_;
    QLabel* timeLeft_;
    QPushButton* cancel_;
    QList<QAction*> workActions_;  // menu commands that cannot run beside work
    QPointer<SummaryDialog> summary_;
    QPointer<MapWindow> map_;
    std::shared_ptr<NavDataImportResult> importReport_;
};

}  // namespace tarnwell::gui
