#pragma once

// The memory table of the game and everything a user of it needs.
#include "store/AutoIncField.h"
#include "store/CustomMemTable.h"
#include "store/DataSource.h"
#include "store/DatabaseError.h"
#include "store/DateField.h"
#include "store/DateTime.h"
#include "store/IntegerField.h"
#include "store/MemTableError.h"
#include "store/StringField.h"

// The table component placed for each game table, e.g.
//   TvekMemTable tHotel{"tHotel"};
//   tHotel.AddField<TAutoIncField>("HOTEL_ID");
//   tHotel.AddField<TStringField>("NAME", 50);
//   tHotel.AddField<TIntegerField>("MONEY").DefaultExpression = "50000";
//   tHotel.Open();
class TvekMemTable : public TvekCustomMemTable
{
public:
    explicit TvekMemTable(std::string name = {}) : TvekCustomMemTable(std::move(name)) {}
};
