#pragma once
// The desktop program's port. A compile or a merge runs on a worker thread;
// this port carries what it shows back to the window's thread: status texts
// and beeps in the order they happen (a run of progress texts collapses to
// the latest, since the status line can only show one), and the message box
// and the file dialog, which the worker waits for.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/Cancellation.h"
#include "common/TickClock.h"
#include "compile/Port.h"

namespace tarnwell::gui {

// The parts of the desktop the windows use and the tests replace: the
// message box, the open-file dialog and the system beep. Called on the
// window's thread only.
class WindowServices {
public:
    virtual ~WindowServices() = default;
    // A message box with an OK button only; returns when it is answered.
    virtual void Message(const QString& text, const QString& title) = 0;
    // The platform's open-file dialog for a timetable, starting in
    // `startFolder` and offering every file (a choice narrows it to *.KRX
    // files); nothing when cancelled.
    virtual std::optional<std::filesystem::path> OpenFile(const std::filesystem::path& startFolder) = 0;
    // The platform's folder dialog; nothing when cancelled.
    virtual std::optional<std::filesystem::path> ChooseFolder(const QString& title,
                                                              const std::filesystem::path& startFolder) = 0;
    virtual void Beep() = 0;
};

// The real ones: QMessageBox, QFileDialog and the system beep.
class QtWindowServices : public WindowServices {
public:
    void SetOwner(QWidget* owner) { owner_ = owner; }
    void Message(const QString& text, const QString& title) override;
    std::optional<std::filesystem::path> OpenFile(const std::filesystem::path& startFolder) override;
    std::optional<std::filesystem::path> ChooseFolder(const QString& title,
                                                      const std::filesystem::path& startFolder) override;
    void Beep() override;

private:
    QPointer<QWidget> owner_;
};

// Called on the work's thread at every count, before the work goes on.
using CountHook = std::function<void(std::string_view work, std::int64_t done, std::int64_t total)>;

// Something the work did that the window shows.
struct WorkEvent {
    enum class Kind { Status, Progress, Beep, Note, Count };
    Kind kind;
    std::string text;  // the status text, what a warning beep or a note is about, or the count's line
    bool warning = false;  // for Beep: a warning rather than the end of the work
    int percent = 0;       // for Count: how much of the work is done
};

class DesktopPort : public Port {
public:
    // `receiver` lives on the window's thread; `deliver` is called there with
    // the events in the order they happened.
    DesktopPort(QObject& receiver, WindowServices& services, std::function<void(const WorkEvent&)> deliver);

    // Every status text, event pass and count is a point where the work
    // stops (WorkCancelled) once Cancel has been called.
    void SetStatus(std::string_view text, StatusKind kind) override;
    void DoEvents() override { cancel_.ThrowIfRequested(); }  // the window's thread is never blocked by the work
    void Beep(BeepKind kind, std::string_view reason) override;
    void Warn(std::string_view text) override;
    void Advance(std::string_view work, std::int64_t done, std::int64_t total) override;
    std::unique_ptr<Clock> NewClock() override { return std::make_unique<TickClock>(); }
    bool MayCancel() const override { return true; }

    // The message box and the file dialog, shown on the window's thread while
    // the work waits for them.
    void ShowMessage(std::string_view text, std::string_view title);
    std::optional<std::filesystem::path> AskFilePath(const std::filesystem::path& startFolder);
    // The file the last dialog returned.
    std::optional<std::filesystem::path> ChosenFile() const { return chosen_; }

    // Asks the work to stop at its next progress point; from any thread.
    void Cancel() { cancel_.Request(); }
    bool CancelRequested() const { return cancel_.Requested(); }
    void SetCountHook(CountHook hook) { countHook_ = std::move(hook); }

private:
    void Post(WorkEvent event);
    void Deliver();
    // Runs `call` on the window's thread and waits for it (after every event
    // posted before it has been delivered).
    void OnWindowThread(const std::function<void()>& call);

    QObject& receiver_;
    WindowServices& services_;
    std::function<void(const WorkEvent&)> deliver_;
    std::chrono::steady_clock::time_point countStart_{};
    CancelRequest cancel_;
    CountHook countHook_;
    std::optional<std::filesystem::path> chosen_;

    std::mutex mutex_;
    std::deque<WorkEvent> pending_;
    bool deliveryPosted_ = false;
};

}  // namespace tarnwell::gui
