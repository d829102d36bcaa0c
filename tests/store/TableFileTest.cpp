#include "store/TableFile.h"

#include "TableFileTestSupport.h"
#include "model/TableSchemas.h"
#include "store/MemTable.h"
#include "store/TableStreamError.h"

#include <gtest/gtest.h>

namespace {

// The game's own layouts, which the worked examples are written for.
void MakeHotelTable(TvekMemTable &table)
{
    table.Name = "tHotel";
    DefineGameTableFields(table, "tHotel");
    table.Open();
}

void MakeFloorTable(TvekMemTable &table)
{
    table.Name = "tFloor";
    DefineGameTableFields(table, "tFloor");
    table.Open();
}

void AppendHotel(TvekMemTable &table, const std::string &name, double date)
{
    table.Append();
    table.FieldNamed("NAME").SetAsString(name);
    if (date != 0) {
        table.FieldNamed("DATE").SetAsDateTime(date);
    }
    table.Post();
}

// Hotels "A", "B" and "C", of which the filter shows "A" alone.
void MakeThreeHotelsFilteredToTheFirst(TvekMemTable &hotels)
{
    MakeHotelTable(hotels);
    for (const char *name : {"A", "B", "C"}) {
        AppendHotel(hotels, name, 0);
    }
    hotels.SetFilter("HOTEL_ID = 1");
    hotels.SetFiltered(true);
}

const std::string Header = "54 50 46 30 03 FB 00 01 00 01 00";
const std::string FloorRecord = "01 02 00 08 02 03 08 02 00 08 02 00 08 02 64 08 02 FF 08 02 64 "
                                "08 02 FF 08 02 64 08 02 FF 08 06 04 30 30 30 30 08 02 4B "
                                "08 06 08 30 30 30 30 30 30 30 30 00";
const std::string SeaViewRecord = "01 02 00 08 02 00 08 06 08 53 65 61 20 56 69 65 77 "
                                  "08 04 50 C3 00 00 08 02 00 "
                                  "08 05 00 00 00 00 00 00 D1 95 0E 40 08 02 0A 00";
constexpr double NewYear2005 = 38353;

using TableFile = TScratchTest;

TEST_F(TableFile, EmptyTableIsThirteenBytes)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    const std::string path = PathOf("tHotel.dht");
    hotels.WriteTableFile(path);
    EXPECT_EQ(HexOf(Contents(path)), "54 50 46 30 03 FB 00 01 00 01 00 01 00");

    hotels.ReadTableFile(path);
    EXPECT_TRUE(hotels.IsEmpty());
    EXPECT_EQ(hotels.RawRecordCount(), 0u);
}

TEST_F(TableFile, FloorRecordByteForByte)
{
    TvekMemTable floors;
    MakeFloorTable(floors);
    floors.Append();
    const std::pair<const char *, const char *> values[] = {{"ID", "3"},
                                                            {"HOTEL_ID", "0"},
                                                            {"FLOOR_ID", "0"},
                                                            {"DIRTY", "100"},
                                                            {"DIRTY_STATION", "-1"},
                                                            {"POLICY", "100"},
                                                            {"POLICY_STATION", "-1"},
                                                            {"FIRE", "100"},
                                                            {"FIRE_STATION", "-1"},
                                                            {"STUFF", "0000"},
                                                            {"COMFORT", "75"},
                                                            {"STUF_WEAR", "00000000"}};
    for (const auto &[name, text] : values) {
        floors.FieldNamed(name).SetAsString(text);
    }
    floors.Post();
    const std::string path = PathOf("tFloor.dht");
    floors.WriteTableFile(path);
    EXPECT_EQ(HexOf(Contents(path)), HexOf(BytesOf(Header + " 01 " + FloorRecord + " 00")));

    TvekMemTable copy;
    MakeFloorTable(copy);
    copy.ReadTableFile(path);
    copy.First();
    for (const auto &[name, text] : values) {
        EXPECT_EQ(copy.FieldNamed(name).AsString(), text) << name;
    }
}

