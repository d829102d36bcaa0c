#pragma once

#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

// A save that did not happen: the file it stopped at and why.
class ESaveSetError : public std::runtime_error
{
public:
    ESaveSetError(std::string fileName, const std::string &message)
        : std::runtime_error(message), FileName(std::move(fileName))
    {
    }
    std::string FileName;
};

// Files of one directory that belong together and are replaced together:
// either every file of the set is the new one or every file is the old one.
//
// Save writes and flushes every new file to a temporary file first; only when
// all are complete does it keep the set they replace as the newest backup and
// rename them over the old names, in one pass, after writing down which
// renames it is about to make. A start that finds that note completes the
// renames (Recover), so even a save cut off by a power failure leaves one
// whole set. A failure before the renames removes the temporary files; a
// failed rename puts back the files already renamed.
//
// Backups live in "backup/" beside the files, one folder per set, named after
// the local time of the save; only complete sets appear there under their
// own name, and they thin out with age (TBackupThinning).
class TSaveSet
{
public:
    static constexpr const char *BackupFolder = "backup";
    // The note of renames to make; it exists only while a save renames.
    static constexpr const char *CommitNote = ".tamsel-save-commit";

    // directory with or without a trailing '/'; names are the files' base names.
    TSaveSet(std::string directory, std::vector<std::string> names);

    const std::string &Directory() const { return directory_; }
    const std::vector<std::string> &Names() const { return names_; }
    std::string PathOf(const std::string &name) const { return directory_ + name; }

    // The new contents of the files, in the order of the names; ESaveSetError
    // when anything fails, and then the old set is on disk as it was. Neither a
    // save of what is on disk already nor a failed one adds a backup.
    void Save(const std::vector<std::string> &contents);

    // At start: completes a save whose renames were cut off, and removes what an
    // interrupted save left (temporary files of the store's naming beside the
    // files, unfinished backup folders). The note of renames is followed only
    // when it is the player's own regular file and names nothing but the set's
    // own files and their temporaries; otherwise it is left in place, nothing is
    // renamed, and the returned text says why (empty when all went well).
    std::string Recover();

    struct TBackup
    {
        // With a trailing '/'.
        std::string Folder;
        // When the save that replaced the set was made.
        std::time_t Written = 0;
    };
    // The complete backups, newest first.
    std::vector<TBackup> History() const;
    // Their folders, each with a trailing '/'.
    std::vector<std::string> Backups() const;

    // Puts the set of a backup folder back in place as a save does, so that the set it replaces
    // joins the history; no backup is removed. ESaveSetError when it cannot be read or saved.
    void Restore(const std::string &backupFolder);

    // Moves the files of the set that exist, as they are, into a new folder
    // "PREFIX-YYYY-MM-DD-HHMMSS/" beside them and returns its path with a
    // trailing '/'; ESaveSetError when they could not be moved (what was moved
    // stays moved).
    std::string MoveAside(const std::string &prefix);

private:
    std::string FollowNote();
    bool OnDisk(const std::vector<std::string> &contents) const;
    bool NoteLine(const std::string &line, std::string &temporary, std::string &target) const;
    std::string KeepReplacedSet(const std::vector<std::string> &targets, bool &published);
    void PutBack(const std::vector<std::string> &targets, std::size_t renamed,
                 const std::string &snapshot);
    void Write(const std::vector<std::string> &contents, bool thin);
    void PruneBackups();
    std::string NewFolderName(const std::string &parent, const std::string &prefix) const;

    std::string directory_;
    std::vector<std::string> names_;
};
