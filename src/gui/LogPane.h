#pragma once
// The log: every status text, warning and error of the work, each with the
// time it was shown, in a read-only text pane.

#include <QPlainTextEdit>
#include <QString>

namespace tarnwell::gui {

class LogPane : public QPlainTextEdit {
    Q_OBJECT
public:
    enum class Kind { Status, Warning, Error, Note };

    explicit LogPane(QWidget* parent = nullptr);

    // Appends "hh:mm:ss  text", warnings and errors marked as such.
    void Add(Kind kind, const QString& text);
    // The lines so far.
    QStringList Lines() const;
};

}  // namespace tarnwell::gui
