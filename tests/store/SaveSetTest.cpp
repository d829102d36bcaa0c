#include "store/SaveSet.h"

#include "TableFileTestSupport.h"
#include "store/AtomicFile.h"
#include "store/BackupThinning.h"
#include "store/FileSystem.h"
#include "store/TableStreamError.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> Names{"tHotel.dht", "tFloor.dht", "tRoom.dht"};
const std::vector<std::string> OldSet{"old hotels", "old floors", "old rooms"};
const std::vector<std::string> NewSet{"new hotels!", "new floors!", "new rooms!"};
const std::vector<std::string> OlderSet{"older hotels", "older floors", "older rooms"};

// Fails the n-th call that creates, writes, flushes or renames, as a full disk
// or a failing device would; every other call goes through.
class TFailingFileSystem : public TFileSystem
{
public:
    explicit TFailingFileSystem(int failAt) : failAt(failAt) {}
    int Create(const std::string &name, mode_t mode) override
    {
        return Fails() ? -1 : TFileSystem::Create(name, mode);
    }
    ssize_t Write(int descriptor, const void *data, std::size_t size) override
    {
        return Fails() ? -1 : TFileSystem::Write(descriptor, data, size);
    }
    int Flush(int descriptor) override { return Fails() ? -1 : TFileSystem::Flush(descriptor); }
    int Rename(const std::string &from, const std::string &to) override
    {
        return Fails() ? -1 : TFileSystem::Rename(from, to);
    }
    int Link(const std::string &existing, const std::string &name) override
    {
        return Fails() ? -1 : TFileSystem::Link(existing, name);
    }
    int MakeDirectory(const std::string &name) override
    {
        return Fails() ? -1 : TFileSystem::MakeDirectory(name);
    }

    int calls = 0;
    bool failed = false;

protected:
    virtual bool Fails()
    {
        if (++calls != failAt)
            return false;
        failed = true;
        errno = ENOSPC;
        return true;
    }
    int failAt;
};

// Ends the process at the n-th call, before the call, as a kill -9 or a power
// failure would.
class TCutOffFileSystem : public TFailingFileSystem
{
public:
    using TFailingFileSystem::TFailingFileSystem;

protected:
    bool Fails() override
    {
        if (++calls == failAt)
            ::_exit(0);
        return false;
    }
};

class TInstalled
{
public:
    explicit TInstalled(TFileSystem &files) { TFileSystem::SetCurrent(&files); }
    ~TInstalled() { TFileSystem::SetCurrent(nullptr); }
};

class SaveSet : public TScratchTest
{
protected:
    std::string Dir() const { return scratch.path.string() + "/"; }
    TSaveSet Set() const { return TSaveSet(Dir(), Names); }

    void PutSet(const std::vector<std::string> &contents) const
    {
        for (std::size_t i = 0; i < Names.size(); ++i)
            Put(PathOf(Names[i]), contents[i]);
    }
    // The set's files as found; "" for a missing one.
    std::vector<std::string> SetOnDisk(const std::string &folder) const
    {
        std::vector<std::string> found;
        for (const std::string &name : Names)
            found.push_back(fs::exists(folder + name) ? Contents(folder + name) : "");
        return found;
    }
    std::vector<std::string> SetOnDisk() const { return SetOnDisk(Dir()); }

    // Every folder in backup/ is a whole generation that was once saved.
    void ExpectWholeBackups(const std::vector<std::vector<std::string>> &generations) const
    {
        std::error_code error;
        for (const auto &entry : fs::directory_iterator(Dir() + "backup", error)) {
            const std::string folder = entry.path().string() + "/";
            EXPECT_NE(entry.path().filename().string().front(), '.') << "left behind: " << folder;
            const auto set = SetOnDisk(folder);
            EXPECT_NE(std::find(generations.begin(), generations.end(), set), generations.end())
                << folder << " holds no whole generation";
        }
    }
    // Nothing but the set and the backup folder: no temporary file, no note.
    void ExpectNoLeftovers() const
    {
        for (const auto &entry : fs::directory_iterator(Dir())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "backup" ||
                        std::find(Names.begin(), Names.end(), name) != Names.end())
                << "left behind: " << name;
        }
    }
};

