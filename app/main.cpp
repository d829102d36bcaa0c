// Tamsel Hotel: creates the model, the empty sprite module and the main
// window in this order, runs the message loop, and destroys them in reverse;
// the model's destruction saves the tables.
#include "model/TD_Data.h"
#include "ui/EventGuard.h"
#include "ui/QtGameTimer.h"
#include "ui/QtMessageWindow.h"
#include "ui/TD_Sprites.h"
#include "ui/TF_Main.h"
#include "ui/widgets/GameFont.h"

#include <QApplication>
#include <QMessageBox>
#include <memory>

namespace {

void ReportErrors(const std::string &text)
{
    if (!text.empty())
        QMessageBox::critical(nullptr, "Error", QString::fromStdString(text));
}

std::string SaveErrorText(const TD_Data &data)
{
    std::string text;
    for (const TTableFileError &error : data.SaveErrors())
        text += (text.empty() ? "" : "\n") + error.Message;
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    LoadGameFont();

    TQtGameTimer gmTimer;
    TQtMessageWindow messages;
    TEventGuard guard;
    auto D_Data = std::make_unique<TD_Data>();
    D_Data->SetTimer(&gmTimer);
    D_Data->SetMessageWindow(&messages);
    gmTimer.OnTimer = [&] { guard.Run([&] { D_Data->gmTimerTimer(); }); };
    ReportErrors(D_Data->LoadErrorText());

    auto D_Sprites = std::make_unique<TD_Sprites>();
    auto F_Main = std::make_unique<TF_Main>(*D_Data);
    messages.MainWindow = F_Main.get();
    F_Main->show();
    const int result = app.exec();

    F_Main.reset();
    D_Sprites.reset();
    gmTimer.Stop();
    D_Data->DataModuleDestroy();
    ReportErrors(SaveErrorText(*D_Data));
    D_Data.reset();
    return result;
}
