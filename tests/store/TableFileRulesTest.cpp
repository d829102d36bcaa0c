// Rules of the table file that a one-character slip in the reader or writer
// would break without changing any file the game itself writes: the format
// versions from which each part is present, record statuses, the counter
// after a read, the view after a failed read and the cursor after a write.
#include "TableFileTestSupport.h"
#include "model/TableSchemas.h"
#include "store/IntegerField.h"
#include "store/MemTable.h"
#include "store/TableFile.h"
#include "store/TableStreamError.h"

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// tHotel: HOTEL_ID, NAME, MONEY, ID, DATE, TIME.
void MakeHotelTable(TvekMemTable &table)
{
    table.Name = "tHotel";
    DefineGameTableFields(table, "tHotel");
    table.Open();
}

void AppendHotel(TvekMemTable &table, const std::string &name)
{
    table.Append();
    table.FieldNamed("NAME").SetAsString(name);
    table.Post();
}

std::vector<std::string> VisibleNames(TvekMemTable &table)
{
    std::vector<std::string> names;
    for (table.First(); !table.AtEnd(); table.Next()) {
        names.push_back(table.FieldNamed("NAME").AsString());
    }
    return names;
}

// A hotel record "A" with HOTEL_ID 7, MONEY 50000, TIME 10 and no date,
// with null flags (from version 249 on) and without.
const std::string WithNullFlags =
    "01 02 00 08 02 07 08 06 01 41 08 04 50 C3 00 00 08 02 00 09 08 02 0A 00";
const std::string WithoutNullFlags = "01 02 00 02 07 06 01 41 04 50 C3 00 00 02 00 02 00 02 0A 00";

using TableFileRules = TScratchTest;

} // namespace

