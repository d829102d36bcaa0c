#pragma once

#include "common/ComfortItems.h"

class TDataSet;

// The current record of tFloor or tCurrFloor, read and written by field
// through one typed view. Stations and levels are numbered by StationKind
// (1 clean, 2 police, 3 fire). The view writes into the record as it stands:
// the caller puts the table into Edit or Append and posts it.
class TFloorRecord
{
public:
    explicit TFloorRecord(const TDataSet &table) : table_(table) {}

    int Id() const;
    void SetId(int id);
    int HotelId() const;
    void SetHotelId(int hotelId);
    // The storey, 0 for the ground floor.
    int Storey() const;
    void SetStorey(int storey);

    // The clean (DIRTY), police (POLICY) or fire level of the floor.
    int Level(int kind) const;
    void SetLevel(int kind, int level);
    // The station's workers, or kNoStation for a floor without that station.
    int Station(int kind) const;
    void SetStation(int kind, int workers);
    bool HasStation(int kind) const;
    // The overall level.
    int Comfort() const;
    void SetComfort(int comfort);

    TComfortItems Items() const;
    // Writes both texts of the items (STUFF and STUF_WEAR).
    void SetItems(const TComfortItems &items);
    // Writes the days left alone (STUF_WEAR), leaving STUFF as it was stored.
    void SetItemDays(const TComfortItems &items);

private:
    const TDataSet &table_;
};
