#include "store/SaveSet.h"

#include "store/AtomicFile.h"
#include "store/BackupThinning.h"
#include "store/FileSystem.h"
#include "store/TableStreamError.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Folders in backup/ whose name starts so are unfinished or on their way out.
const char *const UnfinishedPrefix = ".unfinished-";

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string DirectoryOf(const std::string &fileName)
{
    const auto slash = fileName.rfind('/');
    return slash == std::string::npos ? std::string(".") : fileName.substr(0, slash + 1);
}

std::string BaseNameOf(const std::string &fileName)
{
    const auto slash = fileName.rfind('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

// A note lists a few lines of names: anything longer is not one the game wrote.
constexpr std::size_t MaxNoteSize = 64 * 1024;

std::string Describe(const EStreamError &error)
{
    return error.Reason.empty() ? std::string(error.what())
                                : std::string(error.what()) + " (" + error.Reason + ")";
}

std::string SystemError(const char *what, int error)
{
    return std::string(what) + " (" + std::strerror(error) + ")";
}

bool IsRegularFile(const std::string &name)
{
    struct stat info
    {
    };
    return ::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool Exists(const std::string &name)
{
    struct stat info
    {
    };
    return ::lstat(name.c_str(), &info) == 0;
}

std::string LocalStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d-%H%M%S", &local);
    return text;
}

// The backup's time is the time of this process's clock, which also names the folder: the
// history is ordered and thinned by one clock, also when a test runs the game on a faster one.
void StampWithNow(const std::string &folder)
{
    struct timespec now
    {
    };
    ::clock_gettime(CLOCK_REALTIME, &now);
    const struct timespec times[2] = {now, now};
    ::utimensat(AT_FDCWD, folder.c_str(), times, 0);
}

std::string UniqueSuffix()
{
    static std::atomic<unsigned> counter{0};
    return std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// A copy for a backup where the file system cannot link (another device).
void CopyFile(const std::string &from, const std::string &to)
{
    std::ifstream in(from, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in && !in.eof())
        throw EFCreateError(to, "the file could not be read");
    const std::string text = bytes.str();
    TAtomicFile out(to);
    out.Write(text.data(), text.size());
    out.Commit();
}

void RemoveAllQuietly(const std::string &path)
{
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

// A process that no longer runs left the temporary file behind; our own
// process has none open at start.
bool LeftBehind(long processId)
{
    if (processId == static_cast<long>(::getpid()))
        return true;
    return processId <= 0 || (::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH);
}

} // namespace

TSaveSet::TSaveSet(std::string directory, std::vector<std::string> names)
    : directory_(WithSlash(std::move(directory))), names_(std::move(names))
{
}

// Whether every file of the set already holds exactly these contents.
bool TSaveSet::OnDisk(const std::vector<std::string> &contents) const
{
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const std::string path = TAtomicFile::FollowLinks(PathOf(names_[i]));
        if (!IsRegularFile(path))
            return false;
        std::ifstream in(path, std::ios::binary);
        std::string bytes(contents[i].size() + 1, '\0');
        in.read(bytes.data(), std::streamsize(bytes.size()));
        if (!in.eof() || std::size_t(in.gcount()) != contents[i].size() ||
            bytes.compare(0, contents[i].size(), contents[i]) != 0)
            return false;
    }
    return true;
}

void TSaveSet::Save(const std::vector<std::string> &contents)
{
    Write(contents, true);
}

void TSaveSet::Restore(const std::string &backupFolder)
{
    std::vector<std::string> contents;
    for (const std::string &name : names_) {
        const std::string path = WithSlash(backupFolder) + name;
        std::ifstream in(path, std::ios::binary);
        if (!in)
            throw ESaveSetError(path, SystemError("Cannot open file", errno));
        contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad())
            throw ESaveSetError(path, SystemError("Cannot read file", errno));
    }
    Write(contents, false);
}

void TSaveSet::Write(const std::vector<std::string> &contents, bool thin)
{
    if (contents.size() != names_.size())
        throw std::invalid_argument("a save set needs one content per file");
    // A save of what is there already writes nothing, so it keeps no backup of itself either.
    if (OnDisk(contents))
        return;
    // 1. Every new file complete and on disk before anything is replaced.
    std::vector<std::unique_ptr<TAtomicFile>> files;
    std::vector<std::string> targets;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const std::string path = PathOf(names_[i]);
        try {
            files.push_back(std::make_unique<TAtomicFile>(path));
            files.back()->Write(contents[i].data(), contents[i].size());
            files.back()->Finish();
        } catch (const EStreamError &error) {
            throw ESaveSetError(path, Describe(error));
        }
        targets.push_back(files.back()->TargetName());
    }
    // 2. The set being replaced becomes the newest backup.
    bool published = false;
    const std::string snapshot = KeepReplacedSet(targets, published);
    // 3. The note that lets a later start finish the renames.
    const std::string note = PathOf(CommitNote);
    try {
        std::string text;
        // Bare names: a start follows only renames of the set's own files, each beside the file
        // its name leads to.
        for (std::size_t i = 0; i < files.size(); ++i)
            text += BaseNameOf(files[i]->TemporaryName()) + '\t' + names_[i] + '\n';
        TAtomicFile out(note);
        out.Write(text.data(), text.size());
        out.Commit();
    } catch (const EStreamError &error) {
        // Nothing was replaced: the old set is on disk, and a backup of it would be a copy.
        RemoveAllQuietly(snapshot);
        throw ESaveSetError(note, Describe(error));
    }
    // 4. The renames, in one pass.
    for (std::size_t i = 0; i < files.size(); ++i) {
        try {
            files[i]->Replace();
        } catch (const EStreamError &error) {
            try {
                PutBack(targets, i, snapshot);
            } catch (const std::exception &) {
                // The old set cannot be put back: the next start completes the new one.
                for (auto &file : files)
                    file->KeepTemporary();
                throw ESaveSetError(PathOf(names_[i]), Describe(error));
            }
            ::unlink(note.c_str());
            // The old set is back on disk: a failed save keeps no backup of it.
            RemoveAllQuietly(snapshot);
            throw ESaveSetError(PathOf(names_[i]), Describe(error));
        }
    }
    ::unlink(note.c_str());
    if (!published)
        RemoveAllQuietly(snapshot);
    if (thin)
        PruneBackups();
}

