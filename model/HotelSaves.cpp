#include "model/HotelSaves.h"

#include "common/HotelCodes.h"
#include "model/HotelRecord.h"
#include "model/HotelTables.h"
#include "model/PriceCatalog.h"
#include "model/TableSchemas.h"
#include "store/CodePage.h"
#include "store/FolderTrust.h"
#include "store/TableFile.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <utility>

namespace {

// The save set's files, in load and save order.
const std::vector<std::string> SaveSetFiles{"tHotel.dht", "tFloor.dht", "tRoom.dht"};
const char *const DamagedFolderPrefix = "damaged";

// Tables of the set's layout beside the game's own, for looking into a backup.
struct TScratchSet
{
    TScratchSet()
    {
        for (TvekMemTable &table : tables)
            DefineGameTableFields(table, table.Name);
    }
    std::array<TvekMemTable, 3> tables{TvekMemTable("tHotel"), TvekMemTable("tFloor"),
                                       TvekMemTable("tRoom")};
};

std::string FileNameOf(const std::string &path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace

std::string THotelSaves::WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

THotelSaves::THotelSaves(THotelTables &tables, TPriceCatalog &catalog, const TDataPlaces &places)
    : tables_(tables), catalog_(catalog), appPath_(WithSlash(places.SaveDir)),
      catalogFile_(places.CatalogFile), catalogWritable_(places.CatalogWritable),
      saveSet_(appPath_, SaveSetFiles)
{
}

std::string THotelSaves::TableFileName(const TvekMemTable &table) const
{
    if (&table == &tables_.tRooms)
        return catalogFile_;
    return appPath_ + table.Name + ".dht";
}

bool THotelSaves::Unloaded(const TvekMemTable &table) const
{
    return std::find(unloaded_.begin(), unloaded_.end(), &table) != unloaded_.end();
}

std::string THotelSaves::LoadErrorText() const
{
    std::string text;
    if (!setCheck_.NoteProblem.empty())
        text += setCheck_.NoteProblem + "\n";
    if (!setCheck_.Refused.empty())
        text += "The saved hotels are not played: " + setCheck_.Refused +
                ". They are neither read nor saved, so they stay as they are; the game starts "
                "with no hotels and saves none.\n";
    if (!setCheck_.Damaged.empty()) {
        if (!text.empty())
            text += "\n";
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
    if (!records_.Held.empty()) {
        if (!text.empty())
            text += "\n";
        text += "These hotels cannot be opened until their saved records are mended; their "
                "records are kept as they are:\n";
        for (const THeldHotel &hotel : records_.Held)
            text += TCodePage::ToUtf8(hotel.Name) + ": " + hotel.Reason + "\n";
    }
    if (!records_.Strays.empty()) {
        if (!text.empty())
            text += "\n";
        for (const std::string &stray : records_.Strays)
            text += stray + ".\n";
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
    const std::size_t unread = others.size() - (catalog_.Refused() ? 1 : 0);
    if (unread > 0)
        text += std::string("\n") +
                (catalog_.Refused() ? "The tables that could not be read" : "These tables") +
                " start empty and are not saved at exit, so their files stay as they are.";
    if (catalog_.Refused())
        text += "\nThe price catalog is not saved at exit, so its file stays as it is.";
    if (!catalog_.Ready())
        text += "\nWithout the price catalog nothing can be bought.";
    return text;
}

void THotelSaves::LoadTable(TvekMemTable &table)
{
    table.Close();
    table.Open();
    table.ReadTableFile(TableFileName(table));
}

void THotelSaves::SaveTable(TvekMemTable &table)
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
void THotelSaves::LoadTables()
{
    loadErrors_.clear();
    unloaded_.clear();
    LoadSaveSet();
    LoadCatalog();
    CheckRecords();
}

// A table file is outside input: what the rules, the panels and the scene cannot play soundly
// holds its hotel, and only that one.
void THotelSaves::CheckRecords()
{
    std::map<int, int> widths;
    if (catalog_.Ready())
        for (int type = CatalogRow::FirstRoomType; type <= CatalogRow::LastRoomType; ++type)
            widths[type] = catalog_.Width(type);
    records_ = TLoadedRecordCheck::Check(tables_, widths);
}

void THotelSaves::LoadCatalog()
{
    TvekMemTable &tRooms = tables_.tRooms;
    const std::string fileName = TableFileName(tRooms);
    // The player's own catalog is read and written back like the saves; an installed one is
    // only read.
    std::string problem = catalogWritable_ ? TFolderTrust::FileProblem(fileName) : std::string();
    if (problem.empty()) {
        try {
            LoadTable(tRooms);
            problem = SchemaProblem(tRooms);
        } catch (const std::exception &error) {
            problem = error.what();
        }
    }
    if (!problem.empty()) {
        EmptyTable(tRooms);
        loadErrors_.push_back({fileName, problem});
        unloaded_.push_back(&tRooms);
    }
    const std::string damage = catalog_.Check(Unloaded(tRooms));
    if (!damage.empty()) {
        loadErrors_.push_back({fileName, "The price catalog is damaged: " + damage + "."});
        unloaded_.push_back(&tRooms);
    }
}

// Records read before the damage are dropped, and a file's own field list
// gives way to the game's: the table is empty with its proper fields.
void THotelSaves::EmptyTable(TvekMemTable &table)
{
    table.Close();
    table.ClearFields();
    DefineGameTableFields(table, table.Name);
    table.Open();
}

// Loads the set from the folder into tHotel, tFloor and tRoom and says what is
// wrong with it: a file that is missing, empty or does not load, or floors and
// rooms without any hotel. The tables hold the set only when nothing is.
std::vector<TTableFileError> THotelSaves::JudgeSaveSet(const std::string &folder)
{
    const std::array<TvekMemTable *, 3> tables{&tables_.tHotel, &tables_.tFloor, &tables_.tRoom};
    std::vector<TTableFileError> problems = JudgeInto(folder, tables);
    if (!problems.empty())
        for (TvekMemTable *table : tables)
            EmptyTable(*table);
    return problems;
}

std::vector<TTableFileError> THotelSaves::JudgeInto(const std::string &folder,
                                                    const std::array<TvekMemTable *, 3> &tables)
{
    std::vector<TTableFileError> problems;
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
    if (problems.empty() && tables[0]->RawRecordCount() == 0 &&
        (tables[1]->RawRecordCount() > 0 || tables[2]->RawRecordCount() > 0))
        problems.push_back({folder + "tHotel.dht",
                            "It holds no hotel, but tFloor.dht or tRoom.dht hold floors or rooms.",
                            true});
    return problems;
}

std::vector<TBackupSummary> THotelSaves::BackupSummaries() const
{
    std::vector<TBackupSummary> summaries;
    for (const TSaveSet::TBackup &backup : saveSet_.History()) {
        TScratchSet scratch;
        auto &[hotels, floors, rooms] = scratch.tables;
        TBackupSummary summary{backup.Folder, backup.Written, {}, {}};
        const auto problems = JudgeInto(backup.Folder, {&hotels, &floors, &rooms});
        if (!problems.empty()) {
            summary.Problem =
                FileNameOf(problems.front().FileName) + ": " + problems.front().Message;
        } else {
            for (hotels.First(); !hotels.AtEnd(); hotels.Next()) {
                const THotelRecord hotel(hotels);
                summary.Hotels.push_back({hotel.Name(), hotel.Money(), hotel.DateText()});
            }
        }
        summaries.push_back(std::move(summary));
    }
    return summaries;
}

void THotelSaves::RestoreBackup(const std::string &folder)
{
    // An open hotel restricts the tables to itself.
    if (tables_.tHotel.Filtered())
        throw std::logic_error("a backup is restored only while no hotel is open");
    {
        TScratchSet scratch;
        auto &[hotels, floors, rooms] = scratch.tables;
        const auto problems = JudgeInto(folder, {&hotels, &floors, &rooms});
        if (!problems.empty())
            throw std::runtime_error("The backup " + folder + " cannot be restored: " +
                                     FileNameOf(problems.front().FileName) + ": " +
                                     problems.front().Message);
    }
    // On disk first, so that the restore keeps the hotels in play as the newest backup.
    saveErrors_.clear();
    SaveTheSet();
    if (!saveErrors_.empty())
        throw std::runtime_error("The hotels in play could not be saved, so the backup was not "
                                 "restored: " +
                                 saveErrors_.front().Message);
    try {
        saveSet_.Restore(folder);
    } catch (const ESaveSetError &error) {
        throw std::runtime_error(std::string("The backup could not be restored: ") + error.what());
    }
    std::erase_if(loadErrors_, [](const TTableFileError &error) { return error.InSaveSet; });
    std::erase_if(unloaded_, [this](const TvekMemTable *table) {
        return table == &tables_.tHotel || table == &tables_.tFloor || table == &tables_.tRoom;
    });
    LoadSaveSet();
    CheckRecords();
}

// A first start finds none of the three files. A damaged set is moved aside
// whole, so that a restored backup never mixes with what was there.
void THotelSaves::LoadSaveSet()
{
    setCheck_ = {};
    setOnDisk_.clear();
    // Before the recovery too: it would write through the links.
    for (const std::string &name : SaveSetFiles) {
        setCheck_.Refused = TFolderTrust::FileProblem(appPath_ + name);
        if (setCheck_.Refused.empty())
            continue;
        loadErrors_.push_back({appPath_ + name, setCheck_.Refused, true});
        for (TvekMemTable *table : {&tables_.tHotel, &tables_.tFloor, &tables_.tRoom}) {
            EmptyTable(*table);
            unloaded_.push_back(table);
        }
        return;
    }
    setCheck_.NoteProblem = saveSet_.Recover();
    const bool firstStart =
        std::none_of(SaveSetFiles.begin(), SaveSetFiles.end(), [this](const std::string &name) {
            std::error_code error;
            return std::filesystem::exists(std::filesystem::symlink_status(appPath_ + name, error));
        });
    if (firstStart) {
        for (TvekMemTable *table : {&tables_.tHotel, &tables_.tFloor, &tables_.tRoom})
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
        unloaded_ = {&tables_.tHotel, &tables_.tFloor, &tables_.tRoom};
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
std::string THotelSaves::SchemaProblem(const TvekMemTable &table)
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
void THotelSaves::SaveTables()
{
    saveErrors_.clear();
    SaveTheSet();
    // A catalog read from a folder the game may not write (an installed one)
    // is never rewritten.
    if (Unloaded(tables_.tRooms) || !catalogWritable_)
        return;
    try {
        SaveTable(tables_.tRooms);
    } catch (const std::exception &error) {
        saveErrors_.push_back({TableFileName(tables_.tRooms), error.what()});
    }
}

void THotelSaves::AutoSave()
{
    saveErrors_.clear();
    if (SaveSetContents() != setOnDisk_)
        SaveTheSet();
}

std::vector<std::string> THotelSaves::SaveSetContents()
{
    std::vector<std::string> contents;
    for (TvekMemTable *table : {&tables_.tHotel, &tables_.tFloor, &tables_.tRoom}) {
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

void THotelSaves::SaveTheSet()
{
    if (Unloaded(tables_.tHotel))
        return;
    std::vector<std::string> contents = SaveSetContents();
    try {
        saveSet_.Save(contents);
        setOnDisk_ = std::move(contents);
    } catch (const ESaveSetError &error) {
        saveErrors_.push_back({error.FileName, error.what(), true});
    }
}
