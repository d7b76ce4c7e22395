#include "gui/DesktopSettings.h"

namespace tarnwell::gui {

namespace fs = std::filesystem;

namespace {

constexpr const char* ProgramFolderKey = "programFolder";
constexpr const char* IataKey = "form/airlineIATA";
constexpr const char* NameKey = "form/airlineNAME";
constexpr const char* SetNameKey = "form/setName";
constexpr const char* LogShownKey = "view/logShown";

QString Key(const char* key) { return QString::fromLatin1(key); }

}  // namespace

std::optional<fs::path> DesktopSettings::Path(const char* key) const {
    const QString value = settings_.value(Key(key)).toString();
    if (value.isEmpty()) return std::nullopt;
    return fs::path(value.toStdU16String());
}

void DesktopSettings::SetPath(const char* key, const fs::path& path) {
    settings_.setValue(Key(key), QString::fromStdU16String(path.u16string()));
}

std::optional<fs::path> DesktopSettings::ProgramFolder() const { return Path(ProgramFolderKey); }
void DesktopSettings::SetProgramFolder(const fs::path& folder) { SetPath(ProgramFolderKey, folder); }

std::optional<FormTexts> DesktopSettings::Texts() const {
    if (!settings_.contains(Key(SetNameKey))) return std::nullopt;
    return FormTexts{settings_.value(Key(IataKey)).toString(), settings_.value(Key(NameKey)).toString(),
                     settings_.value(Key(SetNameKey)).toString()};
}

void DesktopSettings::SetTexts(const FormTexts& texts) {
    settings_.setValue(Key(IataKey), texts.airlineIATA);
    settings_.setValue(Key(NameKey), texts.airlineNAME);
    settings_.setValue(Key(SetNameKey), texts.setName);
}

bool DesktopSettings::LogShown() const { return settings_.value(Key(LogShownKey), false).toBool(); }
void DesktopSettings::SetLogShown(bool shown) { settings_.setValue(Key(LogShownKey), shown); }

}  // namespace tarnwell::gui
