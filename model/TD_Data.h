#pragma once

#include "model/DataFolders.h"
#include "model/EAbort.h"
#include "model/HotelSaves.h"
#include "model/HotelTables.h"
#include "model/HourlyRules.h"
#include "model/ModelSeams.h"
#include "model/PriceCatalog.h"
#include "model/Purchases.h"
#include "model/SaveSetCheck.h"
#include "store/MemTable.h"

#include <string>
#include <vector>

class TGameTimer;
class TMessageWindow;
class TSceneCallbacks;
class TRandomSource;
class TDateSource;

// The hotel model, the one object the window and the tools talk to. It holds
// the parts that do the work and forwards each operation to its part:
// - THotelTables: the six game tables, the selection of hotel, floor and
//   room, money and hour, new, delete and close hotel;
// - THotelSaves: loading, judging, restoring and saving the tables;
// - TPriceCatalog: the catalog's check and look-ups;
// - TPurchases: the player's purchases and their refusals (GameError);
// - THourlyRules: the game clock's hour and its rules.
//
// Lifetime: the constructor runs DataModuleCreate (seed, load the four table
// files, open tCurrFloor); DataModuleDestroy saves them and runs from the
// destructor unless the owner called it first (to show SaveErrors()).
//
// Seams: the clock, the message window, the scene callbacks, the random
// generator, the date and the listener of the hourly rules' events come from
// outside through Set...() (TModelSeams).
//
// Refusals: a purchase that cannot run calls GameError, which stops the clock,
// shows the message, starts the clock and throws EAbort. Other failures (table
// errors, an unreadable catalog lookup) are std::exception with a message.
class TD_Data
{
    // The parts come first, so that the public references below bind to
    // parts already built.
    TModelSeams seams_;
    THotelTables tables_;
    TPriceCatalog catalog_;
    THotelSaves saves_;
    TPurchases purchases_;
    THourlyRules hourly_;
    bool destroyed_ = false;

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
    void SetTimer(TGameTimer *timer) { seams_.SetTimer(timer); }
    void SetMessageWindow(TMessageWindow *window) { seams_.SetMessageWindow(window); }
    void SetSceneCallbacks(TSceneCallbacks *scene) { seams_.SetSceneCallbacks(scene); }
    void SetRandom(TRandomSource *random) { seams_.SetRandom(random); }
    void SetDateSource(TDateSource *dates) { seams_.SetDateSource(dates); }
    void SetHotelEvents(THotelEvents *events) { seams_.SetHotelEvents(events); }
    TGameTimer &gmTimer() { return seams_.Timer(); }

    // ---- Tables (bind data sources to these) ----
    TvekMemTable &tHotel = tables_.tHotel;
    TvekMemTable &tFloor = tables_.tFloor;
    TvekMemTable &tRoom = tables_.tRoom;
    TvekMemTable &tRooms = tables_.tRooms;
    TvekMemTable &tCurrFloor = tables_.tCurrFloor;
    TvekMemTable &tCurrRoom = tables_.tCurrRoom;

    // ---- Selection ----
    int &HotelID = tables_.HotelID; // HOTEL_ID of the open hotel, -1 after CloseHotel
    int &FloorID = tables_.FloorID; // storey number 0..9 of the current floor
    int &RoomID = tables_.RoomID;   // ID of the current room, -1 for none

    // ---- Start-up and shut-down ----
    // The directory of the executable with a trailing '/'.
    static std::string ExecutableDirectory();
    // The folder of the save tables, with a trailing '/'.
    const std::string &AppPath() const { return saves_.AppPath(); }
    const std::string &CatalogFile() const { return saves_.CatalogFile(); }
    void DataModuleCreate();
    void DataModuleDestroy();
    // Every table file that failed to load at start-up, in load order. A missing
    // tHotel/tFloor/tRoom file is a first start, not an error; a missing catalog is.
    const std::vector<TTableFileError> &LoadErrors() const { return saves_.LoadErrors(); }
    // The load errors as one text for the start-up message box; empty when none.
    std::string LoadErrorText() const { return saves_.LoadErrorText(); }
    const std::vector<TTableFileError> &SaveErrors() const { return saves_.SaveErrors(); }
    const TSaveSetCheck &SaveSetCheck() const { return saves_.SaveSetCheck(); }
    // Saves the hotels, floors and rooms alone, as the exit save writes them,
    // when they changed since they were last loaded or saved; SaveErrors()
    // tells of a failure. Changes nothing the player sees.
    void AutoSave() { saves_.AutoSave(); }
    std::vector<TBackupSummary> BackupSummaries() const { return saves_.BackupSummaries(); }
    // Hotels whose saved records the game cannot play soundly: listed, kept byte for byte in
    // the files, never opened or deleted.
    const std::vector<THeldHotel> &HeldHotels() const { return saves_.HeldHotels(); }
    // Refuses (GameError) to open or delete ("opened", "deleted") a held hotel, naming why.
    void RefuseHeldHotel(int hotelId, const std::string &done);
    void RestoreBackup(const std::string &folder) { saves_.RestoreBackup(folder); }
    // The bytes the save set's three files get at the next save.
    std::vector<std::string> SaveSetContents() { return saves_.SaveSetContents(); }
    // True when the catalog loaded and holds every row the game needs; when
    // false, purchases refuse with CatalogProblem() and the clock does not advance.
    bool CatalogReady() const { return catalog_.Ready(); }
    const std::string &CatalogProblem() const { return catalog_.Problem(); }

