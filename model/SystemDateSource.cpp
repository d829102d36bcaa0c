#include "model/SystemDateSource.h"

#include <chrono>
#include <ctime>

double TSystemDateSource::Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::chrono::year_month_day day{
        std::chrono::year{local.tm_year + 1900},
        std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
        std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
    const std::chrono::sys_days epoch{std::chrono::year{1899} / 12 / 30};
    const double days = (std::chrono::sys_days{day} - epoch).count();
    return days + (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) / 86400.0;
}