// Links (or, across devices, copies) the files about to be replaced into a
// folder of their own, which becomes a backup under its dated name when the
// set was complete. Returns the folder, empty when there was nothing to keep.
std::string TSaveSet::KeepReplacedSet(const std::vector<std::string> &targets, bool &published)
{
    published = false;
    const bool anyOld = std::any_of(targets.begin(), targets.end(), IsRegularFile);
    if (!anyOld)
        return {};
    const bool complete = std::all_of(targets.begin(), targets.end(), IsRegularFile);
    TFileSystem &files = TFileSystem::Current();
    const std::string backups = directory_ + BackupFolder + "/";
    if (files.MakeDirectory(backups) != 0 && errno != EEXIST)
        throw ESaveSetError(backups, SystemError("Cannot create folder", errno));
    const std::string staging = backups + UnfinishedPrefix + UniqueSuffix() + "/";
    if (files.MakeDirectory(staging) != 0)
        throw ESaveSetError(backups, SystemError("Cannot create folder", errno));
    try {
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (!IsRegularFile(targets[i]))
                continue;
            const std::string copy = staging + names_[i];
            if (files.Link(targets[i], copy) != 0) {
                const int error = errno;
                if (error != EXDEV && error != EPERM)
                    throw ESaveSetError(copy, SystemError("Cannot create file", error));
                try {
                    CopyFile(targets[i], copy);
                } catch (const EStreamError &failure) {
                    throw ESaveSetError(copy, Describe(failure));
                }
            }
        }
        if (!complete)
            return staging;
        // The backup must be on disk before the renames make it the only copy of the old set.
        TAtomicFile::SyncDirectory(staging);
        const std::string dated = NewFolderName(backups, "");
        if (files.Rename(staging, dated) != 0)
            throw ESaveSetError(dated, SystemError("Cannot create folder", errno));
        StampWithNow(dated);
        TAtomicFile::SyncDirectory(backups);
        published = true;
        return WithSlash(dated);
    } catch (...) {
        RemoveAllQuietly(staging);
        throw;
    }
}

