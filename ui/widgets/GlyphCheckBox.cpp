#include "ui/widgets/GlyphCheckBox.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QImage &Glyph(bool checked, bool enabled)
{
    static const QImage glyphs[4] = {
        QImage(QStringLiteral(":/ui/check-disabled-off.png")),
        QImage(QStringLiteral(":/ui/check-disabled-on.png")),
        QImage(QStringLiteral(":/ui/check-off.png")),
        QImage(QStringLiteral(":/ui/check-on.png")),
    };
    return glyphs[(enabled ? 2 : 0) + (checked ? 1 : 0)];
}

} // namespace

TGlyphCheckBox::TGlyphCheckBox(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    resize(18, 18);
}

void TGlyphCheckBox::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    update();
    if (OnClick) {
        const TNotifyEvent handler = OnClick;
        handler(this);
    }
}

void TGlyphCheckBox::SetStyle(int style)
{
    style_ = style;
    update();
}

void TGlyphCheckBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isEnabled())
        tracking_ = true;
}

void TGlyphCheckBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !tracking_)
        return;
    tracking_ = false;
    if (rect().contains(event->pos()) && isEnabled())
        SetChecked(!checked_);
}

void TGlyphCheckBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && isEnabled()) {
        SetChecked(!checked_);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TGlyphCheckBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        tracking_ = false;
    QWidget::changeEvent(event);
    update();
}

void TGlyphCheckBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage &glyph = Glyph(checked_, isEnabled());
    painter.drawImage((width() - glyph.width()) / 2, (height() - glyph.height()) / 2, glyph);
}