TEST_F(TableFile, SeaViewHotelByteForByte)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    AppendHotel(hotels, "Sea View", NewYear2005);
    AppendHotel(hotels, "No Date", 0);
    const std::string path = PathOf("tHotel.dht");
    hotels.WriteTableFile(path);
    const std::string noDateRecord =
        "01 02 00 08 02 01 08 06 07 4E 6F 20 44 61 74 65 08 04 50 C3 00 00 08 02 00 09 08 02 0A 00";
    EXPECT_EQ(HexOf(Contents(path)),
              HexOf(BytesOf(Header + " 01 " + SeaViewRecord + " " + noDateRecord + " 00")));

    TvekMemTable copy;
    MakeHotelTable(copy);
    copy.ReadTableFile(path);
    copy.First();
    EXPECT_EQ(copy.FieldNamed("NAME").AsString(), "Sea View");
    EXPECT_EQ(copy.FieldNamed("MONEY").AsInteger(), 50000);
    EXPECT_EQ(copy.FieldNamed("DATE").AsDateTime(), NewYear2005);
    EXPECT_EQ(copy.FieldNamed("TIME").AsInteger(), 10);
    copy.Next();
    EXPECT_TRUE(copy.FieldNamed("DATE").IsNull());
    EXPECT_EQ(copy.FieldNamed("HOTEL_ID").AsInteger(), 1);
}

TEST_F(TableFile, RoundTripKeepsValuesNullsAndOrder)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    AppendHotel(hotels, "Caf\xE9 du Port \x80", 45000.75);
    AppendHotel(hotels, std::string(50, 'L'), -693593);
    AppendHotel(hotels, "", 2958465);
    hotels.Append();
    hotels.FieldNamed("MONEY").Clear();
    hotels.FieldNamed("TIME").SetAsInteger(-2147483647 - 1);
    hotels.Post();
    const std::string path = PathOf("tHotel.dht");
    hotels.WriteTableFile(path);
    // The name outside ASCII travels as UTF-8 text.
    const std::string utf8Name =
        std::string("\x14\x11\0\0\0", 5) + "Caf\xC3\xA9 du Port \xE2\x82\xAC";
    EXPECT_NE(Contents(path).find(utf8Name), std::string::npos);

    TvekMemTable copy;
    MakeHotelTable(copy);
    copy.ReadTableFile(path);
    ASSERT_EQ(copy.RawRecordCount(), hotels.RawRecordCount());
    for (std::size_t record = 0; record < hotels.RawRecordCount(); ++record) {
        for (int field = 0; field < hotels.FieldCount(); ++field) {
            EXPECT_EQ(copy.RawValue(record, field), hotels.RawValue(record, field))
                << record << " " << field;
        }
    }
    EXPECT_EQ(copy.RawDate(0, 4), 45000.0);
    // Writing what was read gives the same bytes again.
    const std::string again = PathOf("again.dht");
    copy.WriteTableFile(again);
    EXPECT_EQ(Contents(again), Contents(path));
}

TEST_F(TableFile, ManyLongRecordsRoundTrip)
{
    // More text than the writer first makes room for.
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    for (int i = 0; i < 2000; ++i) {
        AppendHotel(hotels,
                    std::string(40, static_cast<char>('A' + i % 26)) + "\xE9" + std::to_string(i),
                    NewYear2005 + i);
    }
    const std::string path = PathOf("tHotel.dht");
    hotels.WriteTableFile(path);
    TvekMemTable copy;
    MakeHotelTable(copy);
    copy.ReadTableFile(path);
    ASSERT_EQ(copy.RawRecordCount(), 2000u);
    EXPECT_EQ(copy.RawString(1999, 1), std::string(40, 'X') + "\xE9" + "1999");
    EXPECT_EQ(copy.RawDate(1999, 4), NewYear2005 + 1999);
}

