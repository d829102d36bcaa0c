#pragma once

class THotelTables;
class TModelSeams;

// How rooms and comfort items wear out.
//
// At the room-wear hour (22:00) each occupied room loses a day of life and
// breaks when none is left. At the item-wear hour (15:00) each installed
// comfort item loses a day; an item at no days left still works that day and
// goes at the next item-wear hour.
class TWearRules
{
public:
    TWearRules(THotelTables &tables, TModelSeams &seams);

    void WearRooms();
    void WearStuff();
    // Removes the item from the floor tFloor stands on.
    void BreakStuff(int item);

private:
    THotelTables &tables_;
    TModelSeams &seams_;
};
