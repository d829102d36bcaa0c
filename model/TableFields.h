#pragma once

// The field names of the game tables, spelled once: the table definitions,
// the typed record views and the look-ups by key use these.

namespace HotelField {
inline constexpr const char *HotelId = "HOTEL_ID";
inline constexpr const char *Name = "NAME";
inline constexpr const char *Money = "MONEY";
// The hotel's identifier counter, drawn by each new floor and room.
inline constexpr const char *Counter = "ID";
inline constexpr const char *Date = "DATE";
inline constexpr const char *Time = "TIME";
} // namespace HotelField

// tFloor and tCurrFloor.
namespace FloorField {
inline constexpr const char *Id = "ID";
inline constexpr const char *HotelId = "HOTEL_ID";
inline constexpr const char *Storey = "FLOOR_ID";
inline constexpr const char *Dirty = "DIRTY";
inline constexpr const char *DirtyStation = "DIRTY_STATION";
inline constexpr const char *Policy = "POLICY";
inline constexpr const char *PolicyStation = "POLICY_STATION";
inline constexpr const char *Fire = "FIRE";
inline constexpr const char *FireStation = "FIRE_STATION";
inline constexpr const char *Stuff = "STUFF";
inline constexpr const char *Comfort = "COMFORT";
inline constexpr const char *StuffWear = "STUF_WEAR";
} // namespace FloorField

// tRoom and tCurrRoom.
namespace RoomField {
inline constexpr const char *Id = "ID";
inline constexpr const char *HotelId = "HOTEL_ID";
inline constexpr const char *Storey = "FLOOR_ID";
inline constexpr const char *Cell = "POSIT";
inline constexpr const char *Type = "TYPE";
inline constexpr const char *Status = "STATUS";
inline constexpr const char *Wear = "WEAR";
inline constexpr const char *Alpha = "ALPHA";
// The key of a room by its floor and first cell, for Locate.
inline constexpr const char *StoreyAndCell = "FLOOR_ID;POSIT";
} // namespace RoomField

// The price catalog tRooms.
namespace CatalogField {
inline constexpr const char *Id = "ID";
inline constexpr const char *Name = "NAME";
inline constexpr const char *Width = "WIDTH";
inline constexpr const char *Price = "PRICE";
inline constexpr const char *Income = "INCOME";
inline constexpr const char *Wear = "WEAR";
inline constexpr const char *Build = "BUILD";
} // namespace CatalogField
