#pragma once

#include <string>

// Holds a save folder for one process, so that two games never play and save the same hotels.
//
// The hold is an advisory lock (flock) on the file ".tamsel-lock" in the folder. The kernel
// drops it when the process ends in any way, so the lock of a game that crashed or was killed
// never blocks the next start, and the file itself is never removed.
class TSaveFolderLock
{
public:
    static constexpr const char *LockFileName = ".tamsel-lock";

    enum class TState
    {
        // This process holds the folder until the object goes.
        Held,
        // Another process holds it.
        HeldElsewhere,
        // The folder cannot carry the lock (it cannot be written, or the lock file is not a
        // regular file of the player's); Problem says why.
        Unavailable,
    };

    // Tries to take the folder; never waits.
    explicit TSaveFolderLock(const std::string &directory);
    ~TSaveFolderLock();
    TSaveFolderLock(const TSaveFolderLock &) = delete;
    TSaveFolderLock &operator=(const TSaveFolderLock &) = delete;

    TState State() const { return state_; }
    const std::string &Problem() const { return problem_; }

    // Whether a running process holds the folder now. Makes no lock file where there is none,
    // so that tools may ask about any folder.
    static bool HeldByAnother(const std::string &directory);

private:
    int descriptor_ = -1;
    TState state_ = TState::Unavailable;
    std::string problem_;
};
