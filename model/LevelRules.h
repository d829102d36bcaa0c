#pragma once

class THotelTables;
class TPriceCatalog;
class TModelSeams;

// The clean, police and fire levels of each floor. Each level is updated in
// the hours divisible by its period (HotelRules): the floor's guests lower it
// by their load (police and fire by a random amount below it), and each
// worker of its station raises it by the level's gain, when the station's
// wage is below the money left; the level stays within 0..100.
class TLevelRules
{
public:
    TLevelRules(THotelTables &tables, TPriceCatalog &catalog, TModelSeams &seams);

    // The load of the storey's guests: the sum of the types of its occupied rooms.
    int FloorLoad(int storey);
    void UpdateFire();
    void UpdatePolice();
    void UpdateDirt();

private:
    // kind: the StationKind of the level.
    void UpdateLevel(int kind, int gain, bool randomDrop);

    THotelTables &tables_;
    TPriceCatalog &catalog_;
    TModelSeams &seams_;
};
