#include "model/FloorRecord.h"

#include "common/HotelCodes.h"
#include "model/TableFields.h"
#include "model/TableSchemas.h"
#include "store/DataSet.h"

#include <stdexcept>
#include <string>

namespace {

const char *LevelField(int kind)
{
    switch (kind) {
    case StationKind::Clean:
        return FloorField::Dirty;
    case StationKind::Police:
        return FloorField::Policy;
    case StationKind::Fire:
        return FloorField::Fire;
    default:
        throw std::out_of_range("There is no station kind " + std::to_string(kind) + ".");
    }
}

const char *StationField(int kind)
{
    switch (kind) {
    case StationKind::Clean:
        return FloorField::DirtyStation;
    case StationKind::Police:
        return FloorField::PolicyStation;
    case StationKind::Fire:
        return FloorField::FireStation;
    default:
        throw std::out_of_range("There is no station kind " + std::to_string(kind) + ".");
    }
}

} // namespace

int TFloorRecord::Id() const
{
    return table_.FieldNamed(FloorField::Id).AsInteger();
}

void TFloorRecord::SetId(int id)
{
    table_.FieldNamed(FloorField::Id).SetAsInteger(id);
}

int TFloorRecord::HotelId() const
{
    return table_.FieldNamed(FloorField::HotelId).AsInteger();
}

void TFloorRecord::SetHotelId(int hotelId)
{
    table_.FieldNamed(FloorField::HotelId).SetAsInteger(hotelId);
}

int TFloorRecord::Storey() const
{
    return table_.FieldNamed(FloorField::Storey).AsInteger();
}

void TFloorRecord::SetStorey(int storey)
{
    table_.FieldNamed(FloorField::Storey).SetAsInteger(storey);
}

int TFloorRecord::Level(int kind) const
{
    return table_.FieldNamed(LevelField(kind)).AsInteger();
}

void TFloorRecord::SetLevel(int kind, int level)
{
    table_.FieldNamed(LevelField(kind)).SetAsInteger(level);
}

int TFloorRecord::Station(int kind) const
{
    return table_.FieldNamed(StationField(kind)).AsInteger();
}

void TFloorRecord::SetStation(int kind, int workers)
{
    table_.FieldNamed(StationField(kind)).SetAsInteger(workers);
}

bool TFloorRecord::HasStation(int kind) const
{
    return Station(kind) > kNoStation;
}

int TFloorRecord::Comfort() const
{
    return table_.FieldNamed(FloorField::Comfort).AsInteger();
}

void TFloorRecord::SetComfort(int comfort)
{
    table_.FieldNamed(FloorField::Comfort).SetAsInteger(comfort);
}

TComfortItems TFloorRecord::Items() const
{
    return TComfortItems(table_.FieldNamed(FloorField::Stuff).AsString(),
                         table_.FieldNamed(FloorField::StuffWear).AsString());
}

void TFloorRecord::SetItems(const TComfortItems &items)
{
    table_.FieldNamed(FloorField::Stuff).SetAsString(items.StuffText());
    table_.FieldNamed(FloorField::StuffWear).SetAsString(items.WearText());
}

void TFloorRecord::SetItemDays(const TComfortItems &items)
{
    table_.FieldNamed(FloorField::StuffWear).SetAsString(items.WearText());
}
