#include "model/PriceCatalog.h"

#include "common/HotelCodes.h"
#include "model/HotelRules.h"
#include "model/TableFields.h"
#include "store/MemTable.h"

#include <stdexcept>
#include <vector>

namespace {

// The catalog rows the game reads: room types, the floor, stations, comfort items.
std::vector<int> CatalogIds()
{
    std::vector<int> ids;
    for (int type = CatalogRow::FirstRoomType; type <= CatalogRow::LastRoomType; ++type)
        ids.push_back(type);
    ids.push_back(CatalogRow::Floor);
    for (int station = 1; station <= CatalogRow::StationCount; ++station)
        ids.push_back(CatalogRow::Station(station));
    for (int item = 1; item <= CatalogRow::ItemCount; ++item)
        ids.push_back(CatalogRow::Item(item));
    return ids;
}

// The integer fields the game reads from a catalog row, in the table's field order.
std::vector<const char *> CatalogFieldsRead(int id)
{
    using namespace CatalogField;
    if (id <= CatalogRow::LastRoomType)
        return {Width, Price, Income, Wear, Build};
    if (id == CatalogRow::Floor)
        return {Price};
    if (id <= CatalogRow::Station(CatalogRow::StationCount))
        return {Price, Income};
    return {Price, Wear};
}

} // namespace

TPriceCatalog::TPriceCatalog(TvekMemTable &rooms) : rooms_(rooms) {}

// The rules trust the catalog's numbers (room widths, item lives of two digits,
// no negative price), so a catalog that breaks them is refused as a whole.
std::string TPriceCatalog::Check(bool unread)
{
    ready_ = false;
    refused_ = false;
    if (unread) {
        problem_ = "The price catalog tRooms.dht could not be read, so nothing can be bought.";
        return {};
    }
    std::string problem;
    for (int id : CatalogIds()) {
        if (!Locate(id)) {
            problem = "it has no row " + std::to_string(id);
            break;
        }
        const TCatalogRecord row = Row();
        // A row is judged by what the game reads from it, an empty integer reading as 0.
        for (const char *field : CatalogFieldsRead(id))
            if (row.Integer(field) < 0) {
                problem = "row " + std::to_string(id) + " has no valid " + field;
                break;
            }
        if (!problem.empty())
            break;
        if (CatalogRow::IsRoomType(id) &&
            (row.Width() < 1 || row.Width() > HotelRules::CellsPerFloor))
            problem = "room type " + std::to_string(id) + " is not 1 to " +
                      std::to_string(HotelRules::CellsPerFloor) + " cells wide";
        else if (CatalogRow::IsItem(id) && row.Wear() > HotelRules::MaxItemLife)
            problem = "comfort item " + std::to_string(id) + " lives longer than " +
                      std::to_string(HotelRules::MaxItemLife) + " days";
        if (!problem.empty())
            break;
    }
    if (!problem.empty()) {
        problem_ =
            "The price catalog tRooms.dht is damaged (" + problem + "), so nothing can be bought.";
        refused_ = true;
        return problem;
    }
    problem_.clear();
    ready_ = true;
    return {};
}

bool TPriceCatalog::Locate(int id)
{
    return rooms_.Locate(CatalogField::Id, id);
}

TCatalogRecord TPriceCatalog::Row() const
{
    return TCatalogRecord(rooms_);
}

TCatalogRecord TPriceCatalog::Require(int id)
{
    if (!Locate(id))
        throw std::runtime_error("The price catalog tRooms.dht has no row " + std::to_string(id) +
                                 ".");
    return Row();
}

int TPriceCatalog::Price(int id)
{
    return Require(id).Price();
}

std::string TPriceCatalog::Name(int id)
{
    return Require(id).Name();
}

int TPriceCatalog::Income(int id)
{
    return Require(id).Income();
}

int TPriceCatalog::Wear(int id)
{
    return Require(id).Wear();
}

int TPriceCatalog::Width(int id)
{
    return Require(id).Width();
}

int TPriceCatalog::Build(int id)
{
    return Require(id).Build();
}
