#pragma once

#include "model/DataFolders.h"
#include "model/LoadedRecordCheck.h"
#include "model/SaveSetCheck.h"
#include "store/SaveSet.h"

#include <array>
#include <ctime>
#include <string>
#include <vector>

class THotelTables;

// A backup of the saved hotels, as the Restore window lists it.
struct TBackupSummary
{
    struct THotel
    {
        std::string Name;
        int Money = 0;
        // As the table prints it; empty for a hotel without a date.
        std::string Date;
    };
    // With a trailing '/'.
    std::string Folder;
    // When the save that replaced this set was made.
    std::time_t Written = 0;
    std::vector<THotel> Hotels;
    // Why it cannot be restored (a file of it does not load); empty when it can.
    std::string Problem;
};
class TPriceCatalog;
class TvekMemTable;

// Loading and saving the game tables.
//
// Saved hotels: tHotel, tFloor and tRoom are one save set, loaded, judged and
// saved together (TSaveSet): a save replaces all three or none, and keeps the
// set it replaces as the newest backup. A damaged set is never played into
// and never written over: loading moves it into a dated folder and restores
// the newest backup that loads cleanly (SaveSetCheck()).
//
// The price catalog loads on its own and is checked (TPriceCatalog::Check); a
// catalog that could not be read or was refused is never written back, nor
// one from a folder the game may not write.
class THotelSaves
{
public:
    THotelSaves(THotelTables &tables, TPriceCatalog &catalog, const TDataPlaces &places);
    THotelSaves(const THotelSaves &) = delete;
    THotelSaves &operator=(const THotelSaves &) = delete;

    // The path with a trailing '/'; an empty path becomes "/".
    static std::string WithSlash(std::string path);

    // The folder of the save tables, with a trailing '/'.
    const std::string &AppPath() const { return appPath_; }
    const std::string &CatalogFile() const { return catalogFile_; }

    void LoadTable(TvekMemTable &table);
    void SaveTable(TvekMemTable &table);
    void LoadTables();
    void SaveTables();
    // Saves the hotels, floors and rooms alone, as SaveTables writes them,
    // when they changed since they were last loaded or saved.
    void AutoSave();
    // The bytes the save set's three files get at the next save.
    std::vector<std::string> SaveSetContents();

    // Every table file that failed to load, in load order. A missing
    // tHotel/tFloor/tRoom file is a first start, not an error; a missing catalog is.
    const std::vector<TTableFileError> &LoadErrors() const { return loadErrors_; }
    // The load errors as one text for the start-up message box; empty when none.
    std::string LoadErrorText() const;
    const std::vector<TTableFileError> &SaveErrors() const { return saveErrors_; }
    const TSaveSetCheck &SaveSetCheck() const { return setCheck_; }

    // The hotels whose saved records the game cannot play soundly, each with its first fault:
    // they stay in the list and in the files byte for byte, but cannot be opened or deleted.
    const std::vector<THeldHotel> &HeldHotels() const { return records_.Held; }

    // The backups of the saved hotels, newest first.
    std::vector<TBackupSummary> BackupSummaries() const;
    // Puts the hotels of a backup folder in place of the saved ones and loads them; the hotels
    // in play are saved first and so become the newest backup, and no backup is removed. Only
    // while no hotel is open. Throws std::runtime_error, with the hotels as they were, when the
    // backup does not load or the hotels in play cannot be saved.
    void RestoreBackup(const std::string &folder);

private:
    std::string TableFileName(const TvekMemTable &table) const;
    void LoadCatalog();
    void LoadSaveSet();
    std::vector<TTableFileError> JudgeSaveSet(const std::string &folder);
    // Loads the set of a folder into the three tables given (hotels, floors, rooms) and says what
    // is wrong with it; the tables hold the set only when nothing is.
    static std::vector<TTableFileError> JudgeInto(const std::string &folder,
                                                  const std::array<TvekMemTable *, 3> &tables);
    void EmptyTable(TvekMemTable &table);
    void SaveTheSet();
    bool Unloaded(const TvekMemTable &table) const;
    static std::string SchemaProblem(const TvekMemTable &table);
    void CheckRecords();

    THotelTables &tables_;
    TPriceCatalog &catalog_;
    std::string appPath_;
    std::string catalogFile_;
    bool catalogWritable_ = true;
    std::vector<TTableFileError> loadErrors_;
    std::vector<TTableFileError> saveErrors_;
    TSaveSet saveSet_;
    TSaveSetCheck setCheck_;
    TRecordCheckResult records_;
    // What the set's files hold on disk, as far as this run knows; AutoSave
    // skips a save that would write the same.
    std::vector<std::string> setOnDisk_;
    // Tables whose file failed to load; they are never written back, so the damaged file stays.
    std::vector<const TvekMemTable *> unloaded_;
};
