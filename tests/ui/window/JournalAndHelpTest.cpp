// The journal in the left panel and its window, the help window, and the
// explanations on the controls, with the shipped catalog's figures.
#include "WindowFixture.h"
#include "model/JournalBook.h"
#include "store/DateTime.h"
#include "ui/HelpWindow.h"
#include "ui/JournalPanel.h"
#include "ui/JournalWindow.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"

#include <QApplication>
#include <QLabel>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>
#include <QTextDocument>

namespace {

// The tooltip as the player reads it, without its markup.
QString Plain(const QWidget *widget)
{
    QTextDocument document;
    document.setHtml(widget->toolTip());
    return document.toPlainText().simplified();
}

TShadowLabel *LabelCaptioned(QWidget *parent, const QString &caption)
{
    for (TShadowLabel *label : parent->findChildren<TShadowLabel *>())
        if (label->Caption() == caption)
            return label;
    return nullptr;
}

} // namespace

class JournalWindowTest : public WindowTest
{
protected:
    // A hotel with one floor and one occupied "Single room", at 07:00 with 1000 money.
    void OpenHotelWithAGuest()
    {
        AddHotel("Journal");
        LoadWithMoney();
        BuyFloor();
        ChooseTool(1);
        Click(Qt::LeftButton, 45, 490);
        ASSERT_EQ(RoomCount(), 1);
        data->tRoom.Edit();
        data->tRoom.FieldNamed("STATUS").SetAsInteger(1);
        data->tRoom.Post();
        data->tHotel.Edit();
        data->tHotel.FieldNamed("TIME").SetAsInteger(7);
        data->tHotel.FieldNamed("MONEY").SetAsInteger(1000);
        data->tHotel.Post();
    }

    void PressKey(Qt::Key key)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), key);
    }

    int Today() { return static_cast<int>(data->tHotel.FieldNamed("DATE").AsDateTime()); }
};

