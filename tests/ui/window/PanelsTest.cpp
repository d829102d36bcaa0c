// The play screen's panels follow the tables.
#include "WindowFixture.h"
#include "store/MemTable.h"
#include "ui/FloorPanel.h"
#include "ui/PaintBox.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/SystemColors.h"

TEST(ShowLevel, ColoursTheLevelByItsBand)
{
    const struct
    {
        int value;
        QColor colour;
    } cases[] = {{100, clLime}, {76, clLime},   {75, clYellow}, {51, clYellow}, {50, clRed},
                 {26, clRed},   {25, clMaroon}, {0, clMaroon},  {-3, clMaroon}};
    TShadowLabel label;
    for (const auto &c : cases) {
        TFloorPanel::ShowLevel(c.value, &label);
        EXPECT_EQ(label.Caption(), QString::number(c.value));
        EXPECT_EQ(label.FontColor(), c.colour) << c.value;
    }
}

TEST_F(WindowTest, FloorPanelShowsTheStoreyStationsAndComfortOfTheCurrentFloor)
{
    AddHotel("Floors");
    LoadWithMoney();
    BuyFloor();
    EXPECT_EQ(Caption("edFloor"), "1");
    EXPECT_EQ(Caption("edComfort"), "75");
    const char *workers[] = {"edDirtyWorkers", "edPoliceWorkers", "edFireWorkers"};
    for (int station = 1; station <= 3; ++station) {
        EXPECT_FALSE(driver->StationSwitch(station)->StateOn());
        EXPECT_TRUE(driver->StationSwitch(station)->isEnabled());
        EXPECT_FALSE(driver->WorkersEnabled(station));
        EXPECT_EQ(Caption(workers[station - 1]), "0");
    }

    // A police station with no worker yet: on, locked, its workers usable.
    driver->BuyStation(2);
    EXPECT_TRUE(driver->StationSwitch(2)->StateOn());
    EXPECT_FALSE(driver->StationSwitch(2)->isEnabled());
    EXPECT_TRUE(driver->WorkersEnabled(2));
    driver->HireWorker(2);
    EXPECT_EQ(Caption("edPoliceWorkers"), "1");
    driver->DismissWorker(2);
    driver->DismissWorker(2);
    EXPECT_EQ(Caption("edPoliceWorkers"), "0");

    // Two items bought: checked and locked; the others stay open. The refresh
    // that sets the marks buys nothing.
    const int money = data->GetMoney();
    driver->BuyItem(1);
    driver->BuyItem(3);
    EXPECT_EQ(data->tCurrFloor.FieldNamed("STUFF").AsString(), "1010");
    EXPECT_EQ(money - data->GetMoney(), 3000 + 1200);
    const bool checked[] = {true, false, true, false};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(driver->ItemBox(k + 1)->Checked(), checked[k]) << k;
        EXPECT_EQ(driver->ItemBox(k + 1)->isEnabled(), !checked[k]) << k;
    }

    BuyFloor();
    EXPECT_EQ(Caption("edFloor"), "2");
    EXPECT_FALSE(driver->ItemBox(1)->Checked()) << "the new floor has no lift";
    EXPECT_EQ(money - data->GetMoney(), 3000 + 1200 + 8000);
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowTest, RoomPanelShowsTypeStatusIncomeAndDaysLeft)
{
    AddHotel("Rooms");
    LoadWithMoney();
    BuyFloor();
    ChooseTool(2);
    Click(Qt::LeftButton, 40, 490);
    EXPECT_EQ(Caption("edRoomName"), "Double room");
    EXPECT_EQ(Caption("edRoomIncome"), "480");
    EXPECT_EQ(Caption("edRoomStatus"), "Building");
    EXPECT_EQ(driver->Control<TShadowLabel>("edRoomStatus")->FontColor(), clAqua);
    // Being built, the room has working hours left, under their own heading: eight for a
    // double room; finished, it has its days of use.
    EXPECT_EQ(Caption("edRoomWearHeading"), "Work hours");
    EXPECT_EQ(Caption("edRoomWear"), "8");
    Run([&] {
        data->tRoom.Locate("ID", data->RoomID);
        data->tRoom.Edit();
        data->tRoom.FieldNamed("STATUS").SetAsInteger(-3);
        data->tRoom.Post();
        data->SelectRoom(data->RoomID);
    });
    EXPECT_EQ(Caption("edRoomWear"), "3");
    Run([&] {
        data->tRoom.Edit();
        data->tRoom.FieldNamed("STATUS").SetAsInteger(0);
        data->tRoom.Post();
        data->SelectRoom(data->RoomID);
    });
    EXPECT_EQ(Caption("edRoomWearHeading"), "Days left");
    EXPECT_EQ(Caption("edRoomWear"), "24");
    EXPECT_FALSE(driver->Control("btRebuild")->isVisibleTo(window.get()))
        << "only a broken room offers Rebuild";
}

TEST_F(WindowTest, InfoButtonsChooseTheStationPageAndDrawTheLeader)
{
    TPaintBox *leader = driver->Control<TPaintBox>("PaintBox1");
    EXPECT_EQ(leader->Tag, 0);
    const int centres[] = {36, 60, 84, 108};
    for (int k = 0; k < 4; ++k) {
        driver->ClickInfo(k + 1);
        EXPECT_EQ(Page("ntStations"), k + 1);
        EXPECT_EQ(leader->Tag, centres[k]);
    }
    QImage image(leader->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    driver->ClickInfo(3);
    leader->render(&image);
    EXPECT_EQ(image.pixelColor(0, 84), clYellow) << "the line starts at y 84 after Fire";
    EXPECT_EQ(image.pixelColor(33, 15), clYellow);
}
