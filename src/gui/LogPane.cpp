#include "gui/LogPane.h"

#include <QFontDatabase>
#include <QTime>

namespace tarnwell::gui {

LogPane::LogPane(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("logPane"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setMinimumWidth(380);
    setMaximumBlockCount(20000);  // a long compile's progress texts come by the thousand
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void LogPane::Add(Kind kind, const QString& text) {
    QString mark;
    switch (kind) {
        case Kind::Status: break;
        case Kind::Warning: mark = QStringLiteral("warning: "); break;
        case Kind::Error: mark = QStringLiteral("error: "); break;
        case Kind::Note: mark = QStringLiteral("- "); break;
    }
    appendPlainText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("  ") + mark + text);
}

QStringList LogPane::Lines() const { return toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

}  // namespace tarnwell::gui
