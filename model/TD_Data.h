#pragma once

#include "model/DataFolders.h"
#include "model/EAbort.h"
#include "model/FlagTimer.h"
#include "model/HotelEvents.h"
#include "model/SeededRandom.h"
#include "model/SystemDateSource.h"
#include "store/MemTable.h"
#include "store/SaveSet.h"

#include <string>
#include <vector>

class TGameTimer;
class TMessageWindow;
class TSceneCallbacks;
class TRandomSource;
class TDateSource;

// A table file that could not be read or written: the file name and the store's message.
struct TTableFileError
{
    std::string FileName;
    std::string Message;
    // Whether the file belongs to the saved hotels (tHotel, tFloor, tRoom),
    // as opposed to the price catalog.
    bool InSaveSet = false;
};

// What start-up found of the saved hotels and did about it.
struct TSaveSetCheck
{
    // The files of the set that were damaged, each with why; empty when the set was sound.
    std::vector<TTableFileError> Damaged;
    // Where the damaged set was moved (with a trailing '/'); empty when it could not be.
    std::string MovedTo;
    // Why it could not be moved; the set is then neither played nor saved.
    std::string MoveProblem;
    // The backup folder the hotels came back from; empty when none loaded cleanly.
    std::string RestoredFrom;
    // Why the restored set could not be written in place (it is saved at the next save).
    std::string RestoreProblem;
};

// The hotel model: the six game tables, the selection of hotel, floor and room,
// the price catalog, the player's purchases and the hourly rules.
//
// Lifetime: the constructor runs DataModuleCreate (seed, load the four table
// files, open tCurrFloor); DataModuleDestroy saves them and runs from the
// destructor unless the owner called it first (to show SaveErrors()).
//
// Saved hotels: tHotel, tFloor and tRoom are one save set, loaded, judged and
// saved together (TSaveSet): a save replaces all three or none, and keeps the
// set it replaces as the newest backup. A damaged set is never played into
// and never written over: start-up moves it into a dated folder and restores
// the newest backup that loads cleanly (SaveSetCheck()).
//
// Seams: the clock, the message window, the scene callbacks, the random
// generator, the date and the listener of the hourly rules' events come from
// outside through Set...(); the model does not own them, and null puts back its
// own default (a clock that only keeps its switch, no message window, no scene,
// a clock-seeded generator, the system date, nobody listening).
//
// Refusals: a purchase that cannot run calls GameError, which stops the clock,
// shows the message, starts the clock and throws EAbort. Other failures (table
// errors, an unreadable catalog lookup) are std::exception with a message.
class TD_Data
{
public:
    // On the directory of the running executable.
    TD_Data();
    // Saves and catalog in the given directory (with or without a trailing
    // '/'), the catalog written back at exit; tests use this.
    explicit TD_Data(const std::string &appPath);
    // Saves in places.SaveDir, the catalog read from places.CatalogFile.
    explicit TD_Data(const TDataPlaces &places);
    ~TD_Data();
    TD_Data(const TD_Data &) = delete;
    TD_Data &operator=(const TD_Data &) = delete;

    // ---- Seams ----
    void SetTimer(TGameTimer *timer);
    void SetMessageWindow(TMessageWindow *window);
    void SetSceneCallbacks(TSceneCallbacks *scene);
    void SetRandom(TRandomSource *random);
    void SetDateSource(TDateSource *dates);
    void SetHotelEvents(THotelEvents *events);
    TGameTimer &gmTimer() { return *timer_; }

    // ---- Tables (bind data sources to these) ----
    TvekMemTable tHotel;
    TvekMemTable tFloor;
    TvekMemTable tRoom;
    TvekMemTable tRooms;
    TvekMemTable tCurrFloor;
    TvekMemTable tCurrRoom;

    // ---- Selection ----
    int HotelID = 0; // HOTEL_ID of the open hotel, -1 after CloseHotel
    int FloorID = 0; // storey number 0..9 of the current floor
    int RoomID = 0;  // ID of the current room, -1 for none

