#pragma once

// Codes stored in the hotel's tables that the rules, the drawing and the window
// all read. This header sits below every layer: it includes nothing.

// A room's STATUS. Below zero the room is under construction, -n meaning n more
// building hours.
namespace RoomStatus {
inline constexpr int Free = 0;
inline constexpr int Occupied = 1;
inline constexpr int Broken = 2;

constexpr bool UnderConstruction(int status)
{
    return status < 0;
}
} // namespace RoomStatus

// Row IDs of the price catalog (tRooms): the room types, the floor, the stations
// (1 cleaning, 2 police, 3 fire) and the comfort items (1 lift, 2 ventilation,
// 3 refrigerator, 4 TV cable).
namespace CatalogRow {
inline constexpr int FirstRoomType = 1;
inline constexpr int LastRoomType = 5;
inline constexpr int Floor = 10;
inline constexpr int StationCount = 3;
inline constexpr int ItemCount = 4;

constexpr int Station(int station)
{
    return Floor + station;
}

constexpr int Item(int item)
{
    return 20 + item;
}

constexpr bool IsRoomType(int id)
{
    return id >= FirstRoomType && id <= LastRoomType;
}

constexpr bool IsItem(int id)
{
    return id > Item(0) && id <= Item(ItemCount);
}
} // namespace CatalogRow

// The three stations of a floor, as the purchases, the catalog rows
// (CatalogRow::Station) and the window number them.
namespace StationKind {
inline constexpr int Clean = 1;
inline constexpr int Police = 2;
inline constexpr int Fire = 3;
} // namespace StationKind