TEST_F(TableFile, AppendFlagAddsAStreamAtTheEnd)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    const std::string path = PathOf("tHotel.dht");
    hotels.WriteTableFile(path, {sfSaveData, sfSaveAppend});
    AppendHotel(hotels, "Sea View", NewYear2005);
    hotels.WriteTableFile(path, {sfSaveData, sfSaveAppend});
    EXPECT_EQ(HexOf(Contents(path)), HexOf(BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01 00 " +
                                                   Header + " 01 " + SeaViewRecord + " 00")));
}

TEST_F(TableFile, ReadingAddsAfterExistingRecordsAndContinuesTheCounter)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    for (const char *name : {"A", "B", "C", "D", "E", "F"}) {
        AppendHotel(hotels, name, NewYear2005);
    }
    const std::string path = PathOf("tHotel.dht");
    hotels.WriteTableFile(path);

    TvekMemTable copy;
    MakeHotelTable(copy);
    AppendHotel(copy, "Already here", 0);
    copy.ReadTableFile(path);
    ASSERT_EQ(copy.RawRecordCount(), 7u);
    EXPECT_EQ(copy.RawString(0, 1), "Already here");
    EXPECT_EQ(copy.RawString(6, 1), "F");
    AppendHotel(copy, "Next", 0);
    EXPECT_EQ(copy.FieldNamed("HOTEL_ID").AsInteger(), 6);
}

TEST_F(TableFile, EmptyFileAddsNothingAndMissingFileFails)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    AppendHotel(hotels, "Kept", 0);
    EXPECT_EQ(ReadInto(hotels, ""), "");
    EXPECT_EQ(hotels.RawRecordCount(), 1u);

    const std::string missing = PathOf("missing.dht");
    hotels.Close();
    hotels.Open();
    try {
        hotels.ReadTableFile(missing);
        FAIL();
    } catch (const EFOpenError &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + missing);
    }
    EXPECT_TRUE(hotels.Active());
    EXPECT_TRUE(hotels.IsEmpty());
}

TEST_F(TableFile, FilteredTableIsWrittenWhole)
{
    TvekMemTable hotels;
    MakeThreeHotelsFilteredToTheFirst(hotels);
    const std::string path = PathOf("tHotel.dht");

    // The hotel model switches the filter off around the write.
    hotels.SetFiltered(false);
    hotels.WriteTableFile(path);
    hotels.SetFiltered(true);
    EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), "B");

    TvekMemTable copy;
    MakeHotelTable(copy);
    copy.ReadTableFile(path);
    EXPECT_EQ(copy.RawRecordCount(), 3u);

    // Without that only the visible records are written, unless sfSaveFiltered says otherwise.
    hotels.WriteTableFile(path);
    EXPECT_EQ(Contents(path).size(), 13u + 24u);
    hotels.WriteTableFile(path, {sfSaveData, sfSaveFiltered});
    copy.Close();
    copy.Open();
    copy.ReadTableFile(path);
    EXPECT_EQ(copy.RawRecordCount(), 3u);
    EXPECT_TRUE(hotels.Filtered());
    EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), "B");
}

TEST_F(TableFile, WritePostsAPendingChange)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    hotels.Append();
    hotels.FieldNamed("NAME").SetAsString("Pending");
    const std::string path = PathOf("tHotel.dht");
    hotels.WriteTableFile(path);
    EXPECT_EQ(hotels.State(), tsBrowse);
    EXPECT_EQ(hotels.RawRecordCount(), 1u);
    EXPECT_NE(Contents(path).find("Pending"), std::string::npos);
}

TEST_F(TableFile, ClosedTableWritesAnEmptyRecordList)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    AppendHotel(hotels, "Gone", 0);
    hotels.Close();
    const std::string path = PathOf("tHotel.dht");
    hotels.WriteTableFile(path);
    EXPECT_EQ(HexOf(Contents(path)), "54 50 46 30 03 FB 00 01 00 01 00 01 00");
}

