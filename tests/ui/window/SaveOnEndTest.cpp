// Saves outside the exit: a signal that ends the session arrives in the event
// loop, the autosave writes the hotels without changing what the window
// shows, waits while a modal window is up, and Main menu saves.
#include "WindowFixture.h"
#include "model/TableSchemas.h"
#include "support/WaitUntil.h"
#include "ui/AutoSaver.h"
#include "ui/SessionEndSignals.h"

#include <QApplication>
#include <QDialog>
#include <csignal>
#include <filesystem>

namespace {

// Between the tries of a wait: what arrives in the event loop is handled.
void ProcessEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

constexpr std::chrono::seconds kDeadline{5};

std::size_t SavedRecords(const std::string &file, const char *table)
{
    if (!std::filesystem::exists(file))
        return 0;
    TvekMemTable records(table);
    DefineGameTableFields(records, table);
    records.Open();
    records.ReadTableFile(file);
    return records.RawRecordCount();
}

} // namespace

TEST(SessionEndSignalsTest, EachEndingSignalArrivesInTheEventLoop)
{
    TSessionEndSignals endSignals;
    std::vector<int> received;
    QObject::connect(&endSignals, &TSessionEndSignals::Ended,
                     [&](int signalNumber) { received.push_back(signalNumber); });
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        received.clear();
        ASSERT_EQ(::raise(signalNumber), 0);
        EXPECT_TRUE(received.empty()) << "the handler itself only records";
        EXPECT_TRUE(WaitUntil([&] { return !received.empty(); }, kDeadline, ProcessEvents));
        EXPECT_EQ(received, std::vector<int>{signalNumber});
    }
}

using AutoSaverTest = WindowTest;

TEST_F(AutoSaverTest, SavesWhatIsPlayedAndChangesNothingShown)
{
    TAutoSaver saver(*data, window.get());
    const std::string floors = dir.path().toStdString() + "/tFloor.dht";
    AddHotel("Saved");
    LoadWithMoney();
    BuyFloor();
    const QString money = Caption("edHotelMoney");
    const int page = Page("ntMain");
    saver.SaveNow();
    EXPECT_EQ(SavedRecords(floors, "tFloor"), 1u);
    EXPECT_EQ(Caption("edHotelMoney"), money);
    EXPECT_EQ(Page("ntMain"), page);
    EXPECT_FALSE(saver.Failing());
    EXPECT_TRUE(errors.empty());
}

TEST_F(AutoSaverTest, WaitsWhileAModalWindowIsUp)
{
    TAutoSaver saver(*data, window.get());
    const std::string hotels = dir.path().toStdString() + "/tHotel.dht";
    AddHotel("Waiting");
    QDialog modal(window.get());
    modal.setModal(true);
    modal.show();
    ASSERT_TRUE(WaitUntil([] { return QApplication::activeModalWidget() != nullptr; }, kDeadline,
                          ProcessEvents));
    saver.SaveNow();
    EXPECT_EQ(SavedRecords(hotels, "tHotel"), 0u) << "saved under a modal window";
    modal.close();
    EXPECT_TRUE(
        WaitUntil([&] { return SavedRecords(hotels, "tHotel") == 1; }, kDeadline, ProcessEvents))
        << "not saved once the window was closed";
}

TEST_F(AutoSaverTest, MainMenuSaves)
{
    TAutoSaver saver(*data, window.get());
    driver->OnHotelClosed([&] { saver.SaveNow(); });
    const std::string floors = dir.path().toStdString() + "/tFloor.dht";
    AddHotel("Closed");
    LoadWithMoney();
    BuyFloor();
    BuyFloor();
    driver->MainMenu();
    EXPECT_EQ(SavedRecords(floors, "tFloor"), 2u);
}
