// The X session with a stand-in for Xvfb placed first on PATH: it announces a
// display nobody serves and then waits like a server, so opening the display
// fails after the server process has started.
#include "XSession.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class XSessionStartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("xsession-test-" + std::to_string(getpid()));
        fs::create_directories(dir_);
        pidFile_ = dir_ / "server.pid";
        const fs::path fake = dir_ / "Xvfb";
        // Arguments as the session passes them: -displayfd FD ...
        std::ofstream(fake) << "#!/bin/sh\n"
                            << "echo $$ > '" << pidFile_.string() << "'\n"
                            << "echo 64999 > /dev/fd/$2\n"
                            << "exec sleep 30\n";
        fs::permissions(fake, fs::perms::owner_all);
        const char *path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        setenv("PATH", (dir_.string() + ":" + savedPath_).c_str(), 1);
    }

    void TearDown() override
    {
        setenv("PATH", savedPath_.c_str(), 1);
        // A server left behind by a faulty session is ended here, not by the test run's end.
        const pid_t pid = ServerPid();
        if (pid > 0 && kill(pid, SIGKILL) == 0)
            waitpid(pid, nullptr, 0);
        fs::remove_all(dir_);
    }

    pid_t ServerPid() const
    {
        std::ifstream in(pidFile_);
        pid_t pid = 0;
        in >> pid;
        return pid;
    }

    fs::path dir_;
    fs::path pidFile_;
    std::string savedPath_;
};

TEST_F(XSessionStartTest, ServerIsEndedWhenTheDisplayCannotBeOpened)
{
    EXPECT_THROW(XSession session, std::runtime_error);
    const pid_t server = ServerPid();
    ASSERT_GT(server, 0) << "the stand-in server never ran";
    // Ended and reaped: no process, not even a zombie, is left with its id.
    const int signalled = kill(server, 0);
    const int error = errno;
    EXPECT_EQ(signalled, -1);
    EXPECT_EQ(error, ESRCH);
}

} // namespace
