// The saved hotels as one set: a damaged set is moved aside whole, the newest
// clean backup comes back, and play after it never touches an old hotel.
#include "ModelFixture.h"
#include "model/HotelSaves.h"
#include "model/TableSchemas.h"
#include "store/SaveSet.h"

#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string FileBytes(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string &fileName, const std::string &bytes)
{
    std::ofstream(fileName, std::ios::binary) << bytes;
}

enum class Damage
{
    Missing,
    ZeroBytes,
    Truncated,
    WrongFields, // a sound table file of another table
    NoHotel,     // a sound tHotel file without records
};

struct DamageCase
{
    const char *name;
    std::map<std::string, Damage> files;
};

const std::vector<std::string> SetFiles{"tHotel.dht", "tFloor.dht", "tRoom.dht"};

class DamagedSaveSetTest : public ModelTest, public ::testing::WithParamInterface<DamageCase>
{
protected:
    // Two runs: "Alpha" with a floor and a room and "Beta" with a floor, saved;
    // then Alpha buys a second floor, saved over it, so that the backup holds
    // the first run's set and the files the second's.
    void PlayTwoRuns()
    {
        const int alpha = OpenNewHotel("Alpha");
        data->BuildFloor();
        data->BuildRoom(1, 0);
        data->CloseHotel();
        OpenNewHotel("Beta");
        data->BuildFloor();
        data->CloseHotel();
        data.reset();
        for (const std::string &file : SetFiles)
            firstRun[file] = FileBytes(dir.Path + file);
        StartModel();
        data->SelectHotel(alpha);
        data->StartClock();
        data->BuildFloor();
        data->CloseHotel();
        data.reset();
    }

    void Apply(const std::string &file, Damage damage)
    {
        const std::string path = dir.Path + file;
        const std::string sound = FileBytes(path);
        switch (damage) {
        case Damage::Missing:
            fs::remove(path);
            return;
        case Damage::ZeroBytes:
            WriteBytes(path, "");
            break;
        case Damage::Truncated:
            WriteBytes(path, sound.substr(0, sound.size() / 2));
            break;
        case Damage::WrongFields:
            WriteBytes(path, FileBytes(dir.Path + "tRooms.dht"));
            break;
        case Damage::NoHotel:
            WriteBytes(path, std::string("TPF0\x03\xFB\x00\x01\x00\x01\x00\x01\x00", 13));
            break;
        }
        damagedBytes[file] = FileBytes(path);
    }

    std::string DamagedFolder() const
    {
        std::vector<std::string> found;
        for (const auto &entry : fs::directory_iterator(dir.Path))
            if (entry.path().filename().string().rfind("damaged-", 0) == 0)
                found.push_back(entry.path().string() + "/");
        EXPECT_EQ(found.size(), 1u) << "one folder for one damaged set";
        return found.empty() ? std::string() : found.front();
    }

    std::map<std::string, std::string> firstRun;
    std::map<std::string, std::string> damagedBytes;
};

