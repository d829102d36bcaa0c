#include "ui/SceneView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>
#include <utility>

TSceneView::TSceneView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kSurfaceWidth, kSurfaceHeight);
    // Every frame covers the whole control, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

TSceneView::~TSceneView()
{
    Finalize();
}

void TSceneView::Initialize()
{
    WatchWindow();
    if (surface_)
        return;
    surface_ = std::make_unique<TDrawSurface>(kSurfaceWidth, kSurfaceHeight);
    for (auto &made : SurfaceMade)
        made(*surface_);
    if (OnInitialize)
        OnInitialize();
}

void TSceneView::Finalize()
{
    if (!surface_)
        return;
    if (OnFinalize)
        OnFinalize();
    for (auto &lost : SurfaceLost)
        lost();
    surface_.reset();
}

void TSceneView::Present()
{
    if (!surface_ || !isVisible())
        return;
    ++presented_;
    repaint();
}

void TSceneView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!surface_) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    // An uncovered area shows the last frame again at once. Only reading: the surface keeps
    // its version, so the frame loop still knows the picture is on the screen.
    const TDrawSurface &surface = *surface_;
    if (devicePixelRatioF() == 1.0) {
        painter.drawImage(event->rect().topLeft(), surface.Image(), event->rect());
        return;
    }
    // Scaled whole, so that every paint maps device pixels to surface pixels alike, and by
    // nearest neighbour: a device pixel takes the surface pixel under its centre.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(rect()), surface.Image());
}

void TSceneView::mouseReleaseEvent(QMouseEvent *event)
{
    if (OnMouseUp) {
        const QPoint p = SurfacePoint(event->position());
        OnMouseUp(event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TSceneView::mouseMoveEvent(QMouseEvent *event)
{
    if (OnMouseMove) {
        const QPoint p = SurfacePoint(event->position());
        OnMouseMove(event->modifiers(), p.x(), p.y());
    }
}

void TSceneView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    WatchWindow();
}

// Minimising, hiding and exposure are told to the top-level window and its native window.
void TSceneView::WatchWindow()
{
    if (QWidget *top = window(); top != watchedWindow_) {
        if (watchedWindow_)
            watchedWindow_->removeEventFilter(this);
        watchedWindow_ = top;
        top->installEventFilter(this);
    }
    if (QWindow *handle = window()->windowHandle(); handle && handle != watchedHandle_) {
        if (watchedHandle_)
            watchedHandle_->removeEventFilter(this);
        watchedHandle_ = handle;
        handle->installEventFilter(this);
    }
    UpdateShown();
}

bool TSceneView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Expose:
    case QEvent::WindowStateChange:
    case QEvent::Show:
    case QEvent::Hide:
        // After the window has handled it, so the states read are the new ones.
        QMetaObject::invokeMethod(this, &TSceneView::UpdateShown, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TSceneView::UpdateShown()
{
    const QWidget *top = window();
    const QWindow *handle = top->windowHandle();
    const bool shown = top->isVisible() && !top->isMinimized() && handle && handle->isExposed();
    if (shown == shown_)
        return;
    shown_ = shown;
    emit ShownChanged(shown_);
}

QPoint TSceneView::SurfacePoint(const QPointF &position) const
{
    // The pointer stands on a device pixel; its position is that pixel's corner divided by the
    // ratio. The surface pixel shown there is the one under the device pixel's centre, the left
    // or upper one when the centre lies on their edge, as the nearest-neighbour scaling takes it
    // (rounding the position instead would give the next pixel on half of a 2 x 2 square).
    // The position carries rounding errors far below the tolerance, which keeps ties ties.
    constexpr qreal tolerance = 1e-4;
    const qreal half = 0.5 / devicePixelRatioF();
    return QPoint(static_cast<int>(std::ceil(position.x() + half - tolerance)) - 1,
                  static_cast<int>(std::ceil(position.y() + half - tolerance)) - 1);
}
