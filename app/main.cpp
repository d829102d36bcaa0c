// Tamsel Hotel: creates the model, the empty sprite module and the main
// window in this order, runs the message loop, and destroys them in reverse;
// the model's destruction saves the tables. The command line and the folders
// of the saves and the catalog are settled before any window exists, so that
// --help and --version work without a display.
#include "app/CommandLine.h"
#include "model/DataFolders.h"
#include "model/TD_Data.h"
#include "ui/EventGuard.h"
#include "ui/QtGameTimer.h"
#include "ui/QtMessageWindow.h"
#include "ui/TD_Sprites.h"
#include "ui/TF_Main.h"
#include "ui/TtamselVersion.h"
#include "ui/widgets/GameFont.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <memory>
#include <stdexcept>

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
    const TCommandLine commandLine(argc, argv);
    switch (commandLine.Action()) {
    case TCommandLine::TAction::Help:
        std::fputs(TCommandLine::HelpText(argv[0]).c_str(), stdout);
        return 0;
    case TCommandLine::TAction::Version:
        std::printf("tamsel-hotel %s\n", TtamselVersion().Info().FileVersion.toStdString().c_str());
        return 0;
    case TCommandLine::TAction::Error:
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", argv[0], commandLine.Error().c_str(),
                     argv[0]);
        return 2;
    case TCommandLine::TAction::Play:
        break;
    }
    const TDataPlaces places = TDataFolders::Choose(
        TDataFolders::FromEnvironment(commandLine.DataDir()), TDataFolders::TProbe());
    std::string folderError;
    try {
        TDataFolders::CreateSaveDir(places);
    } catch (const std::runtime_error &error) {
        folderError = error.what();
    }

    QApplication app(argc, argv);
    LoadGameFont();
    ReportErrors(folderError);

    TQtGameTimer gmTimer;
    TQtMessageWindow messages;
    TEventGuard guard;
    auto D_Data = std::make_unique<TD_Data>(places);
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
