#pragma once

#include "model/GameTimer.h"

#include <array>
#include <functional>

// The player's hold on the game clock while a hotel is open: pause and speed.
// Pausing stops the clock the model runs on, so a refused purchase, which
// restarts the clock only when it ran, leaves a paused game paused. The frame
// loop does not depend on the clock and goes on while paused.
class TGamePace
{
public:
    // The speeds the player can choose, in game hours per second of real time.
    static constexpr std::array<int, 3> kHoursPerSecond{1, 2, 4};

    // The clock the model currently uses (the model may be given another).
    explicit TGamePace(std::function<TGameTimer &()> timer);

    // A hotel was opened and its clock started: it runs unpaused, at the speed
    // last chosen in this session.
    void ClockStarted();
    // The hotel was closed; the clock is stopped by the model.
    void ClockStopped();
    // Pauses a running game or resumes a paused one; nothing while no hotel is open.
    void TogglePause();
    // One of kHoursPerSecond; the clock keeps running or keeps standing.
    void SetHoursPerSecond(int hours);

    bool Playing() const { return playing_; }
    bool Paused() const { return paused_; }
    int HoursPerSecond() const { return hours_; }
    // Called after every change of what the player should see.
    std::function<void()> OnChange;

private:
    void ApplyInterval();
    void Changed();

    std::function<TGameTimer &()> timer_;
    bool playing_ = false;
    bool paused_ = false;
    int hours_ = kHoursPerSecond.front();
};
