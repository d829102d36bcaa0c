#pragma once

#include "model/CatalogRecord.h"

#include <string>

class TvekMemTable;

// The price catalog tRooms: what each room type, the floor, each station and
// each comfort item costs, earns, lasts, covers and takes to build
// (CatalogRow numbers the rows).
//
// The rules trust the catalog's numbers, so a loaded catalog is checked as a
// whole (Check) before anything can be bought or the clock can advance. The
// look-ups by row throw std::runtime_error naming the catalog when the row
// is missing.
class TPriceCatalog
{
public:
    explicit TPriceCatalog(TvekMemTable &rooms);

    // Judges the catalog just loaded; unread says its file could not be read
    // at all. Returns what is wrong with a catalog that was read (empty when
    // it is sound or unread); either way Ready() and Problem() tell the result.
    std::string Check(bool unread);
    // True when the catalog holds every row the game needs, each sound.
    bool Ready() const { return ready_; }
    // Why nothing can be bought; empty when Ready().
    const std::string &Problem() const { return problem_; }
    // The catalog was read but refused by Check; its rows stay in the table.
    bool Refused() const { return refused_; }

    // Moves to the row; false when there is none.
    bool Locate(int id);
    // The row Locate moved to.
    TCatalogRecord Row() const;

    int Price(int id);
    std::string Name(int id);
    // A room's income per morning, or a station worker's wage.
    int Income(int id);
    // A room's or an item's life in days.
    int Wear(int id);
    int Width(int id);
    int Build(int id);

private:
    // Locates the row or throws.
    TCatalogRecord Require(int id);

    TvekMemTable &rooms_;
    bool ready_ = false;
    bool refused_ = false;
    std::string problem_;
};
