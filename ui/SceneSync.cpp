#include "ui/SceneSync.h"

#include "common/HotelCodes.h"
#include "model/FloorRecord.h"
#include "model/RoomRecord.h"
#include "model/TD_Data.h"
#include "scene/Arena.h"
#include "scene/FloorSprite.h"
#include "scene/HotelScene.h"
#include "store/MemTable.h"
#include "ui/SceneView.h"

#include <stdexcept>

namespace {

// Walks every record with the notices held back, so the panels refresh once.
template <class F> void ForEachRecord(TvekMemTable &table, F perRecord)
{
    table.SuspendNotifications();
    try {
        table.First();
        while (!table.AtEnd()) {
            perRecord();
            table.Next();
        }
        table.First();
    } catch (...) {
        table.ResumeNotifications();
        throw;
    }
    table.ResumeNotifications();
}

} // namespace

TSceneSync::TSceneSync(THotelScene &scene, TSceneView &view, TD_Data &data)
    : scene_(scene), view_(view), data_(data)
{
}

void TSceneSync::SurfaceReady()
{
    // The scene set the arena's base line from the surface, which has the control's size.
    arena_ = &scene_.Arena;
}

TArena &TSceneSync::SceneArena()
{
    // A command that comes before the first paint makes the surface itself.
    if (!arena_)
        view_.Initialize();
    if (!arena_)
        throw std::runtime_error("The scene is not ready");
    return *arena_;
}

void TSceneSync::AddFloorSprite()
{
    const TFloorRecord floor(data_.tFloor);
    SceneArena().AddFloor(floor.Id(), floor.Storey(), floor.Station(StationKind::Clean),
                          floor.Station(StationKind::Police), floor.Station(StationKind::Fire),
                          floor.Items());
}

void TSceneSync::AddRoomSprite()
{
    const TRoomRecord room(data_.tRoom);
    SceneArena().AddRoom(room.Id(), room.Type(), room.Storey(), room.Cell(), room.Status(),
                         room.Alpha());
}

void TSceneSync::AddFloorSprites()
{
    ForEachRecord(data_.tFloor, [this] { AddFloorSprite(); });
}

void TSceneSync::AddRoomSprites()
{
    ForEachRecord(data_.tRoom, [this] { AddRoomSprite(); });
}

void TSceneSync::SetRoomAlpha(int roomId, int alpha)
{
    if (arena_)
        arena_->SetAlphaByID(roomId, alpha);
}

void TSceneSync::SetRoomStatus(int roomId, int status)
{
    if (arena_)
        arena_->SetStatusByID(roomId, status);
}

void TSceneSync::RemoveFloorStuff(int floorId, int item)
{
    if (arena_)
        arena_->RemoveFloorStuff(floorId, item);
}

void TSceneSync::RemoveAll()
{
    if (arena_)
        arena_->KillAll();
}

void TSceneSync::RemoveRoom(int roomId)
{
    SceneArena().KillByID(roomId);
}

void TSceneSync::AddStation(int floorId, int station)
{
    if (TFloorSprite *floor = SceneArena().FindFloor(floorId))
        floor->SetStation(station, 0);
}

void TSceneSync::AddItem(int floorId, int item)
{
    if (TFloorSprite *floor = SceneArena().FindFloor(floorId))
        floor->SetFeature(item, 1);
}

TSprite *TSceneSync::SpriteAt(int x, int y)
{
    return scene_.Engine.SpriteAt(x, y);
}

int TSceneSync::CellAt(int x)
{
    return (x - SceneArena().LeftMargin()) / TArena::CellWidth; // truncates toward zero
}
