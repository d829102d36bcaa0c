#pragma once

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <functional>

// A transparent area that its owner paints in OnPaint, with a Tag to keep a
// number for the painting (the paint boxes keep the y of a leader line).
class TPaintBox : public QWidget
{
    Q_OBJECT
public:
    explicit TPaintBox(QWidget *parent = nullptr) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    int Tag = 0;
    std::function<void(TPaintBox &, QPainter &)> OnPaint;

    // The leader lines of the panels: a 1-pixel yellow line from (0, y0) to
    // the middle, down (or up) to yEnd and on to the right edge, both ends
    // included. Filled as whole pixels rather than stroked, so that on a
    // high-density screen it covers exactly the device pixels of its 1x pixels
    // (a stroked line would straddle them).
    void DrawLeader(QPainter &painter, int y0, int yEnd) const
    {
        const QColor yellow(255, 255, 0);
        const int middle = width() / 2;
        painter.fillRect(QRect(QPoint(0, y0), QPoint(middle, y0)), yellow);
        painter.fillRect(
            QRect(QPoint(middle, std::min(y0, yEnd)), QPoint(middle, std::max(y0, yEnd))), yellow);
        painter.fillRect(QRect(QPoint(middle, yEnd), QPoint(width(), yEnd)), yellow);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (OnPaint)
            OnPaint(*this, painter);
    }
};
