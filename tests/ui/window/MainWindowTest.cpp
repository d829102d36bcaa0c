// The hotel list and the passage to the play screen and back.
#include "WindowFixture.h"
#include "model/HotelSaves.h"
#include "model/TableSchemas.h"
#include "scene/GeneralSprite.h"
#include "store/MemTable.h"
#include "ui/HotelListModel.h"
#include "ui/SceneView.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTableView>
#include <filesystem>
#include <fstream>

TEST_F(WindowTest, StartsOnTheListWithTheWindowLaidOut)
{
    EXPECT_EQ(window->windowTitle(), "TAMSEL HOTEL");
    EXPECT_EQ(window->size(), QSize(979, 679));
    EXPECT_EQ(Page("ntMain"), 1);
    EXPECT_EQ(Page("ntBuilding"), 0);
    EXPECT_EQ(driver->BuildTool(), 0);
    EXPECT_FALSE(driver->Control("OvalButton9")->isVisible());
    EXPECT_EQ(driver->Control("Panel1")->geometry(), QRect(0, 0, 185, 679));
    EXPECT_EQ(driver->Control("ntMain")->geometry(), QRect(185, 0, 794, 679));
    EXPECT_EQ(driver->Control("ntBuilding")->geometry(), QRect(0, 398, 185, 281));
    driver->ShowPage("ntMain", 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(driver->Control("Panel3")->geometry(), QRect(0, 537, 794, 142));
    EXPECT_EQ(driver->SceneView().geometry(), QRect(0, 0, 761, 535));
    EXPECT_EQ(driver->Control("ntRoom")->geometry(), QRect(594, 0, 200, 142));
    EXPECT_EQ(driver->Control("ntStations")->geometry(), QRect(379, 0, 215, 142));
    EXPECT_TRUE(Caption("edBuildVersion").startsWith("Build: "));
    EXPECT_NE(driver->Arena(), nullptr);
}

TEST_F(WindowTest, ResizingKeepsTheLeftPanelAndTheRightBlocks)
{
    driver->ShowPage("ntMain", 0);
    window->resize(1200, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(driver->Control("Panel1")->width(), 185);
    EXPECT_EQ(driver->Control("ntMain")->geometry(), QRect(185, 0, 1015, 800));
    EXPECT_EQ(driver->Control("Panel3")->geometry(), QRect(0, 658, 1015, 142));
    EXPECT_EQ(driver->Control("ntRoom")->geometry().right(), 1014);
    EXPECT_EQ(driver->Control("ntBuilding")->geometry().bottom(), 799);
}

TEST_F(WindowTest, LoadAndDeleteOnAnEmptyListDoNothing)
{
    driver->Load();
    driver->Delete();
    EXPECT_EQ(Page("ntMain"), 1);
    EXPECT_EQ(driver->BuildTool(), 0);
    EXPECT_FALSE(data->gmTimer().Enabled());
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(WindowTest, NewHotelTakesTheTypedNameEvenAnEmptyOneAndCancelDoesNothing)
{
    AddHotel("");
    ASSERT_EQ(data->tHotel.RawRecordCount(), 1u);
    EXPECT_EQ(data->tHotel.FieldNamed("NAME").AsString(), "");
    EXPECT_EQ(driver->HotelList().rowCount(), 1);
    driver->AnswerHotelName(std::nullopt);
    driver->New();
    EXPECT_EQ(data->tHotel.RawRecordCount(), 1u);
    AddHotel("Hôtel Ritz");
    EXPECT_EQ(driver->HotelList().data(driver->HotelList().index(1, THotelListModel::Hotel)),
              QString("Hôtel Ritz"));
    EXPECT_EQ(Caption("edHotelName"), "Hôtel Ritz");
}

TEST_F(WindowTest, TheListIsOrderedByMoneyAndItsSelectionMovesTheCurrentHotel)
{
    for (const char *name : {"A", "B", "C"})
        AddHotel(name);
    const int money[] = {300, 100, 200};
    data->tHotel.First();
    for (int m : money) {
        data->tHotel.Edit();
        data->tHotel.FieldNamed("MONEY").SetAsInteger(m);
        data->tHotel.Post();
        data->tHotel.Next();
    }
    THotelListModel &list = driver->HotelList();
    ASSERT_EQ(list.rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list.data(list.index(row, THotelListModel::Money)).toInt(), (row + 1) * 100);
    driver->SelectListRow(2); // the richest, A, is last
    EXPECT_EQ(data->tHotel.FieldNamed("NAME").AsString(), "A");
    EXPECT_EQ(Caption("edHotelName"), "A");
    EXPECT_EQ(Caption("edHotelMoney"), "300");
    driver->SelectListRow(0);
    EXPECT_EQ(data->tHotel.FieldNamed("NAME").AsString(), "B");
    driver->Delete();
    EXPECT_EQ(list.rowCount(), 2);
}

TEST_F(WindowTest, LoadShowsThePlayScreenEmptyPagesPricesAndStartsTheClock)
{
    AddHotel("Empty");
    LoadWithMoney();
    EXPECT_EQ(Page("ntMain"), 0);
    EXPECT_EQ(Page("ntStations"), 0);
    EXPECT_EQ(Page("ntRoom"), 0);
    EXPECT_EQ(Page("ntBuilding"), 1);
    EXPECT_TRUE(driver->Control("OvalButton9")->isVisible());
    EXPECT_EQ(driver->BuildTool(), -1);
    EXPECT_TRUE(data->gmTimer().Enabled());
    EXPECT_EQ(SpriteCount(), 0) << "a hotel without floors loads into an empty scene";
    EXPECT_EQ(Caption("edFloorPrice"), "8000");
    EXPECT_EQ(Caption("edDirtyPrice"), "2500");
    EXPECT_EQ(Caption("edPolicePrice"), "3000");
    EXPECT_EQ(Caption("edFirePrice"), "3000");
    EXPECT_EQ(Caption("edFeaturePrice01"), "3000");
    EXPECT_EQ(Caption("edFeaturePrice02"), "1800");
    EXPECT_EQ(Caption("edFeaturePrice03"), "1200");
    EXPECT_EQ(Caption("edFeaturePrice04"), "800");
}

TEST_F(WindowTest, MainMenuEmptiesTheSceneBeforeTheModelClosesTheHotel)
{
    AddHotel("First");
    LoadWithMoney();
    BuyFloor();
    ChooseTool(1);
    Click(Qt::LeftButton, 60, 490);
    ASSERT_EQ(SpriteCount(), 4); // floor, strip, room, occupant

    // The model's closing drops the filter of tFloor; the scene must be empty by then.
    int spritesWhenClosed = -1;
    TDataSource probe;
    probe.SetDataSet(&data->tFloor);
    probe.OnDataChange = [&](TDataSource &, TField *) {
        if (!data->tFloor.Filtered() && spritesWhenClosed < 0)
            spritesWhenClosed = SpriteCount();
    };
    driver->MainMenu();
    probe.SetDataSet(nullptr);
    EXPECT_EQ(spritesWhenClosed, 0);
    EXPECT_EQ(Page("ntMain"), 1);
    EXPECT_EQ(Page("ntBuilding"), 0);
    EXPECT_FALSE(driver->Control("OvalButton9")->isVisible());
    EXPECT_FALSE(data->gmTimer().Enabled());
    EXPECT_EQ(driver->HotelList().rowCount(), 1) << "the closed hotel is still listed";

    // Another hotel shows only its own sprites.
    AddHotel("Second");
    LoadWithMoney();
    EXPECT_EQ(SpriteCount(), 0);
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
}

// A hotel saved with one room under construction, opened again after its catalog went
// missing or was refused: the game opens and shows what it can, and only purchases refuse.
TEST_F(WindowTest, WithoutAUsableCatalogLoadOpensTheHotelAndOnlyPurchasesRefuse)
{
    struct Case
    {
        const char *name;
        void (*breakCatalog)(const std::string &file);
    };
    const Case cases[] = {
        {"missing", [](const std::string &file) { std::filesystem::remove(file); }},
        {"refused",
         [](const std::string &file) {
             TvekMemTable catalog("tRooms");
             DefineGameTableFields(catalog, "tRooms");
             catalog.Open();
             catalog.ReadTableFile(file);
             ASSERT_TRUE(catalog.Locate("ID", 10));
             catalog.Edit();
             catalog.FieldNamed("PRICE").SetAsInteger(-1);
             catalog.Post();
             catalog.WriteTableFile(file);
         }},
    };
    AddHotel("Kept");
    LoadWithMoney();
    BuyFloor();
    ChooseTool(1);
    Click(Qt::LeftButton, 45, 490);
    ASSERT_EQ(RoomCount(), 1);
    const std::string catalogFile = PathOf("tRooms.dht");
    const std::string savedCatalog = [&] {
        Restart([] {});
        std::ifstream in(catalogFile, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Restart([&] {
            std::ofstream(catalogFile, std::ios::binary | std::ios::trunc) << savedCatalog;
            c.breakCatalog(catalogFile);
        });
        ASSERT_FALSE(data->CatalogReady());
        driver->Load();
        EXPECT_EQ(Page("ntMain"), 0);
        EXPECT_TRUE(data->gmTimer().Enabled()) << "the clock runs";
        for (const char *label :
             {"edFloorPrice", "edDirtyPrice", "edPolicePrice", "edFirePrice", "edFeaturePrice01",
              "edFeaturePrice02", "edFeaturePrice03", "edFeaturePrice04"})
            EXPECT_EQ(Caption(label).toStdString(), "") << label;
        EXPECT_EQ(SpriteCount(), 4) << "the floor with its strip, the room and its occupant";

        Click(Qt::LeftButton, 45, 490); // the room
        EXPECT_EQ(Page("ntRoom"), 1);
        EXPECT_EQ(Caption("edRoomStatus").toStdString(), "Building");
        EXPECT_EQ(Caption("edRoomWearHeading").toStdString(), "Work hours");
        EXPECT_EQ(Caption("edRoomWear").toStdString(), "5")
            << "the working hours the room was built with";
        EXPECT_EQ(Caption("edRoomName").toStdString(), "");
        EXPECT_EQ(Caption("edRoomIncome").toStdString(), "");
        ChooseTool(2);
        EXPECT_EQ(Caption("edBuilPrice").toStdString(), "");
        EXPECT_TRUE(errors.empty()) << errors.front().toStdString();

        // Purchases refuse with the catalog's own message and change nothing.
        messages.Messages.clear();
        BuyFloor();
        Click(Qt::LeftButton, 195, 490);
        EXPECT_EQ(messages.Messages, std::vector<std::string>(2, data->CatalogProblem()));
        EXPECT_EQ(RoomCount(), 1);
        EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    }
}

TEST_F(WindowTest, ALongHotelListSharesTheGridWidthWithoutAHorizontalScrollBar)
{
    QTableView *grid = driver->Control<QTableView>("DataGrid1");
    AddHotel("Alone");
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->columnWidth(THotelListModel::Hotel), 186);
    EXPECT_EQ(grid->columnWidth(THotelListModel::Date), 76);
    EXPECT_EQ(grid->columnWidth(THotelListModel::Money), 75);

    for (int k = 0; k < 30; ++k) // 18-pixel rows: about thirteen fit
        AddHotel("Hotel " + std::to_string(k));
    QCoreApplication::processEvents();
    ASSERT_TRUE(grid->verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    const int barWidth = grid->verticalScrollBar()->width();
    EXPECT_GT(barWidth, 0);
    EXPECT_EQ(grid->viewport()->width(), 337 - barWidth);
    EXPECT_EQ(grid->columnWidth(THotelListModel::Hotel), 186 - barWidth);
    EXPECT_EQ(grid->columnWidth(THotelListModel::Date), 76);
    EXPECT_EQ(grid->columnWidth(THotelListModel::Money), 75);
}

// Restore lists the backups and puts the chosen one in place: the list shows its hotels, and
// the hotels that were there come first in the next listing.
TEST_F(WindowTest, RestoreBringsTheChosenBackupsHotelsIntoTheList)
{
    AddHotel("Kept");
    data->SaveTables();
    AddHotel("Later");
    data->SaveTables();
    std::vector<TBackupSummary> listed;
    driver->AnswerBackup([&](const std::vector<TBackupSummary> &backups) {
        listed = backups;
        return std::optional<std::string>(backups.back().Folder);
    });
    driver->Restore();
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    ASSERT_EQ(listed.size(), 1u);
    ASSERT_EQ(driver->HotelList().rowCount(), 1);
    EXPECT_EQ(driver->HotelList().data(driver->HotelList().index(0, THotelListModel::Hotel)),
              QString("Kept"));

    driver->AnswerBackup([&](const std::vector<TBackupSummary> &backups) {
        listed = backups;
        return std::optional<std::string>();
    });
    driver->Restore();
    ASSERT_EQ(listed.size(), 2u);
    ASSERT_EQ(listed.front().Hotels.size(), 2u);
    EXPECT_EQ(listed.front().Hotels[1].Name, "Later");
    EXPECT_EQ(driver->HotelList().rowCount(), 1) << "a cancelled restore changes nothing";
}
