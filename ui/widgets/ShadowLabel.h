#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A label whose text is drawn twice: first in ShadowColor, ShadowSize pixels
// toward the ShadowPos corner, then in the font colour at its place.
class TShadowLabel : public QWidget
{
    Q_OBJECT
public:
    enum class TAlignment
    {
        taLeftJustify,
        taCenter,
        taRightJustify
    };
    enum class TTextLayout
    {
        tlTop,
        tlCenter,
        tlBottom
    };
    enum class TShadowPos
    {
        spTopLeft,
        spTopRight,
        spBottomLeft,
        spBottomRight
    };

    // Opaque, left-aligned, top, no wrapping; shadow 1 pixel toward the upper
    // left in clBtnHighlight.
    explicit TShadowLabel(QWidget *parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);

    // Fits the label to its text: the width and height without WordWrap, the
    // height only with it. A right-aligned label keeps its right edge.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // Breaks the text at word boundaries; what does not fit is clipped. Text
    // taller than the label shows from its first line.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);

    // A transparent label draws only its letters; an opaque one fills its
    // rectangle with Color first.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    // Invalid (the default) means the palette's background, following the parent.
    QColor Color() const { return color_; }
    void SetColor(const QColor &color);
    // Invalid (the default) means the palette's text colour, following the parent.
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor &color);

    QColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(const QColor &color);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);
    TShadowPos ShadowPos() const { return shadowPos_; }
    void SetShadowPos(TShadowPos pos);

    // Where the text (without its shadow) is drawn, in the label's coordinates.
    QRect TextRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int TextFlags() const;
    QPoint ShadowOffset() const;
    void AdjustSize();

    QString caption_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    bool transparent_ = false;
    QColor color_;
    QColor fontColor_;
    QColor shadowColor_;
    int shadowSize_ = 1;
    TShadowPos shadowPos_ = TShadowPos::spTopLeft;
};
