#include "ui/DisplaySettings.h"

#include <QSettings>

namespace {

const char *const kHighContrastKey = "display/highContrast";

QString &SettingsFile()
{
    static QString file;
    return file;
}

QSettings UserSettings()
{
    if (!SettingsFile().isEmpty())
        return QSettings(SettingsFile(), QSettings::IniFormat);
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tamsel", "Tamsel Hotel");
}

} // namespace

bool TDisplaySettings::HighContrast()
{
    return UserSettings().value(kHighContrastKey, false).toBool();
}

void TDisplaySettings::SetHighContrast(bool on)
{
    UserSettings().setValue(kHighContrastKey, on);
}

void TDisplaySettings::UseFile(const QString &path)
{
    SettingsFile() = path;
}
