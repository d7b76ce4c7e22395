#pragma once
// What a finished compile made: the route set's counts (routes, airports,
// airlines, plans by kind), the warnings, and where the set lies, with
// "Open folder" and "Show map".

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "examine/RouteSetCheck.h"

class QLabel;
class QPlainTextEdit;

namespace tarnwell::gui {

// The summary's text, line by line (also for the log).
QStringList SummaryLines(const RouteSetCheckResult& check);

class SummaryDialog : public QDialog {
    Q_OBJECT
public:
    SummaryDialog(const RouteSetCheckResult& check, const std::vector<std::string>& warnings,
                  const std::filesystem::path& folder, const QString& setName, QWidget* parent = nullptr);

    QString Text() const;
    QStringList Warnings() const;

signals:
    void mapRequested(const QString& setName);

private:
    QLabel* text_;
    QPlainTextEdit* warnings_;
};

}  // namespace tarnwell::gui
