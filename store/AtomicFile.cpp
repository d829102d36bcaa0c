#include "store/AtomicFile.h"

#include "store/TableStreamError.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

// Makes the rename itself durable; a directory that refuses fsync changes nothing.
void SyncDirectory(const std::string &directory)
{
    const int handle = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

} // namespace

TAtomicFile::TAtomicFile(std::string name) : fileName(std::move(name))
{
    static std::atomic<unsigned> counter{0};
    const std::string directory = DirectoryOf(fileName);
    const std::string prefix =
        directory + "/." + BaseNameOf(fileName) + ".tmp-" + std::to_string(::getpid()) + "-";
    // A file of that name that someone else left behind is never reused.
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporaryName = prefix + std::to_string(counter++);
        descriptor = ::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST) {
            break;
        }
    }
    if (descriptor < 0) {
        temporaryName.clear();
        throw EFCreateError(fileName);
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat old
    {
    };
    if (::stat(fileName.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(descriptor, old.st_mode & 07777);
    }
}

TAtomicFile::~TAtomicFile()
{
    Discard();
}

void TAtomicFile::Write(const void *data, std::size_t size)
{
    const char *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = ::write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            throw EWriteError();
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

void TAtomicFile::Commit()
{
    if (::fsync(descriptor) != 0) {
        throw EWriteError();
    }
    const int handle = descriptor;
    descriptor = -1;
    if (::close(handle) != 0) {
        throw EWriteError();
    }
    if (::rename(temporaryName.c_str(), fileName.c_str()) != 0) {
        throw EFCreateError(fileName);
    }
    temporaryName.clear();
    SyncDirectory(DirectoryOf(fileName));
}

void TAtomicFile::Discard() noexcept
{
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
    if (!temporaryName.empty()) {
        ::unlink(temporaryName.c_str());
        temporaryName.clear();
    }
}
