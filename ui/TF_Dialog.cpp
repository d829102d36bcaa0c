#include "ui/TF_Dialog.h"

#include "ui/widgets/GameArt.h"
#include "ui/widgets/GameFont.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/ShapedPicture.h"
#include "ui/widgets/SystemColors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>

TF_Dialog::TF_Dialog(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setFont(GameFont(11));

    ShapedPicture1 = new TShapedPicture(this);
    ShapedPicture1->SetAutoSize(true);
    ShapedPicture1->SetPicture(MessagePicture());
    ShapedPicture1->SetAlwaysMove(true);
    ShapedPicture1->SetCaptionColor(clBlue);

    edMesage = new TShadowLabel(this);
    edMesage->setGeometry(128, 120, 233, 193);
    edMesage->setFont(GameFont(16, true));
    edMesage->SetFontColor(clWindowText);
    edMesage->SetAlignment(TShadowLabel::TAlignment::taCenter);
    edMesage->SetLayout(TShadowLabel::TTextLayout::tlCenter);
    edMesage->SetWordWrap(true);
    edMesage->SetTransparent(true);

    OvalButton1 = new TOvalButton(this);
    OvalButton1->setGeometry(272, 360, 41, 33);
    OvalButton1->SetCaption(QStringLiteral("OK"));
    OvalButton1->SetColor(clBlack);
    OvalButton1->setFont(GameFont(11));
    OvalButton1->SetFontColor(clYellow);
    OvalButton1->OnClick = [this](QObject *Sender) { OvalButton1Click(Sender); };

    // The window is as large as its picture.
    setFixedSize(ShapedPicture1->size());
    ShapedPicture1->SetActive(true);
}

void TF_Dialog::OvalButton1Click(QObject *)
{
    close();
}

void TF_Dialog::keyPressEvent(QKeyEvent *event)
{
    // Return and Escape answer the message as OK does; no other key does anything.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        OvalButton1Click(OvalButton1);
        break;
    default:
        break;
    }
    event->accept();
}

void ShowDialog(QWidget *mainWindow, const QString &text)
{
    QWidget *anchor = mainWindow ? mainWindow->window() : QApplication::activeWindow();
    // The main window parents the message only so that it stays above it; the
    // message is freed here on every way out, unless its parent went first.
    QPointer<TF_Dialog> dialog = new TF_Dialog(anchor);
    struct Free
    {
        QPointer<TF_Dialog> &dialog;
        ~Free() { delete dialog.data(); }
    } free{dialog};

    dialog->edMesage->SetCaption(text);
    QRect frame(QPoint(0, 0), dialog->size());
    if (anchor)
        frame.moveCenter(anchor->frameGeometry().center());
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        frame.moveCenter(screen->availableGeometry().center());
    dialog->move(frame.topLeft());
    dialog->exec();
}