    // ---- Start-up and shut-down ----
    // The directory of the executable with a trailing '/'.
    static std::string ExecutableDirectory();
    // The folder of the save tables, with a trailing '/'.
    const std::string &AppPath() const { return appPath_; }
    const std::string &CatalogFile() const { return catalogFile_; }
    void DataModuleCreate();
    void DataModuleDestroy();
    // Every table file that failed to load at start-up, in load order. A missing
    // tHotel/tFloor/tRoom file is a first start, not an error; a missing catalog is.
    const std::vector<TTableFileError> &LoadErrors() const { return loadErrors_; }
    // The load errors as one text for the start-up message box; empty when none.
    std::string LoadErrorText() const;
    const std::vector<TTableFileError> &SaveErrors() const { return saveErrors_; }
    const TSaveSetCheck &SaveSetCheck() const { return setCheck_; }
    // Saves the hotels, floors and rooms alone, as the exit save writes them,
    // when they changed since they were last loaded or saved; SaveErrors()
    // tells of a failure. Changes nothing the player sees.
    void AutoSave();
    // The bytes the save set's three files get at the next save.
    std::vector<std::string> SaveSetContents();
    // True when the catalog loaded and holds every row the game needs; when
    // false, purchases refuse with CatalogProblem() and the clock does not advance.
    bool CatalogReady() const { return catalogReady_; }
    const std::string &CatalogProblem() const { return catalogProblem_; }

    // ---- Tables and selection ----
    void LoadTable(TvekMemTable &table);
    void SaveTable(TvekMemTable &table);
    void LoadTables();
    void SaveTables();
    void FilterTable(TvekMemTable &table);
    void FilterTables();
    void SelectHotel(int hotelId);
    int NextID();
    void SelectFloor(int storey);
    void RefreshCurrFloor();
    void SelectRoom(int roomId);
    void RefreshCurrRoom();
    int GetMoney();
    void AddMoney(int amount);
    int GetHour();
    void NewHotel(const std::string &name);
    void DeleteHotel();
    void CloseHotel();
    void StartClock();

    // ---- Price catalog ----
    // Each throws std::runtime_error naming the catalog when the row is missing.
    int CatalogPrice(int id);
    std::string CatalogName(int id);
    int CatalogIncome(int id);
    int CatalogWear(int id);

    // ---- Purchases (refuse through GameError) ----
    void BuildFloor();
    void BuildRoom(int type, int cell);
    void BuildStation(int kind);
    void ChangeWorkers(int kind, int delta);
    void BuyStuff(int item);
    void DemolishRoom();
    [[noreturn]] void GameError(const std::string &message);

    // ---- Hourly simulation ----
    void gmTimerTimer();
    void RunHours(int hours);
    void HourTick();
    int FloorLoad(int storey);
    void BreakStuff(int item);
    void AdvanceConstruction();
    void UpdateFire();
    void UpdatePolice();
    void UpdateDirt();
    void WearRooms();
    void UpdateOccupancy();
    void CollectIncome();
    void WearStuff();

private:
    void tFloorNewRecord(TDataSet &dataSet);
    void tFloorBeforePost(TDataSet &dataSet);
    void UpdateLevel(const char *levelField, const char *stationField, int wageId, int gain,
                     bool randomDrop);
    void CheckCatalog();
    void RequireCatalog();
    bool LocateCatalog(int id);
    std::string TableFileName(const TvekMemTable &table) const;
    void LoadSaveSet();
    std::vector<TTableFileError> JudgeSaveSet(const std::string &folder);
    void EmptyTable(TvekMemTable &table);
    void SaveTheSet();
    static std::string SchemaProblem(const TvekMemTable &table);

    std::string appPath_;
    std::string catalogFile_;
    bool catalogWritable_ = true;
    TFlagTimer ownTimer_;
    TSeededRandom ownRandom_;
    TSystemDateSource ownDates_;
    TGameTimer *timer_ = &ownTimer_;
    TMessageWindow *messageWindow_ = nullptr;
    TSceneCallbacks *scene_ = nullptr;
    TRandomSource *random_ = &ownRandom_;
    TDateSource *dates_ = &ownDates_;
    THotelEvents noEvents_;
    THotelEvents *events_ = &noEvents_;

    std::vector<TTableFileError> loadErrors_;
    std::vector<TTableFileError> saveErrors_;
    TSaveSet saveSet_;
    TSaveSetCheck setCheck_;
    // What the set's files hold on disk, as far as this run knows; AutoSave
    // skips a save that would write the same.
    std::vector<std::string> setOnDisk_;
    // Tables whose file failed to load; they are never written back, so the damaged file stays.
    std::vector<const TvekMemTable *> unloaded_;
    bool catalogReady_ = false;
    std::string catalogProblem_;
    bool destroyed_ = false;
};
