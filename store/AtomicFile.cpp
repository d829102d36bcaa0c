#include "store/AtomicFile.h"

#include "store/FileSystem.h"
#include "store/FolderTrust.h"
#include "store/TableStreamError.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Linux gives up on a chain of links after as many.
constexpr int MaxLinksFollowed = 40;
constexpr int MaxNameAttempts = 100;
const char *const TemporaryMark = ".tmp-";

std::string DirectoryOf(const std::string &fileName)
{
    const auto slash = fileName.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

std::string BaseNameOf(const std::string &fileName)
{
    const auto slash = fileName.rfind('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

std::string ErrorText(int error)
{
    return std::strerror(error);
}

bool AllDigits(const std::string &text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

std::string TAtomicFile::FollowLinks(const std::string &fileName)
{
    std::string name = fileName;
    for (int hop = 0; hop < MaxLinksFollowed; ++hop) {
        struct stat info
        {
        };
        if (::lstat(name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return name;
        }
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096), '\0');
        const ssize_t length = ::readlink(name.c_str(), target.data(), target.size());
        if (length <= 0) {
            return name;
        }
        target.resize(static_cast<std::size_t>(length));
        name = target.front() == '/' ? target : DirectoryOf(name) + "/" + target;
    }
    return name;
}

bool TAtomicFile::IsTemporaryName(const std::string &baseName, long *processId)
{
    // ".NAME.tmp-PID-N"
    if (baseName.size() < 2 || baseName.front() != '.') {
        return false;
    }
    const auto mark = baseName.rfind(TemporaryMark);
    if (mark == std::string::npos || mark < 2) {
        return false;
    }
    const std::string numbers = baseName.substr(mark + std::strlen(TemporaryMark));
    const auto dash = numbers.find('-');
    if (dash == std::string::npos || !AllDigits(numbers.substr(0, dash)) ||
        !AllDigits(numbers.substr(dash + 1)) || dash > 9) {
        return false;
    }
    if (processId != nullptr) {
        *processId = std::stol(numbers.substr(0, dash));
    }
    return true;
}

TAtomicFile::TAtomicFile(std::string name)
    : fileName_(std::move(name)), targetName_(FollowLinks(fileName_))
{
    static std::atomic<unsigned> counter{0};
    struct stat old
    {
    };
    const bool exists = ::stat(targetName_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    // A file the player made read-only is theirs to keep, also for a user
    // who could write it all the same.
    if (exists && (::access(targetName_.c_str(), W_OK) != 0 ||
                   (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        throw EFCreateError(fileName_, "the file is read-only");
    }
    // Another user's file, or a link into a folder others can write, would let them choose what
    // the save overwrites.
    if (const std::string problem = TFolderTrust::FileProblem(fileName_); !problem.empty())
        throw EFCreateError(fileName_, problem);
    TFileSystem &files = TFileSystem::Current();
    const std::string prefix = DirectoryOf(targetName_) + "/." + BaseNameOf(targetName_) +
                               TemporaryMark + std::to_string(::getpid()) + "-";
    // A file of that name that someone else left behind is never reused.
    int error = 0;
    for (int attempt = 0; attempt < MaxNameAttempts && descriptor_ < 0; ++attempt) {
        temporaryName_ = prefix + std::to_string(counter++);
        descriptor_ = files.Create(temporaryName_, 0666);
        error = errno;
        if (descriptor_ < 0 && error != EEXIST) {
            break;
        }
    }
    if (descriptor_ < 0) {
        temporaryName_.clear();
        throw EFCreateError(fileName_, ErrorText(error));
    }
    // The new file keeps the permissions of the one it replaces.
    if (exists) {
        ::fchmod(descriptor_, old.st_mode & 07777);
    }
}

TAtomicFile::~TAtomicFile()
{
    Discard();
}

void TAtomicFile::Write(const void *data, std::size_t size)
{
    TFileSystem &files = TFileSystem::Current();
    const char *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = files.Write(descriptor_, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            throw EWriteError(written < 0 ? ErrorText(errno) : ErrorText(ENOSPC));
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

void TAtomicFile::Finish()
{
    TFileSystem &files = TFileSystem::Current();
    if (files.Flush(descriptor_) != 0) {
        throw EWriteError(ErrorText(errno));
    }
    const int handle = descriptor_;
    descriptor_ = -1;
    if (files.Close(handle) != 0) {
        throw EWriteError(ErrorText(errno));
    }
}

void TAtomicFile::Replace()
{
    if (TFileSystem::Current().Rename(temporaryName_, targetName_) != 0) {
        throw EFCreateError(fileName_, ErrorText(errno));
    }
    temporaryName_.clear();
    SyncDirectory(DirectoryOf(targetName_));
}

void TAtomicFile::Commit()
{
    Finish();
    Replace();
}

void TAtomicFile::Discard() noexcept
{
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporaryName_.empty()) {
        ::unlink(temporaryName_.c_str());
        temporaryName_.clear();
    }
}

void TAtomicFile::IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

void TAtomicFile::SyncDirectory(const std::string &directory)
{
    const int handle = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}
