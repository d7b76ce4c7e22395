// The work as the main window around the form shows it: the progress bar and
// Cancel, the log, the failure box and the summary of a finished compile.

#include <QApplication>
#include <QDockWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QSignalSpy>

#include "DesktopTest.h"
#include "examine/RouteSetCheck.h"
#include "records/RecordLayouts.h"

namespace tarnwell::gui::testing {

namespace {

const char* const SetName = "Tarnwell Air (Leeds)";
constexpr const char* PlansWork = "Creating Flight Plans";

// At the count of plans half done, runs `atHalf` on the window's thread
// while the work waits.
void AtHalfOfThePlans(MainFormWindow& form, QObject& context, std::function<void()> atHalf) {
    form.SetCountHook([&context, atHalf = std::move(atHalf)](std::string_view work, std::int64_t done,
                                                             std::int64_t total) {
        if (work == PlansWork && done == total / 2)
            QMetaObject::invokeMethod(&context, atHalf, Qt::BlockingQueuedConnection);
    });
}

bool LogHas(const LogPane& log, const QString& text) {
    const QStringList lines = log.Lines();
    return std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(text); });
}

}  // namespace

void DesktopTest::compileFillsTheProgressBarAndSumsUpTheRouteSet() {
    QProgressBar& bar = window_->ProgressBar();
    QList<int> values;
    connect(&bar, &QProgressBar::valueChanged, this, [&](int v) { values << v; });
    bool cancelEnabledAtWork = false;
    services_->onAsk = [&] { cancelEnabledAtWork = window_->CancelButton().isEnabled(); };
    services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
    RunWork("Command1");
    QVERIFY(cancelEnabledAtWork && !window_->CancelButton().isEnabled());
    QCOMPARE(bar.value(), 100);
    QVERIFY(values.size() > 3);  // it went up in steps
    QVERIFY(LogHas(window_->Log(), "Creating Flight Plans") && LogHas(window_->Log(), "Finished!"));

    // The summary counts what the route set's files hold.
    SummaryDialog* summary = window_->Summary();
    QVERIFY(summary && summary->isVisible());
    const fs::path set = folder_->Data() / SetName;
    const RouteSetSummary s = CheckRouteSet(folder_->Root(), SetName).summary;
    QCOMPARE(s.routes, static_cast<std::int64_t>(fs::file_size(set / "routes.kr1") / RouteRecordLength));
    QCOMPARE(s.airports, static_cast<std::int64_t>(fs::file_size(set / "index.kr1") / IndexRecordLength));
    QCOMPARE(s.airwayPlans + s.pointToPointPlans + s.emptyPlans, s.plans);
    const QString text = summary->Text();
    for (const QString& line :
         {QStringLiteral("Routes: %1").arg(s.routes), QStringLiteral("Airports: %1").arg(s.airports),
          QStringLiteral("Airlines: 1"),
          QStringLiteral("Flight plans: %1 (airway %2, point-to-point %3, empty %4)")
              .arg(s.plans).arg(s.airwayPlans).arg(s.pointToPointPlans).arg(s.emptyPlans)})
        QVERIFY2(text.contains(line), qPrintable(text + " lacks " + line));
    QVERIFY(summary->Warnings().isEmpty());
    QVERIFY(Child<QLabel>(*summary, "summaryFolder").text().contains(QString::fromLatin1(SetName)));

    QSignalSpy map(window_.get(), &MainWindow::mapRequested);
    QTest::mouseClick(&Child<QPushButton>(*summary, "showMap"), Qt::LeftButton);
    QCOMPARE(map.value(0).value(0).toString(), QString::fromLatin1(SetName));
    // It opens the set's map in a window of its own.
    QVERIFY(window_->Map() && window_->Map()->isWindow() && window_->Map()->isVisible());
    QVERIFY2(window_->Map()->Failure().isEmpty(), qPrintable(window_->Map()->Failure()));
    QVERIFY(window_->Map()->CityPairs()->count() > 0);
}

