#pragma once

#include <QPainter>
#include <QWidget>
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
    // the middle, down (or up) to yEnd and on to the right edge.
    void DrawLeader(QPainter &painter, int y0, int yEnd) const
    {
        painter.setPen(QPen(QColor(255, 255, 0), 1));
        const QPoint points[] = {{0, y0}, {width() / 2, y0}, {width() / 2, yEnd}, {width(), yEnd}};
        painter.drawPolyline(points, 4);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (OnPaint)
            OnPaint(*this, painter);
    }
};
