#include "model/TD_Data.h"

#include "common/HotelCodes.h"
#include "model/GuestThresholds.h"
#include "model/MessageWindow.h"
#include "model/SceneCallbacks.h"
#include "model/TableSchemas.h"
#include "store/TableFile.h"
#include "store/TableStreamError.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <utility>

namespace {

const char *const kNoMoney = "You don't have enough money!";
const char *const kNoMoreFloors = "No more build floor.";
const char *const kCannotBuild = "You cannot build here";

// The catalog rows the game reads: room types, the floor, stations, comfort items.
// clang-format off
const int kCatalogIds[] = {
    1, 2, 3, 4, 5,
    CatalogRow::Floor,
    CatalogRow::Station(1), CatalogRow::Station(2), CatalogRow::Station(3),
    CatalogRow::Item(1), CatalogRow::Item(2), CatalogRow::Item(3), CatalogRow::Item(4)};
// clang-format on

// The integer fields the game reads from a catalog row, in the table's field order.
std::vector<const char *> CatalogFieldsRead(int id)
{
    if (id <= 5)
        return {"WIDTH", "PRICE", "INCOME", "WEAR", "BUILD"};
    if (id == 10)
        return {"PRICE"};
    if (id <= 13)
        return {"PRICE", "INCOME"};
    return {"PRICE", "WEAR"};
}

int Int(const TDataSet &t, const char *field)
{
    return t.FieldNamed(field).AsInteger();
}
void SetInt(TDataSet &t, const char *field, int value)
{
    t.FieldNamed(field).SetAsInteger(value);
}
std::string Str(const TDataSet &t, const char *field)
{
    return t.FieldNamed(field).AsString();
}
void SetStr(TDataSet &t, const char *field, const std::string &value)
{
    t.FieldNamed(field).SetAsString(value);
}

// STUFF and STUF_WEAR read as their full length, an empty or short value
// counting as "0" characters.
std::string Padded(std::string text, std::size_t length)
{
    if (text.size() < length)
        text.append(length - text.size(), '0');
    return text;
}

int TwoDigits(const std::string &text, std::size_t at)
{
    int value = 0;
    for (std::size_t k = at; k < at + 2; ++k)
        value = value * 10 + (text[k] >= '0' && text[k] <= '9' ? text[k] - '0' : 0);
    return value;
}

// Holds back a table's change notices for one walk and always resumes them,
// also when the walk ends with an error.
class TNoticeHold
{
public:
    explicit TNoticeHold(TDataSet &table) : table_(&table) { table.SuspendNotifications(); }
    ~TNoticeHold() { Release(); }
    TNoticeHold(const TNoticeHold &) = delete;
    TNoticeHold &operator=(const TNoticeHold &) = delete;
    void Release()
    {
        if (table_ != nullptr)
            std::exchange(table_, nullptr)->ResumeNotifications();
    }

private:
    TDataSet *table_;
};

// The save set's files, in load and save order.
const std::vector<std::string> SaveSetFiles{"tHotel.dht", "tFloor.dht", "tRoom.dht"};
const char *const DamagedFolderPrefix = "damaged";

std::string FileNameOf(const std::string &path)
{
    return std::filesystem::path(path).filename().string();
}

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

} // namespace

// ===== Start-up and shut-down =====

TD_Data::TD_Data() : TD_Data(ExecutableDirectory()) {}

TD_Data::TD_Data(const std::string &appPath)
    : TD_Data(TDataPlaces{WithSlash(appPath), WithSlash(appPath) + "tRooms.dht", true})
{
}

TD_Data::TD_Data(const TDataPlaces &places)
    : tHotel("tHotel"), tFloor("tFloor"), tRoom("tRoom"), tRooms("tRooms"),
      tCurrFloor("tCurrFloor"), tCurrRoom("tCurrRoom"), appPath_(WithSlash(places.SaveDir)),
      catalogFile_(places.CatalogFile), catalogWritable_(places.CatalogWritable),
      ownRandom_(TSeededRandom::ClockSeed()), saveSet_(appPath_, SaveSetFiles)
{
    for (TvekMemTable *table : {&tHotel, &tFloor, &tRoom, &tRooms, &tCurrFloor, &tCurrRoom})
        DefineGameTableFields(*table, table->Name);
    const auto newRecord = [this](TDataSet &dataSet) { tFloorNewRecord(dataSet); };
    for (TvekMemTable *table : {&tFloor, &tRoom, &tCurrFloor, &tCurrRoom})
        table->OnNewRecord = newRecord;
    tFloor.BeforePost = [this](TDataSet &dataSet) { tFloorBeforePost(dataSet); };
    DataModuleCreate();
}

TD_Data::~TD_Data()
{
    try {
        DataModuleDestroy();
    } catch (...) {
        // A destructor cannot report; DataModuleDestroy collects its errors itself.
    }
}

