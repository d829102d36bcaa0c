#pragma once

#include <cstddef>
#include <string>

// A file replaced only once its new contents are complete: the bytes go to a
// temporary file beside it, which Commit flushes to disk and renames over the
// old name. Until then, and whenever anything fails, the old file stays as it
// was; a temporary file left uncommitted is removed.
class TAtomicFile
{
public:
    // Raises EFCreateError naming fileName when the temporary file cannot be made.
    explicit TAtomicFile(std::string fileName);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile &) = delete;
    TAtomicFile &operator=(const TAtomicFile &) = delete;

    // Appends bytes; raises EWriteError when the disk refuses them.
    void Write(const void *data, std::size_t size);
    // Flushes, closes and renames into place; EWriteError or EFCreateError on failure.
    void Commit();

    const std::string &TemporaryName() const { return temporaryName; }

private:
    void Discard() noexcept;

    std::string fileName;
    std::string temporaryName;
    int descriptor = -1;
};
