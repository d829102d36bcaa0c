#include "model/RoomRecord.h"

#include "model/TableFields.h"
#include "store/DataSet.h"

int TRoomRecord::Id() const
{
    return table_.FieldNamed(RoomField::Id).AsInteger();
}

void TRoomRecord::SetId(int id)
{
    table_.FieldNamed(RoomField::Id).SetAsInteger(id);
}

int TRoomRecord::HotelId() const
{
    return table_.FieldNamed(RoomField::HotelId).AsInteger();
}

void TRoomRecord::SetHotelId(int hotelId)
{
    table_.FieldNamed(RoomField::HotelId).SetAsInteger(hotelId);
}

int TRoomRecord::Storey() const
{
    return table_.FieldNamed(RoomField::Storey).AsInteger();
}

void TRoomRecord::SetStorey(int storey)
{
    table_.FieldNamed(RoomField::Storey).SetAsInteger(storey);
}

int TRoomRecord::Cell() const
{
    return table_.FieldNamed(RoomField::Cell).AsInteger();
}

void TRoomRecord::SetCell(int cell)
{
    table_.FieldNamed(RoomField::Cell).SetAsInteger(cell);
}

int TRoomRecord::Type() const
{
    return table_.FieldNamed(RoomField::Type).AsInteger();
}

void TRoomRecord::SetType(int type)
{
    table_.FieldNamed(RoomField::Type).SetAsInteger(type);
}

int TRoomRecord::Status() const
{
    return table_.FieldNamed(RoomField::Status).AsInteger();
}

void TRoomRecord::SetStatus(int status)
{
    table_.FieldNamed(RoomField::Status).SetAsInteger(status);
}

int TRoomRecord::Wear() const
{
    return table_.FieldNamed(RoomField::Wear).AsInteger();
}

void TRoomRecord::SetWear(int wear)
{
    table_.FieldNamed(RoomField::Wear).SetAsInteger(wear);
}

int TRoomRecord::Alpha() const
{
    return table_.FieldNamed(RoomField::Alpha).AsInteger();
}

void TRoomRecord::SetAlpha(int alpha)
{
    table_.FieldNamed(RoomField::Alpha).SetAsInteger(alpha);
}