TEST_P(DamagedSaveSetTest, IsMovedAsideWholeAndPlayAfterItTouchesNoOldHotel)
{
    for (const bool withBackup : {true, false}) {
        SCOPED_TRACE(withBackup ? "with a backup" : "without a backup");
        data.reset();
        fs::remove_all(dir.Path);
        fs::create_directories(dir.Path);
        WriteCatalogFile(TestCatalog(), dir.Path + "tRooms.dht");
        StartModel();
        PlayTwoRuns();
        if (!withBackup)
            fs::remove_all(dir.Path + "backup");
        std::map<std::string, std::string> found;
        for (const std::string &file : SetFiles)
            found[file] = FileBytes(dir.Path + file);
        damagedBytes.clear();
        for (const auto &[file, damage] : GetParam().files)
            Apply(file, damage);

        StartModel();

        // One report naming every damaged file, where the set went and what came back.
        std::set<std::string> reported;
        for (const TTableFileError &error : data->SaveSetCheck().Damaged)
            reported.insert(fs::path(error.FileName).filename().string());
        std::set<std::string> damaged;
        for (const auto &[file, damage] : GetParam().files)
            damaged.insert(file);
        EXPECT_EQ(reported, damaged);
        const std::string text = data->LoadErrorText();
        for (const std::string &file : damaged)
            EXPECT_NE(text.find(file + ": "), std::string::npos) << text;
        const std::string folder = DamagedFolder();
        EXPECT_NE(text.find(folder), std::string::npos) << text;
        EXPECT_NE(text.find(withBackup ? "restored from the backup" : "starts with no hotels"),
                  std::string::npos)
            << text;
        EXPECT_EQ(text.find("could not be written yet"), std::string::npos) << text;
        // The whole set as found, byte for byte, damaged files and sound ones alike.
        for (const std::string &file : SetFiles) {
            const bool missing =
                GetParam().files.count(file) && GetParam().files.at(file) == Damage::Missing;
            EXPECT_EQ(fs::exists(folder + file), !missing) << file;
            if (!missing) {
                EXPECT_EQ(FileBytes(folder + file),
                          damagedBytes.count(file) ? damagedBytes[file] : found[file])
                    << file;
            }
        }
        // The first run's set, or nothing.
        EXPECT_EQ(data->tHotel.RawRecordCount(), withBackup ? 2u : 0u);
        EXPECT_EQ(data->tFloor.RawRecordCount(), withBackup ? 2u : 0u);
        EXPECT_EQ(data->tRoom.RawRecordCount(), withBackup ? 1u : 0u);
        const std::vector<std::string> oldHotels =
            withBackup ? RecordsOf(dir.Path + "tHotel.dht", "tHotel") : std::vector<std::string>{};
        const std::vector<std::string> oldFloors =
            withBackup ? RecordsOf(dir.Path + "tFloor.dht", "tFloor") : std::vector<std::string>{};
        if (withBackup) {
            for (const std::string &file : SetFiles)
                EXPECT_EQ(FileBytes(dir.Path + file), firstRun[file]) << file;
        }

        // New, Load, buy a floor, Main menu, quit.
        data->NewHotel("Gamma");
        const int gamma = Get(data->tHotel, "HOTEL_ID");
        data->SelectHotel(gamma);
        data->StartClock();
        data->BuildFloor();
        data->CloseHotel();
        data->DataModuleDestroy();
        EXPECT_TRUE(data->SaveErrors().empty());

        for (const auto &[file, bytes] : damagedBytes)
            EXPECT_EQ(FileBytes(folder + file), bytes) << "still kept: " << file;
        const auto hotels = RecordsOf(dir.Path + "tHotel.dht", "tHotel");
        ASSERT_EQ(hotels.size(), oldHotels.size() + 1);
        EXPECT_TRUE(std::equal(oldHotels.begin(), oldHotels.end(), hotels.begin()))
            << "an old hotel's record changed";
        const auto floors = RecordsOf(dir.Path + "tFloor.dht", "tFloor");
        EXPECT_TRUE(std::equal(oldFloors.begin(), oldFloors.end(), floors.begin()))
            << "an old floor's record changed";

        // Every floor and room belongs to a hotel, and no two records of one
        // hotel share an ID.
        StartModel();
        EXPECT_TRUE(data->SaveSetCheck().Damaged.empty()) << data->LoadErrorText();
        std::set<int> hotelIds;
        for (data->tHotel.First(); !data->tHotel.AtEnd(); data->tHotel.Next())
            hotelIds.insert(Get(data->tHotel, "HOTEL_ID"));
        EXPECT_EQ(hotelIds.size(), data->tHotel.RawRecordCount());
        std::set<std::pair<int, int>> ids;
        std::size_t records = 0;
        for (TvekMemTable *table : {&data->tFloor, &data->tRoom}) {
            for (table->First(); !table->AtEnd(); table->Next()) {
                ++records;
                EXPECT_TRUE(hotelIds.count(Get(*table, "HOTEL_ID"))) << table->Name;
                ids.insert({Get(*table, "HOTEL_ID"), Get(*table, "ID")});
            }
        }
        EXPECT_EQ(ids.size(), records) << "two records of one hotel share an ID";
        EXPECT_EQ(records, withBackup ? 4u : 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Start, DamagedSaveSetTest,
    ::testing::Values(DamageCase{"HotelsMissing", {{"tHotel.dht", Damage::Missing}}},
                      DamageCase{"HotelsZeroBytes", {{"tHotel.dht", Damage::ZeroBytes}}},
                      DamageCase{"HotelsTruncated", {{"tHotel.dht", Damage::Truncated}}},
                      DamageCase{"HotelsOfWrongFields", {{"tHotel.dht", Damage::WrongFields}}},
                      DamageCase{"HotelsWithoutAHotel", {{"tHotel.dht", Damage::NoHotel}}},
                      DamageCase{"FloorsMissing", {{"tFloor.dht", Damage::Missing}}},
                      DamageCase{"FloorsZeroBytes", {{"tFloor.dht", Damage::ZeroBytes}}},
                      DamageCase{"FloorsTruncated", {{"tFloor.dht", Damage::Truncated}}},
                      DamageCase{"FloorsOfWrongFields", {{"tFloor.dht", Damage::WrongFields}}},
                      DamageCase{"RoomsMissing", {{"tRoom.dht", Damage::Missing}}},
                      DamageCase{"RoomsZeroBytes", {{"tRoom.dht", Damage::ZeroBytes}}},
                      DamageCase{"RoomsTruncated", {{"tRoom.dht", Damage::Truncated}}},
                      DamageCase{"RoomsOfWrongFields", {{"tRoom.dht", Damage::WrongFields}}},
                      DamageCase{"HotelsAndRoomsMissing",
                                 {{"tHotel.dht", Damage::Missing}, {"tRoom.dht", Damage::Missing}}},
                      DamageCase{"AllThreeZeroBytes",
                                 {{"tHotel.dht", Damage::ZeroBytes},
                                  {"tFloor.dht", Damage::ZeroBytes},
                                  {"tRoom.dht", Damage::ZeroBytes}}},
                      DamageCase{"AllThreeTruncated",
                                 {{"tHotel.dht", Damage::Truncated},
                                  {"tFloor.dht", Damage::Truncated},
                                  {"tRoom.dht", Damage::Truncated}}},
                      DamageCase{
                          "FloorsWrongRoomsZero",
                          {{"tFloor.dht", Damage::WrongFields}, {"tRoom.dht", Damage::ZeroBytes}}}),
    [](const auto &info) { return std::string(info.param.name); });

using SaveSetStartTest = ModelTest;

// None of the three files is a first start; tables of a sound set without
// records are sound too.
TEST_F(SaveSetStartTest, FirstStartAndEmptySoundSetsAreNotDamaged)
{
    EXPECT_TRUE(data->SaveSetCheck().Damaged.empty());
    data.reset(); // writes three empty tables
    StartModel();
    EXPECT_TRUE(data->SaveSetCheck().Damaged.empty()) << data->LoadErrorText();
    EXPECT_EQ(data->LoadErrorText(), "");
    for (const auto &entry : fs::directory_iterator(dir.Path))
        EXPECT_NE(entry.path().filename().string().rfind("damaged-", 0), 0u);
}

// The newest backup that is damaged itself is passed over for an older one.
TEST_F(SaveSetStartTest, ADamagedBackupIsPassedOverForAnOlderCleanOne)
{
    data->NewHotel("One");
    data.reset(); // the set of one hotel
    StartModel();
    data->NewHotel("Two");
    data.reset(); // backup: one hotel
    StartModel();
    data->NewHotel("Three");
    data.reset(); // backups: one hotel, two hotels
    TSaveSet set(dir.Path, SetFiles);
    const auto backups = set.Backups();
    ASSERT_EQ(backups.size(), 2u);
    WriteBytes(backups[0] + "tRoom.dht", "TPF0"); // the two-hotel backup
    WriteBytes(dir.Path + "tHotel.dht", "damaged");
    StartModel();
    EXPECT_EQ(data->SaveSetCheck().RestoredFrom, backups[1]);
    EXPECT_EQ(data->tHotel.RawRecordCount(), 1u);
    // The restored set is what is on disk now: an autosave without play adds no generation.
    const std::size_t generations = set.Backups().size();
    data->AutoSave();
    EXPECT_EQ(set.Backups().size(), generations);
}

// A set that cannot be moved aside is neither played nor written over.
TEST_F(SaveSetStartTest, ADamagedSetThatCannotBeMovedStaysAndIsNotSaved)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "a read-only folder does not stop root";
    data->NewHotel("Kept");
    data.reset();
    WriteBytes(dir.Path + "tFloor.dht", "damaged");
    fs::permissions(dir.Path, fs::perms::owner_write, fs::perm_options::remove);
    StartModel();
    fs::permissions(dir.Path, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(data->SaveSetCheck().MoveProblem.empty());
    EXPECT_NE(data->LoadErrorText().find("does not save hotels"), std::string::npos);
    const std::string hotels = FileBytes(dir.Path + "tHotel.dht");
    data->NewHotel("New");
    data.reset();
    EXPECT_EQ(FileBytes(dir.Path + "tHotel.dht"), hotels);
    EXPECT_EQ(FileBytes(dir.Path + "tFloor.dht"), "damaged");
}

// The autosave writes what the exit save writes, and nothing when nothing changed.
TEST_F(SaveSetStartTest, AutoSaveWritesWhatTheExitSaveWritesWithoutMovingTheCursor)
{
    data->NewHotel("Other");
    const int hotel = OpenNewHotel("Open");
    data->BuildFloor();
    data->BuildFloor();
    data->BuildRoom(1, 3);
    data->SelectFloor(0);
    const int floorRecord = Get(data->tFloor, "ID");
    const int roomRecord = Get(data->tRoom, "ID");
    data->AutoSave();
    EXPECT_TRUE(data->SaveErrors().empty());
    EXPECT_EQ(Get(data->tFloor, "ID"), floorRecord) << "the cursor moved";
    EXPECT_EQ(Get(data->tRoom, "ID"), roomRecord);
    EXPECT_TRUE(data->tFloor.Filtered());
    std::map<std::string, std::string> autosaved;
    for (const std::string &file : SetFiles)
        autosaved[file] = FileBytes(dir.Path + file);
    const std::size_t backups = TSaveSet(dir.Path, SetFiles).Backups().size();
    data->AutoSave(); // nothing changed: no new generation
    EXPECT_EQ(TSaveSet(dir.Path, SetFiles).Backups().size(), backups);
    data->SaveTables();
    for (const std::string &file : SetFiles)
        EXPECT_EQ(FileBytes(dir.Path + file), autosaved[file]) << file;
    EXPECT_EQ(RecordsOf(dir.Path + "tHotel.dht", "tHotel").size(), 2u);
    EXPECT_EQ(data->HotelID, hotel);
}

// A table file of the right table that lacks a field the rules read, or holds it with another
// type, is damaged; so are floors or rooms left without any hotel.
TEST_F(SaveSetStartTest, ATableWithoutTheGamesFieldsOrOrphanedRecordsIsDamaged)
{
    struct Case
    {
        const char *name;
        std::function<void(const std::string &folder)> damage;
        const char *file;
        const char *problem;
    };
    auto writeTable = [](const std::string &fileName, const std::string &table,
                         const std::function<void(TvekMemTable &)> &define) {
        TvekMemTable written(table);
        define(written);
        written.Open();
        // With its field list, as a file from another program or version would be.
        written.WriteTableFile(fileName, {sfSaveData, sfSaveDef});
    };
    auto emptyGameTable = [&writeTable](const std::string &folder, const std::string &table) {
        writeTable(folder + table + ".dht", table,
                   [&table](TvekMemTable &t) { DefineGameTableFields(t, table); });
    };
    const Case cases[] = {
        {"floors without the levels",
         [&writeTable](const std::string &folder) {
             writeTable(folder + "tFloor.dht", "tFloor", [](TvekMemTable &t) {
                 t.AddField<TIntegerField>("ID");
                 t.AddField<TIntegerField>("HOTEL_ID");
                 t.AddField<TIntegerField>("FLOOR_ID");
             });
         },
         "tFloor.dht", "The table has no field DIRTY."},
        {"rooms whose ID is text",
         [&writeTable](const std::string &folder) {
             writeTable(folder + "tRoom.dht", "tRoom",
                        [](TvekMemTable &t) { t.AddField<TStringField>("ID", 10); });
         },
         "tRoom.dht", "The table has no valid field ID."},
        {"a floor without a hotel",
         [&emptyGameTable](const std::string &folder) {
             emptyGameTable(folder, "tHotel");
             emptyGameTable(folder, "tRoom");
         },
         "tHotel.dht", "It holds no hotel"},
        {"a room without a hotel",
         [&emptyGameTable](const std::string &folder) {
             emptyGameTable(folder, "tHotel");
             emptyGameTable(folder, "tFloor");
         },
         "tHotel.dht", "It holds no hotel"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        data.reset();
        fs::remove_all(dir.Path);
        fs::create_directories(dir.Path);
        WriteCatalogFile(TestCatalog(), dir.Path + "tRooms.dht");
        StartModel();
        OpenNewHotel("One floor, one room");
        data->BuildFloor();
        data->BuildRoom(1, 0);
        data->CloseHotel();
        data.reset();
        c.damage(dir.Path);
        StartModel();
        const auto &damaged = data->SaveSetCheck().Damaged;
        ASSERT_EQ(damaged.size(), 1u) << data->LoadErrorText();
        EXPECT_EQ(fs::path(damaged[0].FileName).filename(), c.file);
        EXPECT_NE(damaged[0].Message.find(c.problem), std::string::npos) << damaged[0].Message;
        EXPECT_EQ(data->tFloor.RawRecordCount(), 0u) << "a damaged set is not played";
    }
}

// A planted note of renames is reported at start and followed in nothing; the hotels play on.
TEST_F(SaveSetStartTest, APlantedNoteOfRenamesIsReportedAndNothingIsRenamed)
{
    data->NewHotel("Kept");
    data.reset();
    const std::string victim = dir.Path + "../tamsel-victim-" + std::to_string(::getpid());
    WriteBytes(victim, "the player's settings");
    const std::string note = dir.Path + TSaveSet::CommitNote;
    WriteBytes(note, dir.Path + "tHotel.dht\t" + victim + "\n");
    StartModel();
    EXPECT_EQ(data->LoadErrorText().rfind("The note of an unfinished save", 0), 0u)
        << data->LoadErrorText();
    EXPECT_EQ(FileBytes(victim), "the player's settings");
    fs::remove(victim);
    EXPECT_TRUE(fs::exists(note));
    EXPECT_EQ(data->tHotel.RawRecordCount(), 1u);
}

// A save posts a record still being entered, so what is on screen is what is saved.
TEST_F(SaveSetStartTest, ARecordStillBeingEnteredIsSaved)
{
    data->tHotel.Append();
    data->tHotel.FieldNamed("NAME").SetAsString("Entered");
    data->AutoSave();
    EXPECT_TRUE(data->SaveErrors().empty());
    const auto hotels = RecordsOf(dir.Path + "tHotel.dht", "tHotel");
    ASSERT_EQ(hotels.size(), 1u);
    EXPECT_NE(hotels[0].find("|Entered|"), std::string::npos) << hotels[0];
}

} // namespace

namespace {

std::vector<std::string> HotelNames(TvekMemTable &tHotel)
{
    std::vector<std::string> names;
    for (tHotel.First(); !tHotel.AtEnd(); tHotel.Next())
        names.push_back(tHotel.FieldNamed("NAME").AsString());
    return names;
}

std::vector<std::string> HotelNames(const TBackupSummary &backup)
{
    std::vector<std::string> names;
    for (const auto &hotel : backup.Hotels)
        names.push_back(hotel.Name);
    return names;
}

} // namespace

// Restore lists each backup with its hotels, puts the chosen one in place, and keeps the hotels
// in play (saved or not) as the newest backup, so a restore can itself be undone.
TEST_F(SaveSetStartTest, RestoreBringsABackupBackAndKeepsWhatWasInPlay)
{
    data->NewHotel("Early");
    data->SaveTables();
    data->NewHotel("Later");
    data->SaveTables(); // backup: Early
    data->NewHotel("Unsaved");

    const auto before = data->BackupSummaries();
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(HotelNames(before[0]), (std::vector<std::string>{"Early"}));
    EXPECT_EQ(before[0].Hotels[0].Money, 50000);
    EXPECT_FALSE(before[0].Hotels[0].Date.empty());
    EXPECT_EQ(before[0].Problem, "");

    data->RestoreBackup(before[0].Folder);
    EXPECT_EQ(HotelNames(data->tHotel), (std::vector<std::string>{"Early"}));
    // Saving what was in play kept Early and Later; the restore then kept all three.
    const auto after = data->BackupSummaries();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(HotelNames(after[0]), (std::vector<std::string>{"Early", "Later", "Unsaved"}));
    EXPECT_EQ(HotelNames(after[1]), (std::vector<std::string>{"Early", "Later"}));
    EXPECT_EQ(HotelNames(after[2]), (std::vector<std::string>{"Early"}));

    // And back again: nothing was lost.
    data->RestoreBackup(after[0].Folder);
    EXPECT_EQ(HotelNames(data->tHotel), (std::vector<std::string>{"Early", "Later", "Unsaved"}));
    StartModel();
    EXPECT_EQ(HotelNames(data->tHotel), (std::vector<std::string>{"Early", "Later", "Unsaved"}));
}

// A backup that does not load is listed with why and is not restored; the hotels stay as they
// are. Nor is anything restored under an open hotel.
TEST_F(SaveSetStartTest, ADamagedBackupOrAnOpenHotelIsRefusedAndChangesNothing)
{
    data->NewHotel("One");
    data->SaveTables();
    data->NewHotel("Two");
    data->SaveTables();
    auto backups = data->BackupSummaries();
    ASSERT_EQ(backups.size(), 1u);
    WriteBytes(backups[0].Folder + "tFloor.dht", "TPF0");
    backups = data->BackupSummaries();
    EXPECT_NE(backups[0].Problem.find("tFloor.dht"), std::string::npos) << backups[0].Problem;
    EXPECT_TRUE(backups[0].Hotels.empty());
    EXPECT_THROW(data->RestoreBackup(backups[0].Folder), std::runtime_error);
    EXPECT_EQ(HotelNames(data->tHotel), (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(data->BackupSummaries().size(), 1u);

    WriteBytes(backups[0].Folder + "tFloor.dht", FileBytes(dir.Path + "tFloor.dht"));
    data->tHotel.First();
    data->SelectHotel(data->tHotel.FieldNamed("HOTEL_ID").AsInteger());
    EXPECT_THROW(data->RestoreBackup(backups[0].Folder), std::logic_error);
}

// Saves that another user could have chosen (links into a folder every user can write, or a
// file of another user) are not read and never written: the player is told, and the files they
// lead to stay as they were.
TEST_F(SaveSetStartTest, SavesLeadingIntoAFolderOthersCanWriteAreNeitherReadNorWritten)
{
    data->NewHotel("Mine");
    data.reset();
    const std::string open = dir.Path + "open/";
    fs::create_directory(open);
    fs::permissions(open, fs::perms::all);
    std::map<std::string, std::string> before;
    for (const std::string &name : SetFiles) {
        fs::rename(dir.Path + name, open + name);
        fs::create_symlink(open + name, dir.Path + name);
        before[name] = FileBytes(open + name);
    }
    StartModel();
    EXPECT_NE(data->LoadErrorText().find("The saved hotels are not played"), std::string::npos)
        << data->LoadErrorText();
    EXPECT_NE(data->LoadErrorText().find(open), std::string::npos) << data->LoadErrorText();
    // Said once, as a problem of the saved hotels, not again as a table that failed to load.
    const std::string text = data->LoadErrorText();
    EXPECT_EQ(text.find(" leads to "), text.rfind(" leads to ")) << text;
    EXPECT_EQ(data->tHotel.RawRecordCount(), 0u);
    data->NewHotel("Played but not saved");
    data->SaveTables();
    data.reset();
    for (const std::string &name : SetFiles) {
        EXPECT_EQ(FileBytes(open + name), before[name]) << name;
        EXPECT_TRUE(fs::is_symlink(dir.Path + name)) << name;
    }
    EXPECT_FALSE(fs::exists(dir.Path + "backup")) << "nothing was saved, so nothing backed up";

    if (::geteuid() != 0)
        GTEST_SKIP() << "a file of another user needs root to make";
    for (const std::string &name : SetFiles) {
        fs::remove(dir.Path + name);
        fs::rename(open + name, dir.Path + name);
    }
    ASSERT_EQ(::chown((dir.Path + "tFloor.dht").c_str(), 65534, 65534), 0);
    StartModel();
    EXPECT_NE(data->LoadErrorText().find("is not the player's own file"), std::string::npos)
        << data->LoadErrorText();
    EXPECT_EQ(data->tHotel.RawRecordCount(), 0u);
}