TEST_F(TableFile, FailedWriteKeepsTheOldFile)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    AppendHotel(hotels, "Old", 0);
    const std::string path = PathOf("tHotel.dht");
    hotels.WriteTableFile(path);
    const std::string old = Contents(path);

    // A handler that refuses the pending record stops the write halfway.
    hotels.BeforePost = [](TDataSet &) { throw EDatabaseError("refused"); };
    hotels.Append();
    hotels.FieldNamed("NAME").SetAsString("New");
    EXPECT_THROW(hotels.WriteTableFile(path), EDatabaseError);
    EXPECT_EQ(Contents(path), old);
    EXPECT_EQ(EntryCount(), 1u);

    const std::string nowhere = PathOf("no/such/dir/tHotel.dht");
    try {
        hotels.WriteTableFile(nowhere);
        FAIL();
    } catch (const EFCreateError &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + nowhere);
    }
    // The table was left alone: the new record is still being edited.
    EXPECT_EQ(hotels.State(), tsInsert);
}

TEST_F(TableFile, NoticesAreHeldBackDuringARead)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    AppendHotel(hotels, "A", 0);
    AppendHotel(hotels, "B", 0);
    const std::string bytes = [&] {
        hotels.WriteTableFile(PathOf("source.dht"));
        return Contents(PathOf("source.dht"));
    }();
    hotels.Close();
    hotels.Open();
    int changes = 0;
    TDataSource source(&hotels);
    source.OnDataChange = [&](TDataSource &, TField *) { ++changes; };
    changes = 0;
    EXPECT_EQ(ReadInto(hotels, bytes), "");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), "A");
}

// A change handler that throws while a file is read: the table stays open, its notices
// flow again, its view is re-read, and an error comes out only after all that - the
// reader's own when the file is damaged too, else the handler's.
TEST_F(TableFile, AHandlerThrowingDuringAReadLeavesTheTableInShape)
{
    struct TCase
    {
        const char *name;
        std::string hex;
        const char *error;
        std::size_t records;
        const char *current;
    };
    const std::string secondRecord = "01 02 00 08 02 01 08 06 01 42 09 09 09 09 00";
    const TCase cases[] = {
        {"WholeFile", Header + " 01 " + SeaViewRecord + " " + secondRecord + " 00", "handler", 2,
         "Sea View"},
        {"DamagedFile", Header + " 01 " + SeaViewRecord + " " + secondRecord, "Stream read error",
         2, "Sea View"},
        {"EmptyFile", "", "handler", 0, ""},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable hotels;
        MakeHotelTable(hotels);
        bool armed = true;
        int notices = 0;
        TDataSource source(&hotels);
        source.OnDataChange = [&](TDataSource &, TField *) {
            ++notices;
            if (armed) {
                armed = false;
                throw std::runtime_error("handler");
            }
        };
        EXPECT_EQ(ReadInto(hotels, BytesOf(c.hex)), c.error);
        EXPECT_TRUE(hotels.Active());
        EXPECT_EQ(hotels.NotificationSuspendCount(), 0);
        EXPECT_EQ(hotels.RawRecordCount(), c.records);
        EXPECT_EQ(hotels.IsEmpty(), c.records == 0) << "the view agrees with the records";
        EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), c.current);
        const int before = notices;
        hotels.First();
        EXPECT_GT(notices, before) << "notices flow again";
    }
}

