// The menu's commands of the main window: another program folder, the
// navigation data import, the route set check and the about box.

#include <QFile>
#include <QMessageBox>
#include <exception>

#include "compile/CompileRequest.h"
#include "compile/ProgramFolderLock.h"
#include "compile/ProgramState.h"
#include "compile/StepRunner.h"
#include "examine/RouteSetCheck.h"
#include "gui/DesktopStartUp.h"
#include "gui/MainWindow.h"
#include "navdata/NavDataFiles.h"
#include "navimport/NavDataImport.h"

#ifndef TARNWELL_VERSION
#define TARNWELL_VERSION "unknown"
#endif

namespace tarnwell::gui {

namespace fs = std::filesystem;

namespace {

constexpr const char* ImportingStatus = "Importing Navigation Data";
constexpr const char* ImportedStatus = "Finished Importing Navigation Data";

QString PathString(const fs::path& path) { return QString::fromStdU16String(path.u16string()); }

// The bundled notices, as the build embedded them.
QString Notices() {
    QString text;
    for (const char* name : {":/notices/sample-NOTICE.txt", ":/notices/coastlines-NOTICE.txt"}) {
        QFile file(QString::fromLatin1(name));
        if (file.open(QIODevice::ReadOnly)) text += QString::fromUtf8(file.readAll()) + QStringLiteral("\n");
    }
    return text;
}

}  // namespace

void MainWindow::OpenProgramFolder() {
    const QString title = QString::fromLatin1(ProgramName);
    if (form_->Working()) {
        services_.Message(QStringLiteral("Work is running in this program folder. Wait until it has finished, or "
                                         "cancel it, before opening another one."),
                          title);
        return;
    }
    const auto folder = services_.ChooseFolder(QStringLiteral("Open Program Folder"), state_.ProgramFolder);
    if (!folder) return;
    ProgramState fresh(*folder);
    if (!LoadBeforeWindows(fresh, services_, QStringLiteral("This folder cannot be opened: "))) return;
    state_ = std::move(fresh);
    form_->ProgramFolderChanged();
    settings_.SetProgramFolder(state_.ProgramFolder);
    settings_.Sync();
    log_->Add(LogPane::Kind::Note, QStringLiteral("Program folder: ") + PathString(state_.ProgramFolder));
}

void MainWindow::ImportNavigationData() {
    const auto source =
        services_.ChooseFolder(QStringLiteral("Import Navigation Data: the folder of nav.dat, fix.dat, awy.dat, apt.dat"),
                               state_.ProgramFolder);
    if (!source) return;
    auto report = std::make_shared<NavDataImportResult>();
    const bool started = form_->StartWork(
        [source = *source, report](ProgramState& state, DesktopPort& port) -> CompileOutcome {
            CompileOutcome outcome;
            const std::vector<StatusStep> steps = {{ImportingStatus, [&] {
                                                        NavDataImportOptions options;
                                                        options.source = source;
                                                        fs::create_directories(state.DataFolder());
                                                        *report = ImportNavData(state.DataFolder(), options, port);
                                                        state.NavAirports = LoadNavAirports(state.DataFolder());
                                                    }}};
            if (RunSteps(steps, port, outcome)) {
                port.SetStatus(ImportedStatus, StatusKind::Step);
                outcome.result = CompileOutcome::Result::Finished;
            }
            return outcome;
        },
        WorkKind::ImportNavData);
    if (!started) return;
    importReport_ = report;
    connect(
        form_, &MainFormWindow::workEnded, this,
        [this, report](const WorkResult& result) {
            if (result.kind != WorkKind::ImportNavData || result.outcome.result != CompileOutcome::Result::Finished)
                return;
            QString text = QStringLiteral("The navigation data has been imported into %1:")
                               .arg(PathString(state_.DataFolder()));
            for (const WrittenFile& w : report->written)
                text += QStringLiteral("\n%1: %2 %3").arg(QString::fromStdString(w.name)).arg(w.records)
                            .arg(QString::fromStdString(w.what));
            for (const std::string& d : report->dropped) text += QStringLiteral("\nLeft out: ") + QString::fromStdString(d);
            log_->Add(LogPane::Kind::Note, text);
            services_.Message(text, QString::fromLatin1(ProgramName));
        },
        Qt::SingleShotConnection);
}

void MainWindow::CheckRouteSet() {
    const QString title = QStringLiteral("Check Route Set");
    const std::string setName = form_->Texts().setName.toStdString();
    QString text;
    try {
        FinishInterruptedCommitIfIdle(state_.DataFolder());
        const RouteSetCheckResult check = tarnwell::CheckRouteSet(state_.ProgramFolder, setName);
        text = QStringLiteral("Route set \"%1\": %2\n\n%3")
                   .arg(QString::fromStdString(setName),
                        check.problems.empty() ? QStringLiteral("no problems found")
                                               : QStringLiteral("%1 problems found").arg(check.problems.size()),
                        SummaryLines(check).join(QLatin1Char('\n')));
        constexpr std::size_t Shown = 20;
        for (std::size_t i = 0; i < check.problems.size() && i < Shown; ++i)
            text += QStringLiteral("\n") + QString::fromStdString(check.problems[i]);
        if (check.problems.size() > Shown)
            text += QStringLiteral("\n(and %1 more)").arg(check.problems.size() - Shown);
    } catch (const std::exception& e) {
        text = QString::fromStdString(e.what());
    }
    log_->Add(LogPane::Kind::Note, text);
    services_.Message(text, title);
}

QString MainWindow::AboutText() const {
    return QStringLiteral(
               "%1 %2\n\nCompiles a virtual airline's timetable (.KRX) into a route set.\n\n"
               "Licence: see the notices delivered with the program. The bundled data keep their own licences: the "
               "sample's airline list, navigation data and airport database, and the coastlines (the notices are "
               "under \"Show Details\").")
        .arg(QString::fromLatin1(ProgramName), QStringLiteral(TARNWELL_VERSION));
}

void MainWindow::ShowAbout() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("About Tarnwell"), AboutText(), QMessageBox::Ok, this);
    box.setDetailedText(Notices());
    box.exec();
}

void MainWindow::ShowMap(const QString& setName) {
    auto* map = new MapWindow(state_.ProgramFolder, setName.toStdString(), this);
    map->setWindowFlag(Qt::Window);
    map->setAttribute(Qt::WA_DeleteOnClose);
    map->resize(960, 700);
    map->show();
    map_ = map;
}

}  // namespace tarnwell::gui
