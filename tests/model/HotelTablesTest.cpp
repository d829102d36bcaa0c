// Hotels, identifiers, selection, deleting and closing, loading and saving.
#include "ModelFixture.h"
#include "model/DateSource.h"

#include <fstream>
#include <set>

namespace {

class FixedDate : public TDateSource
{
public:
    double Now() override { return 46365.75; } // 2026-12-09 18:00
};

std::string FileBytes(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string &fileName, const std::string &bytes)
{
    std::ofstream(fileName, std::ios::binary) << bytes;
}

} // namespace

using HotelTablesTest = ModelTest;

TEST_F(HotelTablesTest, NewHotelTakesDefaultsAndTodayAndIsNotOpened)
{
    FixedDate today;
    data->SetDateSource(&today);
    data->NewHotel("Sea View");
    data->NewHotel(std::string(60, 'x'));
    ASSERT_TRUE(data->tHotel.Locate("NAME", "Sea View"));
    EXPECT_EQ(Get(data->tHotel, "HOTEL_ID"), 0);
    EXPECT_EQ(Get(data->tHotel, "MONEY"), 50000);
    EXPECT_EQ(Get(data->tHotel, "TIME"), 10);
    EXPECT_EQ(Get(data->tHotel, "ID"), 0);
    EXPECT_EQ(data->tHotel.FieldNamed("DATE").AsDateTime(), 46365.0);
    data->tHotel.First();
    data->tHotel.Next();
    EXPECT_EQ(Get(data->tHotel, "HOTEL_ID"), 1);
    EXPECT_EQ(data->tHotel.FieldNamed("NAME").AsString(), std::string(50, 'x'));
    EXPECT_EQ(data->HotelID, 0);
    EXPECT_FALSE(data->tHotel.Filtered());
    EXPECT_FALSE(clock.Enabled());
}

TEST_F(HotelTablesTest, IdentifierCounterHasGapsFromEveryRefresh)
{
    OpenNewHotel();
    EXPECT_TRUE(data->tCurrFloor.IsEmpty()) << "a hotel without floors leaves tCurrFloor empty";
    EXPECT_EQ(Get(data->tHotel, "ID"), 0);

    data->BuildFloor();
    EXPECT_EQ(Get(data->tFloor, "ID"), 1);
    EXPECT_EQ(Get(data->tCurrFloor, "ID"), 1);
    EXPECT_EQ(Get(data->tHotel, "ID"), 2) << "the copy into tCurrFloor drew a number";

    data->BuildRoom(1, 0);
    EXPECT_EQ(data->RoomID, 3);
    EXPECT_EQ(Get(data->tCurrRoom, "ID"), 3);
    EXPECT_EQ(Get(data->tHotel, "ID"), 4);

    // Each hour refreshes both copies: two numbers per tick while a room is selected.
    data->RunHours(3);
    EXPECT_EQ(Get(data->tHotel, "ID"), 10);
    data->BuildFloor();
    EXPECT_EQ(Get(data->tFloor, "ID"), 11);

    // A second hotel counts from 1 again: an ID is unique only with HOTEL_ID.
    data->CloseHotel();
    OpenNewHotel("Second");
    data->BuildFloor();
    EXPECT_EQ(Get(data->tFloor, "ID"), 1);
}

