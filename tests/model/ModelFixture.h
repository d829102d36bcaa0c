#pragma once

#include "model/FlagTimer.h"
#include "model/TD_Data.h"
#include "model/TableSchemas.h"
#include "support/CatalogSource.h"
#include "support/FakeMessageWindow.h"
#include "support/FakeRandom.h"
#include "support/FakeSceneCallbacks.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A directory of its own for the table files of one test.
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tamsel-model-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        Path = pattern + "/";
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    std::string Path;
};

// The records of a table file, one text per record (its fields joined by "|"), in table order;
// those of the hotel skipHotel are left out.
inline std::vector<std::string> RecordsOf(const std::string &fileName, const std::string &table,
                                          int skipHotel = -1)
{
    TvekMemTable records(table);
    DefineGameTableFields(records, table);
    records.Open();
    records.ReadTableFile(fileName);
    std::vector<std::string> texts;
    for (records.First(); !records.AtEnd(); records.Next()) {
        if (skipHotel >= 0 && records.FieldNamed("HOTEL_ID").AsInteger() == skipHotel)
            continue;
        std::string text;
        for (int i = 0; i < records.FieldCount(); ++i)
            text += records.Fields(i).AsString() + "|";
        texts.push_back(text);
    }
    return texts;
}

// Small, round numbers, so that every expected value can be worked out by hand.
inline std::vector<TCatalogRow> TestCatalog()
{
    return {
        {1, "One", 1, 1000, 10, 5, 4},        {2, "Two", 2, 2000, 20, 5, 4},
        {3, "Three", 3, 3000, 30, 5, 4},      {4, "Four", 1, 400, 10, 1, 1},
        {5, "Five", 2, 500, 20, 5, 0},        {10, "Floor", 10, 10000, 0, 0, 0},
        {11, "Cleaning", 0, 1000, 10, 0, 0},  {12, "Police", 0, 1100, 11, 0, 0},
        {13, "Fire", 0, 1200, 12, 0, 0},      {21, "Lift", 0, 500, 0, 0, 0},
        {22, "Ventilation", 0, 600, 0, 7, 0}, {23, "Refrigerator", 0, 700, 0, 1, 0},
        {24, "TV cable", 0, 800, 0, 12, 0},
    };
}

// The model on a fresh directory with the test catalog, its seams replaced by fakes.
class ModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteCatalogFile(TestCatalog(), dir.Path + "tRooms.dht");
        StartModel();
    }

    // (Re)creates the model on the directory, as a start of the program does.
    void StartModel()
    {
        data.reset();
        data = std::make_unique<TD_Data>(dir.Path);
        data->SetTimer(&clock);
        data->SetMessageWindow(&messages);
        data->SetSceneCallbacks(&scene);
        data->SetRandom(&random);
    }

    // Creates a hotel, opens it and starts its clock, as the hotel list's New and Load do.
    int OpenNewHotel(const std::string &name = "Test")
    {
        data->NewHotel(name);
        const int id = data->tHotel.FieldNamed("HOTEL_ID").AsInteger();
        data->SelectHotel(id);
        data->StartClock();
        return id;
    }

    static int Get(TvekMemTable &table, const char *field)
    {
        return table.FieldNamed(field).AsInteger();
    }
    static void Put(TvekMemTable &table, const char *field, int value)
    {
        table.Edit();
        table.FieldNamed(field).SetAsInteger(value);
        table.Post();
    }
    void SetMoney(int money) { Put(data->tHotel, "MONEY", money); }
    void SetHour(int hour) { Put(data->tHotel, "TIME", hour); }
    void SetFloor(int storey, const char *field, int value)
    {
        ASSERT_TRUE(data->tFloor.Locate("FLOOR_ID", storey));
        Put(data->tFloor, field, value);
    }
    int FloorValue(int storey, const char *field)
    {
        EXPECT_TRUE(data->tFloor.Locate("FLOOR_ID", storey));
        return Get(data->tFloor, field);
    }
    std::string FloorText(int storey, const char *field)
    {
        EXPECT_TRUE(data->tFloor.Locate("FLOOR_ID", storey));
        return data->tFloor.FieldNamed(field).AsString();
    }
    void SetRoom(int id, const char *field, int value)
    {
        ASSERT_TRUE(data->tRoom.Locate("ID", id));
        Put(data->tRoom, field, value);
    }
    int RoomValue(int id, const char *field)
    {
        EXPECT_TRUE(data->tRoom.Locate("ID", id));
        return Get(data->tRoom, field);
    }
    // Builds a room on the current floor with plenty of money and returns its ID.
    int AddRoom(int type, int cell, int status)
    {
        const int money = data->GetMoney();
        SetMoney(1000000);
        data->BuildRoom(type, cell);
        const int id = data->RoomID;
        SetRoom(id, "STATUS", status);
        SetMoney(money);
        return id;
    }

    TempDir dir;
    TFlagTimer clock;
    FakeMessageWindow messages{&clock};
    FakeSceneCallbacks scene;
    FakeRandom random;
    std::unique_ptr<TD_Data> data;
};
