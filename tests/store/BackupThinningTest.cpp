#include "store/BackupThinning.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr std::time_t Minute = 60;
constexpr std::time_t Hour = 60 * Minute;
constexpr std::time_t Day = 24 * Hour;
// 15:20 on day 100 of the epoch: twenty minutes into an hour, fifteen hours into a day.
constexpr std::time_t Now = 100 * Day + 15 * Hour + 20 * Minute;

struct TCase
{
    const char *name;
    // Ages of the backups, youngest first.
    std::vector<std::time_t> ages;
    // Which of them stay, by position.
    std::vector<std::size_t> kept;
};

std::vector<std::time_t> Every(std::time_t step, int count)
{
    std::vector<std::time_t> ages;
    for (int i = 0; i < count; ++i)
        ages.push_back(i * step);
    return ages;
}

std::vector<std::size_t> Range(std::size_t from, std::size_t to)
{
    std::vector<std::size_t> range;
    for (std::size_t i = from; i <= to; ++i)
        range.push_back(i);
    return range;
}

std::vector<std::size_t> Join(std::vector<std::size_t> a, const std::vector<std::size_t> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class BackupThinning : public testing::TestWithParam<TCase>
{
};

TEST_P(BackupThinning, KeepsTheNewestThenTheOldestOfEachHourThenOfEachDay)
{
    const TCase &c = GetParam();
    std::vector<std::time_t> written;
    for (std::time_t age : c.ages)
        written.push_back(Now - age);
    const std::vector<bool> kept = TBackupThinning::Kept(written, Now);
    ASSERT_EQ(kept.size(), c.ages.size());
    std::vector<std::size_t> keptAt;
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (kept[i])
            keptAt.push_back(i);
    EXPECT_EQ(keptAt, c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Histories, BackupThinning,
    testing::Values(
        TCase{"Nothing", {}, {}},
        // An hour of play saved every minute (14:21 to 15:20): the five newest, then 15:00 as
        // the oldest of its hour and 14:21 as the oldest of the hour before, 59 minutes back.
        TCase{"AnHourOfMinutes", Every(Minute, 60), {0, 1, 2, 3, 4, 20, 59}},
        // Ten saves in ten minutes: the five newest and the oldest of the hour.
        TCase{"TenMinutes", Every(Minute, 10), {0, 1, 2, 3, 4, 9}},
        // One a hour for 30 hours: the last 24 are each the oldest of their hour. Of the older
        // ones only 10:20 the day before stays, the oldest of that day; today's oldest is
        // 00:20, fifteen hours back, already kept.
        TCase{"ThirtyHours", Every(Hour, 30), Join(Range(0, 23), {29})},
        // One a day for 20 days: those of the last two weeks.
        TCase{"TwentyDays", Every(Day, 20), Range(0, 13)},
        // Beyond the two weeks only the five newest stay, however old.
        TCase{"AllOld",
              {15 * Day, 16 * Day, 17 * Day, 18 * Day, 19 * Day, 20 * Day, 21 * Day},
              {0, 1, 2, 3, 4}},
        // A backup from a clock that went back counts as made now, and pushes nothing out.
        TCase{"FromTheFuture",
              {-Hour, 0, Minute, 2 * Minute, 3 * Minute, 4 * Minute, 5 * Minute},
              {0, 1, 2, 3, 4, 6}}),
    [](const testing::TestParamInfo<TCase> &info) { return std::string(info.param.name); });

// A clock set before 1970 still counts hours by the clock: 00:59:59 and 00:00:01 of 31 December
// 1969 share an hour, whose oldest stays, and 00:00:01 of the first of January is another hour.
TEST(BackupThinningBeforeTheEpoch, HoursBeforeAndAfterTheEpochAreTheirOwn)
{
    const std::time_t now = 2 * Hour;
    std::vector<std::time_t> written;
    for (int i = 0; i < TBackupThinning::RecentKept; ++i)
        written.push_back(now - i);
    written.insert(written.end(), {1, -1, -Hour + 1});
    const std::vector<bool> kept = TBackupThinning::Kept(written, now);
    EXPECT_TRUE(kept[5]) << "the only backup of the first hour after the epoch";
    EXPECT_FALSE(kept[6]) << "younger than another of its hour";
    EXPECT_TRUE(kept[7]) << "the oldest of the hour before the epoch";
}

} // namespace
