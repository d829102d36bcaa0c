#include "ui/SceneView.h"

#include <QMouseEvent>
#include <QPainter>

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
    // An uncovered area shows the last frame again at once.
    painter.drawImage(event->rect().topLeft(), surface_->Image(), event->rect());
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