std::string TD_Data::ExecutableDirectory()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    return WithSlash(exe.parent_path().string());
}

void TD_Data::SetTimer(TGameTimer *timer)
{
    timer_ = timer != nullptr ? timer : &ownTimer_;
}
void TD_Data::SetMessageWindow(TMessageWindow *window)
{
    messageWindow_ = window;
}
void TD_Data::SetSceneCallbacks(TSceneCallbacks *scene)
{
    scene_ = scene;
}
void TD_Data::SetRandom(TRandomSource *random)
{
    random_ = random != nullptr ? random : &ownRandom_;
}
void TD_Data::SetDateSource(TDateSource *dates)
{
    dates_ = dates != nullptr ? dates : &ownDates_;
}
void TD_Data::SetHotelEvents(THotelEvents *events)
{
    events_ = events != nullptr ? events : &noEvents_;
}

void TD_Data::DataModuleCreate()
{
    ownRandom_.Seed(TSeededRandom::ClockSeed());
    LoadTables();
    tCurrFloor.Open();
}

void TD_Data::DataModuleDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    SaveTables();
}

std::string TD_Data::TableFileName(const TvekMemTable &table) const
{
    if (&table == &tRooms)
        return catalogFile_;
    return appPath_ + table.Name + ".dht";
}

std::string TD_Data::LoadErrorText() const
{
    std::string text;
    if (!setCheck_.Damaged.empty()) {
        text += "The saved hotels are damaged:\n";
        for (const TTableFileError &error : setCheck_.Damaged)
            text += FileNameOf(error.FileName) + ": " + error.Message + "\n";
        if (!setCheck_.MovedTo.empty()) {
            text += "\nThe files were moved unchanged to " + setCheck_.MovedTo + ".\n";
            if (!setCheck_.RestoredFrom.empty())
                text +=
                    "The hotels were restored from the backup " + setCheck_.RestoredFrom + ".\n";
            else
                text += "No backup could be restored, so the game starts with no hotels.\n";
            if (!setCheck_.RestoreProblem.empty())
                text += "The restored hotels could not be written yet (" +
                        setCheck_.RestoreProblem + "); they are saved at the next save.\n";
        } else {
            text += "\nThey could not be moved aside (" + setCheck_.MoveProblem +
                    "), so they stay as they are: the game starts with no hotels and does not "
                    "save hotels.\n";
        }
    }
    std::vector<TTableFileError> others;
    for (const TTableFileError &error : loadErrors_)
        if (!error.InSaveSet)
            others.push_back(error);
    if (others.empty())
        return text;
    if (!text.empty())
        text += "\n";
    for (const TTableFileError &error : others)
        text += FileNameOf(error.FileName) + ": " + error.Message + "\n";
    // A refused catalog keeps its rows; only the tables that could not be read start empty.
    const std::size_t unread = others.size() - (catalogRefused_ ? 1 : 0);
    if (unread > 0)
        text += std::string("\n") +
                (catalogRefused_ ? "The tables that could not be read" : "These tables") +
                " start empty and are not saved at exit, so their files stay as they are.";
    if (catalogRefused_)
        text += "\nThe price catalog is not saved at exit, so its file stays as it is.";
    if (!catalogReady_)
        text += "\nWithout the price catalog nothing can be bought.";
    return text;
}

// ===== Tables and selection =====

void TD_Data::LoadTable(TvekMemTable &table)
{
    table.Close();
    table.Open();
    table.ReadTableFile(TableFileName(table));
}

void TD_Data::SaveTable(TvekMemTable &table)
{
    try {
        table.Post();
    } catch (const std::exception &) {
        // There is normally nothing to post.
    }
    const bool filtered = table.Filtered();
    table.SetFiltered(false);
    table.WriteTableFile(TableFileName(table), table.SaveOptions);
    table.SetFiltered(filtered);
}

// The saved hotels load as one set; the catalog loads on its own, and a bad
// catalog file is reported and never overwritten at exit.
void TD_Data::LoadTables()
{
    loadErrors_.clear();
    unloaded_.clear();
    LoadSaveSet();
    const std::string fileName = TableFileName(tRooms);
    std::string problem;
    try {
        LoadTable(tRooms);
        problem = SchemaProblem(tRooms);
    } catch (const std::exception &error) {
        problem = error.what();
    }
    if (!problem.empty()) {
        EmptyTable(tRooms);
        loadErrors_.push_back({fileName, problem});
        unloaded_.push_back(&tRooms);
    }
    CheckCatalog();
}

// Records read before the damage are dropped, and a file's own field list
// gives way to the game's: the table is empty with its proper fields.
void TD_Data::EmptyTable(TvekMemTable &table)
{
    table.Close();
    table.ClearFields();
    DefineGameTableFields(table, table.Name);
    table.Open();
}

