#pragma once

// The player's display choices, kept between runs in the user's settings
// (QSettings, organisation "Tamsel", application "Tamsel Hotel"). Only a
// change is written: a player who never changes anything leaves no file.
class TDisplaySettings
{
public:
    static bool HighContrast();
    static void SetHighContrast(bool on);
};
