// The play screen's panels follow the tables.
#include "WindowFixture.h"
#include "store/MemTable.h"
#include "ui/FloorPanel.h"
#include "ui/PaintBox.h"
#include "ui/RoomPanel.h"
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
    TFloorPanel &panel = *window->FloorPanel;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(panel.stations[i].stationSwitch->StateOn());
        EXPECT_TRUE(panel.stations[i].stationSwitch->isEnabled());
        EXPECT_FALSE(panel.WorkersEnabled(i));
        EXPECT_EQ(panel.stations[i].workers->Caption(), "0");
    }

    // A police station with no worker yet: on, locked, its workers usable.
    Run([&] { window->btDirtyStationClick(panel.stations[1].stationSwitch); });
    EXPECT_TRUE(panel.stations[1].stationSwitch->StateOn());
    EXPECT_FALSE(panel.stations[1].stationSwitch->isEnabled());
    EXPECT_TRUE(panel.WorkersEnabled(1));
    Run([&] { window->btBayStuffClick(panel.stations[1].plus); });
    EXPECT_EQ(panel.stations[1].workers->Caption(), "1");
    Run([&] { window->btSellWorkersClick(panel.stations[1].minus); });
    Run([&] { window->btSellWorkersClick(panel.stations[1].minus); });
    EXPECT_EQ(panel.stations[1].workers->Caption(), "0");

    // Two items bought: checked and locked; the others stay open. The refresh
    // that sets the marks buys nothing.
    const int money = data->GetMoney();
    Run([&] { window->btStuff01Click(panel.btStuff[0]); });
    Run([&] { window->btStuff01Click(panel.btStuff[2]); });
    EXPECT_EQ(data->tCurrFloor.FieldNamed("STUFF").AsString(), "1010");
    EXPECT_EQ(money - data->GetMoney(), 3000 + 1200);
    const bool checked[] = {true, false, true, false};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(panel.btStuff[k]->Checked(), checked[k]) << k;
        EXPECT_EQ(panel.btStuff[k]->isEnabled(), !checked[k]) << k;
    }

    BuyFloor();
    EXPECT_EQ(Caption("edFloor"), "2");
    EXPECT_FALSE(panel.btStuff[0]->Checked()) << "the new floor has no lift";
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
    EXPECT_EQ(window->RoomPanel->edRoomStatus->FontColor(), clAqua);
    EXPECT_EQ(Caption("edRoomWear"), "24");
}

TEST_F(WindowTest, InfoButtonsChooseTheStationPageAndDrawTheLeader)
{
    TFloorPanel &panel = *window->FloorPanel;
    EXPECT_EQ(panel.PaintBox1->Tag, 0);
    const int centres[] = {36, 60, 84, 108};
    for (int k = 0; k < 4; ++k) {
        panel.btInfo[k]->OnClick(panel.btInfo[k]);
        EXPECT_EQ(Page(panel.ntStations), k + 1);
        EXPECT_EQ(panel.PaintBox1->Tag, centres[k]);
    }
    QImage image(panel.PaintBox1->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    panel.btInfo[2]->OnClick(panel.btInfo[2]);
    panel.PaintBox1->render(&image);
    EXPECT_EQ(image.pixelColor(0, 84), clYellow) << "the line starts at y 84 after Fire";
    EXPECT_EQ(image.pixelColor(33, 15), clYellow);
}
