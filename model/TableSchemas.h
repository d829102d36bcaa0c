#pragma once

// bool DefineGameTableFields(TvekCustomMemTable &table, const std::string &tableName);
//
// Adds the fields of one game table (tHotel, tFloor, tRoom, tRooms, tCurrFloor,
// tCurrRoom) to a closed table without fields, in the game's order, with their
// types, string sizes and default values. Returns false, adding nothing, for any
// other name. The table files and the hotel-tables tool rely on this order.

#include <string>
#include <vector>

class TvekCustomMemTable;

// Characters a hotel's NAME holds (one byte each in the table's code page).
constexpr int kHotelNameSize = 50;

// A station field's value for a floor without that station; 0 and more count
// its workers.
constexpr int kNoStation = -1;

bool DefineGameTableFields(TvekCustomMemTable &table, const std::string &tableName);

// The names DefineGameTableFields knows, in the order the game creates them.
const std::vector<std::string> &GameTableNames();