TEST_F(HotelTablesTest, DeleteHotelRemovesItsRecordsWhereverTheCursorsStand)
{
    // Three hotels whose floors and rooms interleave in table order.
    for (const char *name : {"A", "B", "C"})
        data->NewHotel(name);
    for (int round = 0; round < 2; ++round)
        for (int hotel = 0; hotel < 3; ++hotel) {
            data->SelectHotel(hotel);
            data->BuildFloor();
            data->BuildRoom(1, round);
            data->BuildRoom(1, round + 5);
        }
    data->CloseHotel();
    ASSERT_EQ(data->tFloor.RawRecordCount(), 6u);
    ASSERT_EQ(data->tRoom.RawRecordCount(), 12u);

    // Cursors in the middle of the tables, on records of other hotels.
    ASSERT_TRUE(data->tFloor.Locate("HOTEL_ID;FLOOR_ID", {2, 0}));
    ASSERT_TRUE(data->tRoom.Locate("HOTEL_ID;POSIT", {0, 1}));
    ASSERT_TRUE(data->tHotel.Locate("HOTEL_ID", 1));
    data->DeleteHotel();

    auto hotels = [](TvekMemTable &table) {
        std::multiset<int> ids;
        for (std::size_t r = 0; r < table.RawRecordCount(); ++r)
            ids.insert(
                std::get<std::int32_t>(table.RawValue(r, table.FieldNamed("HOTEL_ID").Index())));
        return ids;
    };
    EXPECT_EQ(hotels(data->tHotel), (std::multiset<int>{0, 2}));
    EXPECT_EQ(hotels(data->tFloor), (std::multiset<int>{0, 0, 2, 2}));
    EXPECT_EQ(hotels(data->tRoom), (std::multiset<int>{0, 0, 0, 0, 2, 2, 2, 2}));
}

TEST_F(HotelTablesTest, CloseHotelStopsTheClockAndShowsEveryHotelAgain)
{
    data->NewHotel("Other");
    OpenNewHotel();
    data->BuildFloor();
    EXPECT_EQ(data->tHotel.RawRecordCount(), 2u);
    EXPECT_TRUE(data->tHotel.Filtered());
    EXPECT_TRUE(clock.Enabled());

    data->CloseHotel();
    EXPECT_FALSE(clock.Enabled());
    EXPECT_EQ(data->HotelID, -1);
    for (TvekMemTable *table : {&data->tHotel, &data->tFloor, &data->tRoom}) {
        EXPECT_FALSE(table->Filtered());
        EXPECT_EQ(table->Filter(), "HOTEL_ID = -1");
    }
    int visible = 0;
    for (data->tHotel.First(); !data->tHotel.AtEnd(); data->tHotel.Next())
        ++visible;
    EXPECT_EQ(visible, 2);
    // Ticks without an open hotel change nothing.
    data->RunHours(5);
    EXPECT_EQ(Get(data->tHotel, "TIME"), 10);
}

// The first hotel has HOTEL_ID 0: opening it shows its records alone, from its ground floor,
// and each one-record copy holds just the selected record.
TEST_F(HotelTablesTest, OpeningAHotelShowsItsOwnRecordsFromTheGroundFloor)
{
    auto visible = [](TvekMemTable &table) {
        int count = 0;
        for (table.First(); !table.AtEnd(); table.Next())
            ++count;
        return count;
    };
    const int first = OpenNewHotel("First");
    data->BuildFloor();
    data->BuildFloor();
    data->BuildRoom(1, 0);
    data->BuildRoom(1, 2);
    data->CloseHotel();
    OpenNewHotel("Second");
    data->BuildFloor();
    data->CloseHotel();
    ASSERT_EQ(first, 0);

    data->SelectHotel(first);
    EXPECT_EQ(visible(data->tHotel), 1);
    EXPECT_EQ(visible(data->tFloor), 2);
    EXPECT_EQ(visible(data->tRoom), 2);
    EXPECT_EQ(data->tCurrFloor.RawRecordCount(), 1u);
    EXPECT_EQ(Get(data->tCurrFloor, "FLOOR_ID"), 0);
    data->tRoom.First();
    data->SelectRoom(Get(data->tRoom, "ID"));
    EXPECT_EQ(data->tCurrRoom.RawRecordCount(), 1u);
}

// Delete with an empty hotel list does nothing.
TEST_F(HotelTablesTest, DeleteHotelWithNoHotelChangesNothing)
{
    EXPECT_NO_THROW(data->DeleteHotel());
    EXPECT_EQ(data->tHotel.RawRecordCount(), 0u);
}

