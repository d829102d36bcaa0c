#include "ui/PlayerCommands.h"

#include "common/HotelCodes.h"
#include "model/HotelRecord.h"
#include "model/RoomRecord.h"
#include "model/TD_Data.h"
#include "scene/FloorSprite.h"
#include "scene/MickySprite.h"
#include "scene/PictureList.h"
#include "scene/RoomSprite.h"
#include "store/MemTable.h"
#include "ui/BuildingTools.h"
#include "ui/FloorPanel.h"
#include "ui/GamePace.h"
#include "ui/HotelInfoPanel.h"
#include "ui/JournalLink.h"
#include "ui/ListPage.h"
#include "ui/MainWindowLayout.h"
#include "ui/PaintBox.h"
#include "ui/RoomPanel.h"
#include "ui/SceneSync.h"
#include "ui/SceneView.h"
#include "ui/TableText.h"
#include "ui/widgets/GameArt.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"

#include <QPainter>
#include <QStackedWidget>

namespace {

// The room page of ntRoom, and its empty page.
const int kNoRoomPage = 0;
const int kRoomPage = 1;

} // namespace

TPlayerCommands::TPlayerCommands(TD_Data &data, TMainWindowLayout &layout, TSceneSync &scene,
                                 const TPictureList &pictures, TGamePace &pace,
                                 TJournalLink &journal, TPlayerHooks hooks)
    : data_(data), layout_(layout), scene_(scene), pictures_(pictures), pace_(pace),
      journal_(journal), hooks_(hooks)
{
}

QString TPlayerCommands::CatalogPriceText(int id)
{
    // Without a usable catalog the labels stay empty; a purchase says why it is refused.
    return data_.CatalogReady() ? QString::number(data_.CatalogPrice(id)) : QString();
}

// ---------------------------------------------------------------------------
// The hotel list and the passage to the play screen and back

void TPlayerCommands::Load()
{
    TvekMemTable &hotel = data_.tHotel;
    if (!hotel.Active() || hotel.IsEmpty())
        return;
    const int hotelId = THotelRecord(hotel).HotelId();
    data_.RefuseHeldHotel(hotelId, "opened");
    scene_.SceneArena(); // the scene must be ready before the model opens the hotel
    data_.SelectHotel(hotelId);
    // The panels show a floor and a room only once the hotel has them; until
    // then they must not keep the figures of the hotel played before.
    if (data_.tFloor.IsEmpty()) {
        layout_.FloorPanel->Clear();
        layout_.RoomPanel->Clear();
    }
    // A tool left chosen in the previous game is released with its button.
    if (buildTool_ > 0)
        SelectBuildTool(-1);
    buildTool_ = -1;
    scene_.AddFloorSprites();
    scene_.AddRoomSprites();
    layout_.ntMain->setCurrentIndex(0);
    layout_.FloorPanel->ntStations->setCurrentIndex(0);
    layout_.RoomPanel->ntRoom->setCurrentIndex(kNoRoomPage);
    layout_.Tools->ntBuilding->setCurrentIndex(1);
    layout_.HotelInfo->OvalButton9->show();
    ShowPrices();
    journal_.Open(hotelId);
    data_.StartClock();
    pace_.ClockStarted();
}

void TPlayerCommands::ShowPrices()
{
    layout_.Tools->edFloorPrice->SetCaption(CatalogPriceText(CatalogRow::Floor));
    for (int k = 0; k < CatalogRow::StationCount; ++k)
        layout_.FloorPanel->stations[static_cast<std::size_t>(k)].price->SetCaption(
            CatalogPriceText(CatalogRow::Station(k + 1)));
    for (int k = 0; k < CatalogRow::ItemCount; ++k)
        layout_.FloorPanel->edFeaturePrice[static_cast<std::size_t>(k)]->SetCaption(
            CatalogPriceText(CatalogRow::Item(k + 1)));
}

void TPlayerCommands::NewHotel()
{
    const std::optional<QString> name = hooks_.AskHotelName();
    if (name)
        data_.NewHotel(ToTableText(*name));
}

void TPlayerCommands::DeleteHotel()
{
    TvekMemTable &hotel = data_.tHotel;
    if (!hotel.Active() || hotel.IsEmpty())
        return;
    // A hotel held for its saved records may share its ID with another; deleting it could take
    // the other's floors and rooms.
    data_.RefuseHeldHotel(THotelRecord(hotel).HotelId(), "deleted");
    const QString name = FromTableText(THotelRecord(hotel).Name());
    if (hooks_.AskConfirmation(
            QStringLiteral("Delete hotel \"%1\"? Its floors and rooms are removed.").arg(name),
            QStringLiteral("Delete")))
        data_.DeleteHotel();
}

void TPlayerCommands::RestoreBackup()
{
    const std::optional<std::string> folder = hooks_.AskBackup(data_.BackupSummaries());
    if (!folder)
        return;
    data_.RestoreBackup(*folder);
    layout_.ListPage->dsHotelDataChange();
}

void TPlayerCommands::MainMenu()
{
    scene_.RemoveAll();
    layout_.HotelInfo->OvalButton9->hide();
    layout_.Tools->ntBuilding->setCurrentIndex(0);
    layout_.ntMain->setCurrentIndex(1);
    journal_.Close();
    data_.CloseHotel();
    pace_.ClockStopped();
    if (hooks_.OnHotelClosed)
        hooks_.OnHotelClosed();
}

// ---------------------------------------------------------------------------
// Building

