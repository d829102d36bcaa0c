#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

// The pictures of the windows and controls, built into the program.

// The message window's board, 410 x 400, its background pure blue.
QImage MessagePicture();
// The cursor of the scene while a building tool is chosen: an arrow with its
// hot spot at the top-left pixel above a stack of three pages.
QCursor MultiDragCursor();
// The program's icon at 16, 24, 32, 48, 64, 128 and 256 pixels.
QIcon WindowIcon();
