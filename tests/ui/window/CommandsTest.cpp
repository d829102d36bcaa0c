// The player's commands on the building tools and the scene.
#include "WindowFixture.h"
#include "scene/FloorSprite.h"
#include "scene/GeneralSprite.h"
#include "scene/MickySprite.h"
#include "scene/RoomSprite.h"
#include "store/MemTable.h"
#include "ui/PaintBox.h"
#include "ui/SceneView.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"

namespace {

bool ToolCursor(TSceneView *view)
{
    return view->cursor().shape() == Qt::BitmapCursor;
}

} // namespace

class CommandsTest : public WindowTest
{
protected:
    CommandsTest()
    {
        AddHotel("Commands");
        LoadWithMoney();
        BuyFloor();
        BuyFloor();
    }
    int PosOfCurrentRoom() { return data->tCurrRoom.FieldNamed("POSIT").AsInteger(); }
    void ExpectNoTool()
    {
        EXPECT_EQ(driver->BuildTool(), -1);
        EXPECT_EQ(Caption("edBuilPrice"), "0");
        EXPECT_FALSE(ToolCursor(&driver->SceneView()));
        EXPECT_EQ(driver->Control<TPaintBox>("PaintBox2")->Tag, 0);
        for (int type = 1; type <= 5; ++type)
            EXPECT_FALSE(driver->ToolButton(type)->Down());
    }
};

TEST_F(CommandsTest, ALeftClickWithAToolBuildsOnTheCellUnderThePoint)
{
    const struct
    {
        int x;
        int cell;
    } cases[] = {{40, 0}, {89, 0}, {90, 1}, {539, 9}};
    for (const auto &c : cases) {
        // Each case on a fresh floor, so the cell is bare.
        BuyFloor();
        const int storey = data->FloorID;
        const int rooms = RoomCount();
        ChooseTool(1);
        EXPECT_TRUE(ToolCursor(&driver->SceneView()));
        Click(Qt::LeftButton, c.x, 465 - 50 * storey + 25);
        ASSERT_EQ(RoomCount(), rooms + 1) << "x " << c.x;
        EXPECT_EQ(PosOfCurrentRoom(), c.cell) << "x " << c.x;
        EXPECT_EQ(data->tCurrRoom.FieldNamed("FLOOR_ID").AsInteger(), storey);
        EXPECT_EQ(Page("ntRoom"), 1);
        ExpectNoTool();
    }
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
}

TEST_F(CommandsTest, RightAndMiddleClicksOnAFloorSelectItAndCloseTheRoomPage)
{
    const struct
    {
        Qt::MouseButton button;
        bool withTool;
        int toolAfter;
    } cases[] = {{Qt::RightButton, true, -1},
                 {Qt::MiddleButton, true, 3},
                 {Qt::LeftButton, false, -1},
                 {Qt::RightButton, false, -1},
                 {Qt::MiddleButton, false, -1}};
    for (const auto &c : cases) {
        if (c.withTool)
            ChooseTool(3);
        driver->ShowPage("ntRoom", 1);
        Run([&] { data->SelectFloor(0); });
        Click(c.button, 300, 440); // storey 1
        EXPECT_EQ(data->FloorID, 1);
        EXPECT_EQ(Page("ntRoom"), 0);
        EXPECT_EQ(driver->BuildTool(), c.toolAfter);
        EXPECT_EQ(RoomCount(), 0);
        if (c.toolAfter == 3) {
            EXPECT_TRUE(driver->ToolButton(3)->Down());
            EXPECT_EQ(Caption("edBuilPrice"), "6500");
            driver->SelectBuildTool(-1);
        }
        ExpectNoTool();
    }
}

TEST_F(CommandsTest, ClicksOnTheBackgroundSelectNothing)
{
    ChooseTool(2);
    Click(Qt::LeftButton, 20, 20);
    EXPECT_EQ(driver->BuildTool(), 2);
    EXPECT_EQ(RoomCount(), 0);
    Click(Qt::RightButton, 20, 20);
    ExpectNoTool();
}

