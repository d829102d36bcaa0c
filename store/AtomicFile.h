#pragma once

#include <cstddef>
#include <string>

// A file replaced only once its new contents are complete: the bytes go to a
// temporary file beside it, which Finish flushes to disk and Replace renames
// over the old name. Until then, and whenever anything fails, the old file
// stays as it was; a temporary file left unreplaced is removed.
//
// A name that is a symbolic link is written through: the file the link points
// to is replaced and the link stays a link. An existing file that its owner
// made read-only is refused, not replaced, and so is a file of another user
// or a link that leads into a folder other users can write (TFolderTrust). Temporary files are
// named
// ".NAME.tmp-PID-N" beside the file they replace.
class TAtomicFile
{
public:
    // Raises EFCreateError naming fileName when the file is read-only or the
    // temporary file cannot be made.
    explicit TAtomicFile(std::string fileName);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile &) = delete;
    TAtomicFile &operator=(const TAtomicFile &) = delete;

    // Appends bytes; raises EWriteError when the disk refuses them.
    void Write(const void *data, std::size_t size);
    // Flushes the bytes to disk and closes the temporary file; EWriteError on failure.
    void Finish();
    // Renames the finished temporary file over the file; EFCreateError on failure.
    void Replace();
    // Finish, then Replace.
    void Commit();
    // Leaves the finished temporary file on disk when the object goes, for a
    // replacement that a later start completes.
    void KeepTemporary() noexcept { temporaryName_.clear(); }

    const std::string &FileName() const { return fileName_; }
    // The file that Replace replaces: the file name with its symbolic links followed.
    const std::string &TargetName() const { return targetName_; }
    const std::string &TemporaryName() const { return temporaryName_; }

    // Whether a base name is one the class gives its temporary files, and the
    // process that made it.
    static bool IsTemporaryName(const std::string &baseName, long *processId = nullptr);
    // The name with every symbolic link of its last part followed.
    static std::string FollowLinks(const std::string &fileName);
    // Makes a write past the process's file-size limit (ulimit -f) fail with its error, as any
    // other failed write does, instead of ending the process by SIGXFSZ. Programs that save call
    // it once at start.
    static void IgnoreFileSizeSignal();
    // Makes the renames and removals in a folder durable, as fsync makes a file's bytes; a
    // folder that refuses it changes nothing.
    static void SyncDirectory(const std::string &directory);

private:
    void Discard() noexcept;

    std::string fileName_;
    std::string targetName_;
    std::string temporaryName_;
    int descriptor_ = -1;
};