TEST_F(TableFileRules, NullFlagsArePresentFromVersion249On)
{
    struct Case
    {
        const char *name;
        const char *version; // the integer value after the signature
        std::string record;
        bool reads;
    };
    const Case cases[] = {
        {"248 without flags", "03 F8 00", WithoutNullFlags, true},
        {"248 with flags", "03 F8 00", WithNullFlags, false},
        {"249 with flags", "03 F9 00", WithNullFlags, true},
        {"249 without flags", "03 F9 00", WithoutNullFlags, false},
        {"250 with flags", "03 FA 00", WithNullFlags, true},
        // An older version of the record after its values, with flags as well.
        {"249 with flags and an older version", "03 F9 00",
         WithNullFlags.substr(0, WithNullFlags.size() - 2) +
             "02 01 08 02 08 08 06 01 42 09 08 02 01 09 08 02 0B 00",
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable hotels;
        MakeHotelTable(hotels);
        const std::string file =
            "54 50 46 30 " + std::string(c.version) + " 01 00 01 00 01 " + c.record + " 00";
        const std::string error = ReadInto(hotels, BytesOf(file));
        if (!c.reads) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        ASSERT_EQ(error, "");
        ASSERT_EQ(hotels.RawRecordCount(), 1u);
        EXPECT_EQ(hotels.RawInteger(0, 0), 7);
        EXPECT_EQ(hotels.RawString(0, 1), "A");
        EXPECT_EQ(hotels.RawInteger(0, 2), 50000);
        EXPECT_EQ(hotels.RawInteger(0, 5), 10);
    }
}

TEST_F(TableFileRules, RecordsHaveAStatusFromVersion230On)
{
    // Before version 230 a record is its values alone, and its status is 0;
    // from 230 on it is a list that begins with the status.
    const std::string bareValues = "02 07 06 01 41 04 50 C3 00 00 02 00 02 00 02 0A";
    struct Case
    {
        const char *name;
        std::string file;
        bool reads;
        std::int32_t status;
    };
    const Case cases[] = {
        {"100 has neither version nor index list", "54 50 46 30 01 00 01 " + bareValues + " 00",
         true, 0},
        {"200", "54 50 46 30 03 C8 00 01 00 01 00 01 " + bareValues + " 00", true, 0},
        {"229", "54 50 46 30 03 E5 00 01 00 01 00 01 " + bareValues + " 00", true, 0},
        {"229 with a record list is damaged",
         "54 50 46 30 03 E5 00 01 00 01 00 01 01 02 02 " + bareValues + " 00 00", false, 0},
        {"230 reads the status",
         "54 50 46 30 03 E6 00 01 00 01 00 01 01 02 02 " + bareValues + " 00 00", true, 2},
        {"230 without a record list is damaged",
         "54 50 46 30 03 E6 00 01 00 01 00 01 " + bareValues + " 00", false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable hotels;
        MakeHotelTable(hotels);
        const std::string error = ReadInto(hotels, BytesOf(c.file));
        if (!c.reads) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        ASSERT_EQ(error, "");
        ASSERT_EQ(hotels.RawRecordCount(), 1u);
        EXPECT_EQ(hotels.RawRecordStatus(0), c.status);
        // Written back in the current form, with the status the record has.
        const std::string path = PathOf("out.dht");
        hotels.WriteTableFile(path);
        const std::string status = c.status == 0 ? "00" : "02";
        EXPECT_EQ(HexOf(Contents(path)),
                  HexOf(BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01 01 02 " + status +
                                WithNullFlags.substr(8) + " 00")));
    }
}

// Before version 230 a record is no more than its values: a table without
// fields would find records that take no byte, without end.
TEST_F(TableFileRules, ARecordListForATableWithoutFieldsIsDamaged)
{
    TvekMemTable table;
    table.Name = "tNone";
    EXPECT_EQ(ReadInto(table, BytesOf("54 50 46 30 01 00 01 02 00 00")), "Invalid property value");
    EXPECT_EQ(ReadInto(table, BytesOf("54 50 46 30 01 00 01 00")), "") << "an empty list is fine";
}

TEST_F(TableFileRules, FieldKindIsReadFromVersion250AndDefaultFrom251)
{
    // One definition: "N", String of 5, empty label and mask, width 0, not
    // required, not read-only; then the kind and the default as the version has them.
    const std::string entry = "06 01 4E 06 06 53 74 72 69 6E 67 02 05 06 00 06 00 02 00 08 08";
    const std::string calculated = " 06 0A 43 61 6C 63 75 6C 61 74 65 64";
    const std::string defaultXy = " 06 02 78 79";
    struct Case
    {
        const char *name;
        const char *version;
        std::string rest; // what follows the entry's common part
        bool reads;
        TFieldKind kind;
        const char *defaultExpression;
    };
    const Case cases[] = {
        {"249 has neither", "03 F9 00", "", true, fkData, ""},
        {"249 with a kind is damaged", "03 F9 00", calculated, false, fkData, ""},
        {"250 has the kind", "03 FA 00", calculated, true, fkCalculated, ""},
        {"250 without a kind is damaged", "03 FA 00", "", false, fkData, ""},
        {"251 has both", "03 FB 00", calculated + defaultXy, true, fkCalculated, "xy"},
        {"251 without a default is damaged", "03 FB 00", calculated, false, fkData, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable table;
        MakeHotelTable(table);
        const std::string file = "54 50 46 30 " + std::string(c.version) + " 01 " + entry + c.rest +
                                 " 00 01 00 01 01 02 00 08 06 01 41 00 00";
        const std::string error = ReadInto(table, BytesOf(file));
        if (!c.reads) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        ASSERT_EQ(error, "");
        ASSERT_EQ(table.FieldCount(), 1);
        EXPECT_EQ(table.Fields(0).FieldName, "N");
        EXPECT_EQ(table.Fields(0).Size, 5);
        EXPECT_EQ(table.Fields(0).FieldKind, c.kind);
        EXPECT_EQ(table.Fields(0).DefaultExpression, c.defaultExpression);
        ASSERT_EQ(table.RawRecordCount(), 1u);
        EXPECT_EQ(table.RawString(0, 0), "A");
    }
}

TEST_F(TableFileRules, RecordStatusesAreWrittenAsRead)
{
    // Statuses 0, 1 and 2 are kept and written back as they were; 3 is dropped.
    std::string records;
    for (const char *status : {"00", "01", "02", "03", "02"}) {
        records += " 01 02 " + std::string(status) + " 09 08 06 01 41 09 09 09 09 00";
    }
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    ASSERT_EQ(ReadInto(hotels, BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01" + records + " 00")),
              "");
    ASSERT_EQ(hotels.RawRecordCount(), 5u);
    EXPECT_EQ(hotels.RawRecordStatus(1), 1);
    EXPECT_EQ(hotels.RawRecordStatus(2), 2);
    const std::string path = PathOf("out.dht");
    hotels.WriteTableFile(path);
    std::string expected;
    for (const char *status : {"00", "01", "02", "02"}) {
        expected += " 01 02 " + std::string(status) + " 09 08 06 01 41 09 09 09 09 00";
    }
    EXPECT_EQ(HexOf(Contents(path)),
              HexOf(BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01" + expected + " 00")));
}

TEST_F(TableFileRules, ReadStartsTheCounterAgainFromTheFilesValues)
{
    // The table has handed out 0 to 4; the file holds hotels 0 and 1 only.
    TvekMemTable source;
    MakeHotelTable(source);
    AppendHotel(source, "A");
    AppendHotel(source, "B");
    const std::string path = PathOf("two.dht");
    source.WriteTableFile(path);

    TvekMemTable hotels;
    MakeHotelTable(hotels);
    for (const char *name : {"1", "2", "3", "4", "5"}) {
        AppendHotel(hotels, name);
    }
    ASSERT_EQ(hotels.AutoIncCounter(), 4);
    hotels.ReadTableFile(path);
    EXPECT_EQ(hotels.AutoIncCounter(), 1) << "the counter is the file's largest value";
    AppendHotel(hotels, "Next");
    EXPECT_EQ(hotels.FieldNamed("HOTEL_ID").AsInteger(), 2);
}

TEST_F(TableFileRules, FailedReadLeavesTheRecordsReadBeforeItInView)
{
    struct Case
    {
        const char *name;
        std::string tail; // after two whole records
    };
    const Case cases[] = {
        {"cut inside the third record", " 01 02 00 08 02 03 08 06"},
        {"a text where an integer belongs", " 01 02 00 08 06 01 41"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable hotels;
        MakeHotelTable(hotels);
        const std::string two = " 01 02 00 08 02 01 08 06 01 41 09 09 09 09 00"
                                " 01 02 00 08 02 02 08 06 01 42 09 09 09 09 00";
        EXPECT_NE(ReadInto(hotels, BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01" + two + c.tail)),
                  "");
        EXPECT_TRUE(hotels.Active());
        EXPECT_EQ(hotels.NotificationSuspendCount(), 0);
        EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), "A") << "the first record is current";
        EXPECT_EQ(VisibleNames(hotels), (std::vector<std::string>{"A", "B"}));
    }
}

TEST_F(TableFileRules, WriteLeavesTheCursorOnTheFirstVisibleRecord)
{
    struct Case
    {
        const char *name;
        bool filtered;
        TvekMemTableSaveFlags flags;
        const char *current;
    };
    const Case cases[] = {
        {"unfiltered", false, {sfSaveData}, "A"},
        {"filtered", true, {sfSaveData}, "B"},
        {"filtered, written whole", true, {sfSaveData, sfSaveFiltered}, "B"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable hotels;
        MakeHotelTable(hotels);
        for (const char *name : {"A", "B", "C", "D"}) {
            AppendHotel(hotels, name);
        }
        // The filter hides A alone.
        hotels.First();
        hotels.Edit();
        hotels.FieldNamed("TIME").SetAsInteger(5);
        hotels.Post();
        hotels.SetFilter("TIME = 10");
        hotels.SetFiltered(c.filtered);
        hotels.First();
        hotels.Next();
        hotels.Next(); // on C, or on D when filtered
        hotels.WriteTableFile(PathOf("out.dht"), c.flags);
        EXPECT_EQ(hotels.Filtered(), c.filtered);
        EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), c.current);
    }
}

TEST_F(TableFileRules, EveryRecordIsWrittenWithoutTouchingTheTable)
{
    // A, B and C, the filter showing B alone, a deleted record after them and
    // a change to B still being edited.
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    for (const char *name : {"A", "B", "C"}) {
        AppendHotel(hotels, name);
    }
    hotels.RawAppendRecord(std::vector<TFieldValue>{7, std::string("X"), 1, 0, std::monostate{}, 0},
                           3);
    hotels.SetFilter("HOTEL_ID = 1");
    hotels.SetFiltered(true);
    hotels.Edit();
    hotels.FieldNamed("NAME").SetAsString("Changed");
    int notices = 0;
    TDataSource source(&hotels);
    source.OnDataChange = [&](TDataSource &, TField *) { ++notices; };

    const std::string bytes = TTableFile::WriteEveryRecord(hotels, {sfSaveData});
    auto record = [](const char *id, const char *name) {
        return " 01 02 00 08 02 " + std::string(id) + " 08 06 01 " + name +
               " 08 04 50 C3 00 00 08 02 00 09 08 02 0A 00";
    };
    EXPECT_EQ(HexOf(bytes),
              HexOf(BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01" + record("00", "41") +
                            record("01", "42") + record("02", "43") + " 00")));
    EXPECT_EQ(notices, 0);
    EXPECT_EQ(hotels.State(), tsEdit);
    EXPECT_TRUE(hotels.Filtered());
    EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), "Changed");
    hotels.Cancel();
    EXPECT_EQ(hotels.FieldNamed("NAME").AsString(), "B");
}

TEST_F(TableFileRules, ADirectoryIsNoFileToRead)
{
    TvekMemTable hotels;
    MakeHotelTable(hotels);
    AppendHotel(hotels, "Kept");
    const std::string directory = PathOf("tHotel.dht");
    std::filesystem::create_directory(directory);
    try {
        hotels.ReadTableFile(directory);
        FAIL() << "a directory was read";
    } catch (const EFOpenError &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + directory);
    }
    EXPECT_EQ(VisibleNames(hotels), std::vector<std::string>{"Kept"});
}

