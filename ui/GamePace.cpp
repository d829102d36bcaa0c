#include "ui/GamePace.h"

#include <algorithm>

TGamePace::TGamePace(std::function<TGameTimer &()> timer) : timer_(std::move(timer)) {}

void TGamePace::ClockStarted()
{
    playing_ = true;
    paused_ = false;
    ApplyInterval();
    Changed();
}

void TGamePace::ClockStopped()
{
    playing_ = false;
    paused_ = false;
    Changed();
}

void TGamePace::TogglePause()
{
    if (!playing_)
        return;
    paused_ = !paused_;
    if (paused_)
        timer_().Stop();
    else
        timer_().Start();
    Changed();
}

void TGamePace::SetHoursPerSecond(int hours)
{
    if (std::find(kHoursPerSecond.begin(), kHoursPerSecond.end(), hours) == kHoursPerSecond.end())
        return;
    hours_ = hours;
    ApplyInterval();
    Changed();
}

void TGamePace::ApplyInterval()
{
    TGameTimer &timer = timer_();
    const int interval = TGameTimer::kIntervalMs / hours_;
    if (timer.Interval() == interval)
        return;
    // A running clock goes on at the new pace; a paused one stays paused.
    const bool running = timer.Enabled();
    timer.SetInterval(interval);
    if (running && !timer.Enabled())
        timer.Start();
}

void TGamePace::Changed()
{
    if (OnChange)
        OnChange();
}