// A save of a set over an older one, failing at every step in turn.
TEST_F(SaveSet, AFailureAtAnyStepLeavesTheWholeOldSetOrTheWholeNewOne)
{
    int stepsOfAWholeSave = 0;
    for (int failAt = 1;; ++failAt) {
        SCOPED_TRACE("failing call " + std::to_string(failAt));
        fs::remove_all(scratch.path);
        fs::create_directories(scratch.path);
        PutSet(OlderSet);
        Set().Save(OldSet);
        TFailingFileSystem files(failAt);
        bool saved = true;
        {
            TInstalled installed(files);
            try {
                Set().Save(NewSet);
            } catch (const ESaveSetError &error) {
                saved = false;
                EXPECT_FALSE(error.FileName.empty());
                EXPECT_NE(std::string(error.what()).find("No space left on device"),
                          std::string::npos)
                    << error.what();
            }
        }
        EXPECT_EQ(saved, !files.failed) << "a failure is always reported";
        EXPECT_EQ(SetOnDisk(), saved ? NewSet : OldSet);
        ExpectWholeBackups({OlderSet, OldSet});
        ExpectNoLeftovers();
        if (saved) {
            ASSERT_FALSE(Set().Backups().empty());
            EXPECT_EQ(SetOnDisk(Set().Backups().front()), OldSet) << "the replaced set is kept";
        }
        if (!files.failed) {
            stepsOfAWholeSave = files.calls;
            break;
        }
    }
    // Three files of create, write, flush; the backup; the note; three renames.
    EXPECT_GE(stepsOfAWholeSave, 3 * 3 + 3 + 3);
}

TEST_F(SaveSet, AFailedFirstSaveLeavesNoFile)
{
    for (int failAt = 1; failAt <= 12; ++failAt) {
        SCOPED_TRACE("failing call " + std::to_string(failAt));
        fs::remove_all(scratch.path);
        fs::create_directories(scratch.path);
        TFailingFileSystem files(failAt);
        bool saved = true;
        {
            TInstalled installed(files);
            try {
                Set().Save(NewSet);
            } catch (const ESaveSetError &) {
                saved = false;
            }
        }
        EXPECT_EQ(SetOnDisk(), saved ? NewSet : std::vector<std::string>(3, ""));
        ExpectNoLeftovers();
    }
}

