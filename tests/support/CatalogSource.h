#pragma once

// The price catalog's readable source: one JSON object per catalog row, with the
// field names of the catalog (ID, NAME, WIDTH, PRICE, INCOME, WEAR, BUILD), as
// `hotel-tables dump` prints it. The balance tool, the tick benchmark and the
// model tests read the shipped source with it and write catalog files of their own.

#include "model/TableSchemas.h"
#include "store/MemTable.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

struct TCatalogRow
{
    int ID = 0;
    std::string NAME;
    int WIDTH = 0;
    int PRICE = 0;
    int INCOME = 0;
    int WEAR = 0;
    int BUILD = 0;
};

inline std::vector<TCatalogRow> ReadCatalogSource(const std::string &fileName)
{
    std::ifstream in(fileName);
    if (!in)
        throw std::runtime_error("Cannot open file " + fileName);
    std::vector<TCatalogRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        const nlohmann::json row = nlohmann::json::parse(line);
        rows.push_back({row.at("ID").get<int>(), row.at("NAME").get<std::string>(),
                        row.at("WIDTH").get<int>(), row.at("PRICE").get<int>(),
                        row.at("INCOME").get<int>(), row.at("WEAR").get<int>(),
                        row.at("BUILD").get<int>()});
    }
    return rows;
}

// Writes the rows as the catalog table file the game reads.
inline void WriteCatalogFile(const std::vector<TCatalogRow> &rows, const std::string &fileName)
{
    TvekMemTable table("tRooms");
    DefineGameTableFields(table, "tRooms");
    table.Open();
    for (const TCatalogRow &row : rows) {
        table.Append();
        table.FieldNamed("ID").SetAsInteger(row.ID);
        table.FieldNamed("NAME").SetAsString(row.NAME);
        table.FieldNamed("WIDTH").SetAsInteger(row.WIDTH);
        table.FieldNamed("PRICE").SetAsInteger(row.PRICE);
        table.FieldNamed("INCOME").SetAsInteger(row.INCOME);
        table.FieldNamed("WEAR").SetAsInteger(row.WEAR);
        table.FieldNamed("BUILD").SetAsInteger(row.BUILD);
        table.Post();
    }
    table.WriteTableFile(fileName);
}

#ifdef TAMSEL_CATALOG_SOURCE
// The catalog source that ships with the game.
inline std::vector<TCatalogRow> ShippedCatalog()
{
    return ReadCatalogSource(TAMSEL_CATALOG_SOURCE);
}
#endif
