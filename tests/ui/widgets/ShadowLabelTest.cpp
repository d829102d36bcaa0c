#include "ui/widgets/ShadowLabel.h"

#include "ui/widgets/GameFont.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

using TAlignment = TShadowLabel::TAlignment;
using TTextLayout = TShadowLabel::TTextLayout;
using TShadowPos = TShadowLabel::TShadowPos;

const QColor kInk(0, 0, 0);
const QColor kShadow(255, 0, 0);
const QColor kPaper(255, 255, 255);

QRect BoxOf(const QImage &image, const QColor &color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

// A label on white paper, drawn without anti-aliasing so that ink and
// shadow pixels have exactly their colours.
struct Label
{
    QWidget parent;
    TShadowLabel *label = new TShadowLabel(&parent);
    Label()
    {
        QFont font = GameFont(16, true);
        font.setStyleStrategy(QFont::NoAntialias);
        label->setFont(font);
        label->SetColor(kPaper);
        label->SetFontColor(kInk);
        label->SetShadowColor(kShadow);
    }
    QImage Render() const { return label->grab().toImage(); }
};

TEST(ShadowLabel, DefaultsToAOnePixelHighlightShadowTowardTheUpperLeft)
{
    TShadowLabel label;
    EXPECT_EQ(label.ShadowSize(), 1);
    EXPECT_EQ(label.ShadowPos(), TShadowPos::spTopLeft);
    EXPECT_EQ(label.ShadowColor(), QColor(255, 255, 255));
    EXPECT_FALSE(label.Transparent());
}

struct ShadowCase
{
    TShadowPos pos;
    int size;
    QPoint offset;
};

class ShadowOffset : public testing::TestWithParam<ShadowCase>
{
};

TEST_P(ShadowOffset, ShadowIsTheTextMovedTowardItsCorner)
{
    Label l;
    l.label->setGeometry(0, 0, 80, 40);
    l.label->SetCaption(QStringLiteral("H"));
    l.label->SetAlignment(TAlignment::taCenter);
    l.label->SetLayout(TTextLayout::tlCenter);
    l.label->SetShadowPos(GetParam().pos);
    l.label->SetShadowSize(GetParam().size);
    const QImage image = l.Render();
    const QRect ink = BoxOf(image, kInk);
    QRect all = ink | BoxOf(image, kShadow);
    ASSERT_FALSE(ink.isEmpty());
    // The shadow shows only beside the letters, so its box together with the
    // ink's is the ink's box stretched toward the corner.
    const QPoint d = GetParam().offset;
    const QRect expected = ink.adjusted(std::min(d.x(), 0), std::min(d.y(), 0), std::max(d.x(), 0),
                                        std::max(d.y(), 0));
    EXPECT_EQ(all, expected);
}

INSTANTIATE_TEST_SUITE_P(Corners, ShadowOffset,
                         testing::Values(ShadowCase{TShadowPos::spTopLeft, 1, {-1, -1}},
                                         ShadowCase{TShadowPos::spTopRight, 2, {2, -2}},
                                         ShadowCase{TShadowPos::spBottomLeft, 3, {-3, 3}},
                                         ShadowCase{TShadowPos::spBottomRight, 2, {2, 2}}));

TEST(ShadowLabel, LongMessageWrapsAndStaysCentred)
{
    Label l;
    l.label->setGeometry(0, 0, 233, 193);
    l.label->SetAlignment(TAlignment::taCenter);
    l.label->SetLayout(TTextLayout::tlCenter);
    l.label->SetWordWrap(true);
    l.label->SetCaption(QStringLiteral("You don't have enough money to build this room on the "
                                       "selected floor of your hotel!"));
    const QRect text = l.label->TextRect();
    const int lineHeight = QFontMetrics(l.label->font()).height();
    EXPECT_GE(text.height(), 3 * lineHeight);
    EXPECT_LE(text.width(), 233);
    EXPECT_NEAR(text.top(), (193 - text.height()) / 2, 1);
    const QRect ink = BoxOf(l.Render(), kInk);
    EXPECT_TRUE(QRect(0, 0, 233, 193).contains(ink));
    EXPECT_NEAR(ink.center().y(), 193 / 2, 3);
    // Each line is centred, so the ink is about as far from either side.
    EXPECT_NEAR(ink.left(), 233 - 1 - ink.right(), 3);
}

TEST(ShadowLabel, TextTallerThanTheLabelShowsFromItsFirstLineAndIsClipped)
{
    Label l;
    l.label->setGeometry(10, 10, 120, 40);
    l.label->SetLayout(TTextLayout::tlCenter);
    l.label->SetWordWrap(true);
    l.label->SetCaption(QStringLiteral("one two three four five six seven eight nine ten "
                                       "eleven twelve thirteen fourteen"));
    EXPECT_EQ(l.label->TextRect().top(), 0);
    EXPECT_GT(l.label->TextRect().height(), 40);
    // Rendering the parent shows that nothing is drawn outside the label.
    l.parent.resize(200, 200);
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::blue);
    l.parent.render(&image, {}, {}, QWidget::DrawChildren);
    const QRect ink = BoxOf(image, kInk);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(QRect(10, 10, 120, 40).contains(ink));
}