TEST_F(CommandsTest, ClicksOnARoomOrItsOccupantSelectTheRoomAndKeepTheTool)
{
    ChooseTool(2);
    Click(Qt::LeftButton, 45, 490); // a double room on cells 0 and 1 of storey 0
    const int roomId = data->RoomID;
    driver->HourlyRules().SetRoomStatus(roomId, 1);
    ASSERT_EQ(SpritesWithID(roomId).size(), 1u);
    auto *room = dynamic_cast<TRoomSprite *>(SpritesWithID(roomId).front());
    ASSERT_TRUE(room && room->Micky && room->Micky->Visible);

    const int points[][2] = {{60, 490}, {115, 490}}; // the room's own cell, then the occupant's
    for (const auto &p : points) {
        Run([&] {
            data->SelectFloor(1);
            data->SelectRoom(-1);
        });
        driver->ShowPage("ntRoom", 0);
        ChooseTool(4);
        EXPECT_EQ(driver->Scene().Engine.SpriteAt(p[0], p[1]) == room->Micky, p[0] == 115);
        Click(Qt::LeftButton, p[0], p[1]);
        EXPECT_EQ(data->FloorID, 0);
        EXPECT_EQ(data->RoomID, roomId);
        EXPECT_EQ(Page("ntRoom"), 1);
        EXPECT_EQ(driver->BuildTool(), 4) << "a click on a room keeps the tool";
        EXPECT_EQ(RoomCount(), 1);
    }
}

