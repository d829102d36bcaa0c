#pragma once

// The player's display choices, kept between runs in the user's settings
// (QSettings, organisation "Tamsel", application "Tamsel Hotel"). Only a
// change is written: a player who never changes anything leaves no file.
#include <QString>

class TDisplaySettings
{
public:
    static bool HighContrast();
    static void SetHighContrast(bool on);
    // Keeps the choices in this INI file instead (tests); empty for the user's settings.
    static void UseFile(const QString &path);
};