// A program started without standard input gets descriptor 0 for the first
// file it opens; that is a file like any other.
TEST_F(TableFileRules, AFileOpenedAsDescriptorZeroIsRead)
{
    TvekMemTable source;
    MakeHotelTable(source);
    AppendHotel(source, "Sea View");
    const std::string path = PathOf("tHotel.dht");
    source.WriteTableFile(path);

    TvekMemTable hotels;
    MakeHotelTable(hotels);
    // Descriptor 0 is made free for the read and given back after it.
    const int standardInput = ::dup(0);
    ::close(0);
    std::string error;
    try {
        hotels.ReadTableFile(path);
    } catch (const std::exception &e) {
        error = e.what();
    }
    if (standardInput >= 0) {
        ::dup2(standardInput, 0);
        ::close(standardInput);
    }
    EXPECT_EQ(error, "");
    EXPECT_EQ(VisibleNames(hotels), std::vector<std::string>{"Sea View"});
}

TEST_F(TableFileRules, FieldDefinitionsKeepEveryPropertyWrittenAndRead)
{
    TvekMemTable source;
    MakeHotelTable(source);
    TField &name = source.FieldNamed("NAME");
    name.DisplayLabel = "Hotel name";
    name.EditMask = ">L";
    name.DisplayWidth = 30;
    name.Required = true;
    TField &time = source.FieldNamed("TIME");
    time.ReadOnly = true;
    time.DisplayWidth = 2;
    AppendHotel(source, "Sea View");
    const std::string path = PathOf("defs.dht");
    source.WriteTableFile(path, {sfSaveData, sfSaveDef, sfSaveFieldKind});

    TvekMemTable copy;
    copy.Name = "copy";
    copy.ReadTableFile(path);
    ASSERT_EQ(copy.FieldCount(), source.FieldCount());
    for (int i = 0; i < source.FieldCount(); ++i) {
        const TField &wanted = source.Fields(i);
        const TField &got = copy.Fields(i);
        SCOPED_TRACE(wanted.FieldName);
        EXPECT_EQ(got.FieldName, wanted.FieldName);
        EXPECT_EQ(got.DataType(), wanted.DataType());
        EXPECT_EQ(got.Size, wanted.Size);
        EXPECT_EQ(got.DisplayLabel, wanted.DisplayLabel);
        EXPECT_EQ(got.EditMask, wanted.EditMask);
        EXPECT_EQ(got.DisplayWidth, wanted.DisplayWidth);
        EXPECT_EQ(got.Required, wanted.Required);
        EXPECT_EQ(got.ReadOnly, wanted.ReadOnly);
        EXPECT_EQ(got.FieldKind, fkData);
        EXPECT_EQ(got.DefaultExpression, wanted.DefaultExpression);
    }
    EXPECT_EQ(copy.Fields(5).DefaultExpression, "10") << "TIME starts at 10:00";
    ASSERT_EQ(copy.RawRecordCount(), 1u);
    EXPECT_EQ(copy.RawString(0, 1), "Sea View");
    EXPECT_EQ(copy.RawInteger(0, 5), 10);
}

