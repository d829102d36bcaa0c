#pragma once

#include "scene/DrawSurface.h"
#include "scene/HotelScene.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

// The scene's drawing surface control: a 761 x 535 back surface that the
// frame loop fills and that Present shows 1:1 at the control's place. Mouse
// coordinates are surface coordinates. On a high-density screen each device
// pixel shows the surface pixel under its centre, never a mix of pixels (at a
// ratio of 2 every surface pixel is a 2 x 2 square), and the mouse reports the
// surface pixel shown under the pointer's device pixel.
class TSceneView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kSurfaceWidth = THotelScene::kSurfaceWidth;
    static constexpr int kSurfaceHeight = THotelScene::kSurfaceHeight;

    explicit TSceneView(QWidget *parent = nullptr);
    ~TSceneView() override;

    // Makes the back surface, tells the listeners, then runs OnInitialize.
    void Initialize();
    // Runs OnFinalize, tells the listeners and drops the surface.
    void Finalize();
    bool Initialized() const { return surface_ != nullptr; }
    // The surface exists and can be drawn on.
    bool Ready() const { return surface_ && !surface_->IsEmpty(); }
    TDrawSurface &Surface() { return *surface_; }
    // Shows the back surface now (nothing while the control is hidden).
    void Present();
    int PresentedFrames() const { return presented_; }
    // Whether the control's window is on the screen: shown, exposed and not minimised (known
    // from the first Initialize on). ShownChanged tells each change.
    bool Shown() const { return shown_; }

    // Told before OnInitialize and after OnFinalize (the picture list, the engine).
    std::vector<std::function<void(TDrawSurface &)>> SurfaceMade;
    std::vector<std::function<void()>> SurfaceLost;

    std::function<void()> OnInitialize;
    std::function<void()> OnFinalize;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseUp;
    std::function<void(Qt::KeyboardModifiers, int x, int y)> OnMouseMove;

signals:
    void ShownChanged(bool shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void WatchWindow();
    void UpdateShown();
    // The surface pixel shown under a mouse position (in the control's logical coordinates).
    QPoint SurfacePoint(const QPointF &position) const;

    std::unique_ptr<TDrawSurface> surface_;
    int presented_ = 0;
    bool shown_ = false;
    QObject *watchedWindow_ = nullptr;
    QObject *watchedHandle_ = nullptr;
};
