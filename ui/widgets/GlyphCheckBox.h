#pragma once

#include "ui/widgets/NotifyEvent.h"

#include <QWidget>

// A check box drawn as an 18 x 18 glyph centred in the control (Style 3: bright
// green, dark green when disabled, a black dot when checked). A click or the
// space key toggles Checked. Every change of Checked, also by program, runs
// OnClick while one is attached: detach it before setting Checked quietly.
class TGlyphCheckBox : public QWidget
{
    Q_OBJECT
public:
    explicit TGlyphCheckBox(QWidget *parent = nullptr);

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

    // The glyph set. Only set 3 exists; every value draws it.
    int Style() const { return style_; }
    void SetStyle(int style);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TNotifyEvent OnClick;

    QSize sizeHint() const override { return {18, 18}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool checked_ = false;
    bool tracking_ = false;
    int style_ = 3;
    int tag_ = 0;
};