// A handler that throws while a file is written, on switching the filter off or back on:
// the filter is back, the notices flow again, and the handler's error comes out last.
TEST_F(TableFile, AHandlerThrowingDuringAWriteLeavesTheTableInShape)
{
    struct TCase
    {
        const char *name;
        TvekMemTableSaveFlags flags;
        int throwOnScroll; // the scroll of the write that throws: 1st or 2nd
    };
    const TCase cases[] = {
        {"RestoringTheFilter", {sfSaveData}, 1},
        {"SwitchingTheFilterOff", {sfSaveData, sfSaveFiltered}, 1},
        {"RestoringTheFilterAfterSwitchingItOff", {sfSaveData, sfSaveFiltered}, 2},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable hotels;
        MakeThreeHotelsFilteredToTheFirst(hotels);
        const std::string path = PathOf("tHotel.dht");
        Put(path, "old");
        int scrolls = 0;
        hotels.AfterScroll = [&](TDataSet &) {
            if (++scrolls == c.throwOnScroll) {
                throw std::runtime_error("handler");
            }
        };
        int notices = 0;
        TDataSource source(&hotels);
        source.OnDataChange = [&](TDataSource &, TField *) { ++notices; };
        try {
            hotels.WriteTableFile(path, c.flags);
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error &error) {
            EXPECT_STREQ(error.what(), "handler");
        }
        EXPECT_EQ(Contents(path), "old") << "a failed write keeps the old file";
        EXPECT_TRUE(hotels.Active());
        EXPECT_EQ(hotels.NotificationSuspendCount(), 0);
        EXPECT_TRUE(hotels.Filtered());
        EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), "B");
        const int before = notices;
        hotels.First();
        EXPECT_GT(notices, before) << "notices flow again";
    }
}

TEST_F(TableFile, DeletedStatusIsKeptHiddenAndNeverWritten)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    const std::string deleted = "01 02 03 08 02 07 09 09 09 09 09 00";
    EXPECT_EQ(ReadInto(hotels, BytesOf(Header + " 01 " + SeaViewRecord + " " + deleted + " 00")),
              "");
    EXPECT_EQ(hotels.RawRecordCount(), 2u);
    EXPECT_EQ(hotels.RawRecordStatus(1), 3);
    EXPECT_EQ(hotels.AutoIncCounter(), 7);
    hotels.WriteTableFile(PathOf("out.dht"));
    EXPECT_EQ(HexOf(Contents(PathOf("out.dht"))),
              HexOf(BytesOf(Header + " 01 " + SeaViewRecord + " 00")));
}

// Files of older format versions and the value forms only a reader meets.
struct TAcceptedFile
{
    const char *name;
    std::string hex;
    const char *expectedName; // NAME of the one record
    double expectedDate;
    std::int32_t expectedMoney;
};

class TableFileAccepts : public TableFile, public testing::WithParamInterface<TAcceptedFile>
{
};