TEST_F(HotelTablesTest, SelectRoomOfNoRoomKeepsTheCopy)
{
    OpenNewHotel();
    data->BuildFloor();
    data->BuildRoom(2, 0);
    const int id = data->RoomID;
    data->SelectRoom(-1);
    EXPECT_EQ(data->RoomID, -1);
    EXPECT_EQ(Get(data->tCurrRoom, "ID"), id);
    data->SelectRoom(999);
    EXPECT_EQ(data->RoomID, 999);
    EXPECT_EQ(Get(data->tCurrRoom, "ID"), id);
}

TEST_F(HotelTablesTest, QuittingWithAHotelOpenSavesEveryHotelAndTheCatalog)
{
    data->NewHotel("Other");
    const int hotel = OpenNewHotel("Open");
    data->BuildFloor();
    data->BuildRoom(3, 2);
    data->RunHours(30);
    const int money = data->GetMoney();
    const int counter = Get(data->tHotel, "ID");
    std::filesystem::remove(dir.Path + "tRooms.dht");

    data->DataModuleDestroy();
    EXPECT_TRUE(data->SaveErrors().empty());
    for (const char *file : {"tHotel.dht", "tFloor.dht", "tRoom.dht", "tRooms.dht"})
        EXPECT_TRUE(std::filesystem::exists(dir.Path + file)) << file;

    StartModel();
    EXPECT_TRUE(data->LoadErrors().empty()) << data->LoadErrorText();
    EXPECT_TRUE(data->CatalogReady());
    EXPECT_EQ(data->tHotel.RawRecordCount(), 2u);
    data->SelectHotel(hotel);
    EXPECT_EQ(data->GetMoney(), money);
    EXPECT_EQ(data->GetHour(), (10 + 30) % 24);
    EXPECT_EQ(Get(data->tHotel, "ID"), counter + 1) << "the reload's own refresh drew one";
    EXPECT_EQ(data->tRoom.RawRecordCount(), 1u);
}

// Quitting saves once: the destructor after an explicit quit writes nothing again.
TEST_F(HotelTablesTest, QuittingSavesOnce)
{
    data->NewHotel("Saved once");
    data->DataModuleDestroy();
    ASSERT_TRUE(std::filesystem::exists(dir.Path + "tHotel.dht"));
    std::filesystem::remove(dir.Path + "tHotel.dht");
    data.reset();
    EXPECT_FALSE(std::filesystem::exists(dir.Path + "tHotel.dht"));
}

TEST_F(HotelTablesTest, FirstStartIsNoErrorAndWritesTheNewTables)
{
    EXPECT_TRUE(data->LoadErrors().empty());
    EXPECT_EQ(data->LoadErrorText(), "");
    EXPECT_TRUE(data->CatalogReady());
    EXPECT_TRUE(data->tCurrFloor.Active());
    data->NewHotel("First");
    data.reset();
    for (const char *file : {"tHotel.dht", "tFloor.dht", "tRoom.dht"})
        EXPECT_TRUE(std::filesystem::exists(dir.Path + file)) << file;
}

// One bad file: reported with its name, the other tables load, and at exit the
// bad file stays exactly as it was while the others are written.
struct BadFileCase
{
    const char *name;
    const char *file;
    std::string bytes; // empty: the file is missing
    const char *message;
    bool catalogReady;
};

class BadFileTest : public ModelTest, public ::testing::WithParamInterface<BadFileCase>
{
};

