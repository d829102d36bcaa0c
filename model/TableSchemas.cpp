#include "model/TableSchemas.h"

#include "common/ComfortItems.h"
#include "model/HotelRules.h"
#include "model/TableFields.h"
#include "store/MemTable.h"

namespace {

constexpr int kStuffSize = TComfortItems::Count;
constexpr int kStuffWearSize = 2 * TComfortItems::Count;
constexpr int kCatalogNameSize = 50;

void DefineHotel(TvekCustomMemTable &t)
{
    t.AddField<TAutoIncField>(HotelField::HotelId);
    t.AddField<TStringField>(HotelField::Name, kHotelNameSize);
    t.AddField<TIntegerField>(HotelField::Money).DefaultExpression =
        std::to_string(HotelRules::StartMoney);
    t.AddField<TIntegerField>(HotelField::Counter).DefaultExpression = "0";
    t.AddField<TDateField>(HotelField::Date);
    t.AddField<TIntegerField>(HotelField::Time).DefaultExpression =
        std::to_string(HotelRules::StartHour);
}

// tFloor and its one-record copy tCurrFloor share this layout. ID and HOTEL_ID
// have no default: the new-record handler sets them.
void DefineFloor(TvekCustomMemTable &t)
{
    const std::string fullLevel = std::to_string(HotelRules::LevelMax);
    const std::string noStation = std::to_string(kNoStation);
    t.AddField<TIntegerField>(FloorField::Id);
    t.AddField<TIntegerField>(FloorField::HotelId);
    t.AddField<TIntegerField>(FloorField::Storey);
    t.AddField<TIntegerField>(FloorField::Dirty).DefaultExpression = fullLevel;
    t.AddField<TIntegerField>(FloorField::DirtyStation).DefaultExpression = noStation;
    t.AddField<TIntegerField>(FloorField::Policy).DefaultExpression = fullLevel;
    t.AddField<TIntegerField>(FloorField::PolicyStation).DefaultExpression = noStation;
    t.AddField<TIntegerField>(FloorField::Fire).DefaultExpression = fullLevel;
    t.AddField<TIntegerField>(FloorField::FireStation).DefaultExpression = noStation;
    t.AddField<TStringField>(FloorField::Stuff, kStuffSize).DefaultExpression = "0000";
    t.AddField<TIntegerField>(FloorField::Comfort).DefaultExpression = fullLevel;
    t.AddField<TStringField>(FloorField::StuffWear, kStuffWearSize).DefaultExpression = "00000000";
}

// tRoom and its one-record copy tCurrRoom share this layout.
void DefineRoom(TvekCustomMemTable &t)
{
    t.AddField<TIntegerField>(RoomField::Id);
    t.AddField<TIntegerField>(RoomField::HotelId);
    t.AddField<TIntegerField>(RoomField::Storey);
    t.AddField<TIntegerField>(RoomField::Cell);
    t.AddField<TIntegerField>(RoomField::Type);
    t.AddField<TIntegerField>(RoomField::Status);
    t.AddField<TIntegerField>(RoomField::Wear);
    t.AddField<TIntegerField>(RoomField::Alpha).DefaultExpression =
        std::to_string(HotelRules::AlphaAtStart);
}

void DefineCatalog(TvekCustomMemTable &t)
{
    t.AddField<TIntegerField>(CatalogField::Id);
    t.AddField<TStringField>(CatalogField::Name, kCatalogNameSize);
    t.AddField<TIntegerField>(CatalogField::Width);
    t.AddField<TIntegerField>(CatalogField::Price);
    t.AddField<TIntegerField>(CatalogField::Income);
    t.AddField<TIntegerField>(CatalogField::Wear);
    t.AddField<TIntegerField>(CatalogField::Build);
}

} // namespace

const std::vector<std::string> &GameTableNames()
{
    static const std::vector<std::string> names{"tHotel", "tFloor",     "tRoom",
                                                "tRooms", "tCurrFloor", "tCurrRoom"};
    return names;
}

bool DefineGameTableFields(TvekCustomMemTable &table, const std::string &tableName)
{
    if (tableName == "tHotel")
        DefineHotel(table);
    else if (tableName == "tFloor" || tableName == "tCurrFloor")
        DefineFloor(table);
    else if (tableName == "tRoom" || tableName == "tCurrRoom")
        DefineRoom(table);
    else if (tableName == "tRooms")
        DefineCatalog(table);
    else
        return false;
    return true;
}