TEST_P(TableFileAccepts, ReadsTheRecord)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    ASSERT_EQ(ReadInto(hotels, BytesOf(GetParam().hex)), "");
    ASSERT_EQ(hotels.RawRecordCount(), 1u);
    hotels.First();
    EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), GetParam().expectedName);
    EXPECT_EQ(hotels.FieldNamed("DATE").AsDateTime(), GetParam().expectedDate);
    EXPECT_EQ(hotels.FieldNamed("MONEY").AsInteger(), GetParam().expectedMoney);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, TableFileAccepts,
    testing::Values(
        TAcceptedFile{"Version251", Header + " 01 " + SeaViewRecord + " 00", "Sea View",
                      NewYear2005, 50000},
        TAcceptedFile{"IntegersInWideTags",
                      Header + " 01 01 04 00 00 00 00 08 04 00 00 00 00 08 06 01 41 "
                               "08 04 50 C3 00 00 08 03 00 00 08 04 D1 95 00 00 08 03 0A 00 00 00",
                      "A", NewYear2005, 50000},
        TAcceptedFile{"DateAsIntegerAndZeroDateIsNull",
                      Header + " 01 01 02 00 08 02 00 08 06 01 41 09 09 08 02 00 09 00 00", "A", 0,
                      0},
        TAcceptedFile{"DateKeepsItsWholeDay",
                      Header + " 01 01 02 00 09 08 06 01 41 09 09 "
                               "08 05 00 00 00 00 00 80 D1 95 0E 40 09 00 00",
                      "A", NewYear2005, 0},
        TAcceptedFile{"OlderVersionsOfTheRecordFollow",
                      Header + " 01 01 02 00 08 02 00 08 06 01 4E 09 09 09 09 "
                               "02 01 08 02 00 08 06 01 4F 09 09 09 09 "
                               "02 02 09 09 09 09 09 09 00 00",
                      "N", 0, 0},
        TAcceptedFile{
            "IndexDefinitionsArePassedOver",
            "54 50 46 30 03 FB 00 01 00 01 06 01 49 06 02 49 44 06 00 08 08 09 08 00 01 " +
                SeaViewRecord + " 00",
            "Sea View", NewYear2005, 50000},
        TAcceptedFile{"Version249", "54 50 46 30 03 F9 00 01 00 01 00 01 " + SeaViewRecord + " 00",
                      "Sea View", NewYear2005, 50000},
        TAcceptedFile{"Version230WithoutNullFlags",
                      "54 50 46 30 03 E6 00 01 00 01 00 01 01 02 00 02 00 06 01 41 04 50 C3 00 00 "
                      "02 00 02 00 02 0A 00 00",
                      "A", 0, 50000},
        TAcceptedFile{"Version200WithoutRecordLists",
                      "54 50 46 30 03 C8 00 01 00 01 00 01 02 00 06 01 41 04 50 C3 00 00 "
                      "02 00 02 00 02 0A 00",
                      "A", 0, 50000},
        TAcceptedFile{"Version100HasNoVersionNorIndexList",
                      "54 50 46 30 01 00 01 02 00 06 01 41 04 50 C3 00 00 02 00 02 00 02 0A 00",
                      "A", 0, 50000},
        TAcceptedFile{"NameLongerThanTheFieldIsCut",
                      Header + " 01 01 02 00 08 02 00 08 06 3C "
                               "4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C"
                               "4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C4C"
                               " 09 09 09 09 00 00",
                      "LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL", 0, 0}),
    [](const testing::TestParamInfo<TAcceptedFile> &info) { return info.param.name; });

TEST_F(TableFile, SixteenBitAndUtf8TextsComeBackInTheCodePage)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    const std::string records = "01 01 02 00 08 02 00 08 12 02 00 00 00 E9 00 1C 04 09 09 09 09 00 "
                                "01 02 00 08 02 01 08 14 04 00 00 00 E2 82 AC 21 09 09 09 09 00 "
                                "01 02 00 08 02 02 08 0C 02 00 00 00 41 42 09 09 09 09 00 00";
    ASSERT_EQ(ReadInto(hotels, BytesOf(Header + " " + records)), "");
    EXPECT_EQ(hotels.RawString(0, 1), "\xE9?");
    EXPECT_EQ(hotels.RawString(1, 1), "\x80!");
    EXPECT_EQ(hotels.RawString(2, 1), "AB");
}

// Malformed UTF-8 in a saved name, of either kind (a sequence cut short, bytes that start
// no sequence), costs the name those characters, never the table; the names then round-trip.
TEST_F(TableFile, MalformedUtf8InANameReadsAsQuestionMarks)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    // "Caf" + a cut-short sequence + "e", "A" + overlong NUL + "B", "X" + lone continuation.
    const std::string records =
        "01 01 02 00 08 02 00 08 14 06 00 00 00 43 61 66 E2 82 65 09 09 09 09 00 "
        "01 02 00 08 02 01 08 14 04 00 00 00 41 C0 80 42 09 09 09 09 00 "
        "01 02 00 08 02 02 08 14 02 00 00 00 58 80 09 09 09 09 00 00";
    ASSERT_EQ(ReadInto(hotels, BytesOf(Header + " " + records)), "");
    ASSERT_EQ(hotels.RawRecordCount(), 3u);
    const std::string expected[] = {"Caf?e", "A??B", "X?"};
    for (std::size_t record = 0; record < 3; ++record) {
        EXPECT_EQ(hotels.RawString(record, 1), expected[record]);
    }
    hotels.WriteTableFile(PathOf("again.dht"));
    TvekMemTable again;
    MakeHotelTable(again);
    again.ReadTableFile(PathOf("again.dht"));
    for (std::size_t record = 0; record < 3; ++record) {
        EXPECT_EQ(again.RawString(record, 1), expected[record]);
    }
}