void TPlayerCommands::SelectBuildTool(int tool)
{
    TBuildingTools &tools = *layout_.Tools;
    if (buildTool_ > 0 && tool == -1) {
        if (TOvalButton *button = tools.ToolButton(buildTool_)) {
            button->SetAllowAllUp(true);
            button->SetDown(false);
            button->SetAllowAllUp(false);
        }
    }
    if (tool < 0) {
        tools.edBuilPrice->SetCaption("0");
        layout_.SceneView->unsetCursor();
        tools.PaintBox2->Tag = 0;
    } else {
        tools.edBuilPrice->SetCaption(CatalogPriceText(tool));
        layout_.SceneView->setCursor(MultiDragCursor());
    }
    buildTool_ = tool;
    tools.PaintBox2->update();
    tools.PaintBox3->update();
}

void TPlayerCommands::ChooseTool(int tool, int centreY)
{
    layout_.Tools->PaintBox2->Tag = centreY;
    SelectBuildTool(tool);
}

void TPlayerCommands::ReleaseTool()
{
    if (buildTool_ > 0)
        SelectBuildTool(-1);
}

void TPlayerCommands::PaintLeader(QPainter &painter)
{
    const TPaintBox &box = *layout_.Tools->PaintBox2;
    if (box.Tag != 0)
        box.DrawLeader(painter, box.Tag - box.y(), box.height());
}

void TPlayerCommands::PaintToolPicture(QPainter &painter)
{
    if (buildTool_ <= 0 || buildTool_ > pictures_.Items.Count())
        return;
    const TPictureItem &item = pictures_.Items.Item(buildTool_ - 1);
    const int patternWidth = item.GetPatternWidth();
    const QImage picture = item.Picture.copy(0, 0, patternWidth, item.Picture.height());
    painter.drawImage(layout_.Tools->PaintBox3->width() - patternWidth, 0, picture);
}

void TPlayerCommands::BuildFloor()
{
    data_.BuildFloor();
    scene_.AddFloorSprite();
}

void TPlayerCommands::SceneMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                                   int y)
{
    QStackedWidget *roomPages = layout_.RoomPanel->ntRoom;
    const int cell = scene_.CellAt(x);
    TSprite *sprite = scene_.SpriteAt(x, y);
    if (auto *floor = dynamic_cast<TFloorSprite *>(sprite)) {
        data_.SelectFloor(floor->Floor);
        if (button == Qt::LeftButton && buildTool_ > 0) {
            data_.BuildRoom(buildTool_, cell);
            scene_.AddRoomSprite();
            if (!(modifiers & Qt::ShiftModifier))
                SelectBuildTool(-1);
            roomPages->setCurrentIndex(kRoomPage);
        } else {
            roomPages->setCurrentIndex(kNoRoomPage);
        }
    } else if (auto *room = dynamic_cast<TRoomSprite *>(sprite)) {
        const int roomId = room->ID;
        data_.SelectFloor(room->Floor);
        data_.SelectRoom(roomId);
        roomPages->setCurrentIndex(kRoomPage);
    } else if (auto *micky = dynamic_cast<TMickySprite *>(sprite)) {
        const int roomId = micky->RoomID;
        data_.SelectFloor(micky->Floor);
        data_.SelectRoom(roomId);
        roomPages->setCurrentIndex(kRoomPage);
    }
    if (button == Qt::RightButton && buildTool_ > 0)
        SelectBuildTool(-1);
}

void TPlayerCommands::SceneMouseMove(int x, int y)
{
    if (buildTool_ == -1)
        return;
    if (dynamic_cast<TFloorSprite *>(scene_.SpriteAt(x, y)))
        layout_.SceneView->setCursor(MultiDragCursor());
    else
        layout_.SceneView->unsetCursor();
}

// ---------------------------------------------------------------------------
// The current floor and room

void TPlayerCommands::BuildStation(int station)
{
    FloorPurchase([&] { data_.BuildStation(station); });
    scene_.AddStation(data_.FloorID, station);
}

void TPlayerCommands::ChangeWorkers(int station, int delta)
{
    FloorPurchase([&] { data_.ChangeWorkers(station, delta); });
}

void TPlayerCommands::BuyStuff(int item)
{
    FloorPurchase([&] { data_.BuyStuff(item); });
    scene_.AddItem(data_.FloorID, item);
}

void TPlayerCommands::FloorPurchase(const std::function<void()> &purchase)
{
    try {
        purchase();
    } catch (...) {
        layout_.FloorPanel->dsFloorDataChange(&data_.tCurrFloor);
        throw;
    }
}

void TPlayerCommands::Demolish()
{
    // A room with a guest is not pulled down without a question.
    TvekMemTable &table = data_.tCurrRoom;
    if (table.Active() && !table.IsEmpty()) {
        const TRoomRecord room(table);
        const QString name = FromTableText(data_.CatalogName(room.Type()));
        if (room.Status() == RoomStatus::Occupied &&
            !hooks_.AskConfirmation(
                QStringLiteral("Demolish room \"%1\"? Its guest leaves and nothing is refunded.")
                    .arg(name),
                QStringLiteral("Demolish")))
            return;
        // A room being built looks unfinished, not broken; its price is gone with it.
        if (RoomStatus::UnderConstruction(room.Status()) &&
            !hooks_.AskConfirmation(
                QStringLiteral("Demolish room \"%1\" while it is being built? Its price is not "
                               "refunded.")
                    .arg(name),
                QStringLiteral("Demolish")))
            return;
    }
    layout_.RoomPanel->ntRoom->setCurrentIndex(kNoRoomPage);
    scene_.RemoveRoom(data_.RoomID);
    data_.DemolishRoom();
}

void TPlayerCommands::Rebuild()
{
    const int broken = data_.RoomID;
    // The model refuses before it changes anything, so the scene changes only after it.
    data_.RebuildRoom();
    scene_.RemoveRoom(broken);
    scene_.AddRoomSprite();
    layout_.RoomPanel->ntRoom->setCurrentIndex(kRoomPage);
}
