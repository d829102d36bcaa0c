#include "model/TableSchemas.h"

#include "store/MemTable.h"

namespace {

void DefineHotel(TvekCustomMemTable &t)
{
    t.AddField<TAutoIncField>("HOTEL_ID");
    t.AddField<TStringField>("NAME", kHotelNameSize);
    t.AddField<TIntegerField>("MONEY").DefaultExpression = "50000";
    t.AddField<TIntegerField>("ID").DefaultExpression = "0";
    t.AddField<TDateField>("DATE");
    t.AddField<TIntegerField>("TIME").DefaultExpression = "10";
}

// tFloor and its one-record copy tCurrFloor share this layout. ID and HOTEL_ID
// have no default: the new-record handler sets them.
void DefineFloor(TvekCustomMemTable &t)
{
    t.AddField<TIntegerField>("ID");
    t.AddField<TIntegerField>("HOTEL_ID");
    t.AddField<TIntegerField>("FLOOR_ID");
    t.AddField<TIntegerField>("DIRTY").DefaultExpression = "100";
    t.AddField<TIntegerField>("DIRTY_STATION").DefaultExpression = "-1";
    t.AddField<TIntegerField>("POLICY").DefaultExpression = "100";
    t.AddField<TIntegerField>("POLICY_STATION").DefaultExpression = "-1";
    t.AddField<TIntegerField>("FIRE").DefaultExpression = "100";
    t.AddField<TIntegerField>("FIRE_STATION").DefaultExpression = "-1";
    t.AddField<TStringField>("STUFF", 4).DefaultExpression = "0000";
    t.AddField<TIntegerField>("COMFORT").DefaultExpression = "100";
    t.AddField<TStringField>("STUF_WEAR", 8).DefaultExpression = "00000000";
}

// tRoom and its one-record copy tCurrRoom share this layout.
void DefineRoom(TvekCustomMemTable &t)
{
    t.AddField<TIntegerField>("ID");
    t.AddField<TIntegerField>("HOTEL_ID");
    t.AddField<TIntegerField>("FLOOR_ID");
    t.AddField<TIntegerField>("POSIT");
    t.AddField<TIntegerField>("TYPE");
    t.AddField<TIntegerField>("STATUS");
    t.AddField<TIntegerField>("WEAR");
    t.AddField<TIntegerField>("ALPHA").DefaultExpression = "55";
}

void DefineCatalog(TvekCustomMemTable &t)
{
    t.AddField<TIntegerField>("ID");
    t.AddField<TStringField>("NAME", 50);
    t.AddField<TIntegerField>("WIDTH");
    t.AddField<TIntegerField>("PRICE");
    t.AddField<TIntegerField>("INCOME");
    t.AddField<TIntegerField>("WEAR");
    t.AddField<TIntegerField>("BUILD");
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
