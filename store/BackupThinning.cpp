#include "store/BackupThinning.h"

#include <algorithm>
#include <map>

namespace {

// The period a moment falls in, counted from the epoch; floor division, so that moments before
// it (a clock set far back) do not share period 0 with those after.
std::time_t PeriodOf(std::time_t moment, std::time_t length)
{
    return moment >= 0 ? moment / length : -((-moment + length - 1) / length);
}

// For each period, the index of its oldest backup among those younger than the window.
std::map<std::time_t, std::size_t> OldestPerPeriod(const std::vector<std::time_t> &written,
                                                   std::time_t now, std::time_t length,
                                                   std::time_t window)
{
    std::map<std::time_t, std::size_t> oldest;
    for (std::size_t i = 0; i < written.size(); ++i) {
        // A backup from the future (the clock went back) counts as made now.
        const std::time_t age = std::max<std::time_t>(0, now - written[i]);
        if (age >= window)
            continue;
        const std::time_t period = PeriodOf(std::min(written[i], now), length);
        const auto found = oldest.find(period);
        if (found == oldest.end() || written[i] <= written[found->second])
            oldest[period] = i;
    }
    return oldest;
}

} // namespace

std::vector<bool> TBackupThinning::Kept(const std::vector<std::time_t> &written, std::time_t now)
{
    std::vector<bool> kept(written.size(), false);
    for (std::size_t i = 0; i < written.size() && i < std::size_t(RecentKept); ++i)
        kept[i] = true;
    for (const auto &[period, index] :
         OldestPerPeriod(written, now, SecondsPerHour, HoursKept * SecondsPerHour))
        kept[index] = true;
    for (const auto &[period, index] :
         OldestPerPeriod(written, now, SecondsPerDay, DaysKept * SecondsPerDay))
        kept[index] = true;
    return kept;
}
