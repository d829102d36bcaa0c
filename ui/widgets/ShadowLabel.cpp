#include "ui/widgets/ShadowLabel.h"

#include "ui/widgets/ColorScheme.h"
#include "ui/widgets/SystemColors.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <climits>

TShadowLabel::TShadowLabel(QWidget *parent) : QWidget(parent), shadowColor_(clBtnHighlight) {}

void TShadowLabel::SetCaption(const QString &caption)
{
    caption_ = caption;
    AdjustSize();
    update();
}

void TShadowLabel::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    update();
}

void TShadowLabel::SetLayout(TTextLayout layout)
{
    layout_ = layout;
    update();
}

void TShadowLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    AdjustSize();
}

void TShadowLabel::SetWordWrap(bool wrap)
{
    wordWrap_ = wrap;
    AdjustSize();
    update();
}

void TShadowLabel::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    update();
}

void TShadowLabel::SetColor(const QColor &color)
{
    color_ = color;
    update();
}

void TShadowLabel::SetFontColor(const QColor &color)
{
    fontColor_ = color;
    update();
}

void TShadowLabel::SetShadowColor(const QColor &color)
{
    shadowColor_ = color;
    update();
}

void TShadowLabel::SetShadowSize(int size)
{
    shadowSize_ = size;
    AdjustSize();
    update();
}

void TShadowLabel::SetShadowPos(TShadowPos pos)
{
    shadowPos_ = pos;
    update();
}

int TShadowLabel::TextFlags() const
{
    int flags = 0;
    switch (alignment_) {
    case TAlignment::taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case TAlignment::taCenter:
        flags |= Qt::AlignHCenter;
        break;
    case TAlignment::taRightJustify:
        flags |= Qt::AlignRight;
        break;
    }
    if (wordWrap_)
        flags |= Qt::TextWordWrap;
    return flags;
}

QPoint TShadowLabel::ShadowOffset() const
{
    switch (shadowPos_) {
    case TShadowPos::spTopLeft:
        return {-shadowSize_, -shadowSize_};
    case TShadowPos::spTopRight:
        return {shadowSize_, -shadowSize_};
    case TShadowPos::spBottomLeft:
        return {-shadowSize_, shadowSize_};
    case TShadowPos::spBottomRight:
        return {shadowSize_, shadowSize_};
    }
    return {};
}

QRect TShadowLabel::TextRect() const
{
    const QFontMetrics metrics(font());
    const int flags = TextFlags();
    const QRect extent = metrics.boundingRect(rect(), flags, caption_);
    int top = 0;
    // Text taller than the label shows from its first line; the rest is clipped.
    if (extent.height() < height()) {
        if (layout_ == TTextLayout::tlCenter)
            top = (height() - extent.height()) / 2;
        else if (layout_ == TTextLayout::tlBottom)
            top = height() - extent.height();
    }
    return QRect(extent.left(), top, extent.width(), extent.height());
}

void TShadowLabel::AdjustSize()
{
    if (!autoSize_)
        return;
    const QFontMetrics metrics(font());
    const int flags = TextFlags();
    const QRect bounds =
        wordWrap_ ? QRect(0, 0, width(), INT_MAX / 2) : QRect(0, 0, INT_MAX / 2, INT_MAX / 2);
    const QRect extent = metrics.boundingRect(bounds, flags & ~Qt::AlignHorizontal_Mask, caption_);
    const int textHeight = std::max(extent.height(), metrics.height()) + shadowSize_;
    QRect frame = geometry();
    if (wordWrap_) {
        frame.setHeight(textHeight);
    } else {
        const int textWidth = extent.width() + shadowSize_;
        if (alignment_ == TAlignment::taRightJustify)
            frame.setLeft(frame.right() + 1 - textWidth);
        else if (alignment_ == TAlignment::taCenter)
            frame.moveLeft(frame.left() + (frame.width() - textWidth) / 2);
        frame.setWidth(textWidth);
        frame.setHeight(textHeight);
    }
    setGeometry(frame);
}

void TShadowLabel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustSize();
    update();
}

void TShadowLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setClipRect(rect());
    if (!transparent_)
        painter.fillRect(rect(), TColorScheme::PanelFill(
                                     color_.isValid() ? color_ : palette().color(backgroundRole()),
                                     TColorScheme::HighContrast(this)));
    if (caption_.isEmpty())
        return;
    painter.setFont(font());
    // The text rectangle has the label's width, so the horizontal alignment
    // still places each line; only the vertical place is fixed here.
    const QRect textRect = TextRect();
    const QRect lineBox(0, textRect.top(), width(), textRect.height());
    const int flags = TextFlags() | Qt::AlignTop;
    if (shadowSize_ != 0) {
        painter.setPen(shadowColor_);
        painter.drawText(lineBox.translated(ShadowOffset()), flags, caption_);
    }
    painter.setPen(TColorScheme::LabelText(
        fontColor_.isValid() ? fontColor_ : palette().color(QPalette::WindowText),
        TColorScheme::HighContrast(this)));
    painter.drawText(lineBox, flags, caption_);
}
