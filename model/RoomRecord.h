#pragma once

class TDataSet;

// The current record of tRoom or tCurrRoom, read and written by field through
// one typed view. The view writes into the record as it stands: the caller
// puts the table into Edit or Append and posts it.
class TRoomRecord
{
public:
    explicit TRoomRecord(const TDataSet &table) : table_(table) {}

    int Id() const;
    void SetId(int id);
    int HotelId() const;
    void SetHotelId(int hotelId);
    int Storey() const;
    void SetStorey(int storey);
    // The first (leftmost) cell of the room, 0 .. cells per floor - 1.
    int Cell() const;
    void SetCell(int cell);
    // The room type, a catalog row 1..5.
    int Type() const;
    void SetType(int type);
    // A RoomStatus code; below zero the building hours still to come.
    int Status() const;
    void SetStatus(int status);
    // Days of life left.
    int Wear() const;
    void SetWear(int wear);
    // The opacity of a room under construction.
    int Alpha() const;
    void SetAlpha(int alpha);

private:
    const TDataSet &table_;
};