    // ---- Tables and selection ----
    void LoadTable(TvekMemTable &table) { saves_.LoadTable(table); }
    void SaveTable(TvekMemTable &table) { saves_.SaveTable(table); }
    void LoadTables() { saves_.LoadTables(); }
    void SaveTables() { saves_.SaveTables(); }
    void FilterTable(TvekMemTable &table) { tables_.FilterTable(table); }
    void FilterTables() { tables_.FilterTables(); }
    void SelectHotel(int hotelId) { tables_.SelectHotel(hotelId); }
    int NextID() { return tables_.NextID(); }
    void SelectFloor(int storey) { tables_.SelectFloor(storey); }
    void RefreshCurrFloor() { tables_.RefreshCurrFloor(); }
    void SelectRoom(int roomId) { tables_.SelectRoom(roomId); }
    void RefreshCurrRoom() { tables_.RefreshCurrRoom(); }
    int GetMoney() { return tables_.GetMoney(); }
    void AddMoney(std::int64_t amount) { tables_.AddMoney(amount); }
    int GetHour() { return tables_.GetHour(); }
    void NewHotel(const std::string &name) { tables_.NewHotel(name); }
    void DeleteHotel() { tables_.DeleteHotel(); }
    void CloseHotel() { tables_.CloseHotel(); }
    void StartClock() { tables_.StartClock(); }

    // ---- Price catalog ----
    // Each throws std::runtime_error naming the catalog when the row is missing.
    int CatalogPrice(int id) { return catalog_.Price(id); }
    std::string CatalogName(int id) { return catalog_.Name(id); }
    int CatalogIncome(int id) { return catalog_.Income(id); }
    int CatalogWear(int id) { return catalog_.Wear(id); }

    // ---- Purchases (refuse through GameError) ----
    void BuildFloor() { purchases_.BuildFloor(); }
    void BuildRoom(int type, int cell) { purchases_.BuildRoom(type, cell); }
    void BuildStation(int kind) { purchases_.BuildStation(kind); }
    void ChangeWorkers(int kind, int delta) { purchases_.ChangeWorkers(kind, delta); }
    void BuyStuff(int item) { purchases_.BuyStuff(item); }
    void DemolishRoom() { purchases_.DemolishRoom(); }
    void RebuildRoom() { purchases_.RebuildRoom(); }
    [[noreturn]] void GameError(const std::string &message) { purchases_.GameError(message); }

    // ---- Hourly simulation ----
    void gmTimerTimer() { hourly_.RunHours(1); }
    void RunHours(int hours) { hourly_.RunHours(hours); }
    void HourTick() { hourly_.HourTick(); }
    int FloorLoad(int storey) { return hourly_.Levels().FloorLoad(storey); }
    void BreakStuff(int item) { hourly_.Wear().BreakStuff(item); }
    void AdvanceConstruction() { hourly_.AdvanceConstruction(); }
    void UpdateFire() { hourly_.Levels().UpdateFire(); }
    void UpdatePolice() { hourly_.Levels().UpdatePolice(); }
    void UpdateDirt() { hourly_.Levels().UpdateDirt(); }
    void WearRooms() { hourly_.Wear().WearRooms(); }
    void UpdateOccupancy() { hourly_.Guests().UpdateOccupancy(); }
    void CollectIncome() { hourly_.Guests().CollectIncome(); }
    void WearStuff() { hourly_.Wear().WearStuff(); }
};