TEST_F(TableFile, FieldDefinitionsReplaceTheFields)
{
    TvekMemTable table;
    MakeHotelTable(table);
    AppendHotel(table, "Dropped", 0);
    // Two definitions: "N" String 5 and "K" AutoInc, with kind and default.
    const std::string defs = "01 06 01 4E 06 06 53 74 72 69 6E 67 02 05 06 00 06 00 02 00 08 08 "
                             "06 04 44 61 74 61 06 02 78 79 "
                             "06 01 4B 06 07 41 75 74 6F 49 6E 63 02 00 06 00 06 00 02 00 09 08 "
                             "06 04 44 61 74 61 06 00 00";
    ASSERT_EQ(
        ReadInto(table, BytesOf("54 50 46 30 03 FB 00 " + defs +
                                " 01 00 01 01 02 00 08 06 07 61 62 63 64 65 66 67 08 02 09 00 00")),
        "");
    ASSERT_EQ(table.FieldCount(), 2);
    EXPECT_EQ(table.Fields(0).FieldName, "N");
    EXPECT_EQ(table.Fields(0).DefaultExpression, "xy");
    EXPECT_EQ(table.Fields(1).DataType(), ftAutoInc);
    EXPECT_TRUE(table.Fields(1).Required);
    ASSERT_EQ(table.RawRecordCount(), 1u);
    EXPECT_EQ(table.RawString(0, 0), "abcde");
    EXPECT_EQ(table.AutoIncCounter(), 9);

    // Writing with sfSaveDef gives the definitions back.
    table.WriteTableFile(PathOf("defs.dht"), {sfSaveData, sfSaveDef});
    TvekMemTable other;
    MakeFloorTable(other);
    other.ReadTableFile(PathOf("defs.dht"));
    ASSERT_EQ(other.FieldCount(), 2);
    EXPECT_EQ(other.Fields(0).Size, 5);
    EXPECT_EQ(other.RawString(0, 0), "abcde");
}

struct TMalformedFile
{
    const char *name;
    std::string hex;
    const char *message;
    std::size_t recordsKept;
};

class TableFileRefuses : public TableFile, public testing::WithParamInterface<TMalformedFile>
{
};

TEST_P(TableFileRefuses, WithTheStoreMessage)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    EXPECT_EQ(ReadInto(hotels, BytesOf(GetParam().hex)), GetParam().message);
    EXPECT_EQ(hotels.RawRecordCount(), GetParam().recordsKept);
    EXPECT_TRUE(hotels.Active());
    EXPECT_EQ(hotels.NotificationSuspendCount(), 0);
}

const char *const FormatError = "Invalid stream format";
const char *const ReadError = "Stream read error";
const char *const ValueError = "Invalid property value";

