#pragma once

class THotelTables;
class TPriceCatalog;
class TModelSeams;

// When guests come, when they leave, and what they pay.
//
// At the guest hour (10:00) a free room with days of life left fills when its
// floor's comfort is above GuestComfort and each of its clean, police and
// fire levels above GuestLevel; an occupied room empties when the comfort
// falls below GuestComfort or a level below GuestLevel. Exactly at a
// threshold a guest stays but none comes. At the income hour (08:00) each
// floor pays the catalog income of its occupied rooms times its comfort in
// percent, rounded to the nearest whole.
class TGuestRules
{
public:
    TGuestRules(THotelTables &tables, TPriceCatalog &catalog, TModelSeams &seams);

    void UpdateOccupancy();
    void CollectIncome();

private:
    THotelTables &tables_;
    TPriceCatalog &catalog_;
    TModelSeams &seams_;
};