// Integer fields D (data), H (data, hidden), C (calculated), I (internal
// calculation), L (lookup) and G (aggregate), holding 1 to 6 in one record.
void MakeTableOfEveryKind(TvekMemTable &table)
{
    table.Name = "tKinds";
    const std::pair<const char *, TFieldKind> fields[] = {
        {"D", fkData},         {"H", fkData},   {"C", fkCalculated},
        {"I", fkInternalCalc}, {"L", fkLookup}, {"G", fkAggregate}};
    for (const auto &[name, kind] : fields) {
        table.AddField<TIntegerField>(name).FieldKind = kind;
    }
    table.FieldNamed("H").Visible = false;
    table.Open();
    table.RawAppendRecord(std::vector<TFieldValue>{1, 2, 3, 4, 5, 6});
}

TEST_F(TableFileRules, SaveFlagsChooseTheFieldsWritten)
{
    struct Case
    {
        const char *name;
        TvekMemTableSaveFlags flags;
        const char *groups; // the record's value groups
    };
    const Case cases[] = {
        {"data", {sfSaveData}, "08 02 01"},
        {"data, hidden ones too", {sfSaveData, sfSaveNonVisible}, "08 02 01 08 02 02"},
        {"hidden ones alone", {sfSaveNonVisible}, ""},
        {"calculated", {sfSaveCalculated}, "08 02 03 08 02 04"},
        {"lookup", {sfSaveLookup}, "08 02 05"},
        {"none", {}, ""},
        {"every kind but an aggregate",
         {sfSaveData, sfSaveCalculated, sfSaveLookup, sfSaveNonVisible, sfSaveBlobs},
         "08 02 01 08 02 02 08 02 03 08 02 04 08 02 05"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable table;
        MakeTableOfEveryKind(table);
        EXPECT_EQ(HexOf(TTableFile::Write(table, c.flags)),
                  HexOf(BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01 01 02 00 " +
                                std::string(c.groups) + " 00 00")));
    }
}

