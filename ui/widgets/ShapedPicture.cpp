#include "ui/widgets/ShapedPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVector>
#include <QWindow>

namespace {

struct Run
{
    int left;
    int right; // exclusive
    bool operator==(const Run &other) const = default;
};

} // namespace

TShapedPicture::TShapedPicture(QWidget *parent) : QWidget(parent) {}

QRegion TShapedPicture::PictureRegion(const QImage &picture, const QPoint &offset)
{
    if (picture.isNull())
        return {};
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb background = image.pixel(0, 0);

    // Rows with the same runs as the row above extend its rectangles instead of
    // starting new ones, which gives the region's own banded form directly.
    QVector<QRect> rects;
    QVector<Run> band;
    int bandTop = 0;
    auto closeBand = [&](int bottom) {
        for (const Run &run : band)
            rects.append(QRect(run.left + offset.x(), bandTop + offset.y(), run.right - run.left,
                               bottom - bandTop));
    };
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QVector<Run> runs;
        for (int x = 0; x < image.width();) {
            if (line[x] == background) {
                ++x;
                continue;
            }
            const int left = x;
            while (x < image.width() && line[x] != background)
                ++x;
            runs.append({left, x});
        }
        if (runs != band) {
            closeBand(y);
            band = runs;
            bandTop = y;
        }
    }
    closeBand(image.height());

    QRegion region;
    if (!rects.isEmpty())
        region.setRects(rects.constData(), int(rects.size()));
    return region;
}

void TShapedPicture::SetPicture(const QImage &picture)
{
    picture_ = picture;
    if (autoSize_ && !picture_.isNull())
        resize(picture_.size());
    if (active_)
        ApplyShape();
    update();
}

void TShapedPicture::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (autoSize_ && !picture_.isNull())
        resize(picture_.size());
}

void TShapedPicture::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    if (active_)
        ApplyShape();
    else
        RemoveShape();
}

void TShapedPicture::ApplyShape()
{
    QWidget *target = window();
    if (!shaped_) {
        formerFlags_ = target->windowFlags();
        shaped_ = true;
        if (target->isWindow() && !(formerFlags_ & Qt::FramelessWindowHint)) {
            // A new frame makes the window system create the window anew.
            const bool visible = target->isVisible();
            target->setWindowFlags(formerFlags_ | Qt::FramelessWindowHint);
            if (visible)
                target->show();
        }
    }
    target->setMask(PictureRegion(picture_, mapTo(target, QPoint(0, 0))));
}

void TShapedPicture::RemoveShape()
{
    if (!shaped_)
        return;
    shaped_ = false;
    QWidget *target = window();
    target->clearMask();
    if (target->isWindow() && target->windowFlags() != formerFlags_) {
        const bool visible = target->isVisible();
        target->setWindowFlags(formerFlags_);
        if (visible)
            target->show();
    }
}

void TShapedPicture::moveEvent(QMoveEvent *)
{
    if (shaped_ && window() != this)
        ApplyShape();
}

bool TShapedPicture::StartsMove(const QPoint &point) const
{
    if (alwaysMove_)
        return true;
    if (!captionColor_.isValid() || !picture_.valid(point))
        return false;
    return (picture_.pixel(point) & RGB_MASK) == (captionColor_.rgb() & RGB_MASK);
}

void TShapedPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !StartsMove(event->pos())) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The window manager moves the window as by its title bar where it can;
    // otherwise the window follows the mouse until the release.
    if (QWindow *handle = window()->windowHandle(); handle && handle->startSystemMove())
        return;
    dragging_ = true;
    dragStartGlobal_ = event->globalPosition().toPoint();
    windowStart_ = window()->pos();
}

void TShapedPicture::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_)
        window()->move(windowStart_ + event->globalPosition().toPoint() - dragStartGlobal_);
}

void TShapedPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}

void TShapedPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}
