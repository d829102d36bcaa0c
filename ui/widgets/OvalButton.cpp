#include "ui/widgets/OvalButton.h"

#include "ui/widgets/ColorScheme.h"
#include "ui/widgets/SystemColors.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRadialGradient>
#include <algorithm>

namespace {

QColor Mix(const QColor &from, const QColor &to, double amount)
{
    auto channel = [amount](int a, int b) { return int(a + (b - a) * amount + 0.5); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

// A ball lit from the upper left: a near-white highlight, the colour itself,
// a darker rim. The gradient is laid over the oval's bounding box, so a wide
// button is shaded as a flattened ball rather than cut from a round one.
QRadialGradient BallShading(const QColor &color, bool inverted)
{
    const QPointF light = inverted ? QPointF(0.66, 0.72) : QPointF(0.34, 0.28);
    QRadialGradient gradient(QPointF(0.5, 0.5), 0.56, light);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0.0, Mix(color, clWhite, 0.9));
    gradient.setColorAt(0.4, Mix(color, clWhite, 0.3));
    gradient.setColorAt(0.75, color);
    gradient.setColorAt(1.0, Mix(color, clBlack, 0.5));
    return gradient;
}

} // namespace

TOvalButton::TOvalButton(QWidget *parent) : QWidget(parent), color_(clWhite)
{
    resize(100, 40);
    setMask(QRegion(rect(), QRegion::Ellipse));
}

void TOvalButton::SetCaption(const QStringList &lines)
{
    caption_ = lines;
    update();
}

void TOvalButton::SetCaption(const QString &text)
{
    SetCaption(text.split(QLatin1Char('\n')));
}

void TOvalButton::SetColor(const QColor &color)
{
    color_ = color;
    update();
}

void TOvalButton::SetFontColor(const QColor &color)
{
    fontColor_ = color;
    update();
}

void TOvalButton::SetGroupIndex(int index)
{
    groupIndex_ = index;
    if (groupIndex_ == 0)
        down_ = false;
    update();
}

void TOvalButton::SetDown(bool down)
{
    if (groupIndex_ == 0 || down == down_)
        return;
    down_ = down;
    if (down_)
        ReleaseOthersOfGroup();
    update();
}

void TOvalButton::SetAllowAllUp(bool allow)
{
    allowAllUp_ = allow;
}

bool TOvalButton::LooksPressed() const
{
    return down_ || (tracking_ && mouseInside_);
}

void TOvalButton::ReleaseOthersOfGroup()
{
    if (!parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<TOvalButton *>(Qt::FindDirectChildrenOnly);
    for (TOvalButton *other : siblings) {
        if (other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->update();
        }
    }
}

bool TOvalButton::OverEllipse(const QPoint &point) const
{
    return QRegion(rect(), QRegion::Ellipse).contains(point);
}

void TOvalButton::resizeEvent(QResizeEvent *)
{
    setMask(QRegion(rect(), QRegion::Ellipse));
}

void TOvalButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled() || !OverEllipse(event->pos()))
        return;
    tracking_ = true;
    mouseInside_ = true;
    update();
}

void TOvalButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!tracking_)
        return;
    const bool inside = OverEllipse(event->pos());
    if (inside != mouseInside_) {
        mouseInside_ = inside;
        update();
    }
}

void TOvalButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !tracking_)
        return;
    tracking_ = false;
    mouseInside_ = false;
    update();
    if (!OverEllipse(event->pos()))
        return;
    // The handler may hide, disable or even free the button.
    QPointer<TOvalButton> self(this);
    if (isEnabled() && OnClick) {
        const TNotifyEvent handler = OnClick;
        handler(this);
    }
    if (!self || groupIndex_ == 0)
        return;
    if (!down_) {
        down_ = true;
        ReleaseOthersOfGroup();
    } else if (allowAllUp_) {
        down_ = false;
    }
    update();
}

void TOvalButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        tracking_ = false;
        mouseInside_ = false;
    }
    QWidget::changeEvent(event);
    update();
}

void TOvalButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF oval = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool pressed = LooksPressed();
    const bool highContrast = TColorScheme::HighContrast(this);
    const QColor face = TColorScheme::ButtonFace(color_, highContrast);

    painter.setPen(QPen(Mix(face, clBlack, 0.6), 1.0));
    painter.setBrush(BallShading(face, false));
    painter.drawEllipse(oval);
    if (pressed) {
        // The inner oval is lit from the opposite side, so it looks pushed in.
        const qreal inset = std::max<qreal>(2.0, std::min(oval.width(), oval.height()) * 0.08);
        const QRectF inner = oval.adjusted(inset, inset, -inset, -inset);
        painter.setPen(QPen(Mix(face, clBlack, 0.5), 1.0));
        painter.setBrush(BallShading(Mix(face, clBlack, 0.15), true));
        painter.drawEllipse(inner);
    }

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int lineHeight = metrics.height();
    const int textHeight = lineHeight * int(caption_.size());
    const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);
    int top = (height() - textHeight) / 2;
    for (const QString &line : caption_) {
        const QRect lineRect = QRect(0, top, width(), lineHeight).translated(shift);
        if (isEnabled()) {
            painter.setPen(TColorScheme::ButtonCaption(
                fontColor_.isValid() ? fontColor_ : palette().color(QPalette::WindowText),
                highContrast));
            painter.drawText(lineRect, Qt::AlignCenter | Qt::TextSingleLine, line);
        } else {
            painter.setPen(clBtnHighlight);
            painter.drawText(lineRect.translated(1, 1), Qt::AlignCenter | Qt::TextSingleLine, line);
            painter.setPen(clBtnShadow);
            painter.drawText(lineRect, Qt::AlignCenter | Qt::TextSingleLine, line);
        }
        top += lineHeight;
    }
}
