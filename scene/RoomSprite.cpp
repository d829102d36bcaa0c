#include "scene/RoomSprite.h"

#include "common/HotelCodes.h"
#include "scene/Arena.h"
#include "scene/MickySprite.h"

TRoomSprite::TRoomSprite(TArena &arena) : TGeneralSprite(arena)
{
    SetZ(100);
    Micky = new TMickySprite(arena); // owned by the root, like every hotel sprite
    Micky->Visible = false;
    Hold(*Micky);
}

TRoomSprite::~TRoomSprite()
{
    Release(Micky);
}

void TRoomSprite::PartDestroyed(TGeneralSprite &part)
{
    if (&part == Micky)
        Micky = nullptr;
}

void TRoomSprite::SetRoomType(int roomType)
{
    RoomType = roomType;
    SetImageName(QStringLiteral("Room0%1").arg(roomType));
}

void TRoomSprite::SetCell(int cell)
{
    Cell = cell;
    X = Arena.LeftMargin() + cell * TArena::CellWidth;
    // The occupant stands in the room's rightmost cell.
    if (Micky)
        Micky->X = X + (Width / TArena::CellWidth - 1) * TArena::CellWidth;
}

void TRoomSprite::SetFloor(int floor)
{
    Floor = floor;
    Y = Arena.BaseLine() - floor * Height;
    if (Micky) {
        Micky->Y = Y;
        Micky->Floor = floor;
    }
}

void TRoomSprite::SetID(int id)
{
    ID = id;
    if (Micky)
        Micky->RoomID = id;
}

void TRoomSprite::SetStatus(int status)
{
    Status = status;
    FrameBase = status == RoomStatus::Broken ? 1 : 0;
    if (Micky)
        Micky->Visible = status == RoomStatus::Occupied;
}

void TRoomSprite::Kill()
{
    TGeneralSprite::Kill();
    if (Micky)
        Micky->Kill();
}
