#pragma once

#include "model/MessageWindow.h"

#include <QPointer>
#include <QWidget>

// The model's message window: the picture-shaped modal TF_Dialog, centred
// over the main window once there is one.
class TQtMessageWindow : public TMessageWindow
{
public:
    void ShowDialog(const std::string &text) override;

    QPointer<QWidget> MainWindow;
    // How many messages were shown; the start-up and tests read it.
    int Shown = 0;
};
