#pragma once

#include "model/GuestRules.h"
#include "model/LevelRules.h"
#include "model/WearRules.h"

class THotelTables;
class TPriceCatalog;
class TModelSeams;

// The game clock's hour: HourTick moves the open hotel's clock on by one
// hour (a new day after the last hour) and runs the hour's rules in this
// order: construction, fire, police and clean levels (TLevelRules), room
// wear, occupancy and income (TGuestRules), item wear (TWearRules). Each
// rule tells THotelEvents what it does as it does it. Without an open hotel
// or a usable catalog the clock stands still.
//
// Construction: in each working hour (9:00 to 18:00) every room under
// construction has one building hour less and fades in from ALPHA 55 towards
// 255 by the share of its building done; at none left it is free.
class THourlyRules
{
public:
    THourlyRules(THotelTables &tables, TPriceCatalog &catalog, TModelSeams &seams);

    void RunHours(int hours);
    void HourTick();
    void AdvanceConstruction();

    TLevelRules &Levels() { return levels_; }
    TGuestRules &Guests() { return guests_; }
    TWearRules &Wear() { return wear_; }

private:
    THotelTables &tables_;
    TPriceCatalog &catalog_;
    TModelSeams &seams_;
    TLevelRules levels_;
    TGuestRules guests_;
    TWearRules wear_;
};
