#pragma once

#include "store/MemTable.h"

#include <cstdint>
#include <string>

class TModelSeams;

// The six game tables and the selection of hotel, floor and room.
//
// tHotel, tFloor and tRoom hold every hotel; while a hotel is open they are
// filtered to it. tCurrFloor and tCurrRoom are one-record copies of the
// current floor and room, refreshed by SelectFloor and SelectRoom. Each new
// floor or room (and so each copy) draws its ID from the open hotel's
// counter (NextID), and every post of a floor works out its comfort from its
// levels and comfort items.
class THotelTables
{
public:
    explicit THotelTables(TModelSeams &seams);
    THotelTables(const THotelTables &) = delete;
    THotelTables &operator=(const THotelTables &) = delete;

    TvekMemTable tHotel;
    TvekMemTable tFloor;
    TvekMemTable tRoom;
    TvekMemTable tRooms;
    TvekMemTable tCurrFloor;
    TvekMemTable tCurrRoom;

    int HotelID = 0; // HOTEL_ID of the open hotel, -1 after CloseHotel
    int FloorID = 0; // storey number of the current floor
    int RoomID = 0;  // ID of the current room, -1 for none

    void FilterTable(TvekMemTable &table);
    void FilterTables();
    void SelectHotel(int hotelId);
    // Advances the open hotel's counter and returns it; 0 with no hotel open.
    int NextID();
    void SelectFloor(int storey);
    void RefreshCurrFloor();
    void SelectRoom(int roomId);
    void RefreshCurrRoom();

    int GetMoney();
    // Adds a gain or (negative) a cost; the sum is kept within the money field's 32 bits, so that
    // a total beyond them stays at the limit instead of wrapping.
    void AddMoney(std::int64_t amount);
    static int ClampedToMoney(std::int64_t amount);
    int GetHour();

    void NewHotel(const std::string &name);
    // Deletes the hotel tHotel stands on, with its floors and rooms.
    void DeleteHotel();
    // Stops the clock and leaves no hotel open.
    void CloseHotel();
    void StartClock();

private:
    void FloorNewRecord(TDataSet &dataSet);
    void RoomNewRecord(TDataSet &dataSet);
    static void FloorBeforePost(TDataSet &dataSet);

    TModelSeams &seams_;
};