// Loads the set from the folder into tHotel, tFloor and tRoom and says what is
// wrong with it: a file that is missing, empty or does not load, or floors and
// rooms without any hotel. The tables hold the set only when nothing is.
std::vector<TTableFileError> TD_Data::JudgeSaveSet(const std::string &folder)
{
    std::vector<TTableFileError> problems;
    TvekMemTable *const tables[] = {&tHotel, &tFloor, &tRoom};
    for (TvekMemTable *table : tables) {
        const std::string fileName = folder + table->Name + ".dht";
        std::string problem;
        std::error_code error;
        if (!std::filesystem::exists(fileName, error)) {
            problem = "The file is missing.";
        } else if (std::filesystem::is_regular_file(fileName, error) &&
                   std::filesystem::file_size(fileName, error) == 0) {
            problem = "The file is empty (0 bytes).";
        } else {
            try {
                table->Close();
                table->Open();
                table->ReadTableFile(fileName);
                problem = SchemaProblem(*table);
            } catch (const std::exception &failure) {
                problem = failure.what();
            }
        }
        if (!problem.empty())
            problems.push_back({fileName, problem, true});
    }
    if (problems.empty() && tHotel.RawRecordCount() == 0 &&
        (tFloor.RawRecordCount() > 0 || tRoom.RawRecordCount() > 0))
        problems.push_back({folder + "tHotel.dht",
                            "It holds no hotel, but tFloor.dht or tRoom.dht hold floors or rooms.",
                            true});
    if (!problems.empty())
        for (TvekMemTable *table : tables)
            EmptyTable(*table);
    return problems;
}

// A first start finds none of the three files. A damaged set is moved aside
// whole, so that a restored backup never mixes with what was there.
void TD_Data::LoadSaveSet()
{
    setCheck_ = {};
    setOnDisk_.clear();
    saveSet_.Recover();
    const bool firstStart =
        std::none_of(SaveSetFiles.begin(), SaveSetFiles.end(), [this](const std::string &name) {
            std::error_code error;
            return std::filesystem::exists(std::filesystem::symlink_status(appPath_ + name, error));
        });
    if (firstStart) {
        for (TvekMemTable *table : {&tHotel, &tFloor, &tRoom})
            EmptyTable(*table);
        return;
    }
    setCheck_.Damaged = JudgeSaveSet(appPath_);
    if (setCheck_.Damaged.empty()) {
        setOnDisk_ = SaveSetContents();
        return;
    }
    loadErrors_.insert(loadErrors_.end(), setCheck_.Damaged.begin(), setCheck_.Damaged.end());
    try {
        setCheck_.MovedTo = saveSet_.MoveAside(DamagedFolderPrefix);
    } catch (const ESaveSetError &error) {
        setCheck_.MoveProblem = error.what();
        unloaded_ = {&tHotel, &tFloor, &tRoom};
        return;
    }
    for (const std::string &backup : saveSet_.Backups()) {
        if (!JudgeSaveSet(backup).empty())
            continue;
        setCheck_.RestoredFrom = backup;
        try {
            std::vector<std::string> contents;
            for (const std::string &name : SaveSetFiles) {
                const TTableFile::TFileBytes bytes = TTableFile::LoadBytes(backup + name);
                contents.emplace_back(bytes.View());
            }
            saveSet_.Save(contents);
            setOnDisk_ = contents;
        } catch (const std::exception &error) {
            setCheck_.RestoreProblem = error.what();
        }
        return;
    }
}

// A table file brings its own field list; the rules need every field of the
// game's layout, with its type.
std::string TD_Data::SchemaProblem(const TvekMemTable &table)
{
    TvekMemTable reference(table.Name);
    DefineGameTableFields(reference, table.Name);
    for (int i = 0; i < reference.FieldCount(); ++i) {
        const TField &wanted = reference.Fields(i);
        const TField *found = table.FindField(wanted.FieldName);
        if (found == nullptr || found->DataType() != wanted.DataType())
            return "The table has no " + std::string(found == nullptr ? "" : "valid ") + "field " +
                   wanted.FieldName + ".";
    }
    return {};
}

// The hotels, floors and rooms are saved all or nothing; the catalog on its
// own. A table whose file failed to load is never written, so the damaged
// file stays for the player to recover.
void TD_Data::SaveTables()
{
    saveErrors_.clear();
    SaveTheSet();
    // A catalog read from a folder the game may not write (an installed one)
    // is never rewritten.
    if (std::find(unloaded_.begin(), unloaded_.end(), &tRooms) != unloaded_.end() ||
        !catalogWritable_)
        return;
    try {
        SaveTable(tRooms);
    } catch (const std::exception &error) {
        saveErrors_.push_back({TableFileName(tRooms), error.what()});
    }
}

void TD_Data::AutoSave()
{
    saveErrors_.clear();
    if (SaveSetContents() != setOnDisk_)
        SaveTheSet();
}

