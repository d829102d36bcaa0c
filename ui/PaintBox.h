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

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (OnPaint)
            OnPaint(*this, painter);
    }
};
