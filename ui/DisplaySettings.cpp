#include "ui/DisplaySettings.h"

#include <QSettings>

namespace {

const char *const kHighContrastKey = "display/highContrast";

QSettings UserSettings()
{
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