std::vector<std::string> TD_Data::SaveSetContents()
{
    std::vector<std::string> contents;
    for (TvekMemTable *table : {&tHotel, &tFloor, &tRoom}) {
        if (table->State() == tsEdit || table->State() == tsInsert) {
            try {
                table->Post();
            } catch (const std::exception &) {
                // As SaveTable: there is normally nothing to post.
            }
        }
        contents.push_back(TTableFile::WriteEveryRecord(*table, table->SaveOptions));
    }
    return contents;
}

void TD_Data::SaveTheSet()
{
    if (std::find(unloaded_.begin(), unloaded_.end(), &tHotel) != unloaded_.end())
        return;
    std::vector<std::string> contents = SaveSetContents();
    try {
        saveSet_.Save(contents);
        setOnDisk_ = std::move(contents);
    } catch (const ESaveSetError &error) {
        saveErrors_.push_back({error.FileName, error.what(), true});
    }
}

void TD_Data::FilterTable(TvekMemTable &table)
{
    table.SetFilter("HOTEL_ID = " + std::to_string(HotelID));
    table.SetFiltered(HotelID >= 0);
}

void TD_Data::FilterTables()
{
    FilterTable(tHotel);
    FilterTable(tFloor);
    FilterTable(tRoom);
}

void TD_Data::SelectHotel(int hotelId)
{
    HotelID = hotelId;
    FilterTables();
    SelectFloor(0);
}

int TD_Data::NextID()
{
    // Edit on an empty view would append a hotel record; with no hotel there is
    // no counter to advance. With no hotel open, the copy that closing a hotel
    // makes would otherwise advance the counter of whichever hotel the list
    // shows first, changing a hotel the player is not playing.
    if (tHotel.IsEmpty() || HotelID < 0)
        return 0;
    const int id = Int(tHotel, "ID") + 1;
    tHotel.Edit();
    SetInt(tHotel, "ID", id);
    tHotel.Post();
    return id;
}

// A copy into tCurrFloor or tCurrRoom appends a record too, so every refresh
// draws one identifier, which the copied ID then overwrites.
void TD_Data::tFloorNewRecord(TDataSet &dataSet)
{
    SetInt(dataSet, "ID", NextID());
    SetInt(dataSet, "HOTEL_ID", HotelID);
}

void TD_Data::tFloorBeforePost(TDataSet &dataSet)
{
    const std::string stuff = Padded(Str(dataSet, "STUFF"), 4);
    int items = 0;
    for (int i = 0; i < 4; ++i)
        items += stuff[i] == '1' ? 1 : 0;
    SetInt(dataSet, "COMFORT",
           (Int(dataSet, "DIRTY") + Int(dataSet, "POLICY") + Int(dataSet, "FIRE") + 25 * items) /
               4);
}

void TD_Data::SelectFloor(int storey)
{
    FloorID = storey;
    tFloor.Locate("FLOOR_ID", storey);
    RefreshCurrFloor();
}

void TD_Data::RefreshCurrFloor()
{
    tCurrFloor.Close();
    tCurrFloor.Open();
    tCurrFloor.CopyRecordsFrom(&tFloor, 1);
}

void TD_Data::SelectRoom(int roomId)
{
    RoomID = roomId;
    if (tRoom.Locate("ID", roomId))
        RefreshCurrRoom();
}

void TD_Data::RefreshCurrRoom()
{
    tCurrRoom.Close();
    tCurrRoom.Open();
    if (RoomID >= 0)
        tCurrRoom.CopyRecordsFrom(&tRoom, 1);
}

int TD_Data::GetMoney()
{
    return Int(tHotel, "MONEY");
}

void TD_Data::AddMoney(int amount)
{
    tHotel.Edit();
    SetInt(tHotel, "MONEY", Int(tHotel, "MONEY") + amount);
    tHotel.Post();
}

int TD_Data::GetHour()
{
    return Int(tHotel, "TIME");
}

void TD_Data::NewHotel(const std::string &name)
{
    tHotel.Append();
    SetStr(tHotel, "NAME", name);
    tHotel.FieldNamed("DATE").SetAsDateTime(dates_->Now());
    tHotel.Post();
}

void TD_Data::DeleteHotel()
{
    if (tHotel.IsEmpty())
        return;
    const int hotel = Int(tHotel, "HOTEL_ID");
    for (TvekMemTable *table : {&tFloor, &tRoom}) {
        // Delete leaves the cursor on the following record, so only a kept record moves on.
        table->First();
        while (!table->AtEnd()) {
            if (Int(*table, "HOTEL_ID") == hotel)
                table->Delete();
            else
                table->Next();
        }
    }
    tHotel.Delete();
}

void TD_Data::CloseHotel()
{
    timer_->Stop();
    SelectHotel(-1);
}

