#include "store/AtomicFile.h"

#include "TableFileTestSupport.h"
#include "store/TableStreamError.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class AtomicFile : public TScratchTest
{
protected:
    void WriteOld(const std::string &text) const { TScratchDirectory::Put(file, text); }

    const fs::path directory = scratch.path;
    const std::string file = scratch.PathOf("tHotel.dht");
};

TEST_F(AtomicFile, ReplacesTheOldFileOnCommit)
{
    WriteOld("old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    {
        TAtomicFile out(file);
        out.Write("new contents", 12);
        EXPECT_EQ(Contents(file), "old");
        out.Commit();
    }
    EXPECT_EQ(Contents(file), "new contents");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFile, AbandonedWriteKeepsTheOldFileAndLeavesNoTemporary)
{
    WriteOld("old");
    {
        TAtomicFile out(file);
        out.Write("half", 4);
    }
    EXPECT_EQ(Contents(file), "old");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFile, FailsToCreateInAMissingDirectory)
{
    const std::string missing = (directory / "nowhere" / "tRoom.dht").string();
    try {
        TAtomicFile out(missing);
        FAIL();
    } catch (const EFCreateError &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + missing);
    }
}

TEST_F(AtomicFile, FailedRenameKeepsWhatIsThere)
{
    // A directory of the file's name cannot be replaced by a file.
    fs::create_directory(file);
    try {
        TAtomicFile out(file);
        out.Write("x", 1);
        out.Commit();
        FAIL();
    } catch (const EFCreateError &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + file);
    }
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFile, RefusedBytesAreAWriteErrorAndKeepTheOldFile)
{
    // A file-size limit makes the disk refuse bytes the way a full disk does.
    WriteOld("old");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto *previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string message;
    try {
        TAtomicFile out(file);
        out.Write(std::string(64, 'x').data(), 64);
        out.Commit();
    } catch (const EStreamError &error) {
        message = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(message, "Stream write error");
    EXPECT_EQ(Contents(file), "old");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFile, WritesThroughASymbolicLinkAndKeepsTheLink)
{
    fs::create_directory(directory / "saves");
    TScratchDirectory::Put((directory / "saves" / "hotels.dht").string(), "old");
    fs::create_symlink("saves/hotels.dht", file);
    {
        TAtomicFile out(file);
        out.Write("new", 3);
        out.Commit();
    }
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(fs::read_symlink(file), "saves/hotels.dht");
    EXPECT_EQ(Contents((directory / "saves" / "hotels.dht").string()), "new");
    EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(AtomicFile, ADanglingLinkGetsItsFileMade)
{
    fs::create_symlink("made-later.dht", file);
    {
        TAtomicFile out(file);
        out.Write("new", 3);
        out.Commit();
    }
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(Contents((directory / "made-later.dht").string()), "new");
}

TEST_F(AtomicFile, AReadOnlyFileIsRefusedAndKept)
{
    WriteOld("old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    try {
        TAtomicFile out(file);
        FAIL() << "a read-only file was replaced";
    } catch (const EFCreateError &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + file);
        EXPECT_EQ(error.Reason, "the file is read-only");
    }
    EXPECT_EQ(Contents(file), "old");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFile, TellsItsTemporaryNamesApart)
{
    struct Case
    {
        const char *name;
        bool temporary;
        long processId;
    };
    const Case cases[] = {
        {".tHotel.dht.tmp-123-0", true, 123},
        {".x.tmp-1-99", true, 1},
        {"tHotel.dht.tmp-123-0", false, 0},
        {".tHotel.dht.tmp-123", false, 0},
        {".tHotel.dht.tmp-12a-0", false, 0},
        {".tHotel.dht.tmp--0", false, 0},
        {".tmp-1-2", false, 0},
        {".tHotel.dht", false, 0},
        // A process number has nine digits at the most.
        {".t.tmp-123456789-0", true, 123456789},
        {".t.tmp-1234567890-0", false, 0},
    };
    for (const Case &c : cases) {
        long processId = 0;
        EXPECT_EQ(TAtomicFile::IsTemporaryName(c.name, &processId), c.temporary) << c.name;
        EXPECT_EQ(processId, c.processId) << c.name;
    }
    TAtomicFile out(file);
    EXPECT_TRUE(TAtomicFile::IsTemporaryName(fs::path(out.TemporaryName()).filename().string()));
}

} // namespace