INSTANTIATE_TEST_SUITE_P(
    Files, TableFileRefuses,
    testing::Values(
        TMalformedFile{"NotASignature", "54 50 46 31 03 FB 00 01 00 01 00 01 00", FormatError, 0},
        TMalformedFile{"ShortSignature", "54 50 46", FormatError, 0},
        TMalformedFile{"TextFile", "48 4F 54 45 4C 0A", FormatError, 0},
        TMalformedFile{"SignatureOnly", "54 50 46 30", ReadError, 0},
        TMalformedFile{"VersionCut", "54 50 46 30 03 FB", ReadError, 0},
        TMalformedFile{"VersionAsText", "54 50 46 30 06 01 41 01 00 01 00 01 00", ValueError, 0},
        TMalformedFile{"NoFieldList", "54 50 46 30 03 FB 00 02 00", ValueError, 0},
        TMalformedFile{"NoRecordList", Header + " 00", ValueError, 0},
        TMalformedFile{"RecordListUnended", Header + " 01 " + SeaViewRecord, ReadError, 1},
        TMalformedFile{"RecordCutInsideName", Header + " 01 01 02 00 08 02 00 08 06 08 53 65",
                       ReadError, 0},
        TMalformedFile{"RecordCutInsideDate",
                       Header + " 01 " + SeaViewRecord + " 01 02 00 09 09 09 09 08 05 00 00",
                       ReadError, 1},
        TMalformedFile{"StatusMissing", Header + " 01 01 08 02 00 00 00", ValueError, 0},
        TMalformedFile{"TextWhereIntegerBelongs",
                       Header + " 01 01 02 00 08 06 01 41 09 09 09 09 09 00 00", ValueError, 0},
        TMalformedFile{"IntegerWhereTextBelongs",
                       Header + " 01 01 02 00 09 08 02 05 09 09 09 09 00 00", ValueError, 0},
        TMalformedFile{"OneGroupTooMany",
                       Header + " 01 01 02 00 09 09 09 09 09 09 09 00 " + SeaViewRecord + " 00",
                       ValueError, 0},
        TMalformedFile{"OneGroupTooFew",
                       Header + " 01 01 02 00 09 09 09 09 09 00 " + SeaViewRecord + " 00",
                       ValueError, 0},
        TMalformedFile{"LongStringPastTheEnd",
                       Header + " 01 01 02 00 08 02 00 08 0C FF FF FF 7F 41", ReadError, 0},
        TMalformedFile{"WideStringPastTheEnd",
                       Header + " 01 01 02 00 08 02 00 08 12 00 00 00 80 41 00", ReadError, 0},
        TMalformedFile{"DateNotANumber",
                       Header + " 01 01 02 00 09 09 09 09 08 05 00 00 00 00 00 00 00 C0 FF 7F 09 "
                                "00 00",
                       ValueError, 0},
        TMalformedFile{"DateBeyondTheYear9999",
                       Header + " 01 01 02 00 09 09 09 09 08 05 00 00 00 00 00 00 00 80 15 40 09 "
                                "00 00",
                       ValueError, 0},
        TMalformedFile{"DateAsText", Header + " 01 01 02 00 09 09 09 09 08 06 00 09 00 00",
                       ValueError, 0},
        TMalformedFile{"IndexDefinitionCut", "54 50 46 30 03 FB 00 01 00 01 06 01 49 06", ReadError,
                       0},
        TMalformedFile{"OlderVersionCut", Header + " 01 01 02 00 09 09 09 09 09 09 02 00 09 09",
                       ReadError, 0},
        TMalformedFile{"Version100RecordOfNoField", "54 50 46 30 01 00 01 02 00 06", ReadError, 0},
        TMalformedFile{"UnknownFieldKind",
                       "54 50 46 30 03 FB 00 01 06 01 4E 06 06 53 74 72 69 6E 67 02 05 06 00 06 00 "
                       "02 00 08 08 06 04 44 61 74 62 06 00 00 01 00 01 00",
                       ValueError, 0}),
    [](const testing::TestParamInfo<TMalformedFile> &info) { return info.param.name; });

TEST_F(TableFile, UnstorableFieldTypeIsNamed)
{
    for (const std::string &type :
         {std::string("Float"), std::string("Blob"), std::string("Nonsense")}) {
        TvekMemTable table;
        MakeHotelTable(table);
        std::string typeHex;
        for (char c : type) {
            typeHex += " " + HexOf(std::string(1, c));
        }
        const std::string defs = "01 06 01 4E 06 " +
                                 HexOf(std::string(1, static_cast<char>(type.size()))) + typeHex +
                                 " 02 00 06 00 06 00 02 00 08 08 06 04 44 61 74 61 06 00 00";
        EXPECT_EQ(ReadInto(table, BytesOf("54 50 46 30 03 FB 00 " + defs + " 01 00 01 00")),
                  "Unknown field type (" + type + ")");
    }
}

} // namespace
