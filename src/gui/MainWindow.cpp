#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "compile/CompileRequest.h"
#include "compile/ProgramState.h"
#include "examine/RouteSetCheck.h"

namespace tarnwell::gui {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

MainWindow::MainWindow(ProgramState& state, WindowServices& services, QSettings& settings)
    : QMainWindow(nullptr), state_(state), services_(services), settings_(settings) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QString::fromLatin1(ProgramName));
    form_ = new MainFormWindow(state, services);
    setCentralWidget(form_);

    log_ = new LogPane(this);
    logDock_ = new QDockWidget(QStringLiteral("Log"), this);
    logDock_->setObjectName(QStringLiteral("logDock"));
    logDock_->setWidget(log_);
    logDock_->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::RightDockWidgetArea, logDock_);
    logDock_->setVisible(settings_.LogShown());

    MakeStatusBar();
    MakeMenus();

    if (const auto texts = settings_.Texts()) form_->SetTexts(*texts);
    settings_.SetProgramFolder(state_.ProgramFolder);

    connect(form_, &MainFormWindow::statusShown, this, [this](const QString& s) { log_->Add(LogPane::Kind::Status, s); });
    connect(form_, &MainFormWindow::workWarned, this, [this](const QString& s) { log_->Add(LogPane::Kind::Warning, s); });
    connect(form_, &MainFormWindow::workCounted, this, [this](const QString& line, int percent) {
        progress_->setValue(percent);
        // The bar shows the percent; beside it the time left, the whole line in the tooltips.
        const qsizetype estimate = line.indexOf(QStringLiteral("), "));
        timeLeft_->setText(estimate < 0 ? QString() : line.mid(estimate + 3));
        timeLeft_->setToolTip(line);
        progress_->setToolTip(line);
    });
    connect(this, &MainWindow::mapRequested, this, &MainWindow::ShowMap);
    connect(form_, &MainFormWindow::workStarted, this, &MainWindow::WorkStarted);
    connect(form_, &MainFormWindow::workEnded, this, &MainWindow::WorkEnded);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancel_->setEnabled(false);
        log_->Add(LogPane::Kind::Note, QStringLiteral("Cancel: stopping at the next progress point"));
        form_->CancelWork();
    });
    log_->Add(LogPane::Kind::Note,
              QStringLiteral("Program folder: ") + QString::fromStdU16String(state_.ProgramFolder.u16string()));
    form_->SetInitialFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::MakeStatusBar() {
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progressBar"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setMaximumWidth(110);
    timeLeft_ = new QLabel(this);
    timeLeft_->setObjectName(QStringLiteral("timeLeft"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    cancel_->setEnabled(false);
    cancel_->setAutoDefault(false);
    cancel_->setToolTip(QStringLiteral("Stops the work; every file stays as it was before it began"));
    statusBar()->addWidget(timeLeft_, 1);
    statusBar()->addPermanentWidget(progress_);
    statusBar()->addPermanentWidget(cancel_);
    statusBar()->setSizeGripEnabled(false);
}

void MainWindow::MakeMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    workActions_ << file->addAction(QStringLiteral("&Open Program Folder…"), this, &MainWindow::OpenProgramFolder);
    workActions_ << file->addAction(QStringLiteral("&Import Navigation Data…"), this, &MainWindow::ImportNavigationData);
    file->addSeparator();
    workActions_ << file->addAction(QStringLiteral("&Check Route Set"), this, &MainWindow::CheckRouteSet);
    QAction* map = file->addAction(QStringLiteral("Show &Map"), this,
                                   [this] { emit mapRequested(form_->Texts().setName); });
    map->setObjectName(QStringLiteral("showMapAction"));
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("&Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* showLog = logDock_->toggleViewAction();
    showLog->setText(QStringLiteral("&Log"));
    showLog->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    view->addAction(showLog);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About Tarnwell"), this, &MainWindow::ShowAbout);
}

void MainWindow::SetWorkActionsEnabled(bool enabled) {
    for (QAction* action : workActions_) action->setEnabled(enabled);
}

void MainWindow::WorkStarted(WorkKind) {
    Remember();
    delete summary_.data();  // it told of the route set this work may replace
    progress_->setValue(0);
    timeLeft_->clear();
    cancel_->setEnabled(true);
    SetWorkActionsEnabled(false);
}

QString MainWindow::FailureText(const WorkResult& result) {
    const char* what = result.kind == WorkKind::Compile ? "The compile" : result.kind == WorkKind::Merge
                                                                              ? "The merge"
                                                                              : "The import of the navigation data";
    return QStringLiteral("%1 failed at \"%2\".\n\n%3")
        .arg(QString::fromLatin1(what), Text(result.outcome.failedStatus), Text(result.outcome.reason));
}

void MainWindow::WorkEnded(const WorkResult& result) {
    cancel_->setEnabled(false);
    SetWorkActionsEnabled(true);
    const CompileOutcome& outcome = result.outcome;
    switch (outcome.result) {
        case CompileOutcome::Result::Finished:
            progress_->setValue(100);
            if (result.kind == WorkKind::Compile) ShowSummary(result);
            break;
        case CompileOutcome::Result::Cancelled:
            if (outcome.stoppedByUser) {
                timeLeft_->setText(QString::fromLatin1(CancelledStatus));
                log_->Add(LogPane::Kind::Note, QStringLiteral("Cancelled at \"%1\"; every file is as it was before")
                                                   .arg(Text(outcome.failedStatus)));
                if (!outcome.reason.empty())
                    log_->Add(LogPane::Kind::Error, Text(outcome.reason));
            }
            break;
        case CompileOutcome::Result::Failed:
            // A refusal before anything ran has had its own message box.
            if (outcome.failedStatus.empty() && result.kind == WorkKind::Compile) {
                log_->Add(LogPane::Kind::Error, Text(outcome.reason));
                break;
            }
            log_->Add(LogPane::Kind::Error, FailureText(result).replace(QStringLiteral("\n\n"), QStringLiteral(" ")));
            services_.Message(FailureText(result), QString::fromLatin1(ProgramName));
            break;
    }
}

void MainWindow::ShowSummary(const WorkResult& result) {
    const RouteSetCheckResult check = tarnwell::CheckRouteSet(state_.ProgramFolder, result.setName);
    for (const QString& line : SummaryLines(check)) log_->Add(LogPane::Kind::Note, line);
    delete summary_.data();
    summary_ = new SummaryDialog(check, result.warnings, RouteSetFolder(state_.ProgramFolder, result.setName),
                                 Text(result.setName), this);
    summary_->setAttribute(Qt::WA_DeleteOnClose);
    connect(summary_, &SummaryDialog::mapRequested, this, &MainWindow::mapRequested);
    summary_->show();
}

void MainWindow::Remember() {
    settings_.SetTexts(form_->Texts());
    settings_.SetLogShown(!logDock_->isHidden());
    settings_.Sync();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!form_->MayClose()) {
        event->ignore();
        return;
    }
    Remember();
    delete summary_.data();
    event->accept();
}

}  // namespace tarnwell::gui
