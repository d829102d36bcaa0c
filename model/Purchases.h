#pragma once

#include "model/Refusal.h"

#include <string>

class THotelTables;
class TPriceCatalog;
class TModelSeams;

// The player's purchases on the current floor: a floor on top, a room, a
// station, a worker more or fewer, a comfort item, and pulling down the
// current room. A purchase is refused, in this order, without a usable
// catalog (its problem), without the money for it ("You don't have enough
// money!"), on a floor with no room above ("No more build floor.") or cells
// that are not free ("You cannot build here"): through GameError, which ends
// the command with EAbort. A purchase that makes no sense on the current
// floor (no such floor, a station or item it already has) does nothing.
// Kinds, items and types outside their ranges throw std::out_of_range.
class TPurchases
{
public:
    TPurchases(THotelTables &tables, TPriceCatalog &catalog, TModelSeams &seams);

    void BuildFloor();
    // type: 1..5; cell: the room's leftmost cell.
    void BuildRoom(int type, int cell);
    // kind: a StationKind.
    void BuildStation(int kind);
    void ChangeWorkers(int kind, int delta);
    // item: 1 lift .. 4 TV cable.
    void BuyStuff(int item);
    void DemolishRoom();
    // The selected room, when broken, is demolished and the same type built on the same cells,
    // at the price and construction time of building it by hand; refused, with the room left as
    // it is, when it is not broken or the money is short. The new room is selected.
    void RebuildRoom();
    [[noreturn]] void GameError(const std::string &message) const;

private:
    void RequireCatalog() const;

    THotelTables &tables_;
    TPriceCatalog &catalog_;
    TRefusal refusal_;
};
