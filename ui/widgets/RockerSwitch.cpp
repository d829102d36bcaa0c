#include "ui/widgets/RockerSwitch.h"

#include "ui/widgets/SystemColors.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The disabled look: the picture in flat, light greys, its outline embossed
// with a highlight one pixel lower and to the right.
QImage Greyed(const QImage &source)
{
    const QImage picture = source.convertToFormat(QImage::Format_ARGB32);
    QImage result(picture.size(), QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    auto opaque = [&picture](int x, int y) {
        return x >= 0 && y >= 0 && x < picture.width() && y < picture.height() &&
               qAlpha(picture.pixel(x, y)) >= 128;
    };
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (opaque(x, y)) {
                const int grey = 96 + qGray(picture.pixel(x, y)) * 55 / 100;
                result.setPixel(x, y, qRgb(grey, grey, grey));
            } else if (opaque(x - 1, y - 1)) {
                result.setPixel(x, y, clBtnHighlight.rgb());
            }
        }
    }
    return result;
}

const QImage &SwitchPicture(bool on, bool enabled)
{
    static const QImage off(QStringLiteral(":/ui/switch-off.png"));
    static const QImage lit(QStringLiteral(":/ui/switch-on.png"));
    static const QImage offGreyed = Greyed(off);
    static const QImage litGreyed = Greyed(lit);
    if (enabled)
        return on ? lit : off;
    return on ? litGreyed : offGreyed;
}

} // namespace

TRockerSwitch::TRockerSwitch(QWidget *parent) : QWidget(parent)
{
    resize(32, 48);
}

void TRockerSwitch::SetStateOn(bool on)
{
    if (on == stateOn_)
        return;
    stateOn_ = on;
    update();
}

void TRockerSwitch::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    stateOn_ = !stateOn_;
    tracking_ = true;
    update();
}

void TRockerSwitch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !tracking_)
        return;
    tracking_ = false;
    if (rect().contains(event->pos()) && isEnabled() && OnClick) {
        const TNotifyEvent handler = OnClick;
        handler(this);
    }
}

void TRockerSwitch::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        tracking_ = false;
    QWidget::changeEvent(event);
    update();
}

void TRockerSwitch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage &picture = SwitchPicture(stateOn_, isEnabled());
    painter.drawImage((width() - picture.width()) / 2, (height() - picture.height()) / 2, picture);
}
