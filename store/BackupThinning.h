#pragma once

#include <ctime>
#include <vector>

// Which backups of the saved hotels stay, so that the history reaches back minutes, hours and
// days instead of holding copies of the last few minutes: the newest few, then the oldest of
// each clock hour of the last day, then the oldest of each day of the last two weeks.
//
// The oldest of a period, not the newest: later saves never fall into a period that is over,
// and within the current one they are newer, so a backup once kept for its period stays kept
// until the period leaves the window.
class TBackupThinning
{
public:
    static constexpr int RecentKept = 5;
    static constexpr int HoursKept = 24;
    static constexpr int DaysKept = 14;
    static constexpr std::time_t SecondsPerHour = 60 * 60;
    static constexpr std::time_t SecondsPerDay = 24 * SecondsPerHour;

    // written: when each backup was made, newest first. Returns whether each one stays.
    static std::vector<bool> Kept(const std::vector<std::time_t> &written, std::time_t now);
};
