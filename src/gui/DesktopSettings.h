#pragma once
// What the desktop program remembers between runs (QSettings): the program
// folder, the three text boxes, the last timetable folder and whether the
// log is shown. The program uses the user's settings; the tests an ini file
// of their own.

#include <QSettings>
#include <filesystem>
#include <optional>

#include "gui/MainFormWindow.h"

namespace tarnwell::gui {

class DesktopSettings {
public:
    explicit DesktopSettings(QSettings& settings) : settings_(settings) {}

    std::optional<std::filesystem::path> ProgramFolder() const;
    void SetProgramFolder(const std::filesystem::path& folder);
    // Nothing until texts have been remembered once.
    std::optional<FormTexts> Texts() const;
    void SetTexts(const FormTexts& texts);
    bool LogShown() const;
    void SetLogShown(bool shown);

    void Sync() { settings_.sync(); }

private:
    std::optional<std::filesystem::path> Path(const char* key) const;
    void SetPath(const char* key, const std::filesystem::path& path);

    QSettings& settings_;
};

}  // namespace tarnwell::gui