// The process ends at every step of a save in turn; the next start's recovery
// then finds one whole generation.
TEST_F(SaveSet, ACutOffAtAnyStepLeavesOneWholeGenerationAfterTheNextStart)
{
    for (int cutAt = 1;; ++cutAt) {
        SCOPED_TRACE("cut off before call " + std::to_string(cutAt));
        fs::remove_all(scratch.path);
        fs::create_directories(scratch.path);
        PutSet(OlderSet);
        Set().Save(OldSet);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TCutOffFileSystem files(cutAt);
            TFileSystem::SetCurrent(&files);
            try {
                Set().Save(NewSet);
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        const bool finished = WEXITSTATUS(status) == 1;
        ASSERT_NE(WEXITSTATUS(status), 2);
        Set().Recover();
        const auto onDisk = SetOnDisk();
        EXPECT_TRUE(onDisk == OldSet || onDisk == NewSet) << onDisk[0] << onDisk[1] << onDisk[2];
        ExpectWholeBackups({OlderSet, OldSet});
        ExpectNoLeftovers();
        if (finished) {
            EXPECT_EQ(onDisk, NewSet);
            break;
        }
    }
}

// Saves a minute or two apart keep the five newest backups and the oldest of the hour (or of
// each of two hours, when the saves straddle a full hour), each a whole set.
TEST_F(SaveSet, QuickSavesKeepTheNewestBackupsAndTheOldestOfTheHour)
{
    const int saves = 13;
    for (int generation = 0; generation < saves; ++generation)
        Set().Save({"h" + std::to_string(generation), "f" + std::to_string(generation),
                    "r" + std::to_string(generation)});
    const auto backups = Set().Backups();
    ASSERT_GE(backups.size(), std::size_t(TBackupThinning::RecentKept + 1));
    ASSERT_LE(backups.size(), std::size_t(TBackupThinning::RecentKept + 2));
    // The thinned ones are gone from the disk, not just from the list.
    EXPECT_EQ(std::size_t(std::distance(fs::directory_iterator(Dir() + "backup"),
                                        fs::directory_iterator())),
              backups.size());
    // Generation 12 is on disk; 11 is the newest backup, 7 the fifth, 0 the oldest of all.
    for (int i = 0; i < TBackupThinning::RecentKept; ++i) {
        const std::string n = std::to_string(saves - 2 - i);
        EXPECT_EQ(SetOnDisk(backups[std::size_t(i)]),
                  (std::vector<std::string>{"h" + n, "f" + n, "r" + n}));
    }
    EXPECT_EQ(SetOnDisk(backups.back()), (std::vector<std::string>{"h0", "f0", "r0"}));
}

// Backups older than two weeks go once five newer ones are kept; the thinning goes by when each
// backup was made, which the folder's time tells.
TEST_F(SaveSet, BackupsBeyondTwoWeeksGoOnceFiveNewerAreKept)
{
    // Each backup is aged as it is made: generation 0 is kept 22 days ago, 7 15 days ago.
    const int old = 8;
    const auto now = fs::file_time_type::clock::now();
    for (int generation = 0; generation <= old; ++generation) {
        Set().Save({"h" + std::to_string(generation), "f" + std::to_string(generation),
                    "r" + std::to_string(generation)});
        if (generation > 0)
            fs::last_write_time(Set().Backups().front(),
                                now - std::chrono::hours(24 * (22 - (generation - 1))));
    }
    Set().Save({"new", "new", "new"});
    std::vector<std::string> kept;
    for (const std::string &backup : Set().Backups())
        kept.push_back(SetOnDisk(backup)[0]);
    // The newest backup (generation 8, just made) and generations 7 to 4, 15 to 18 days old.
    EXPECT_EQ(kept, (std::vector<std::string>{"h8", "h7", "h6", "h5", "h4"}));
}

// Restore puts a backup's set in place and keeps the set it replaces as the newest backup;
// nothing leaves the history, however many backups there are.
TEST_F(SaveSet, RestoreBringsABackupBackAndKeepsTheCurrentSetInTheHistory)
{
    for (int generation = 0; generation < 9; ++generation)
        Set().Save({"h" + std::to_string(generation), "f" + std::to_string(generation),
                    "r" + std::to_string(generation)});
    const auto before = Set().Backups();
    const std::string chosen = before.back();
    const auto chosenSet = SetOnDisk(chosen);
    Set().Restore(chosen);
    EXPECT_EQ(SetOnDisk(), chosenSet);
    const auto after = Set().Backups();
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(SetOnDisk(after.front()), (std::vector<std::string>{"h8", "f8", "r8"}));
    for (const std::string &backup : before)
        EXPECT_TRUE(fs::is_directory(backup)) << backup;
    EXPECT_THROW(Set().Restore(Dir() + "backup/missing/"), ESaveSetError);
    EXPECT_EQ(SetOnDisk(), chosenSet);
}

// Saving what is on disk writes nothing and keeps no backup: ten starts without play leave the
// history as it was, and the files are the very files they were.
TEST_F(SaveSet, ASaveOfWhatIsOnDiskWritesNothingAndKeepsNoBackup)
{
    Set().Save(OldSet);
    Set().Save(NewSet);
    ASSERT_EQ(Set().Backups().size(), 1u);
    struct stat before
    {
    };
    ASSERT_EQ(::stat(PathOf(Names[0]).c_str(), &before), 0);
    for (int start = 0; start < 10; ++start)
        Set().Save(NewSet);
    EXPECT_EQ(Set().Backups().size(), 1u);
    struct stat after
    {
    };
    ASSERT_EQ(::stat(PathOf(Names[0]).c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file was written again";
    // One byte more is a change.
    Set().Save({NewSet[0], NewSet[1], NewSet[2] + "."});
    EXPECT_EQ(Set().Backups().size(), 2u);
}

// A save that fails at any step keeps no backup: the old set is still on disk, and retrying on
// a full disk must not push older, different backups out of the history.
TEST_F(SaveSet, AFailedSaveKeepsNoBackup)
{
    for (int failAt = 1;; ++failAt) {
        SCOPED_TRACE("failing call " + std::to_string(failAt));
        fs::remove_all(scratch.path);
        fs::create_directories(scratch.path);
        Set().Save(OlderSet);
        Set().Save(OldSet);
        const auto backups = Set().Backups();
        TFailingFileSystem files(failAt);
        {
            TInstalled installed(files);
            try {
                Set().Save(NewSet);
            } catch (const ESaveSetError &) {
            }
        }
        if (!files.failed)
            break;
        EXPECT_EQ(SetOnDisk(), OldSet);
        EXPECT_EQ(Set().Backups(), backups);
    }
}

TEST_F(SaveSet, AWrongNumberOfContentsIsRefusedBeforeAnythingIsWritten)
{
    PutSet(OldSet);
    EXPECT_THROW(Set().Save({"one", "two"}), std::invalid_argument);
    EXPECT_EQ(SetOnDisk(), OldSet);
    ExpectNoLeftovers();
}

TEST_F(SaveSet, AnIncompleteOldSetIsReplacedButNotKeptAsABackup)
{
    Put(PathOf("tHotel.dht"), "lonely hotels");
    Set().Save(NewSet);
    EXPECT_EQ(SetOnDisk(), NewSet);
    EXPECT_TRUE(Set().Backups().empty());
    ExpectNoLeftovers();
}

TEST_F(SaveSet, SavesThroughSymbolicLinksAndKeepsThem)
{
    fs::create_directory(scratch.path / "elsewhere");
    PutSet(OldSet);
    fs::rename(PathOf("tFloor.dht"), PathOf("elsewhere/floors.dht"));
    fs::create_symlink("elsewhere/floors.dht", PathOf("tFloor.dht"));
    Set().Save(NewSet);
    EXPECT_TRUE(fs::is_symlink(PathOf("tFloor.dht")));
    EXPECT_EQ(Contents(PathOf("elsewhere/floors.dht")), NewSet[1]);
    EXPECT_EQ(SetOnDisk(), NewSet);
    EXPECT_EQ(SetOnDisk(Set().Backups().front()), OldSet);
}

TEST_F(SaveSet, ARefusedFileKeepsTheWholeOldSet)
{
    PutSet(OldSet);
    fs::permissions(PathOf("tRoom.dht"), fs::perms::owner_read | fs::perms::group_read);
    try {
        Set().Save(NewSet);
        FAIL() << "a read-only file was replaced";
    } catch (const ESaveSetError &error) {
        EXPECT_EQ(error.FileName, PathOf("tRoom.dht"));
        EXPECT_EQ(std::string(error.what()).rfind("Cannot create file " + PathOf("tRoom.dht"), 0),
                  0u)
            << error.what();
    }
    EXPECT_EQ(SetOnDisk(), OldSet);
    ExpectNoLeftovers();
}

// The note of renames is followed only when it names the set's own files and their own
// temporaries: a note that names anything else moves and replaces nothing anywhere, stays as it
// is and is reported.
TEST_F(SaveSet, ANoteNamingAnythingButTheSetsOwnFilesIsRefusedAndKept)
{
    const fs::path outside = scratch.path / "outside";
    const std::string victim = (outside / "bashrc").string();
    const std::string thesis = (outside / "thesis.txt").string();
    const std::string ownTemporary = ".tHotel.dht.tmp-1-0";
    struct Case
    {
        const char *name;
        std::string note;
    };
    const Case cases[] = {
        {"a file of its own over a file outside", Dir() + "evil\t" + victim + "\n"},
        {"a file outside moved into the folder", thesis + "\t" + Dir() + "stolen.txt\n"},
        {"a set file's temporary over a file outside", ownTemporary + "\t" + victim + "\n"},
        {"a name leading out of the folder", ownTemporary + "\t../outside/bashrc\n"},
        {"any file over a set file", "notes.txt\ttHotel.dht\n"},
        {"another file's temporary over a set file", ".tFloor.dht.tmp-1-0\ttHotel.dht\n"},
        {"a temporary in another folder", "../outside/" + ownTemporary + "\ttHotel.dht\n"},
        {"a line without a tab", ownTemporary + " tHotel.dht\n"},
        {"a good line, then a bad one",
         ownTemporary + "\ttHotel.dht\n" + thesis + "\t" + Dir() + "stolen.txt\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(scratch.path);
        fs::create_directories(outside);
        PutSet(OldSet);
        Put(victim, "the player's settings");
        Put(thesis, "the player's thesis");
        Put(Dir() + "evil", "planted");
        Put(Dir() + "notes.txt", "planted");
        Put(Dir() + ownTemporary, "new hotels");
        Put(Dir() + ".tFloor.dht.tmp-1-0", "planted");
        Put(outside / ownTemporary, "planted");
        Put(PathOf(TSaveSet::CommitNote), c.note);

        const std::string problem = Set().Recover();
        EXPECT_NE(problem.find("was not followed"), std::string::npos) << problem;
        EXPECT_EQ(Contents(victim), "the player's settings");
        EXPECT_EQ(Contents(thesis), "the player's thesis");
        EXPECT_FALSE(fs::exists(Dir() + "stolen.txt"));
        EXPECT_EQ(SetOnDisk(), OldSet) << "nothing is renamed, not even the good line";
        EXPECT_EQ(Contents(PathOf(TSaveSet::CommitNote)), c.note) << "the note stays";
    }
}

// A note that is a link, or not the player's own file, is not followed either; nor one whose
// temporary is another user's file.
TEST_F(SaveSet, ANoteOrTemporaryThatIsNotThePlayersOwnIsRefused)
{
    const std::string note = PathOf(TSaveSet::CommitNote);
    const std::string temporary = Dir() + ".tHotel.dht.tmp-1-0";
    enum class TFault
    {
        NoteIsALink,
        NoteOfAnotherUser,
        TemporaryOfAnotherUser
    };
    for (const TFault fault :
         {TFault::NoteIsALink, TFault::NoteOfAnotherUser, TFault::TemporaryOfAnotherUser}) {
        SCOPED_TRACE(static_cast<int>(fault));
        fs::remove_all(scratch.path);
        fs::create_directories(scratch.path);
        PutSet(OldSet);
        Put(temporary, "new hotels");
        if (fault == TFault::NoteIsALink) {
            Put(Dir() + "elsewhere", ".tHotel.dht.tmp-1-0\ttHotel.dht\n");
            fs::create_symlink(Dir() + "elsewhere", note);
        } else {
            Put(note, ".tHotel.dht.tmp-1-0\ttHotel.dht\n");
            const std::string &other = fault == TFault::NoteOfAnotherUser ? note : temporary;
            // Only root can give a file away; an ordinary user cannot make this case.
            if (::chown(other.c_str(), 65534, 65534) != 0)
                GTEST_SKIP() << "giving a file to another user needs root";
        }
        const std::string problem = Set().Recover();
        EXPECT_NE(problem.find("was not followed"), std::string::npos) << problem;
        EXPECT_EQ(SetOnDisk(), OldSet);
        EXPECT_TRUE(fs::exists(fs::symlink_status(note)));
    }
}

// A note of an earlier version names full paths; it is still followed when those are the set's
// own files and their temporaries.
TEST_F(SaveSet, ANoteOfFullPathsToTheSetsOwnFilesIsStillFollowed)
{
    PutSet(OldSet);
    std::string note;
    for (std::size_t i = 0; i < Names.size(); ++i) {
        const std::string temporary = Dir() + "." + Names[i] + ".tmp-1-" + std::to_string(i);
        Put(temporary, NewSet[i]);
        note += temporary + "\t" + PathOf(Names[i]) + "\n";
    }
    Put(PathOf(TSaveSet::CommitNote), note);
    EXPECT_EQ(Set().Recover(), "");
    EXPECT_EQ(SetOnDisk(), NewSet);
    ExpectNoLeftovers();
}

TEST_F(SaveSet, RecoveryRemovesOnlyTemporariesThatNoRunningProcessOwns)
{
    // A process id that cannot run: above the kernel's largest.
    const std::string dead = ".tHotel.dht.tmp-99999999-3";
    const std::string ours = ".tRoom.dht.tmp-" + std::to_string(::getpid()) + "-7";
    const std::string running = ".tFloor.dht.tmp-1-0"; // init always runs
    const std::map<std::string, bool> files{
        {dead, false},     {ours, false},     {running, true},       {"tHotel.dht", true},
        {".hidden", true}, {"x.tmp-1", true}, {".a.tmp-12-x", true}, {"notes.txt", true}};
    for (const auto &[name, kept] : files)
        Put(PathOf(name), "bytes");
    fs::create_directories(scratch.path / "backup" / ".unfinished-5-1");
    Set().Recover();
    for (const auto &[name, kept] : files)
        EXPECT_EQ(fs::exists(PathOf(name)), kept) << name;
    EXPECT_FALSE(fs::exists(scratch.path / "backup" / ".unfinished-5-1"));
}

TEST_F(SaveSet, MoveAsideKeepsEveryByteInADatedFolder)
{
    Put(PathOf("tHotel.dht"), std::string("\0damaged\xff", 9));
    Put(PathOf("tRoom.dht"), "rooms");
    const std::string folder = Set().MoveAside("damaged");
    EXPECT_EQ(folder.rfind(Dir() + "damaged-", 0), 0u) << folder;
    // damaged-YYYY-MM-DD-HHMMSS/
    EXPECT_EQ(folder.size(), (Dir() + "damaged-2026-12-10-093000/").size());
    EXPECT_EQ(SetOnDisk(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(SetOnDisk(folder),
              (std::vector<std::string>{std::string("\0damaged\xff", 9), "", "rooms"}));
    // A second one in the same second gets a name of its own.
    Put(PathOf("tFloor.dht"), "floors");
    EXPECT_NE(Set().MoveAside("damaged"), folder);
}

} // namespace
