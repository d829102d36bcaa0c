#include "store/SaveFolderLock.h"

#include "TableFileTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The uid of nobody on Debian: an owner the test process is not.
constexpr uid_t OtherUser = 65534;

class SaveFolderLockTest : public TScratchTest
{
protected:
    std::string Folder() const { return scratch.path.string(); }
    std::string LockFile() const { return PathOf(TSaveFolderLock::LockFileName); }
};

TEST_F(SaveFolderLockTest, TheFirstHolderKeepsTheFolderUntilItLetsGo)
{
    auto first = std::make_unique<TSaveFolderLock>(Folder());
    EXPECT_EQ(first->State(), TSaveFolderLock::TState::Held) << first->Problem();
    // Another game's attempt, as a second start makes it.
    TSaveFolderLock second(Folder());
    EXPECT_EQ(second.State(), TSaveFolderLock::TState::HeldElsewhere);
    EXPECT_EQ(second.Problem(), "") << "held elsewhere is no problem of the folder";
    EXPECT_TRUE(TSaveFolderLock::HeldByAnother(Folder()));

    first.reset();
    EXPECT_FALSE(TSaveFolderLock::HeldByAnother(Folder()));
    TSaveFolderLock third(Folder());
    EXPECT_EQ(third.State(), TSaveFolderLock::TState::Held);
    EXPECT_TRUE(fs::is_regular_file(LockFile())) << "the lock file stays for the next start";
}

TEST_F(SaveFolderLockTest, AGameThatDiedHoldingTheFolderDoesNotBlockTheNextStart)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TSaveFolderLock held(Folder());
        const char state = held.State() == TSaveFolderLock::TState::Held ? 'H' : '-';
        (void)!::write(ready[1], &state, 1);
        ::pause();
        ::_exit(0);
    }
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    EXPECT_EQ(state, 'H');
    EXPECT_TRUE(TSaveFolderLock::HeldByAnother(Folder()));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]);
    ::close(ready[1]);

    EXPECT_FALSE(TSaveFolderLock::HeldByAnother(Folder()));
    TSaveFolderLock next(Folder());
    EXPECT_EQ(next.State(), TSaveFolderLock::TState::Held);
}

TEST_F(SaveFolderLockTest, AskingWhetherAFolderIsHeldMakesNoLockFile)
{
    EXPECT_FALSE(TSaveFolderLock::HeldByAnother(Folder()));
    EXPECT_FALSE(fs::exists(LockFile()));
}

TEST_F(SaveFolderLockTest, APlantedLinkIsNotFollowedAndItsTargetStaysUntouched)
{
    const std::string target = PathOf("players-file");
    Put(target, "keep me");
    fs::create_symlink(target, LockFile());
    TSaveFolderLock lock(Folder());
    EXPECT_EQ(lock.State(), TSaveFolderLock::TState::Unavailable);
    EXPECT_NE(lock.Problem().find(TSaveFolderLock::LockFileName), std::string::npos)
        << lock.Problem();
    EXPECT_EQ(Contents(target), "keep me");
}

TEST_F(SaveFolderLockTest, ALockFileOfAnotherUserIsNotTrusted)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a file of another user needs root";
    Put(LockFile(), "");
    ASSERT_EQ(::chown(LockFile().c_str(), OtherUser, OtherUser), 0);
    TSaveFolderLock lock(Folder());
    EXPECT_EQ(lock.State(), TSaveFolderLock::TState::Unavailable);
    EXPECT_NE(lock.Problem().find("not a regular file of the player's own"), std::string::npos)
        << lock.Problem();
}

TEST_F(SaveFolderLockTest, AFolderThatCannotBeWrittenCannotBeHeld)
{
    TSaveFolderLock lock(PathOf("missing"));
    EXPECT_EQ(lock.State(), TSaveFolderLock::TState::Unavailable);
    EXPECT_NE(lock.Problem().find("No such file or directory"), std::string::npos)
        << lock.Problem();
}

} // namespace
