#include "store/FolderTrust.h"

#include "TableFileTestSupport.h"

#include <filesystem>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// nobody and nogroup on Debian: an owner and a group the test process is not.
constexpr uid_t OtherUser = 65534;
constexpr gid_t OtherGroup = 65534;

bool Root()
{
    return ::geteuid() == 0;
}

class FolderTrustTest : public TScratchTest
{
protected:
    std::string Folder(const std::string &name, mode_t mode)
    {
        const std::string path = PathOf(name);
        fs::create_directories(path);
        ::chmod(path.c_str(), mode);
        return path;
    }
};

struct TFolderCase
{
    const char *name;
    mode_t mode;
    bool needsRoot;
    // Makes the folder another's after it is made.
    std::function<void(const std::string &)> change;
    // Empty when the folder is trusted.
    const char *problem;
};

TEST_F(FolderTrustTest, OnlyAFolderOfThePlayersThatNoOtherUserCanWriteIsTrusted)
{
    const auto nothing = [](const std::string &) {};
    const TFolderCase cases[] = {
        {"own, private", 0700, false, nothing, ""},
        {"own, readable by all", 0755, false, nothing, ""},
        {"writable by all", 0777, false, nothing, "can be written by every user"},
        {"sticky and writable by all", 01777, false, nothing, "can be written by every user"},
        {"writable by a shared group", 0775, true,
         [](const std::string &path) { (void)!::chown(path.c_str(), ::geteuid(), OtherGroup); },
         "can be written by other users of its group"},
        {"another user's", 0755, true,
         [](const std::string &path) { (void)!::chown(path.c_str(), OtherUser, OtherGroup); },
         "is not the player's own folder"},
    };
    for (const TFolderCase &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && !Root())
            continue;
        const std::string folder = Folder(c.name, c.mode);
        c.change(folder);
        const std::string problem = TFolderTrust::FolderProblem(folder);
        if (*c.problem == '\0')
            EXPECT_EQ(problem, "");
        else
            EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }
    // A folder writable by the player's own private group (Debian's umask 002) is the player's.
    const passwd *player = ::getpwuid(::geteuid());
    const group *own = ::getgrgid(::getegid());
    if (player != nullptr && own != nullptr && player->pw_gid == ::getegid() &&
        std::string(own->gr_name) == player->pw_name && own->gr_mem[0] == nullptr) {
        const std::string shared = Folder("own group", 0775);
        ASSERT_EQ(::chown(shared.c_str(), ::geteuid(), ::getegid()), 0);
        EXPECT_EQ(TFolderTrust::FolderProblem(shared), "");
    }
    EXPECT_NE(TFolderTrust::FolderProblem(PathOf("missing")), "");
    Put(PathOf("plain"), "x");
    EXPECT_NE(TFolderTrust::FolderProblem(PathOf("plain")).find("is not a folder"),
              std::string::npos);
}

// A link the player made into a folder of their own keeps working; one that leads, on any step,
// into a folder others can write is refused, as is a file of another user.
TEST_F(FolderTrustTest, AFileMustBeThePlayersAndEveryLinkLeadIntoATrustedFolder)
{
    const std::string own = Folder("own", 0755);
    const std::string open = Folder("open", 0777);
    Put(own + "/table", "t");
    Put(open + "/table", "t");
    fs::create_symlink(own + "/table", own + "/to-own");
    fs::create_symlink(open + "/table", own + "/to-open");
    fs::create_symlink("../own/table", open + "/relay");
    fs::create_symlink(open + "/relay", own + "/via-open");
    fs::create_symlink(open + "/not-yet", own + "/dangling-into-open");
    const struct
    {
        const char *file;
        const char *problem;
    } cases[] = {
        {"own/table", ""},
        {"own/missing", ""},
        {"own/to-own", ""},
        {"own/to-open", "leads to"},
        {"own/via-open", "leads to"},
        {"own/dangling-into-open", "leads to"},
        // The name's own folder is the caller's to judge; only where links lead is judged here.
        {"open/relay", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const std::string problem = TFolderTrust::FileProblem(PathOf(c.file));
        if (*c.problem == '\0')
            EXPECT_EQ(problem, "");
        else
            EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }
    if (!Root())
        GTEST_SKIP() << "a file of another user needs root to make";
    ASSERT_EQ(::chown((own + "/table").c_str(), OtherUser, OtherGroup), 0);
    EXPECT_NE(TFolderTrust::FileProblem(own + "/table").find("is not the player's own file"),
              std::string::npos);
    EXPECT_NE(TFolderTrust::FileProblem(own + "/to-own"), "") << "nor through a link";
}

} // namespace
