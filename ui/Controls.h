#pragma once

#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"

#include <QColor>
#include <QRect>
#include <QStackedWidget>
#include <QString>
#include <QWidget>

// Small builders for the controls of the main window, so that each control
// is made in one line with the position, size, font and colours it is laid
// out with.
namespace Controls {

// The text styles of the play screen: bold clWhite with a clBlack shadow
// toward the lower right, transparent.
enum class TextStyle
{
    Heading, // 15 px, 2-pixel shadow
    Name,    // 16 px, 2-pixel shadow
    Value,   // 19 px, 3-pixel shadow, centred
    Status,  // 16 px, 3-pixel shadow, centred
};

TShadowLabel *Label(QWidget *parent, const QRect &geometry, const QString &caption, TextStyle style,
                    TShadowLabel::TAlignment alignment = TShadowLabel::TAlignment::taLeftJustify);

// A plain container filled with a colour (an invalid colour leaves the parent's).
QWidget *Panel(QWidget *parent, const QColor &color = {});

TOvalButton *Button(QWidget *parent, const QRect &geometry, const QString &caption,
                    const QColor &color, int fontPixels = 0, bool bold = false,
                    const QColor &fontColor = {});

// A page control switched by page number; its pages are plain containers.
QStackedWidget *Notebook(QWidget *parent, int pages);

} // namespace Controls