// Cancel clicked while the plans are built, and while the merge waits for its
// timetable: the work stops and every file is as it was.
void DesktopTest::cancelLeavesEveryFileAsItWas() {
    services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
    RunWork("Command1");
    AirlineFormWindow& picker = OpenPicker();
    picker.RealList().setCurrentItem(picker.RealList().findItems("easyJet", Qt::MatchExactly).value(0));
    QTest::mouseClick(&Child<QPushButton>(picker, "AddAirline"), Qt::LeftButton);
    RunWork("Command2");
    QVERIFY(fs::exists(folder_->AddFile()));
    const auto before = FolderContents();

    bool cancelled = false;
    AtHalfOfThePlans(Form(), *this, [&] {
        QVERIFY(window_->CancelButton().isEnabled());
        QTest::mouseClick(&window_->CancelButton(), Qt::LeftButton);
        cancelled = true;
    });
    services_->beeps = 0;
    RunWork("Command1");
    QVERIFY(cancelled);
    QCOMPARE(Status().text(), QString::fromLatin1(CancelledStatus));
    QVERIFY(FolderContents() == before);
    QVERIFY(window_->Summary() == nullptr && services_->beeps == 0);
    QVERIFY(LogHas(window_->Log(), "Cancelled at \"Creating Flight Plans\""));

    Form().SetCountHook({});
    services_->onAsk = [&] { QTest::mouseClick(&window_->CancelButton(), Qt::LeftButton); };
    RunWork("Command2");
    QCOMPARE(Status().text(), QString::fromLatin1(CancelledStatus));
    QVERIFY(FolderContents() == before);

    // Cancel is for running work only; the next compile runs to its end.
    services_->onAsk = nullptr;
    QVERIFY(!window_->CancelButton().isEnabled());
    RunWork("Command1");
    QCOMPARE(Status().text(), QStringLiteral("Finished!"));
}

void DesktopTest::failureBoxNamesTheStepAndTheReason() {
    services_->fileToChoose = folder_->Write("Bad.KRX", "LHR,CDG,EGLL,LFPG,TWL,abc\r\n");
    RunWork("Command1");
    const QString box = services_->messages.value(1);
    QVERIFY2(box.startsWith("Tarnwell: The compile failed at \"Getting VA Data\".\n\n") && box.contains("Bad.KRX") &&
                 box.contains("line 1"),
             qPrintable(box));
    QVERIFY(LogHas(window_->Log(), "error: The compile failed at \"Getting VA Data\""));
    QVERIFY(window_->Summary() == nullptr);
}

// The main window part way through a compile, after a failure with its log,
// and the summary of a finished compile, as the README shows them.
void DesktopTest::rendersWorkInProgressFailureAndSummary() {
    fs::create_directories(TARNWELL_SCREENSHOT_DIR);
    const QString folder = QString::fromLatin1(TARNWELL_SCREENSHOT_DIR);
    window_->LogDock().show();
    bool saved = false;
    AtHalfOfThePlans(Form(), *this, [&] {
        QApplication::processEvents();
        window_->Log().moveCursor(QTextCursor::End);
        window_->Log().ensureCursorVisible();
        saved = window_->grab().save(folder + "/main-window-working.png");
    });
    services_->fileToChoose = folder_->Root() / "VirtualAir.KRX";
    RunWork("Command1");
    QVERIFY(saved);
    QVERIFY(window_->Summary() && window_->Summary()->grab().save(folder + "/compile-summary.png"));
    window_->Summary()->close();

    Form().SetCountHook({});
    services_->fileToChoose = folder_->Write("Bad.KRX", "LHR,CDG,EGLL,LFPG,TWL,abc\r\n");
    RunWork("Command1");
    QVERIFY(window_->grab().save(folder + "/main-window-failed.png"));
    // The failure's message box as the program shows it.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tarnwell"),
                    services_->messages.last().mid(QStringLiteral("Tarnwell: ").size()), QMessageBox::Ok);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box) && box.grab().save(folder + "/failure-box.png"));
}

}  // namespace tarnwell::gui::testing
