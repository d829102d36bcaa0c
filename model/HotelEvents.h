#pragma once

// The levels of a floor at the moment a rule read them.
struct TFloorLevels
{
    int Comfort = 0;
    int Dirty = 0;
    int Policy = 0;
    int Fire = 0;
};

// What the hourly rules did, told as they do it, for whoever keeps an account
// of the hotel's days (the journal). Listening changes nothing in the rules;
// every operation does nothing unless a listener overrides it. Storeys are
// FLOOR_ID values (0 is the lowest floor), types are room types 1..5, station
// kinds 1 cleaning, 2 police, 3 fire, items 1 lift .. 4 TV cable.
class THotelEvents
{
public:
    virtual ~THotelEvents() = default;
    // The clock moved on: day is the whole days since 1899-12-30, hour 0..23.
    virtual void HourBegan(int /*day*/, int /*hour*/) {}
    virtual void ConstructionFinished(int /*roomId*/, int /*storey*/, int /*type*/) {}
    // A station's workers were paid (wage for all of them) and did their work.
    virtual void WagePaid(int /*storey*/, int /*station*/, int /*workers*/, int /*wage*/) {}
    // The wage was not below the money, so the workers were neither paid nor worked.
    virtual void WageUnpaid(int /*storey*/, int /*station*/, int /*workers*/, int /*wage*/,
                            int /*money*/)
    {
    }
    virtual void RoomBroken(int /*roomId*/, int /*storey*/, int /*type*/) {}
    virtual void GuestArrived(int /*roomId*/, int /*storey*/, int /*type*/) {}
    // levels: the floor's levels that made the guest leave.
    virtual void GuestLeft(int /*roomId*/, int /*storey*/, int /*type*/,
                           const TFloorLevels & /*levels*/)
    {
    }
    virtual void StuffWornOut(int /*storey*/, int /*item*/) {}
    // The morning's income was added: money is the hotel's money afterwards,
    // occupiedRooms the rooms that earned it.
    virtual void IncomeCollected(int /*income*/, int /*money*/, int /*occupiedRooms*/) {}
};
