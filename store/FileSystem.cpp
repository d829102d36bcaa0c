#include "store/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TFileSystem plainFileSystem;
TFileSystem *currentFileSystem = &plainFileSystem;

} // namespace

int TFileSystem::Create(const std::string &name, mode_t mode)
{
    return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}

ssize_t TFileSystem::Write(int descriptor, const void *data, std::size_t size)
{
    return ::write(descriptor, data, size);
}

int TFileSystem::Flush(int descriptor)
{
    return ::fsync(descriptor);
}

int TFileSystem::Close(int descriptor)
{
    return ::close(descriptor);
}

int TFileSystem::Rename(const std::string &from, const std::string &to)
{
    return ::rename(from.c_str(), to.c_str());
}

int TFileSystem::Link(const std::string &existing, const std::string &name)
{
    return ::link(existing.c_str(), name.c_str());
}

int TFileSystem::MakeDirectory(const std::string &name)
{
    return ::mkdir(name.c_str(), 0777);
}

TFileSystem &TFileSystem::Current()
{
    return *currentFileSystem;
}

void TFileSystem::SetCurrent(TFileSystem *fileSystem)
{
    currentFileSystem = fileSystem != nullptr ? fileSystem : &plainFileSystem;
}