TEST_P(BadFileTest, IsReportedAndNeverOverwritten)
{
    const BadFileCase &c = GetParam();
    // A first run leaves a full set of files.
    OpenNewHotel("Saved");
    data->BuildFloor();
    data->BuildRoom(1, 0);
    data.reset();
    const std::string path = dir.Path + c.file;
    if (c.bytes.empty())
        std::filesystem::remove(path);
    else
        WriteBytes(path, c.bytes);
    const std::string hotelsBefore = FileBytes(dir.Path + "tHotel.dht");

    StartModel();
    ASSERT_EQ(data->LoadErrors().size(), 1u);
    EXPECT_EQ(data->LoadErrors()[0].FileName, path);
    EXPECT_NE(data->LoadErrors()[0].Message.find(c.message), std::string::npos)
        << data->LoadErrors()[0].Message;
    EXPECT_NE(data->LoadErrorText().find(std::string(c.file) + ": "), std::string::npos);
    EXPECT_EQ(data->CatalogReady(), c.catalogReady);
    // A damaged file of the saved hotels takes the whole set aside (with no
    // backup to restore, the game starts without hotels); a bad catalog alone
    // leaves the hotels loaded.
    const bool inSaveSet = std::string(c.file) != "tRooms.dht";
    EXPECT_EQ(data->tRoom.RawRecordCount(), inSaveSet ? 0u : 1u);

    if (std::string(c.file) != "tHotel.dht") {
        data->SelectHotel(0);
        data->StartClock();
        data->NewHotel("Changed");
    }
    data.reset();
    if (inSaveSet) {
        std::string kept;
        for (const auto &entry : std::filesystem::directory_iterator(dir.Path))
            if (entry.path().filename().string().rfind("damaged-", 0) == 0)
                kept = entry.path().string() + "/" + c.file;
        EXPECT_EQ(FileBytes(kept), c.bytes) << "the damaged file is kept, moved aside";
    } else {
        EXPECT_EQ(std::filesystem::exists(path), !c.bytes.empty());
        if (!c.bytes.empty()) {
            EXPECT_EQ(FileBytes(path), c.bytes);
        }
    }
    if (std::string(c.file) != "tHotel.dht") {
        EXPECT_NE(FileBytes(dir.Path + "tHotel.dht"), hotelsBefore) << "tHotel was saved";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Loading, BadFileTest,
    ::testing::Values(BadFileCase{"DamagedHotels", "tHotel.dht", "garbage", "", true},
                      BadFileCase{"DamagedFloors", "tFloor.dht", "TPF0\xFB", "", true},
                      BadFileCase{"DamagedRooms", "tRoom.dht", "TPF0", "", true},
                      BadFileCase{"MissingCatalog", "tRooms.dht", "", "Cannot open file ", false},
                      BadFileCase{"DamagedCatalog", "tRooms.dht", "not a table", "", false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(HotelTablesTest, CatalogWithoutARowOrWithABadValueIsRefused)
{
    struct Case
    {
        const char *name;
        void (*change)(std::vector<TCatalogRow> &);
        const char *problem;
    };
    const Case cases[] = {
        {"missing row", [](auto &rows) { rows.pop_back(); }, "no row 24"},
        {"negative price", [](auto &rows) { rows[1].PRICE = -5; }, "row 2 has no valid PRICE"},
        {"zero width", [](auto &rows) { rows[0].WIDTH = 0; }, "room type 1 is not 1 to 10"},
        {"item life of 100", [](auto &rows) { rows[10].WEAR = 100; }, "longer than 99 days"},
        {"two rows missing: the first is named",
         [](auto &rows) {
             rows.erase(rows.begin() + 1);
             rows.pop_back();
         },
         "no row 2."},
        {"a room too wide before a missing row: the first is named",
         [](auto &rows) {
             rows[0].WIDTH = 11;
             rows.erase(rows.begin() + 1);
         },
         "room type 1 is"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto rows = TestCatalog();
        c.change(rows);
        data.reset();
        WriteCatalogFile(rows, dir.Path + "tRooms.dht");
        const std::string bytes = FileBytes(dir.Path + "tRooms.dht");
        StartModel();
        EXPECT_FALSE(data->CatalogReady());
        ASSERT_EQ(data->LoadErrors().size(), 1u);
        EXPECT_NE(data->LoadErrors()[0].Message.find(c.problem), std::string::npos)
            << data->LoadErrors()[0].Message;
        OpenNewHotel();
        EXPECT_THROW(data->BuildFloor(), EAbort);
        ASSERT_FALSE(messages.Messages.empty());
        EXPECT_EQ(messages.Messages.back(), data->CatalogProblem());
        EXPECT_EQ(data->GetMoney(), 50000);
        data.reset();
        EXPECT_EQ(FileBytes(dir.Path + "tRooms.dht"), bytes);
    }
}

namespace {

// Marks a catalog value to be written as an empty field.
constexpr int kEmpty = -987654;

// Writes the rows, leaving every field that holds kEmpty empty.
void WriteCatalogWithEmptyFields(const std::vector<TCatalogRow> &rows, const std::string &path)
{
    WriteCatalogFile(rows, path);
    TvekMemTable catalog("tRooms");
    DefineGameTableFields(catalog, "tRooms");
    catalog.Open();
    catalog.ReadTableFile(path);
    for (catalog.First(); !catalog.AtEnd(); catalog.Next())
        for (int i = 0; i < catalog.FieldCount(); ++i)
            if (catalog.Fields(i).DataType() == ftInteger &&
                catalog.Fields(i).AsInteger() == kEmpty) {
                catalog.Edit();
                catalog.Fields(i).Clear();
                catalog.Post();
            }
    catalog.WriteTableFile(path);
}

} // namespace

// Rows 1 to 5 are the room types, 10 the floor, 11 to 13 the stations, 21 to 24 the items;
// in TestCatalog they are rows[0] to rows[4], rows[5], rows[6] to rows[8], rows[9] to rows[12].
TEST_F(HotelTablesTest, CatalogRowsAreJudgedByTheFieldsTheGameReadsFromThem)
{
    struct Case
    {
        const char *name;
        void (*change)(std::vector<TCatalogRow> &);
        const char *problem; // empty: the catalog is accepted
    };
    const Case cases[] = {
        {"empty width and build of the floor",
         [](auto &rows) { rows[5].WIDTH = rows[5].BUILD = kEmpty; }, ""},
        {"empty width and build of a station",
         [](auto &rows) { rows[7].WIDTH = rows[7].BUILD = kEmpty; }, ""},
        {"empty width, income and build of an item",
         [](auto &rows) { rows[9].WIDTH = rows[9].INCOME = rows[9].BUILD = kEmpty; }, ""},
        {"unread fields below zero",
         [](auto &rows) {
             rows[5].INCOME = rows[5].WEAR = -1;
             rows[6].WIDTH = rows[6].WEAR = -2;
             rows[12].INCOME = rows[12].BUILD = -3;
         },
         ""},
        {"a station's unread life beyond 99 days", [](auto &rows) { rows[8].WEAR = 150; }, ""},
        {"an empty build time reads as built at once", [](auto &rows) { rows[2].BUILD = kEmpty; },
         ""},
        {"an empty room width reads as no cell", [](auto &rows) { rows[1].WIDTH = kEmpty; },
         "room type 2 is not 1 to 10 cells wide"},
        {"the first of two bad fields is named",
         [](auto &rows) { rows[0].PRICE = rows[0].WEAR = -1; }, "row 1 has no valid PRICE."},
        {"the first of two bad fields is named, width before build",
         [](auto &rows) { rows[3].WIDTH = rows[3].BUILD = -1; }, "row 4 has no valid WIDTH."},
        {"a negative floor price", [](auto &rows) { rows[5].PRICE = -1; },
         "row 10 has no valid PRICE."},
        {"a negative wage", [](auto &rows) { rows[7].INCOME = -1; }, "row 12 has no valid INCOME."},
        {"a negative item life", [](auto &rows) { rows[11].WEAR = -1; },
         "row 23 has no valid WEAR."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto rows = TestCatalog();
        c.change(rows);
        data.reset();
        WriteCatalogWithEmptyFields(rows, dir.Path + "tRooms.dht");
        StartModel();
        if (*c.problem == '\0') {
            EXPECT_TRUE(data->CatalogReady()) << data->CatalogProblem();
            EXPECT_TRUE(data->LoadErrors().empty()) << data->LoadErrorText();
            continue;
        }
        EXPECT_FALSE(data->CatalogReady());
        ASSERT_EQ(data->LoadErrors().size(), 1u);
        EXPECT_NE(data->LoadErrors()[0].Message.find(c.problem), std::string::npos)
            << data->LoadErrors()[0].Message;
    }
}

// A refused catalog keeps its rows, so the start-up message does not call it empty.
TEST_F(HotelTablesTest, TheLoadMessageSaysWhatBecomesOfARefusedCatalog)
{
    auto rows = TestCatalog();
    rows[4].PRICE = -1;
    data.reset();
    WriteCatalogFile(rows, dir.Path + "tRooms.dht");
    StartModel();
    EXPECT_EQ(data->LoadErrorText(),
              "tRooms.dht: The price catalog is damaged: row 5 has no valid PRICE.\n"
              "\nThe price catalog is not saved at exit, so its file stays as it is."
              "\nWithout the price catalog nothing can be bought.");
    // Nor is it: with the file gone, the exit save does not bring it back.
    std::filesystem::remove(dir.Path + "tRooms.dht");
    data->DataModuleDestroy();
    EXPECT_FALSE(std::filesystem::exists(dir.Path + "tRooms.dht"));

    // A catalog that could not be read at all does start empty.
    data.reset();
    WriteBytes(dir.Path + "tRooms.dht", "not a table");
    StartModel();
    EXPECT_NE(data->LoadErrorText().find("\nThese tables start empty"), std::string::npos);
    EXPECT_EQ(data->LoadErrorText().find("The price catalog is not saved"), std::string::npos);
}

TEST_F(HotelTablesTest, MissingCatalogMakesLookupsFailClearly)
{
    data.reset();
    std::filesystem::remove(dir.Path + "tRooms.dht");
    StartModel();
    EXPECT_THROW(
        {
            try {
                data->CatalogPrice(10);
            } catch (const std::runtime_error &error) {
                EXPECT_STREQ(error.what(), "The price catalog tRooms.dht has no row 10.");
                throw;
            }
        },
        std::runtime_error);
    OpenNewHotel();
    EXPECT_THROW(data->BuildFloor(), EAbort);
    EXPECT_EQ(messages.Messages,
              std::vector<std::string>{
                  "The price catalog tRooms.dht could not be read, so nothing can be bought."});
    // The clock does not run the rules without a catalog.
    data->RunHours(24);
    EXPECT_EQ(data->GetHour(), 10);
}

// The hotels, floors and rooms are saved all or nothing; the catalog apart.
TEST_F(HotelTablesTest, ATableThatCannotBeWrittenKeepsTheWholeSetOldAndTheCatalogIsSaved)
{
    data->NewHotel("Kept");
    // A directory where the hotel file should go makes its write fail.
    std::filesystem::create_directory(dir.Path + "tHotel.dht");
    std::filesystem::remove(dir.Path + "tRooms.dht");
    data->DataModuleDestroy();
    ASSERT_EQ(data->SaveErrors().size(), 1u);
    EXPECT_EQ(data->SaveErrors()[0].FileName, dir.Path + "tHotel.dht");
    EXPECT_TRUE(data->SaveErrors()[0].InSaveSet);
    for (const char *file : {"tFloor.dht", "tRoom.dht"})
        EXPECT_FALSE(std::filesystem::exists(dir.Path + file)) << file;
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.Path + "tRooms.dht"));
}

TEST(AppPathTest, IsTheExecutablesDirectoryWithASlash)
{
    const std::string path = TD_Data::ExecutableDirectory();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), '/');
    EXPECT_EQ(std::filesystem::canonical(path),
              std::filesystem::canonical("/proc/self/exe").parent_path());
}