TEST_F(TableFileRules, KindNamesAreWrittenOnlyWhenAskedFor)
{
    struct Case
    {
        const char *name;
        TvekMemTableSaveFlags flags;
        std::vector<TFieldKind> kinds; // of C, I and L read back
    };
    const Case cases[] = {
        {"without kind names every field is data",
         {sfSaveCalculated, sfSaveLookup, sfSaveDef},
         {fkData, fkData, fkData}},
        {"with kind names",
         {sfSaveCalculated, sfSaveLookup, sfSaveDef, sfSaveFieldKind},
         {fkCalculated, fkInternalCalc, fkLookup}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable table;
        MakeTableOfEveryKind(table);
        TvekMemTable copy;
        copy.Name = "copy";
        ASSERT_EQ(ReadInto(copy, TTableFile::Write(table, c.flags)), "");
        ASSERT_EQ(copy.FieldCount(), 3);
        std::vector<TFieldKind> kinds;
        for (int field = 0; field < 3; ++field) {
            kinds.push_back(copy.Fields(field).FieldKind);
        }
        EXPECT_EQ(kinds, c.kinds);
        EXPECT_EQ(copy.Fields(0).FieldName, "C");
        EXPECT_EQ(copy.Fields(2).FieldName, "L");
        ASSERT_EQ(copy.RawRecordCount(), 1u);
        EXPECT_EQ(copy.RawInteger(0, 1), 4);
    }
}

TEST_F(TableFileRules, AListOfDefinitionsThatFailsPartWayLeavesTheFieldsItMadeOpen)
{
    // "N", a String of 5; a field of a type the store cannot keep.
    const std::string stringN = "06 01 4E 06 06 53 74 72 69 6E 67 02 05 06 00 06 00 02 00 08 08 "
                                "06 04 44 61 74 61 06 00 ";
    const std::string blobB = "06 01 42 06 04 42 6C 6F 62 02 00 06 00 06 00 02 00 08 08 "
                              "06 04 44 61 74 61 06 00 ";
    struct Case
    {
        const char *name;
        std::string definitions;
        int fields;
        bool open; // a table without fields cannot be opened, and is not tried
    };
    const Case cases[] = {
        {"at the second definition", stringN + blobB, 1, true},
        {"at the first definition", blobB + stringN, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable table;
        MakeHotelTable(table);
        int opens = 0;
        table.BeforeOpen = [&](TDataSet &) { ++opens; };
        EXPECT_EQ(
            ReadInto(table, BytesOf("54 50 46 30 03 FB 00 01 " + c.definitions + "00 01 00 01 00")),
            "Unknown field type (Blob)");
        ASSERT_EQ(table.FieldCount(), c.fields);
        if (c.fields > 0) {
            EXPECT_EQ(table.Fields(0).FieldName, "N");
        }
        EXPECT_EQ(table.Active(), c.open);
        EXPECT_EQ(opens, c.open ? 1 : 0);
        EXPECT_EQ(table.NotificationSuspendCount(), 0);
    }
}

// A caller that holds notices back around a read or a write still holds them
// afterwards: the file's own pause ends, the caller's does not.
TEST_F(TableFileRules, NoticesHeldBackByTheCallerStayHeld)
{
    struct Case
    {
        const char *name;
        bool write;
    };
    for (const Case &c : {Case{"read", false}, Case{"write", true}}) {
        SCOPED_TRACE(c.name);
        TvekMemTable hotels;
        MakeHotelTable(hotels);
        AppendHotel(hotels, "A");
        const std::string path = PathOf("tHotel.dht");
        hotels.WriteTableFile(path);
        int notices = 0;
        TDataSource source(&hotels);
        source.OnDataChange = [&](TDataSource &, TField *) { ++notices; };
        hotels.SuspendNotifications();
        if (c.write) {
            hotels.WriteTableFile(path);
        } else {
            hotels.ReadTableFile(path);
        }
        EXPECT_EQ(hotels.NotificationSuspendCount(), 1);
        EXPECT_EQ(notices, 0);
        hotels.ResumeNotifications();
        EXPECT_EQ(notices, 1) << "one notice when the caller lets them go";
    }
}

TEST_F(TableFileRules, TheReaderNeverLooksPastTheBytesItWasGiven)
{
    // Two integer fields: the longest record is list, status and two int32
    // groups, end: 1 + 5 + 6 + 6 + 1 = 19 bytes. The bytes given end just
    // before the third such record's last byte; the memory after them holds
    // the bytes that would complete it.
    TvekMemTable table;
    table.Name = "tPair";
    table.AddField<TIntegerField>("A");
    table.AddField<TIntegerField>("B");
    table.Open();
    auto record = [](const char *a, const char *b) {
        return std::string(" 01 04 00 00 00 00 08 04 ") + a + " 00 00 00 08 04 " + b +
               " 00 00 00 00";
    };
    const std::string whole = BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01" + record("01", "02") +
                                      record("03", "04") + record("05", "06") + " 00");
    const std::string_view given(whole.data(), whole.size() - 2);
    EXPECT_THROW(TTableFile::Read(table, given), EReadError);
    ASSERT_EQ(table.RawRecordCount(), 2u) << "the two whole records stay";
    EXPECT_EQ(table.RawInteger(1, 0), 3);
    EXPECT_EQ(table.RawInteger(1, 1), 4);
}
