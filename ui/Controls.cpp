#include "ui/Controls.h"

#include "ui/widgets/GameFont.h"
#include "ui/widgets/SystemColors.h"

namespace Controls {

TShadowLabel *Label(QWidget *parent, const QRect &geometry, const QString &caption, TextStyle style,
                    TShadowLabel::TAlignment alignment)
{
    auto *label = new TShadowLabel(parent);
    label->setGeometry(geometry);
    int pixels = 15, shadow = 2;
    switch (style) {
    case TextStyle::Heading:
        break;
    case TextStyle::Name:
        pixels = 16;
        break;
    case TextStyle::Value:
        pixels = 19;
        shadow = 3;
        alignment = TShadowLabel::TAlignment::taCenter;
        break;
    case TextStyle::Status:
        pixels = 16;
        shadow = 3;
        alignment = TShadowLabel::TAlignment::taCenter;
        break;
    }
    label->setFont(GameFont(pixels, true));
    label->SetFontColor(clWhite);
    label->SetShadowColor(clBlack);
    label->SetShadowSize(shadow);
    label->SetShadowPos(TShadowLabel::TShadowPos::spBottomRight);
    label->SetTransparent(true);
    label->SetAlignment(alignment);
    label->SetCaption(caption);
    return label;
}

QWidget *Panel(QWidget *parent, const QColor &color)
{
    auto *panel = new QWidget(parent);
    if (color.isValid()) {
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, color);
        panel->setPalette(palette);
        panel->setAutoFillBackground(true);
    }
    return panel;
}

TOvalButton *Button(QWidget *parent, const QRect &geometry, const QString &caption,
                    const QColor &color, int fontPixels, bool bold, const QColor &fontColor)
{
    auto *button = new TOvalButton(parent);
    button->setGeometry(geometry);
    button->SetCaption(caption);
    button->SetColor(color);
    if (fontPixels > 0)
        button->setFont(GameFont(fontPixels, bold));
    if (fontColor.isValid())
        button->SetFontColor(fontColor);
    return button;
}

QStackedWidget *Notebook(QWidget *parent, int pages)
{
    auto *notebook = new QStackedWidget(parent);
    for (int i = 0; i < pages; ++i)
        notebook->addWidget(new QWidget(notebook));
    return notebook;
}

} // namespace Controls
