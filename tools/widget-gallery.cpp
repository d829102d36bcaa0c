// Renders every control of the game in each of its states, the message window
// with its shape, the cursor and the icons to one PNG, without a display.
#include "ui/TF_Dialog.h"
#include "ui/widgets/GameArt.h"
#include "ui/widgets/GameFont.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/ShapedPicture.h"
#include "ui/widgets/SystemColors.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

namespace {

using TAlignment = TShadowLabel::TAlignment;
using TTextLayout = TShadowLabel::TTextLayout;
using TShadowPos = TShadowLabel::TShadowPos;

TShadowLabel *Caption(QWidget *parent, int x, int y, int width, const QString &text)
{
    auto *label = new TShadowLabel(parent);
    label->setGeometry(x, y, width, 16);
    label->setFont(GameFont(11));
    label->SetFontColor(clWhite);
    label->SetShadowColor(clBlack);
    label->SetTransparent(true);
    label->SetAlignment(TAlignment::taCenter);
    label->SetCaption(text);
    return label;
}

TShadowLabel *Heading(QWidget *parent, int y, const QString &text)
{
    auto *label = new TShadowLabel(parent);
    label->setGeometry(10, y, 600, 22);
    label->setFont(GameFont(16, true));
    label->SetFontColor(clYellow);
    label->SetShadowColor(clBlack);
    label->SetShadowPos(TShadowPos::spBottomRight);
    label->SetTransparent(true);
    label->SetCaption(text);
    return label;
}

// Holds the left button down on a control, as the player does while pressing.
void Hold(QWidget *widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

void OvalButtons(QWidget *canvas, int top)
{
    Heading(canvas, top, QStringLiteral("TOvalButton"));
    const struct
    {
        QColor color;
        QColor fontColor;
        QString caption;
    } looks[] = {
        {clWhite, clBlack, QStringLiteral("Main menu")},
        {clBlue, clWhite, QStringLiteral("Load")},
        {clBlack, clYellow, QStringLiteral("OK")},
        {clRed, clWhite, QStringLiteral("Room\n1")},
    };
    const char *states[] = {"normal", "held", "Down", "disabled"};
    int y = top + 40;
    for (const auto &look : looks) {
        for (int state = 0; state < 4; ++state) {
            auto *button = new TOvalButton(canvas);
            button->setGeometry(20 + state * 120, y, 100, 40);
            button->SetColor(look.color);
            button->SetFontColor(look.fontColor);
            button->setFont(GameFont(13, true));
            button->SetCaption(look.caption);
            if (state == 1)
                Hold(button);
            if (state == 2) {
                button->SetGroupIndex(int(&look - looks) + 1); // one group per row
                button->SetDown(true);
            }
            if (state == 3)
                button->setEnabled(false);
            if (&look == &looks[0])
                Caption(canvas, 20 + state * 120, top + 22, 100,
                        QString::fromLatin1(states[state]));
        }
        y += 48;
    }
}

void ShadowLabels(QWidget *canvas, int top)
{
    Heading(canvas, top, QStringLiteral("TShadowLabel"));
    auto *title = new TShadowLabel(canvas);
    title->setGeometry(20, top + 28, 240, 40);
    title->setFont(GameFont(32));
    title->SetFontColor(clRed);
    title->SetShadowSize(2);
    title->SetShadowPos(TShadowPos::spBottomRight);
    title->SetTransparent(true);
    title->SetCaption(QStringLiteral("TAMSEL HOTEL"));

    const struct
    {
        TShadowPos pos;
        const char *name;
    } corners[] = {{TShadowPos::spTopLeft, "top left"},
                   {TShadowPos::spTopRight, "top right"},
                   {TShadowPos::spBottomLeft, "bottom left"},
                   {TShadowPos::spBottomRight, "bottom right"}};
    for (int i = 0; i < 4; ++i) {
        auto *label = new TShadowLabel(canvas);
        label->setGeometry(280 + i * 100, top + 32, 92, 30);
        label->setFont(GameFont(19, true));
        label->SetColor(clSilver);
        label->SetFontColor(clNavy);
        label->SetShadowColor(clWhite);
        label->SetShadowSize(2);
        label->SetShadowPos(corners[i].pos);
        label->SetAlignment(TAlignment::taCenter);
        label->SetLayout(TTextLayout::tlCenter);
        label->SetCaption(QStringLiteral("Shadow"));
        Caption(canvas, 280 + i * 100, top + 64, 92, QString::fromLatin1(corners[i].name));
    }

    const QString text = QStringLiteral("A message long enough to wrap at word boundaries "
                                        "inside its box; what does not fit is clipped.");
    const struct
    {
        TAlignment alignment;
        TTextLayout layout;
        bool transparent;
        int height;
        const char *name;
    } boxes[] = {
        {TAlignment::taLeftJustify, TTextLayout::tlTop, false, 100, "left, top, opaque"},
        {TAlignment::taCenter, TTextLayout::tlCenter, false, 100, "centre, centre"},
        {TAlignment::taRightJustify, TTextLayout::tlBottom, false, 100, "right, bottom"},
        {TAlignment::taCenter, TTextLayout::tlCenter, true, 100, "transparent"},
        {TAlignment::taCenter, TTextLayout::tlCenter, false, 40, "clipped"},
    };
    for (int i = 0; i < 5; ++i) {
        auto *label = new TShadowLabel(canvas);
        label->setGeometry(20 + i * 136, top + 90, 128, boxes[i].height);
        label->setFont(GameFont(13));
        label->SetColor(QColor(255, 255, 204));
        label->SetFontColor(clBlack);
        label->SetWordWrap(true);
        label->SetAlignment(boxes[i].alignment);
        label->SetLayout(boxes[i].layout);
        label->SetTransparent(boxes[i].transparent);
        label->SetCaption(text);
        Caption(canvas, 20 + i * 136, top + 194, 128, QString::fromLatin1(boxes[i].name));
    }
}

void SwitchesAndCheckBoxes(QWidget *canvas, int top)
{
    Heading(canvas, top, QStringLiteral("TRockerSwitch and TGlyphCheckBox"));
    const char *names[] = {"off", "on", "disabled off", "disabled on"};
    for (int i = 0; i < 4; ++i) {
        auto *rocker = new TRockerSwitch(canvas);
        rocker->setGeometry(20 + i * 80, top + 30, 60, 52);
        rocker->SetStateOn(i % 2 == 1);
        rocker->setEnabled(i < 2);
        Caption(canvas, 10 + i * 80, top + 84, 80, QString::fromLatin1(names[i]));

        auto *box = new TGlyphCheckBox(canvas);
        box->setGeometry(370 + i * 110, top + 44, 60, 24);
        box->SetChecked(i % 2 == 1);
        box->setEnabled(i < 2);
        Caption(canvas, 345 + i * 110, top + 84, 110,
                QString::fromLatin1(i % 2 ? "checked" : "unchecked") +
                    QString::fromLatin1(i < 2 ? "" : ", disabled"));
    }
}

// The message window as the screen shows it: only the pixels of its shape.
void MessageWindow(QPainter &painter, QPoint at)
{
    TF_Dialog dialog;
    dialog.edMesage->SetCaption(QStringLiteral("You don't have enough money!"));
    const QImage image = dialog.grab().toImage();
    painter.save();
    painter.setClipRegion(dialog.mask().translated(at));
    painter.drawImage(at, image);
    painter.restore();
}

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/widget-gallery.png");
    if (!LoadGameFont())
        std::fprintf(stderr, "widget-gallery: Liberation Sans not found, using %s\n",
                     qPrintable(GameFontFamily()));

    QWidget canvas;
    canvas.resize(1180, 780);
    canvas.setFont(GameFont(11));
    QPalette palette = canvas.palette();
    palette.setColor(QPalette::Window, clGray);
    canvas.setPalette(palette);
    canvas.setAutoFillBackground(true);

    OvalButtons(&canvas, 8);
    ShadowLabels(&canvas, 245);
    SwitchesAndCheckBoxes(&canvas, 465);
    Heading(&canvas, 575, QStringLiteral("Multi-drag cursor and window icon"));

    QImage gallery = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&gallery);
    MessageWindow(painter, QPoint(740, 20));
    const QPixmap cursor = MultiDragCursor().pixmap();
    painter.drawPixmap(20, 607, cursor);
    painter.drawPixmap(
        70, 607, cursor.scaled(cursor.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    int x = 220;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        painter.drawPixmap(x, 607, WindowIcon().pixmap(size, size));
        x += size + 12;
    }
    painter.end();

    if (!gallery.save(output)) {
        std::fprintf(stderr, "widget-gallery: cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("%s\n", qPrintable(output));
    return 0;
}
