#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

// A picture that shapes the window it lies on. While Active the window loses
// its frame and shows only the picture's pixels that differ from the colour of
// its top-left pixel. With AlwaysMove a left press anywhere on the picture moves
// the window, as a press on a title bar would; without it only a press on a
// pixel of CaptionColor does. Controls on top of the picture get their own
// presses.
class TShapedPicture : public QWidget
{
    Q_OBJECT
public:
    explicit TShapedPicture(QWidget *parent = nullptr);

    QImage Picture() const { return picture_; }
    void SetPicture(const QImage &picture);

    bool Active() const { return active_; }
    void SetActive(bool active);

    bool AlwaysMove() const { return alwaysMove_; }
    void SetAlwaysMove(bool alwaysMove) { alwaysMove_ = alwaysMove; }

    QColor CaptionColor() const { return captionColor_; }
    void SetCaptionColor(const QColor &color) { captionColor_ = color; }

    // Takes the size of the picture.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // The union of every row's maximal runs of pixels whose colour differs from
    // the top-left pixel's, each a rectangle one pixel high, moved by offset.
    static QRegion PictureRegion(const QImage &picture, const QPoint &offset = {});

protected:
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void ApplyShape();
    void RemoveShape();
    bool StartsMove(const QPoint &point) const;

    QImage picture_;
    bool active_ = false;
    bool alwaysMove_ = false;
    bool autoSize_ = false;
    QColor captionColor_;
    bool shaped_ = false;
    Qt::WindowFlags formerFlags_;
    // A move the window system could not take over follows the mouse here.
    bool dragging_ = false;
    QPoint dragStartGlobal_;
    QPoint windowStart_;
};
