#pragma once

#include <QColor>

class QWidget;

// The colours the game's controls paint with. The standard scheme is the
// game's own look. The high-contrast scheme, chosen per top-level window,
// darkens the grey panels to black and changes only the colours that would
// be hard to read there, each for one of the same meaning: the maroon of
// the worst levels and of a broken room becomes a light red, text in the
// window's default black becomes white, and the button faces under light
// captions are darkened (or lightened under dark ones). Red stays red for
// bad and lime stays lime for good. Boxes and the message window keep the
// standard scheme; they have light faces of their own.
class TColorScheme
{
public:
    // Whether the window of this widget shows the high-contrast scheme.
    static bool HighContrast(const QWidget *widget);
    // Switches the scheme of a top-level window: its grey panels turn black
    // (and back), and everything repaints.
    static void SetHighContrast(QWidget *window, bool on);

    // Text of a label on a panel.
    static QColor LabelText(const QColor &color, bool highContrast);
    // The background of a panel, a page or the hotel list.
    static QColor PanelFill(const QColor &color, bool highContrast);
    // The face of an oval button and its caption.
    static QColor ButtonFace(const QColor &color, bool highContrast);
    static QColor ButtonCaption(const QColor &color, bool highContrast);
};
