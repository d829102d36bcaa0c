#include "scene/Arena.h"

#include "common/HotelCodes.h"
#include "scene/FloorSprite.h"
#include "scene/RoomSprite.h"
#include "scene/SceneSpriteEngine.h"

TFloorSprite *TArena::AddFloor(int id, int floorId, int dirtyStation, int policyStation,
                               int fireStation, const TComfortItems &items)
{
    // The strip's items copy the strip's position when they are made, so place it first.
    auto *floor = new TFloorSprite(*this);
    floor->SetColumn(0);
    floor->SetFloor(floorId);
    floor->ID = id;
    floor->SetStation(1, dirtyStation);
    floor->SetStation(2, policyStation);
    floor->SetStation(3, fireStation);
    for (int item = 1; item <= TComfortItems::Count; ++item)
        floor->SetFeature(item, items.StoredDigit(item));
    return floor;
}

TRoomSprite *TArena::AddRoom(int id, int roomType, int floorId, int cell, int status, int alpha)
{
    auto *room = new TRoomSprite(*this);
    room->SetRoomType(roomType); // before SetCell, which needs the width
    room->SetCell(cell);
    room->SetFloor(floorId);
    room->SetID(id);
    room->SetStatus(status);
    if (RoomStatus::UnderConstruction(status))
        room->Alpha = alpha;
    return room;
}

void TArena::KillByID(int id)
{
    TSpriteEngine &root = Engine->Root();
    for (int i = 0; i < root.ChildCount(); ++i)
        if (auto *sprite = dynamic_cast<TGeneralSprite *>(root.Child(i));
            sprite && sprite->ID == id)
            sprite->Kill();
    Engine->FreeKilled();
}

void TArena::KillAll()
{
    TSpriteEngine &root = Engine->Root();
    for (int i = 0; i < root.ChildCount(); ++i)
        root.Child(i)->Kill();
    Engine->FreeKilled();
}

void TArena::SetAlphaByID(int id, int alpha)
{
    TSpriteEngine &root = Engine->Root();
    for (int i = 0; i < root.ChildCount(); ++i)
        if (auto *sprite = dynamic_cast<TGeneralSprite *>(root.Child(i));
            sprite && sprite->ID == id)
            sprite->Alpha = alpha;
}

void TArena::SetStatusByID(int id, int status)
{
    TSpriteEngine &root = Engine->Root();
    for (int i = 0; i < root.ChildCount(); ++i)
        if (auto *room = dynamic_cast<TRoomSprite *>(root.Child(i)); room && room->ID == id) {
            room->SetStatus(status);
            return;
        }
}

TFloorSprite *TArena::FindFloor(int floorId) const
{
    TSpriteEngine &root = Engine->Root();
    for (int i = 0; i < root.ChildCount(); ++i)
        if (auto *floor = dynamic_cast<TFloorSprite *>(root.Child(i));
            floor && floor->Floor == floorId)
            return floor;
    return nullptr;
}

void TArena::RemoveFloorStuff(int floorId, int item)
{
    if (TFloorSprite *floor = FindFloor(floorId)) {
        floor->SetFeature(item, 0);
        Engine->FreeKilled();
    }
}
