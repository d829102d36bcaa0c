#include "ui/QtMessageWindow.h"

#include "ui/TF_Dialog.h"
#include "ui/TableText.h"

void TQtMessageWindow::ShowDialog(const std::string &text)
{
    ++Shown;
    ::ShowDialog(MainWindow.data(), FromTableText(text));
}
