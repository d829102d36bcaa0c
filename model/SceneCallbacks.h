#pragma once

// The three view operations the hourly rules call on the main window. They change
// sprites only and never call back into the model. Identifiers are the ID of the
// room record (unique within the open hotel) and the storey number of a floor.
class TSceneCallbacks
{
public:
    virtual ~TSceneCallbacks() = default;
    // status: RoomStatus::Free, Occupied or Broken (common/HotelCodes.h).
    virtual void SetRoomStatus(int roomId, int status) = 0;
    // alpha: 55 to 255, the opacity of a room under construction.
    virtual void SetRoomAlpha(int roomId, int alpha) = 0;
    // item: 1 lift, 2 ventilation, 3 refrigerator, 4 TV cable.
    virtual void RemoveFloorStuff(int floorId, int item) = 0;
};