void TD_Data::StartClock()
{
    timer_->Start();
}

// ===== Price catalog =====

bool TD_Data::LocateCatalog(int id)
{
    return tRooms.Locate("ID", id);
}

namespace {
[[noreturn]] void MissingRow(int id)
{
    throw std::runtime_error("The price catalog tRooms.dht has no row " + std::to_string(id) + ".");
}
} // namespace

int TD_Data::CatalogPrice(int id)
{
    if (!LocateCatalog(id))
        MissingRow(id);
    return Int(tRooms, "PRICE");
}

std::string TD_Data::CatalogName(int id)
{
    if (!LocateCatalog(id))
        MissingRow(id);
    return Str(tRooms, "NAME");
}

int TD_Data::CatalogIncome(int id)
{
    if (!LocateCatalog(id))
        MissingRow(id);
    return Int(tRooms, "INCOME");
}

int TD_Data::CatalogWear(int id)
{
    if (!LocateCatalog(id))
        MissingRow(id);
    return Int(tRooms, "WEAR");
}

// The rules trust the catalog's numbers (room widths, item lives of two digits,
// no negative price), so a catalog that breaks them is refused as a whole.
void TD_Data::CheckCatalog()
{
    catalogReady_ = false;
    catalogRefused_ = false;
    const std::string fileName = TableFileName(tRooms);
    if (std::find(unloaded_.begin(), unloaded_.end(), &tRooms) != unloaded_.end()) {
        catalogProblem_ =
            "The price catalog tRooms.dht could not be read, so nothing can be bought.";
        return;
    }
    std::string problem;
    for (int id : kCatalogIds) {
        if (!LocateCatalog(id)) {
            problem = "it has no row " + std::to_string(id);
            break;
        }
        // A row is judged by what the game reads from it, an empty integer reading as 0.
        for (const char *field : CatalogFieldsRead(id))
            if (Int(tRooms, field) < 0) {
                problem = "row " + std::to_string(id) + " has no valid " + field;
                break;
            }
        if (!problem.empty())
            break;
        if (CatalogRow::IsRoomType(id) && (Int(tRooms, "WIDTH") < 1 || Int(tRooms, "WIDTH") > 10))
            problem = "room type " + std::to_string(id) + " is not 1 to 10 cells wide";
        else if (CatalogRow::IsItem(id) && Int(tRooms, "WEAR") > 99)
            problem = "comfort item " + std::to_string(id) + " lives longer than 99 days";
        if (!problem.empty())
            break;
    }
    if (!problem.empty()) {
        catalogProblem_ =
            "The price catalog tRooms.dht is damaged (" + problem + "), so nothing can be bought.";
        loadErrors_.push_back({fileName, "The price catalog is damaged: " + problem + "."});
        unloaded_.push_back(&tRooms);
        catalogRefused_ = true;
        return;
    }
    catalogProblem_.clear();
    catalogReady_ = true;
}

void TD_Data::RequireCatalog()
{
    if (!catalogReady_)
        GameError(catalogProblem_);
}

// ===== Purchases =====

void TD_Data::GameError(const std::string &message)
{
    // The clock stands still while the message is up; it runs again afterwards
    // only if it ran before.
    const bool running = timer_->Enabled();
    timer_->Stop();
    try {
        if (messageWindow_ != nullptr)
            messageWindow_->ShowDialog(message);
    } catch (...) {
        if (running)
            timer_->Start();
        throw;
    }
    if (running)
        timer_->Start();
    throw EAbort();
}

void TD_Data::BuildFloor()
{
    RequireCatalog();
    if (CatalogPrice(CatalogRow::Floor) > GetMoney())
        GameError(kNoMoney);
    TNoticeHold hold(tFloor);
    int top = -1;
    for (tFloor.First(); !tFloor.AtEnd(); tFloor.Next())
        top = std::max(top, Int(tFloor, "FLOOR_ID"));
    if (top + 1 > 9) {
        hold.Release();
        GameError(kNoMoreFloors);
    }
    tFloor.Append();
    SetInt(tFloor, "FLOOR_ID", top + 1);
    tFloor.Post();
    hold.Release();
    SelectFloor(top + 1);
    AddMoney(-CatalogPrice(CatalogRow::Floor));
}

