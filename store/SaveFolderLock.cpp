#include "store/SaveFolderLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string LockPath(const std::string &directory)
{
    std::string path = directory;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + TSaveFolderLock::LockFileName;
}

constexpr mode_t LockFileMode = 0600;

} // namespace

TSaveFolderLock::TSaveFolderLock(const std::string &directory)
{
    const std::string path = LockPath(directory);
    descriptor_ =
        ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, LockFileMode);
    if (descriptor_ < 0) {
        problem_ = path + ": " + std::strerror(errno);
        return;
    }
    struct stat info
    {
    };
    // A lock file another user planted would let them hold the folder against the player.
    if (::fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        problem_ = path + ": not a regular file of the player's own";
        ::close(descriptor_);
        descriptor_ = -1;
        return;
    }
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) {
        state_ = TState::Held;
        return;
    }
    const int error = errno;
    ::close(descriptor_);
    descriptor_ = -1;
    if (error == EWOULDBLOCK) {
        state_ = TState::HeldElsewhere;
        return;
    }
    problem_ = path + ": " + std::strerror(error);
}

TSaveFolderLock::~TSaveFolderLock()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

bool TSaveFolderLock::HeldByAnother(const std::string &directory)
{
    const int descriptor =
        ::open(LockPath(directory).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool held = ::flock(descriptor, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(descriptor);
    return held;
}
