#include "gui/DesktopPort.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

#include "common/ProgressLine.h"

namespace tarnwell::gui {

namespace fs = std::filesystem;

void QtWindowServices::Message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner_.data());
    box.exec();
}

std::optional<fs::path> QtWindowServices::OpenFile(const fs::path& startFolder) {
    const QString chosen =
        QFileDialog::getOpenFileName(owner_.data(), QString(), QString::fromStdU16String(startFolder.u16string()),
                                     QStringLiteral("All files (*);;Timetables (*.KRX *.krx)"));
    if (chosen.isEmpty()) return std::nullopt;
    return fs::path(chosen.toStdU16String());
}

std::optional<fs::path> QtWindowServices::ChooseFolder(const QString& title, const fs::path& startFolder) {
    const QString chosen =
        QFileDialog::getExistingDirectory(owner_.data(), title, QString::fromStdU16String(startFolder.u16string()));
    if (chosen.isEmpty()) return std::nullopt;
    return fs::path(chosen.toStdU16String());
}

void QtWindowServices::Beep() { QApplication::beep(); }

DesktopPort::DesktopPort(QObject& receiver, WindowServices& services, std::function<void(const WorkEvent&)> deliver)
    : receiver_(receiver), services_(services), deliver_(std::move(deliver)) {}

void DesktopPort::Post(WorkEvent event) {
    std::lock_guard lock(mutex_);
    // Progress texts can come by the hundred thousand; one not yet shown is
    // replaced by the next, so the window never falls behind the work.
    const bool collapses = event.kind == WorkEvent::Kind::Progress || event.kind == WorkEvent::Kind::Count;
    if (collapses && !pending_.empty() && pending_.back().kind == event.kind)
        pending_.back() = std::move(event);
    else
        pending_.push_back(std::move(event));
    if (!deliveryPosted_) {
        deliveryPosted_ = true;
        QMetaObject::invokeMethod(&receiver_, [this] { Deliver(); }, Qt::QueuedConnection);
    }
}

void DesktopPort::Deliver() {
    std::deque<WorkEvent> events;
    {
        std::lock_guard lock(mutex_);
        events.swap(pending_);
        deliveryPosted_ = false;
    }
    for (const WorkEvent& e : events) deliver_(e);
}

void DesktopPort::OnWindowThread(const std::function<void()>& call) {
    if (QThread::currentThread() == receiver_.thread()) {
        Deliver();
        call();
        return;
    }
    QMetaObject::invokeMethod(
        &receiver_,
        [this, &call] {
            Deliver();
            call();
        },
        Qt::BlockingQueuedConnection);
}

void DesktopPort::SetStatus(std::string_view text, StatusKind kind) {
    cancel_.ThrowIfRequested();
    Post({kind == StatusKind::Step ? WorkEvent::Kind::Status : WorkEvent::Kind::Progress, std::string(text)});
}

void DesktopPort::Beep(BeepKind kind, std::string_view reason) {
    Post({WorkEvent::Kind::Beep, std::string(reason), kind == BeepKind::Warning});
}

void DesktopPort::Warn(std::string_view text) { Post({WorkEvent::Kind::Note, std::string(text)}); }

void DesktopPort::Advance(std::string_view work, std::int64_t done, std::int64_t total) {
    const auto now = std::chrono::steady_clock::now();
    if (done <= 0) countStart_ = now;
    const double seconds = std::chrono::duration<double>(now - countStart_).count();
    Post({WorkEvent::Kind::Count, ProgressLine(work, done, total, SecondsLeft(done, total, seconds)), false,
          PercentDone(done, total)});
    if (countHook_) countHook_(work, done, total);
    cancel_.ThrowIfRequested();
}

void DesktopPort::ShowMessage(std::string_view text, std::string_view title) {
    OnWindowThread([&] { services_.Message(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                                           QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()))); });
}

std::optional<fs::path> DesktopPort::AskFilePath(const fs::path& startFolder) {
    std::optional<fs::path> chosen;
    OnWindowThread([&] { chosen = services_.OpenFile(startFolder); });
    chosen_ = chosen;
    return chosen;
}

}  // namespace tarnwell::gui