void TD_Data::BuildRoom(int type, int cell)
{
    if (type < 1 || type > 5)
        throw std::out_of_range("There is no room type " + std::to_string(type) + ".");
    RequireCatalog();
    if (CatalogPrice(type) > GetMoney())
        GameError(kNoMoney);
    // A storey the hotel does not have gets no room.
    if (!tFloor.Locate("FLOOR_ID", FloorID))
        return;
    LocateCatalog(type);
    const int width = Int(tRooms, "WIDTH");
    if (cell < 0 || cell + width > 10)
        GameError(kCannotBuild);
    for (int k = 1; k <= width - 1; ++k)
        if (tRoom.Locate("FLOOR_ID;POSIT", {FloorID, cell + k}))
            GameError(kCannotBuild);
    // The window never offers a cell that a room covers, but the model keeps
    // rooms apart on its own too: no room of this floor may cover a new cell.
    {
        bool overlap = false;
        TNoticeHold hold(tRoom);
        for (tRoom.First(); !tRoom.AtEnd() && !overlap; tRoom.Next()) {
            if (Int(tRoom, "FLOOR_ID") != FloorID)
                continue;
            const int start = Int(tRoom, "POSIT");
            const int end = start + (LocateCatalog(Int(tRoom, "TYPE")) ? Int(tRooms, "WIDTH") : 1);
            overlap = start < cell + width && cell < end;
        }
        hold.Release();
        if (overlap)
            GameError(kCannotBuild);
    }
    LocateCatalog(type);
    const int build = Int(tRooms, "BUILD");
    const int wear = Int(tRooms, "WEAR");
    tRoom.Append();
    SetInt(tRoom, "FLOOR_ID", FloorID);
    SetInt(tRoom, "TYPE", type);
    SetInt(tRoom, "POSIT", cell);
    SetInt(tRoom, "STATUS", -build);
    SetInt(tRoom, "WEAR", wear);
    tRoom.Post();
    SelectRoom(Int(tRoom, "ID"));
    AddMoney(-CatalogPrice(type));
}

namespace {
const char *StationField(int kind)
{
    switch (kind) {
    case 1:
        return "DIRTY_STATION";
    case 2:
        return "POLICY_STATION";
    case 3:
        return "FIRE_STATION";
    default:
        throw std::out_of_range("There is no station kind " + std::to_string(kind) + ".");
    }
}
} // namespace

void TD_Data::BuildStation(int kind)
{
    const char *field = StationField(kind);
    RequireCatalog();
    if (CatalogPrice(CatalogRow::Station(kind)) > GetMoney())
        GameError(kNoMoney);
    // A floor that is missing or already has this station buys nothing.
    if (!tFloor.Locate("FLOOR_ID", FloorID) || Int(tFloor, field) >= 0)
        return;
    tFloor.Edit();
    SetInt(tFloor, field, 0);
    tFloor.Post();
    AddMoney(-CatalogPrice(CatalogRow::Station(kind)));
    RefreshCurrFloor();
}

void TD_Data::ChangeWorkers(int kind, int delta)
{
    const char *field = StationField(kind);
    if (!tFloor.Locate("FLOOR_ID", FloorID))
        return;
    const int workers = Int(tFloor, field);
    // No station (-1) has no workers to change; a step outside 0..5 is ignored.
    if (workers < 0 || workers + delta < 0 || workers + delta > 5)
        return;
    tFloor.Edit();
    SetInt(tFloor, field, workers + delta);
    tFloor.Post();
    SelectFloor(FloorID);
}

void TD_Data::BuyStuff(int item)
{
    if (item < 1 || item > 4)
        throw std::out_of_range("There is no comfort item " + std::to_string(item) + ".");
    RequireCatalog();
    if (CatalogPrice(CatalogRow::Item(item)) > GetMoney())
        GameError(kNoMoney);
    const int life = CatalogWear(CatalogRow::Item(item));
    const std::string counter = (life < 10 ? "0" : "") + std::to_string(life);
    if (!tFloor.Locate("FLOOR_ID", FloorID))
        return;
    std::string stuff = Padded(Str(tFloor, "STUFF"), 4);
    std::string wear = Padded(Str(tFloor, "STUF_WEAR"), 8);
    if (stuff[item - 1] == '1')
        return; // already installed: nothing to buy
    stuff[item - 1] = '1';
    wear.replace(2 * item - 2, 2, counter.substr(0, 2));
    tFloor.Edit();
    SetStr(tFloor, "STUFF", stuff);
    SetStr(tFloor, "STUF_WEAR", wear);
    tFloor.Post();
    AddMoney(-CatalogPrice(CatalogRow::Item(item)));
    RefreshCurrFloor();
}

void TD_Data::DemolishRoom()
{
    // Only the selected room goes; with none selected nothing is deleted.
    if (RoomID >= 0 && tRoom.Locate("ID", RoomID))
        tRoom.Delete();
    SelectRoom(-1);
}

// ===== Hourly simulation =====

void TD_Data::gmTimerTimer()
{
    RunHours(1);
}

void TD_Data::RunHours(int hours)
{
    for (int i = 0; i < hours; ++i)
        HourTick();
}

