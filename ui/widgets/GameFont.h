#pragma once

#include <QFont>
#include <QString>

// The one font of the game, Liberation Sans, loaded from its file rather than
// chosen by the font configuration, so that text looks the same on every
// machine. Sizes are pixel heights, the unit of the window layouts.

// Registers the regular and bold faces with the application; call once after
// QApplication exists (GameFont calls it too). True when both faces loaded;
// otherwise GameFont falls back to the system's sans font.
bool LoadGameFont();

// The family name the game's text is drawn in.
QString GameFontFamily();

// The game font at the given pixel size, with fixed hinting and grey-scale
// anti-aliasing.
QFont GameFont(int pixelSize, bool bold = false);
