#include "gui/SummaryDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tarnwell::gui {

namespace {

QString Count(std::int64_t n) { return QLocale(QLocale::English).toString(static_cast<qlonglong>(n)); }

}  // namespace

QStringList SummaryLines(const RouteSetCheckResult& check) {
    const RouteSetSummary& s = check.summary;
    QStringList lines = {
        QStringLiteral("Routes: ") + Count(s.routes),
        QStringLiteral("Airports: ") + Count(s.airports) +
            (s.airportsWithoutRunways ? QStringLiteral(" (%1 without runway data)").arg(Count(s.airportsWithoutRunways))
                                      : QString()),
        QStringLiteral("Airlines: ") + Count(s.airlines),
        QStringLiteral("Flight plans: %1 (airway %2, point-to-point %3, empty %4)")
            .arg(Count(s.plans), Count(s.airwayPlans), Count(s.pointToPointPlans), Count(s.emptyPlans)),
    };
    if (!check.problems.empty())
        lines << QStringLiteral("Problems found by the check: ") + Count(static_cast<std::int64_t>(check.problems.size()));
    return lines;
}

SummaryDialog::SummaryDialog(const RouteSetCheckResult& check, const std::vector<std::string>& warnings,
                             const std::filesystem::path& folder, const QString& setName, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("summaryDialog"));
    setWindowTitle(QStringLiteral("Compile finished"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("The route set \"%1\" is in\n%2")
                                   .arg(setName, QString::fromStdU16String(folder.u16string())),
                               this);
    heading->setObjectName(QStringLiteral("summaryFolder"));
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(heading);
    text_ = new QLabel(SummaryLines(check).join(QLatin1Char('\n')), this);
    text_->setObjectName(QStringLiteral("summaryText"));
    layout->addWidget(text_);
    auto* warningsHeading = new QLabel(
        warnings.empty() ? QStringLiteral("No warnings.") : QStringLiteral("Warnings: %1").arg(warnings.size()), this);
    layout->addWidget(warningsHeading);
    warnings_ = new QPlainTextEdit(this);
    warnings_->setObjectName(QStringLiteral("summaryWarnings"));
    warnings_->setReadOnly(true);
    for (const std::string& w : warnings) warnings_->appendPlainText(QString::fromStdString(w));
    warnings_->setVisible(!warnings.empty());
    layout->addWidget(warnings_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* open = buttons->addButton(QStringLiteral("Open folder"), QDialogButtonBox::ActionRole);
    open->setObjectName(QStringLiteral("openFolder"));
    QPushButton* map = buttons->addButton(QStringLiteral("Show map"), QDialogButtonBox::ActionRole);
    map->setObjectName(QStringLiteral("showMap"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(open, &QPushButton::clicked, this, [folder] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdU16String(folder.u16string())));
    });
    connect(map, &QPushButton::clicked, this, [this, setName] { emit mapRequested(setName); });
}

QString SummaryDialog::Text() const { return text_->text(); }

QStringList SummaryDialog::Warnings() const {
    return warnings_->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace tarnwell::gui