void TD_Data::HourTick()
{
    // The rules need an open hotel and a catalog they can trust; without them
    // the clock stands still instead of guessing.
    if (HotelID < 0 || tHotel.IsEmpty() || !catalogReady_)
        return;
    int hour = GetHour() + 1;
    tHotel.Edit();
    if (hour > 23) {
        tHotel.FieldNamed("DATE").SetAsDateTime(tHotel.FieldNamed("DATE").AsDateTime() + 1);
        hour = 0;
    }
    SetInt(tHotel, "TIME", hour);
    tHotel.Post();
    events_->HourBegan(static_cast<int>(std::floor(tHotel.FieldNamed("DATE").AsDateTime())), hour);

    AdvanceConstruction();
    UpdateFire();
    UpdatePolice();
    UpdateDirt();
    WearRooms();
    UpdateOccupancy();
    CollectIncome();
    WearStuff();

    SelectFloor(FloorID);
    SelectRoom(RoomID);
}

int TD_Data::FloorLoad(int storey)
{
    TNoticeHold hold(tRoom);
    int load = 0;
    for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next())
        if (Int(tRoom, "STATUS") == RoomStatus::Occupied && Int(tRoom, "FLOOR_ID") == storey)
            load += Int(tRoom, "TYPE");
    return load;
}

void TD_Data::AdvanceConstruction()
{
    const int hour = GetHour();
    if (hour < 9 || hour > 18)
        return;
    TNoticeHold hold(tRoom);
    for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next()) {
        int status = Int(tRoom, "STATUS");
        if (!RoomStatus::UnderConstruction(status))
            continue;
        const int build = LocateCatalog(Int(tRoom, "TYPE")) ? Int(tRooms, "BUILD") : 0;
        tRoom.Edit();
        status += 1;
        // A type whose catalog row now says it needs no building is finished at once.
        if (build <= 0)
            status = RoomStatus::Free;
        double x = 200;
        if (RoomStatus::UnderConstruction(status))
            x = static_cast<double>((1.0L - static_cast<long double>(-status) / build) * 120.0L);
        // A room begun under a longer BUILD than the catalog's now starts below 55.
        const int alpha = std::clamp(static_cast<int>(std::nearbyint(x)) + 55, 55, 255);
        SetInt(tRoom, "STATUS", status);
        SetInt(tRoom, "ALPHA", alpha);
        tRoom.Post();
        const int id = Int(tRoom, "ID");
        if (status == RoomStatus::Free && scene_ != nullptr)
            scene_->SetRoomStatus(id, RoomStatus::Free);
        if (status == RoomStatus::Free)
            events_->ConstructionFinished(id, Int(tRoom, "FLOOR_ID"), Int(tRoom, "TYPE"));
        if (scene_ != nullptr)
            scene_->SetRoomAlpha(id, alpha);
    }
}

void TD_Data::UpdateLevel(const char *levelField, const char *stationField, int wageId, int gain,
                          bool randomDrop)
{
    TNoticeHold hold(tFloor);
    for (tFloor.First(); !tFloor.AtEnd(); tFloor.Next()) {
        const int load = FloorLoad(Int(tFloor, "FLOOR_ID"));
        int drop = load;
        if (randomDrop) {
            drop = random_->Random(load);
            if (drop > 10)
                drop = random_->Random(load);
        }
        const int workers = Int(tFloor, stationField);
        if (workers > 0) {
            const int wage = CatalogIncome(wageId) * workers;
            // Each wage is checked against the money left at this moment.
            const int station = wageId - CatalogRow::Floor;
            const int storey = Int(tFloor, "FLOOR_ID");
            if (wage < GetMoney()) {
                drop -= gain * workers;
                AddMoney(-wage);
                events_->WagePaid(storey, station, workers, wage);
            } else {
                events_->WageUnpaid(storey, station, workers, wage, GetMoney());
            }
        }
        tFloor.Edit();
        SetInt(tFloor, levelField, std::clamp(Int(tFloor, levelField) - drop, 0, 100));
        tFloor.Post();
    }
}

void TD_Data::UpdateFire()
{
    if (GetHour() % 5 == 0)
        UpdateLevel("FIRE", "FIRE_STATION", CatalogRow::Station(3), 2, true);
}

void TD_Data::UpdatePolice()
{
    if (GetHour() % 4 == 0)
        UpdateLevel("POLICY", "POLICY_STATION", CatalogRow::Station(2), 2, true);
}

void TD_Data::UpdateDirt()
{
    if (GetHour() % 3 == 0)
        UpdateLevel("DIRTY", "DIRTY_STATION", CatalogRow::Station(1), 4, false);
}

void TD_Data::WearRooms()
{
    if (GetHour() != 22)
        return;
    for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next()) {
        if (Int(tRoom, "STATUS") != RoomStatus::Occupied)
            continue;
        tRoom.Edit();
        const int wear = Int(tRoom, "WEAR") - 1;
        SetInt(tRoom, "WEAR", wear);
        if (wear <= 0) {
            SetInt(tRoom, "WEAR", 0);
            SetInt(tRoom, "STATUS", RoomStatus::Broken);
            if (scene_ != nullptr)
                scene_->SetRoomStatus(Int(tRoom, "ID"), RoomStatus::Broken);
        }
        tRoom.Post();
        if (wear <= 0)
            events_->RoomBroken(Int(tRoom, "ID"), Int(tRoom, "FLOOR_ID"), Int(tRoom, "TYPE"));
    }
}

