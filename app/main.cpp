// Tamsel Hotel: creates the model, the empty sprite module and the main
// window in this order, runs the message loop, and destroys them in reverse;
// the model's destruction saves the tables. The command line and the folders
// of the saves and the catalog are settled before any window exists, so that
// --help and --version work without a display. The hotels are also saved every
// minute and at Main menu, and a session ended by SIGTERM, SIGINT, SIGHUP or
// the desktop's logout saves as a closed window does. One game plays a save
// folder at a time: a later start on it brings the running window to the front.
#include "app/CommandLine.h"
#include "model/DataFolders.h"
#include "model/TD_Data.h"
#include "store/AtomicFile.h"
#include "store/FolderTrust.h"
#include "store/SaveFolderLock.h"
#include "ui/AutoSaver.h"
#include "ui/EventGuard.h"
#include "ui/QtGameTimer.h"
#include "ui/QtMessageWindow.h"
#include "ui/SaveFailureDialog.h"
#include "ui/SessionEndSignals.h"
#include "ui/SingleGame.h"
#include "ui/TD_Sprites.h"
#include "ui/TF_Main.h"
#include "ui/TtamselVersion.h"
#include "ui/widgets/GameFont.h"

#include <QApplication>
#include <QMessageBox>
#include <QSessionManager>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <utility>

namespace {

const char *const AlreadyRunning = "Tamsel Hotel is already running with these saves";

// The model whose hotels are saved when the process ends by exit() from inside the message loop,
// as Qt's X connection does when the X server goes away: without a display no window can close
// and no exit save would run.
TD_Data *modelInPlay = nullptr;

void SaveOnExitFromTheLoop()
{
    if (TD_Data *model = std::exchange(modelInPlay, nullptr)) {
        model->SaveTables();
        for (const TTableFileError &error : model->SaveErrors())
            std::fprintf(stderr, "%s\n", error.Message.c_str());
    }
}

std::string UntrustedText(const std::string &problem)
{
    return "Tamsel Hotel does not play or save hotels there: " + problem +
           ". Another user could change what the game reads in it, or make it overwrite your "
           "files.\n\nMake the folder your own (chmod go-w), or choose another with --data-dir.";
}

void ReportErrors(const std::string &text)
{
    if (!text.empty())
        QMessageBox::critical(nullptr, "Error", QString::fromStdString(text));
}

std::vector<TTableFileError> HotelSaveErrors(const TD_Data &data)
{
    std::vector<TTableFileError> errors;
    for (const TTableFileError &error : data.SaveErrors())
        if (error.InSaveSet)
            errors.push_back(error);
    return errors;
}

// After a save: while the hotels were not saved and the player asks for it,
// saves again; other errors (the catalog's) are only reported.
void OfferRetry(TD_Data &data)
{
    while (!HotelSaveErrors(data).empty() &&
           TSaveFailureDialog::AskRetry(nullptr, HotelSaveErrors(data)))
        data.SaveTables();
    std::string text;
    for (const TTableFileError &error : data.SaveErrors())
        if (!error.InSaveSet)
            text += (text.empty() ? "" : "\n") + error.Message;
    ReportErrors(text);
}

} // namespace

int main(int argc, char **argv)
{
    TAtomicFile::IgnoreFileSizeSignal();
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
    const TDataFolders::TInputs inputs = TDataFolders::FromEnvironment(commandLine.DataDir());
    const TDataPlaces places = TDataFolders::Choose(inputs, TDataFolders::TProbe());
    std::string folderError;
    std::string untrusted;
    try {
        TDataFolders::CreateSaveDir(places);
        folderError = TDataFolders::StartProblem(inputs, places, TDataFolders::TProbe());
        untrusted = TFolderTrust::FolderProblem(places.SaveDir);
    } catch (const std::runtime_error &error) {
        folderError = error.what();
    }
    if (!untrusted.empty()) {
        // Nothing is read there, not even a note of renames, and no lock file is made.
        QApplication app(argc, argv);
        QMessageBox::critical(nullptr, "Error", QString::fromStdString(UntrustedText(untrusted)));
        return 1;
    }

    // Held until the exit save is done; a second game on these saves would lose hotels.
    const TSaveFolderLock folderLock(places.SaveDir);

    QApplication app(argc, argv);
    const QString saveDir = QString::fromStdString(places.SaveDir);
    if (folderLock.State() == TSaveFolderLock::TState::HeldElsewhere) {
        if (TSingleGame::AskToFront(saveDir)) {
            std::fputs("Tamsel Hotel is already running with these saves; its window was brought "
                       "to the front.\n",
                       stderr);
            return 0;
        }
        QMessageBox::information(nullptr, "Tamsel Hotel", AlreadyRunning);
        return 1;
    }
    LoadGameFont();
    ReportErrors(folderError);

    TQtGameTimer gmTimer;
    TQtMessageWindow messages;
    TEventGuard guard;
    auto D_Data = std::make_unique<TD_Data>(places);
    D_Data->SetTimer(&gmTimer);
    D_Data->SetMessageWindow(&messages);
    gmTimer.OnTimer = [&] {
        guard.RunRepeating([&] { D_Data->gmTimerTimer(); }, [&] { gmTimer.Stop(); });
    };
    ReportErrors(D_Data->LoadErrorText());

    auto D_Sprites = std::make_unique<TD_Sprites>();
    auto F_Main = std::make_unique<TF_Main>(*D_Data);
    messages.MainWindow = F_Main.get();
    F_Main->show();
    TSingleGame singleGame(saveDir);
    if (folderLock.State() == TSaveFolderLock::TState::Held)
        singleGame.Listen();
    QObject::connect(&singleGame, &TSingleGame::FrontRequested, F_Main.get(), [&] {
        F_Main->setWindowState(F_Main->windowState() & ~Qt::WindowMinimized);
        F_Main->raise();
        F_Main->activateWindow();
    });

    auto autoSaver = std::make_unique<TAutoSaver>(*D_Data, F_Main.get());
    F_Main->OnHotelClosed = [&] { autoSaver->SaveNow(); };
    // The loop ends and the exit save below runs; a second signal while the
    // save's failure box is up quits without saving.
    TSessionEndSignals sessionEnd;
    QObject::connect(&sessionEnd, &TSessionEndSignals::Ended, [] { QCoreApplication::exit(0); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, [&](QSessionManager &manager) {
        guard.Run([&] {
            D_Data->SaveTables();
            if (!HotelSaveErrors(*D_Data).empty() && manager.allowsInteraction()) {
                OfferRetry(*D_Data);
                manager.release();
            }
        });
    });
    modelInPlay = D_Data.get();
    std::atexit(SaveOnExitFromTheLoop);
    const int result = app.exec();
    modelInPlay = nullptr;

    autoSaver.reset();
    F_Main.reset();
    D_Sprites.reset();
    gmTimer.Stop();
    D_Data->DataModuleDestroy();
    OfferRetry(*D_Data);
    D_Data.reset();
    return result;
}
