#pragma once

#include "ui/widgets/NotifyEvent.h"

#include <QWidget>

// A rocker switch: a 32 x 48 picture centred in the control, off or on (a red
// lamp in the lower face), greyed and embossed when disabled. A left press
// flips StateOn at once; OnClick runs when the button is released over it.
class TRockerSwitch : public QWidget
{
    Q_OBJECT
public:
    explicit TRockerSwitch(QWidget *parent = nullptr);

    bool StateOn() const { return stateOn_; }
    // Only repaints; no handler runs.
    void SetStateOn(bool on);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TNotifyEvent OnClick;

    QSize sizeHint() const override { return {32, 48}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool stateOn_ = false;
    bool tracking_ = false;
    int tag_ = 0;
};
