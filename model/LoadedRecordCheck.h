#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class THotelTables;
class TvekCustomMemTable;

// A hotel whose saved records the game cannot play soundly.
struct THeldHotel
{
    std::int32_t HotelId;
    std::string Name;
    // The first fault met, a short sentence for the player (shown after "Name: ").
    std::string Reason;
};

struct TRecordCheckResult
{
    // Every hotel with at least one faulty record of its own, in table order.
    std::vector<THeldHotel> Held;
    // Floors and rooms whose HOTEL_ID no hotel has, one text per table and hotel ID.
    std::vector<std::string> Strays;
};

// Judges the saved hotels just loaded into tHotel, tFloor and tRoom as input
// from outside: every value the rules, the panels and the scene rely on must
// lie in the range the game itself would write. Each field is found by name,
// since a table file brings its own field order. An empty value reads as the
// game reads it (0, or an empty text) and is judged as that value.
//
// The check reads the records in place: it never moves a cursor and changes
// nothing. Run it while no filter is set, as after a load; records a filter
// hides, and records kept as deleted, are passed over, since the game never
// plays them.
class TLoadedRecordCheck
{
public:
    // roomWidths maps each room type of a catalog that passed its own check to
    // its width in cells. Left empty when the catalog is not ready: every type
    // from the first to the last room type counts then, each one cell wide.
    static TRecordCheckResult Check(const TvekCustomMemTable &tHotel,
                                    const TvekCustomMemTable &tFloor,
                                    const TvekCustomMemTable &tRoom,
                                    const std::map<int, int> &roomWidths);
    static TRecordCheckResult Check(const THotelTables &tables,
                                    const std::map<int, int> &roomWidths);
};
