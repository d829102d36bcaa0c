#pragma once

#include <QString>
#include <map>

class TBuildingTools;
class TFloorPanel;
class TRoomPanel;
class TvekMemTable;
class QWidget;

// The explanations shown where the player looks: on the levels (what lowers and
// raises them, the thresholds, the floor's workers), on the building tools,
// stations and comfort items (from the catalog), and on the room page's values.
class TTooltips
{
public:
    // A catalog row as the texts need it.
    struct TRow
    {
        QString Name;
        int Width = 0;
        int Price = 0;
        int Income = 0;
        int Wear = 0;
        int Build = 0;
    };
    using TCatalog = std::map<int, TRow>; // by catalog ID
    // The floor's levels: 1 clean, 2 police, 3 fire, 4 comfort.
    enum class TLevel
    {
        Clean = 1,
        Police,
        Fire,
        Comfort
    };

    TTooltips(TBuildingTools &tools, TFloorPanel &floor, TRoomPanel &room);

    // Reads every row of the catalog table and puts the catalog's texts on the
    // tools, stations and comfort items (once per Load).
    void ApplyCatalog(TvekMemTable &tRooms);
    // Puts the level texts of the floor in the current record of tCurrFloor
    // on the level labels and values (at every floor refresh).
    void ApplyFloor(TvekMemTable &tCurrFloor);

    // The texts themselves. stationWorkers: -1 no station, else its workers;
    // for comfort, the number of items installed.
    static QString LevelText(TLevel level, int value, int stationWorkers, const TCatalog &catalog);
    static QString RoomToolText(const TRow &row);
    static QString FloorToolText(const TRow &row);
    static QString StationText(int kind, const TRow &row);
    static QString HireText(int kind, const TRow &row);
    static QString DismissText(int kind);
    static QString ComfortItemText(const TRow &row);
    static QString RoomPriceText();
    static QString DaysLeftText();
    static QString RoomStatusText();

    const TCatalog &Catalog() const { return catalog_; }

private:
    TBuildingTools &tools_;
    TFloorPanel &floor_;
    TRoomPanel &room_;
    TCatalog catalog_;
};