// Undoes the first `renamed` renames of a save: each file gets back what the
// snapshot holds of it, or goes when it did not exist before.
void TSaveSet::PutBack(const std::vector<std::string> &targets, std::size_t renamed,
                       const std::string &snapshot)
{
    TFileSystem &files = TFileSystem::Current();
    for (std::size_t i = 0; i < renamed; ++i) {
        const std::string kept = snapshot.empty() ? std::string() : snapshot + names_[i];
        if (kept.empty() || !IsRegularFile(kept)) {
            if (::unlink(targets[i].c_str()) != 0 && errno != ENOENT)
                throw ESaveSetError(targets[i], SystemError("Cannot remove file", errno));
            continue;
        }
        const std::string temporary =
            DirectoryOf(targets[i]) + "." + names_[i] + ".tmp-" + UniqueSuffix();
        if (files.Link(kept, temporary) != 0) {
            try {
                CopyFile(kept, temporary);
            } catch (const EStreamError &error) {
                throw ESaveSetError(targets[i], Describe(error));
            }
        }
        if (files.Rename(temporary, targets[i]) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            throw ESaveSetError(targets[i], SystemError("Cannot create file", error));
        }
    }
}

std::vector<TSaveSet::TBackup> TSaveSet::History() const
{
    struct TFound
    {
        struct timespec written;
        std::string name;
    };
    std::vector<TFound> found;
    std::error_code error;
    const std::string backups = directory_ + BackupFolder + "/";
    for (const auto &entry : fs::directory_iterator(backups, error)) {
        const std::string name = entry.path().filename().string();
        struct stat info
        {
        };
        if (name.empty() || name.front() == '.' || ::lstat((backups + name).c_str(), &info) != 0 ||
            !S_ISDIR(info.st_mode))
            continue;
        found.push_back({info.st_mtim, name});
    }
    // The time the folder was filled, not its name: the local clock can go back.
    std::sort(found.begin(), found.end(), [](const TFound &a, const TFound &b) {
        if (a.written.tv_sec != b.written.tv_sec)
            return a.written.tv_sec > b.written.tv_sec;
        if (a.written.tv_nsec != b.written.tv_nsec)
            return a.written.tv_nsec > b.written.tv_nsec;
        return a.name > b.name;
    });
    std::vector<TBackup> history;
    for (const TFound &backup : found)
        history.push_back({backups + backup.name + "/", backup.written.tv_sec});
    return history;
}

std::vector<std::string> TSaveSet::Backups() const
{
    std::vector<std::string> folders;
    for (const TBackup &backup : History())
        folders.push_back(backup.Folder);
    return folders;
}

void TSaveSet::PruneBackups()
{
    const std::vector<TBackup> history = History();
    std::vector<std::time_t> written;
    for (const TBackup &backup : history)
        written.push_back(backup.Written);
    const std::vector<bool> kept = TBackupThinning::Kept(written, std::time(nullptr));
    for (std::size_t i = 0; i < history.size(); ++i) {
        if (kept[i])
            continue;
        // Out of sight first, so that a cut-off removal leaves no partial set in view.
        const std::string leaving =
            directory_ + BackupFolder + "/" + UnfinishedPrefix + UniqueSuffix();
        std::string folder = history[i].Folder;
        folder.pop_back();
        if (::rename(folder.c_str(), leaving.c_str()) == 0)
            RemoveAllQuietly(leaving);
    }
}

// Where one line of the note leads: the temporary file and the file it becomes, both beside the
// file a name of the set leads to. Lines of earlier versions name full paths; they are followed
// when those are the very paths a save of this set makes. False for anything else.
bool TSaveSet::NoteLine(const std::string &line, std::string &temporary, std::string &target) const
{
    const auto tab = line.find('\t');
    if (tab == std::string::npos)
        return false;
    const std::string from = line.substr(0, tab);
    const std::string to = line.substr(tab + 1);
    for (const std::string &name : names_) {
        const std::string leadsTo = TAtomicFile::FollowLinks(PathOf(name));
        if (to != name && to != leadsTo)
            continue;
        const bool bare = to == name;
        const std::string temporaryName = bare ? from : BaseNameOf(from);
        if ((bare && from.find('/') != std::string::npos) ||
            (!bare && DirectoryOf(from) != DirectoryOf(leadsTo)))
            return false;
        // Only the temporary files a save of this very file makes.
        if (!TAtomicFile::IsTemporaryName(temporaryName) ||
            temporaryName.rfind("." + BaseNameOf(leadsTo) + ".", 0) != 0)
            return false;
        temporary = DirectoryOf(leadsTo) + temporaryName;
        target = leadsTo;
        return true;
    }
    return false;
}