void TD_Data::UpdateOccupancy()
{
    if (GetHour() != 10)
        return;
    using namespace GuestThresholds;
    for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next()) {
        const int status = Int(tRoom, "STATUS");
        if (status != RoomStatus::Free && status != RoomStatus::Occupied)
            continue;
        if (status == RoomStatus::Free && Int(tRoom, "WEAR") <= 0)
            continue;
        // A room whose floor is gone stays as it is.
        if (!tFloor.Locate("FLOOR_ID", Int(tRoom, "FLOOR_ID")))
            continue;
        const int comfort = Int(tFloor, "COMFORT");
        const int dirty = Int(tFloor, "DIRTY");
        const int policy = Int(tFloor, "POLICY");
        const int fire = Int(tFloor, "FIRE");
        int next = status;
        if (status == RoomStatus::Free && comfort > GuestComfort && dirty > GuestLevel &&
            policy > GuestLevel && fire > GuestLevel)
            next = RoomStatus::Occupied;
        else if (status == RoomStatus::Occupied && (comfort < GuestComfort || dirty < GuestLevel ||
                                                    policy < GuestLevel || fire < GuestLevel))
            next = RoomStatus::Free;
        if (next == status)
            continue;
        tRoom.Edit();
        SetInt(tRoom, "STATUS", next);
        tRoom.Post();
        if (scene_ != nullptr)
            scene_->SetRoomStatus(Int(tRoom, "ID"), next);
        const int id = Int(tRoom, "ID");
        const int storey = Int(tRoom, "FLOOR_ID");
        const int type = Int(tRoom, "TYPE");
        if (next == RoomStatus::Occupied)
            events_->GuestArrived(id, storey, type);
        else
            events_->GuestLeft(id, storey, type, {comfort, dirty, policy, fire});
    }
}

void TD_Data::CollectIncome()
{
    if (GetHour() != 8)
        return;
    int total = 0;
    int occupied = 0; // told to the listener only
    for (tFloor.First(); !tFloor.AtEnd(); tFloor.Next()) {
        const int storey = Int(tFloor, "FLOOR_ID");
        int rates = 0;
        {
            TNoticeHold hold(tRoom);
            for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next())
                if (Int(tRoom, "FLOOR_ID") == storey &&
                    Int(tRoom, "STATUS") == RoomStatus::Occupied) {
                    rates += CatalogIncome(Int(tRoom, "TYPE"));
                    ++occupied;
                }
        }
        const long double share = static_cast<long double>(Int(tFloor, "COMFORT")) / 100.0L * rates;
        total += static_cast<int>(std::nearbyintl(share));
    }
    AddMoney(total);
    events_->IncomeCollected(total, GetMoney(), occupied);
}

void TD_Data::WearStuff()
{
    if (GetHour() != 15)
        return;
    TNoticeHold hold(tFloor);
    for (tFloor.First(); !tFloor.AtEnd(); tFloor.Next()) {
        const std::string stuff = Padded(Str(tFloor, "STUFF"), 4);
        std::string wear = Padded(Str(tFloor, "STUF_WEAR"), 8);
        for (int item = 1; item <= 4; ++item) {
            if (stuff[item - 1] != '1')
                continue;
            const int days = TwoDigits(wear, 2 * item - 2);
            // A counter of "00" is still a working day: the item goes at the next 15:00.
            if (days - 1 < 0) {
                BreakStuff(item);
                continue;
            }
            wear[2 * item - 2] = static_cast<char>('0' + (days - 1) / 10);
            wear[2 * item - 1] = static_cast<char>('0' + (days - 1) % 10);
            tFloor.Edit();
            SetStr(tFloor, "STUF_WEAR", wear);
            tFloor.Post();
        }
    }
}

void TD_Data::BreakStuff(int item)
{
    std::string stuff = Padded(Str(tFloor, "STUFF"), 4);
    std::string wear = Padded(Str(tFloor, "STUF_WEAR"), 8);
    stuff[item - 1] = '0';
    wear.replace(2 * item - 2, 2, "00");
    tFloor.Edit();
    SetStr(tFloor, "STUFF", stuff);
    SetStr(tFloor, "STUF_WEAR", wear);
    tFloor.Post();
    if (scene_ != nullptr)
        scene_->RemoveFloorStuff(Int(tFloor, "FLOOR_ID"), item);
    events_->StuffWornOut(Int(tFloor, "FLOOR_ID"), item);
}
