#pragma once

#include "ui/widgets/NotifyEvent.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

// An oval colour button. Only the ellipse inscribed in its rectangle belongs to
// it (a widget mask), so a press in a corner reaches what lies behind. Buttons
// of one parent with the same non-zero GroupIndex act as radio buttons: the
// pressed one stays Down until another of the group is clicked, or until it is
// clicked again with AllowAllUp set.
class TOvalButton : public QWidget
{
    Q_OBJECT
public:
    // 100 x 40, white, no group, not pressed, the parent's font.
    explicit TOvalButton(QWidget *parent = nullptr);

    QStringList Caption() const { return caption_; }
    void SetCaption(const QStringList &lines);
    // Lines separated by '\n'.
    void SetCaption(const QString &text);

    QColor Color() const { return color_; }
    void SetColor(const QColor &color);

    // The caption's colour; invalid (the default) means the palette's text
    // colour, which follows the parent like the font does.
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor &color);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);

    // Set by program this runs no handler. A button of a group that goes Down
    // releases the others of its group; a button without a group is never Down.
    bool Down() const { return down_; }
    void SetDown(bool down);

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // Runs on a release over an enabled button, before the group is updated.
    TNotifyEvent OnClick;

    // True while the button is drawn pressed (Down, or held by the mouse).
    bool LooksPressed() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void ReleaseOthersOfGroup();
    bool OverEllipse(const QPoint &point) const;

    QStringList caption_;
    QColor color_;
    QColor fontColor_;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    int tag_ = 0;
    bool tracking_ = false;    // a left press began on the button
    bool mouseInside_ = false; // ... and the mouse is still over it
};