std::string TSaveSet::FollowNote()
{
    const std::string note = PathOf(CommitNote);
    const std::string refused = "The note of an unfinished save, " + note + ", was not followed: ";
    const std::string kept = ". It was left as it is, and no file was renamed.";
    const int descriptor = ::open(note.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return {};
        return refused +
               (errno == ELOOP ? std::string("it is a symbolic link")
                               : SystemError("it cannot be read", errno)) +
               kept;
    }
    struct stat info
    {
    };
    std::string text;
    std::string problem;
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = "it is not a regular file";
    } else if (info.st_uid != ::geteuid()) {
        problem = "it is not the player's own file";
    } else if (info.st_size < 0 || std::size_t(info.st_size) > MaxNoteSize) {
        problem = "it is far longer than any note a save writes";
    } else {
        text.resize(std::size_t(info.st_size));
        const ssize_t length = ::read(descriptor, text.data(), text.size());
        if (length < 0)
            problem = SystemError("it cannot be read", errno);
        else
            text.resize(std::size_t(length));
    }
    ::close(descriptor);
    if (!problem.empty())
        return refused + problem + kept;

    std::vector<std::pair<std::string, std::string>> renames;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::string temporary;
        std::string target;
        if (!NoteLine(line, temporary, target))
            return refused + "it names \"" + line.substr(0, 200) +
                   "\", which is not a rename of the saved hotels' own files" + kept;
        struct stat file
        {
        };
        if (::lstat(temporary.c_str(), &file) == 0 &&
            (!S_ISREG(file.st_mode) || file.st_uid != ::geteuid()))
            return refused + temporary + " is not the player's own file" + kept;
        renames.emplace_back(temporary, target);
    }
    for (const auto &[temporary, target] : renames)
        if (Exists(temporary) && ::rename(temporary.c_str(), target.c_str()) == 0)
            TAtomicFile::SyncDirectory(DirectoryOf(target));
    // Only once the renames are on disk may the note that repeats them go.
    ::unlink(note.c_str());
    TAtomicFile::SyncDirectory(directory_);
    return {};
}

std::string TSaveSet::Recover()
{
    const std::string refusal = FollowNote();
    std::vector<std::string> folders{directory_};
    for (const std::string &name : names_)
        folders.push_back(DirectoryOf(TAtomicFile::FollowLinks(PathOf(name))));
    std::error_code error;
    for (const std::string &folder : folders) {
        for (const auto &entry : fs::directory_iterator(folder, error)) {
            long processId = 0;
            if (TAtomicFile::IsTemporaryName(entry.path().filename().string(), &processId) &&
                LeftBehind(processId) && entry.is_regular_file(error))
                fs::remove(entry.path(), error);
        }
    }
    for (const auto &entry : fs::directory_iterator(directory_ + BackupFolder, error)) {
        if (entry.path().filename().string().rfind(UnfinishedPrefix, 0) == 0)
            RemoveAllQuietly(entry.path().string());
    }
    return refusal;
}

std::string TSaveSet::NewFolderName(const std::string &parent, const std::string &prefix) const
{
    const std::string base = parent + (prefix.empty() ? "" : prefix + "-") + LocalStamp();
    std::string name = base;
    for (int n = 2; Exists(name); ++n)
        name = base + "-" + std::to_string(n);
    return name;
}

std::string TSaveSet::MoveAside(const std::string &prefix)
{
    TFileSystem &files = TFileSystem::Current();
    const std::string folder = NewFolderName(directory_, prefix);
    if (files.MakeDirectory(folder) != 0)
        throw ESaveSetError(folder, SystemError("Cannot create folder", errno));
    for (const std::string &name : names_) {
        const std::string path = PathOf(name);
        if (!Exists(path))
            continue;
        if (files.Rename(path, folder + "/" + name) != 0)
            throw ESaveSetError(path, SystemError("Cannot move file", errno));
    }
    return WithSlash(folder);
}