TEST_F(CommandsTest, ChoosingAnotherToolReleasesTheFirstAndShowsItsPriceLineAndPicture)
{
    ChooseTool(1);
    ChooseTool(3);
    EXPECT_FALSE(driver->ToolButton(1)->Down());
    EXPECT_TRUE(driver->ToolButton(3)->Down());
    EXPECT_EQ(Caption("edBuilPrice"), "6500");
    EXPECT_EQ(driver->Control<TPaintBox>("PaintBox2")->Tag, 148);
    ChooseTool(3);
    EXPECT_EQ(driver->BuildTool(), 3) << "a second click keeps the tool";

    QImage line(driver->Control<TPaintBox>("PaintBox2")->size(), QImage::Format_RGB32);
    line.fill(Qt::black);
    driver->Control<TPaintBox>("PaintBox2")->render(&line);
    EXPECT_EQ(line.pixel(0, 123), qRgb(255, 255, 0)) << "the leader starts at y 123";
    QImage picture(driver->Control<TPaintBox>("PaintBox3")->size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    driver->Control<TPaintBox>("PaintBox3")->render(&picture);
    const QImage room3 =
        driver->Scene().Pictures.Items.Item(2).Picture.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(picture.pixel(34, 25), picture.pixel(0, 25)) << "150 pixels wide, right-aligned";
    EXPECT_EQ(picture.pixel(35, 25), room3.pixel(0, 25));
    EXPECT_EQ(picture.pixel(184, 25), room3.pixel(149, 25));
}

TEST_F(CommandsTest, MovingWithAToolShowsTheToolCursorOnlyOverFloors)
{
    ChooseTool(1);
    Click(Qt::LeftButton, 45, 490);
    ChooseTool(1);
    driver->MoveOverScene(300, 490);
    EXPECT_TRUE(ToolCursor(&driver->SceneView()));
    driver->MoveOverScene(60, 490);
    EXPECT_FALSE(ToolCursor(&driver->SceneView())) << "over a room";
    driver->MoveOverScene(300, 490);
    driver->MoveOverScene(10, 10);
    EXPECT_FALSE(ToolCursor(&driver->SceneView())) << "over the background";
}

TEST_F(CommandsTest, DemolishRemovesTheSpritesBeforeTheRecord)
{
    ChooseTool(1);
    Click(Qt::LeftButton, 45, 490);
    const int roomId = data->RoomID;
    ASSERT_EQ(SpritesWithID(roomId).size(), 1u);
    std::size_t spritesWhenDeleted = 99;
    TDataSource probe;
    probe.SetDataSet(&data->tRoom);
    probe.OnDataChange = [&](TDataSource &, TField *) {
        if (RoomCount() == 0 && spritesWhenDeleted == 99)
            spritesWhenDeleted = SpritesWithID(roomId).size();
    };
    const int sprites = SpriteCount();
    driver->Demolish();
    probe.SetDataSet(nullptr);
    EXPECT_EQ(spritesWhenDeleted, 0u);
    EXPECT_EQ(SpriteCount(), sprites - 2) << "the room and its occupant";
    EXPECT_EQ(RoomCount(), 0);
    EXPECT_EQ(Page("ntRoom"), 0);
}

TEST_F(CommandsTest, RefusedCommandsLeaveToolSpritesAndPagesAsTheyWere)
{
    // No room for a three-cell room at cell 8.
    ChooseTool(3);
    driver->ShowPage("ntRoom", 0);
    const int sprites = SpriteCount();
    Click(Qt::LeftButton, 40 + 8 * 50 + 5, 490);
    ASSERT_EQ(messages.Messages, std::vector<std::string>{"You cannot build here"});
    EXPECT_EQ(driver->BuildTool(), 3);
    EXPECT_TRUE(driver->ToolButton(3)->Down());
    EXPECT_EQ(Caption("edBuilPrice"), "6500");
    EXPECT_EQ(SpriteCount(), sprites);
    EXPECT_EQ(Page("ntRoom"), 0);
    EXPECT_TRUE(data->gmTimer().Enabled()) << "the clock runs again";

    // No money: no floor, no station, no item.
    data->AddMoney(-data->GetMoney());
    BuyFloor();
    TRockerSwitch *cleaning = driver->StationSwitch(1);
    cleaning->SetStateOn(true); // as the player's press left it
    driver->BuyStation(1);
    EXPECT_FALSE(cleaning->StateOn()) << "a refused station does not look bought";
    EXPECT_TRUE(cleaning->isEnabled());
    TGlyphCheckBox *ventilation = driver->ItemBox(2);
    ventilation->OnClick = nullptr;
    ventilation->SetChecked(true);
    driver->BuyItem(2);
    EXPECT_FALSE(ventilation->Checked()) << "a refused item does not look bought";
    EXPECT_EQ(messages.Messages.size(), 4u);
    EXPECT_EQ(messages.Messages.back(), "You don't have enough money!");
    EXPECT_EQ(SpriteCount(), sprites);
    EXPECT_EQ(driver->BuildTool(), 3);
    EXPECT_TRUE(errors.empty()) << "a refusal shows no error box";
}

TEST_F(CommandsTest, TheHourlyRulesChangeSpritesThroughTheViewOperations)
{
    ChooseTool(1);
    Click(Qt::LeftButton, 45, 490);
    const int roomId = data->RoomID;
    auto *room = dynamic_cast<TRoomSprite *>(SpritesWithID(roomId).front());
    EXPECT_EQ(room->Alpha, 55);
    driver->HourlyRules().SetRoomAlpha(roomId, 155);
    EXPECT_EQ(room->Alpha, 155);
    driver->HourlyRules().SetRoomStatus(roomId, 2);
    EXPECT_EQ(room->FrameBase, 1);
    driver->BuyItem(4);
    TFloorSprite *floor = driver->Arena()->FindFloor(0);
    ASSERT_NE(floor->Parts[7], nullptr);
    driver->HourlyRules().RemoveFloorStuff(0, 4);
    EXPECT_EQ(floor->Parts[7], nullptr);
    driver->HourlyRules().RemoveFloorStuff(7, 1); // no such floor: nothing happens
}

// With Shift the tool stays chosen for the next room; a plain click releases it.
TEST_F(CommandsTest, AShiftClickKeepsTheToolForTheNextRoom)
{
    ChooseTool(1);
    driver->ClickScene(Qt::LeftButton, 45, 490, Qt::ShiftModifier);
    EXPECT_EQ(RoomCount(), 1);
    EXPECT_EQ(driver->BuildTool(), 1);
    EXPECT_TRUE(driver->ToolButton(1)->Down());
    driver->ClickScene(Qt::LeftButton, 95, 490, Qt::ShiftModifier);
    EXPECT_EQ(RoomCount(), 2);
    EXPECT_EQ(driver->BuildTool(), 1);
    Click(Qt::LeftButton, 145, 490);
    EXPECT_EQ(RoomCount(), 3);
    ExpectNoTool();
}

// Rebuild puts a new room of the broken one's type on its cells, with sprites of its own; the
// button and the R key exist only while the room page shows a broken room.
TEST_F(CommandsTest, RebuildReplacesABrokenRoomAndItsSprites)
{
    ChooseTool(2);
    Click(Qt::LeftButton, 45, 490);
    const int broken = data->RoomID;
    Run([&] {
        data->tRoom.Locate("ID", broken);
        data->tRoom.Edit();
        data->tRoom.FieldNamed("STATUS").SetAsInteger(2);
        data->tRoom.Post();
        data->SelectRoom(broken);
    });
    ASSERT_TRUE(driver->Control("btRebuild")->isVisibleTo(window.get()));
    const int money = data->GetMoney();
    driver->PressKey(Qt::Key_R);
    const int rebuilt = data->RoomID;
    EXPECT_NE(rebuilt, broken);
    EXPECT_EQ(money - data->GetMoney(), 4500) << "a double room's price";
    EXPECT_EQ(RoomCount(), 1);
    EXPECT_EQ(PosOfCurrentRoom(), 0);
    EXPECT_TRUE(SpritesWithID(broken).empty());
    EXPECT_FALSE(SpritesWithID(rebuilt).empty());
    EXPECT_EQ(Caption("edRoomStatus"), "Building");
    EXPECT_FALSE(driver->Control("btRebuild")->isVisibleTo(window.get()));
    driver->PressKey(Qt::Key_R);
    EXPECT_EQ(data->RoomID, rebuilt) << "R does nothing without a broken room";
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
}