TEST(ShadowLabel, AlignmentPlacesTheText)
{
    Label l;
    l.label->setGeometry(0, 0, 200, 30);
    l.label->SetCaption(QStringLiteral("Build: 2.0.1.7"));
    l.label->SetAlignment(TAlignment::taRightJustify);
    EXPECT_EQ(l.label->TextRect().right(), 199);
    l.label->SetAlignment(TAlignment::taLeftJustify);
    EXPECT_EQ(l.label->TextRect().left(), 0);
    l.label->SetLayout(TTextLayout::tlBottom);
    EXPECT_EQ(l.label->TextRect().bottom(), 29);
}

TEST(ShadowLabel, TransparentLabelLeavesTheBackgroundAndOpaqueFillsIt)
{
    QImage image(60, 30, QImage::Format_RGB32);
    for (bool transparent : {true, false}) {
        Label l;
        l.label->setGeometry(0, 0, 60, 30);
        l.label->SetTransparent(transparent);
        image.fill(Qt::green);
        l.label->render(&image, {}, {}, QWidget::DrawChildren);
        EXPECT_EQ(image.pixelColor(30, 15), transparent ? QColor(Qt::green) : kPaper);
    }
}

TEST(ShadowLabel, AutoSizeFitsTheTextAndKeepsARightEdge)
{
    Label l;
    l.label->setGeometry(100, 10, 300, 50);
    l.label->SetAlignment(TAlignment::taRightJustify);
    l.label->SetCaption(QStringLiteral("Build:"));
    l.label->SetAutoSize(true);
    const QFontMetrics metrics(l.label->font());
    EXPECT_EQ(l.label->geometry().right(), 399);
    EXPECT_EQ(l.label->width(), metrics.horizontalAdvance(QStringLiteral("Build:")) + 1);
    EXPECT_GE(l.label->height(), metrics.height() + 1);
    EXPECT_LE(l.label->height(), metrics.lineSpacing() + 2);
    EXPECT_TRUE(l.label->rect().contains(l.label->TextRect()));
    l.label->SetCaption(QStringLiteral("Build: 1.0.0.1"));
    EXPECT_EQ(l.label->geometry().right(), 399);
    EXPECT_GT(l.label->width(), metrics.horizontalAdvance(QStringLiteral("Build:")) + 1);
}

TEST(ShadowLabel, EmptyCaptionDrawsNoText)
{
    Label l;
    l.label->setGeometry(0, 0, 50, 20);
    const QImage image = l.Render();
    EXPECT_TRUE(BoxOf(image, kInk).isEmpty());
    EXPECT_TRUE(BoxOf(image, kShadow).isEmpty());
}

} // namespace