TEST_F(JournalWindowTest, TheMorningReportShowsInTheLeftPanelAfterEight)
{
    OpenHotelWithAGuest();
    ASSERT_TRUE(driver->JournalPanel().isVisible());
    EXPECT_TRUE(driver->JournalPanel().Text().contains("at 08:00")) << "a hint before the first";
    data->RunHours(1);
    // A new floor has comfort (100 + 100 + 100) / 4 = 75; the single room's 260
    // a night gives 0.75 x 260 = 195 at 08:00, money 1000 + 195.
    const QString expected = "Morning of " + QString::fromStdString(FormatShortDate(Today())) +
                             "\nIncome 195, money 1195, 1 room occupied";
    EXPECT_EQ(driver->JournalPanel().Text(), expected);
    EXPECT_TRUE(data->gmTimer().Enabled()) << "the journal never stops the clock";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(JournalWindowTest, JOpensTheWholeJournalWithItsChartWithoutBlocking)
{
    OpenHotelWithAGuest();
    data->RunHours(1); // 08:00: the first report
    // 08:00 the next day: the room's load of 1 took 8 from clean (at 9, 12, 15,
    // 18, 21, 0, 3 and 6), comfort (92 + 100 + 100) / 4 = 73, 0.73 x 260 = 189.8,
    // rounded 190; money 1195 + 190.
    data->RunHours(24);
    PressKey(Qt::Key_J);
    TJournalWindow *journal = &driver->JournalWindow();
    ASSERT_TRUE(journal->isVisible());
    EXPECT_FALSE(journal->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(data->gmTimer().Enabled());
    EXPECT_TRUE(journal->windowTitle().contains("Journal")) << "the hotel's name";
    const QString text = journal->Text()->toPlainText();
    EXPECT_TRUE(text.contains("Income 195, money 1195, 1 room occupied"));
    EXPECT_TRUE(text.contains("Income 190, money 1385, 1 room occupied"));
    EXPECT_TRUE(text.contains("Since the last report"));
    const QList<QPointF> money = journal->MoneySeries()->points();
    const QList<QPointF> rooms = journal->RoomsSeries()->points();
    ASSERT_EQ(money.size(), 2);
    EXPECT_EQ(money[0], QPointF(Today() - 1, 1195));
    EXPECT_EQ(money[1], QPointF(Today(), 1385));
    ASSERT_EQ(rooms.size(), 2);
    EXPECT_EQ(rooms[1], QPointF(Today(), 1));

    // A further morning reaches the open window.
    data->RunHours(24);
    EXPECT_EQ(journal->MoneySeries()->points().size(), 3);
}

TEST_F(JournalWindowTest, TheChartCoversTheLast30Mornings)
{
    OpenHotelWithAGuest();
    data->RunHours(1 + 24 * 34); // 35 mornings
    PressKey(Qt::Key_J);
    const QList<QPointF> money = driver->JournalWindow().MoneySeries()->points();
    ASSERT_EQ(money.size(), TJournalWindow::ChartDays);
    EXPECT_EQ(money.back().x(), Today());
    EXPECT_EQ(money.front().x(), Today() - 29);
}

TEST_F(JournalWindowTest, EachHotelKeepsItsJournalForTheSessionAndJWaitsForAnOpenHotel)
{
    OpenHotelWithAGuest();
    const int hotel = data->HotelID;
    data->RunHours(1);
    driver->MainMenu();
    EXPECT_FALSE(driver->JournalPanel().isVisible());
    PressKey(Qt::Key_J);
    EXPECT_FALSE(driver->JournalWindow().isVisible()) << "no hotel is open";
    const int mornings = static_cast<int>(driver->Journals().Journal(hotel).Days().size());
    LoadWithMoney(1000);
    EXPECT_EQ(driver->Journals().Journal(hotel).Days().size(), 1u);
    EXPECT_EQ(mornings, 1);
    EXPECT_TRUE(driver->JournalPanel().Text().contains("Income 195"));
}

TEST_F(JournalWindowTest, F1OpensHowToPlayWithTheRhythmThresholdsAndKeys)
{
    PressKey(Qt::Key_F1);
    THelpWindow *help = &driver->HelpWindow();
    ASSERT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "How to play");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    QTextDocument document;
    document.setHtml(help->Body()->text());
    const QString text = document.toPlainText().simplified();
    for (const char *part :
         {"08:00 Income", "10:00 Guests", "Wages", "15:00 Wear", "22:00 Wear",
          "09:00–18:00 Construction", "comfort is above 50", "each above 20",
          "comfort is at least 50 and each level at least 20", "Space or P", "1, 2, 3", "Escape",
          "H high contrast", "J the hotel journal", "F1 this help"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
}

TEST_F(JournalWindowTest, ToolsStationsAndItemsExplainThemselvesFromTheCatalog)
{
    AddHotel("Tips");
    LoadWithMoney();
    // Figures of the shipped catalog: Single room 1 wide, 2500, 260 a night,
    // 5 build hours, 20 nights; floor 8000; police station 3000, wage 8;
    // lift 3000, 60 days; TV cable 800, 20 days.
    EXPECT_EQ(Plain(driver->ToolButton(1)),
              "Single room 1 cell wide, price 2500. Earns 260 a night while occupied (at "
              "comfort 100, paid at 08:00). Built in 5 working hours (09:00 to 18:00); breaks "
              "after 20 nights occupied.");
    EXPECT_TRUE(Plain(driver->ToolButton(3)).startsWith("Family suite 3 cells wide"));
    EXPECT_TRUE(Plain(driver->Control("btFloor")).contains("Price 8000"));
    EXPECT_TRUE(Plain(driver->StationSwitch(2)).startsWith("Police station Price 3000"));
    EXPECT_TRUE(Plain(driver->StationSwitch(2)).contains("each paid 8 every 4th hour"));
    EXPECT_TRUE(Plain(driver->HireButton(2)).contains("Wage 8 every 4th hour"));
    EXPECT_TRUE(Plain(driver->HireButton(1)).contains("Wage 6 every 3rd hour"));
    EXPECT_TRUE(Plain(driver->ItemBox(1)).startsWith("Lift Price 3000, lasts 60 days"));
    EXPECT_TRUE(Plain(driver->ItemBox(4)).startsWith("TV cable Price 800, lasts 20 days"));
    QWidget *comfortPage = driver->Control<QStackedWidget>("ntStations")->widget(4);
    EXPECT_EQ(Plain(LabelCaptioned(comfortPage, "TV cable")), Plain(driver->ItemBox(4)));
    QWidget *roomPage = driver->Control("edRoomIncome")->parentWidget();
    EXPECT_TRUE(Plain(LabelCaptioned(roomPage, "Price")).contains("earns a night while occupied"));
    EXPECT_TRUE(Plain(driver->Control("edRoomWear")).contains("counts down at 22:00"));
}

TEST_F(JournalWindowTest, LevelsExplainWhatMovesThemTheThresholdsAndThisFloorsWorkers)
{
    AddHotel("Levels");
    LoadWithMoney();
    BuyFloor();
    driver->BuyStation(2);
    for (int k = 0; k < 3; ++k)
        driver->HireWorker(2);
    const QString police = Plain(driver->Control("edPolice"));
    EXPECT_TRUE(police.startsWith("Police 100 of 100")) << police.toStdString();
    EXPECT_TRUE(police.contains("falls every 4th hour by chance"));
    EXPECT_TRUE(police.contains("raises it by 2 every 4th hour"));
    EXPECT_TRUE(police.contains("comfort is above 50 and clean, police and fire are each above "
                                "20; they leave when comfort falls below 50 or a level below 20"));
    // Three policemen at a wage of 8: 24 every fourth hour.
    EXPECT_TRUE(police.contains("3 policemen of 5, paid 24 every 4th hour"))
        << police.toStdString();
    EXPECT_EQ(Plain(LabelCaptioned(driver->Control("Panel3"), "Police")), police);
    const QString clean = Plain(driver->Control("edDirty"));
    EXPECT_TRUE(clean.contains("This floor has no Cleaning station"));
    EXPECT_TRUE(clean.contains("raises it by 4 every 3rd hour"));
    const QString comfort = Plain(LabelCaptioned(driver->Control("Panel3"), "Owerall"));
    EXPECT_TRUE(comfort.startsWith("Comfort 75 of 100")) << comfort.toStdString();
    EXPECT_TRUE(comfort.contains("0 comfort items"));
}
