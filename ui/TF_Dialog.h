#pragma once

#include <QDialog>
#include <QString>

class TOvalButton;
class TShadowLabel;
class TShapedPicture;

// The message window: a frameless window shaped by its picture of a figure
// holding up a board, the message on the board and an "OK" button that closes
// it (Return and Escape do the same). The player can drag it by the picture.
class TF_Dialog : public QDialog
{
    Q_OBJECT
public:
    explicit TF_Dialog(QWidget *parent = nullptr);

    TShapedPicture *ShapedPicture1;
    TShadowLabel *edMesage;
    TOvalButton *OvalButton1;

    void OvalButton1Click(QObject *Sender);

protected:
    // Return and Escape close the window as OK does; other keys do nothing.
    void keyPressEvent(QKeyEvent *event) override;
};

// Shows text in a new message window, centred over mainWindow (or over the
// active window when none is given), and returns when the player has closed
// it. The main window takes no input meanwhile; timers go on. The window is
// freed on every way out.
void ShowDialog(QWidget *mainWindow, const QString &text);
