#include "ui/SceneView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
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
    painter.drawImage(event->rect().topLeft(), surface.Image(), event->rect());
}

void TSceneView::mouseReleaseEvent(QMouseEvent *event)
{
    if (OnMouseUp) {
        const QPoint p = event->position().toPoint();
        OnMouseUp(event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TSceneView::mouseMoveEvent(QMouseEvent *event)
{
    if (OnMouseMove) {
        const QPoint p = event->position().toPoint();
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
