#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

// The few POSIX calls through which the store creates, fills and replaces
// files. Every call returns what its POSIX namesake returns and leaves errno
// set on failure. Tests put a file system in place that fails a chosen call,
// to show that no failure leaves a save half done.
class TFileSystem
{
public:
    virtual ~TFileSystem() = default;

    // open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode)
    virtual int Create(const std::string &name, mode_t mode);
    virtual ssize_t Write(int descriptor, const void *data, std::size_t size);
    // fsync
    virtual int Flush(int descriptor);
    virtual int Close(int descriptor);
    virtual int Rename(const std::string &from, const std::string &to);
    virtual int Link(const std::string &existing, const std::string &name);
    virtual int MakeDirectory(const std::string &name);

    // The file system the store uses; the plain POSIX one unless a test set another.
    static TFileSystem &Current();
    // Null puts the plain one back.
    static void SetCurrent(TFileSystem *fileSystem);
};
