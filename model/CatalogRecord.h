#pragma once

#include <string>

class TDataSet;

// The current row of the price catalog tRooms, read through one typed view.
// Which fields a row uses depends on what it prices (CatalogRow): a room type
// all of them, the floor its price, a station its price and a worker's wage
// (INCOME), a comfort item its price and life (WEAR).
class TCatalogRecord
{
public:
    explicit TCatalogRecord(const TDataSet &table) : table_(table) {}

    int Id() const;
    std::string Name() const;
    // Cells a room of this type covers.
    int Width() const;
    int Price() const;
    // A room's income per morning, or a station worker's wage.
    int Income() const;
    // A room's or an item's life in days.
    int Wear() const;
    // Building hours of a room.
    int Build() const;
    // Any integer field by name, for checks that walk what a row must hold.
    int Integer(const char *field) const;

private:
    const TDataSet &table_;
};
